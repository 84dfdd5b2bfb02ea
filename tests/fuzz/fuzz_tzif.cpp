// Zone-database files and their POSIX rules: any bytes parse or are refused
// without crashing or reading past the end, and a parsed zone gives an
// offset within a day of UTC for any instant and any day's noon.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "waktuna/files/tzif.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace waktuna;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto check = [](std::optional<int32_t> offset) {
        if (offset && (*offset <= -26 * 3600 || *offset >= 26 * 3600)) std::abort();
    };
    if (const auto zone = TzifZone::Parse(bytes, "fuzz")) {
        for (int64_t t : {int64_t{-9000000000}, int64_t{0}, int64_t{1800000000}, int64_t{4102444800},
                          int64_t{200000000000}})
            check(zone->OffsetAt(t));
        for (int year : {1, 1970, 2026, 2100, 9999}) check(ZoneOffsetOfDate(*zone, EncodeDate(year, 6, 30)));
    }
    if (const auto rule = PosixZoneRule::Parse(bytes)) {
        for (int year : {1, 2026, 9999}) {
            const int32_t offset = rule->OffsetAt(UnixSecondsOfDay(EncodeDate(year, 3, 1)));
            if (offset <= -50 * 3600 || offset >= 50 * 3600) std::abort();
        }
    }
    return 0;
}
