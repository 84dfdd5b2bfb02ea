#include "waktuna/language.h"

namespace waktuna {

LanguageList::LanguageList(std::vector<std::string> lines) : lines_(std::move(lines)) {
    for (int m = 1; m <= 12; ++m) {
        gregorian_[m] = Line(14 + m);
        hijri_[m] = Line(26 + m);
    }
}

const std::string& LanguageList::Line(int n) const {
    static const std::string kEmpty;
    if (n < 1 || n > static_cast<int>(lines_.size())) return kEmpty;
    return lines_[static_cast<size_t>(n) - 1];
}

}  // namespace waktuna
