// Typed numbers: any text reads without crashing, the general decimal text
// of what was read reads back to the same value, and the text a setting page
// shows for a 32-bit value reads back to exactly that value.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "waktuna/calc/numbers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)waktuna::ReadWholeNumber(text);
    const double v = waktuna::ReadDecimal(text);
    if (!std::isfinite(v)) std::abort();
    const double back = waktuna::ReadDecimal(waktuna::DecimalText(v));
    // 15 significant digits: equal to within the last digit.
    if (std::fabs(back - v) > std::fabs(v) * 1e-14) std::abort();
    const float f = static_cast<float>(v);
    if (std::isfinite(f) && static_cast<float>(waktuna::ReadDecimal(waktuna::ShortestFloatText(f))) != f)
        std::abort();
    return 0;
}
