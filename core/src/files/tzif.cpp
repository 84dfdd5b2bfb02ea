#include "waktuna/files/tzif.h"

#include <cstdlib>

#include "waktuna/files/files.h"

namespace waktuna {

namespace {

constexpr int32_t kMaxChangeTime = 167 * 3600;  // the longest a rule's time may be

// Reads the texts of a POSIX TZ rule from left to right.
class RuleReader {
public:
    explicit RuleReader(std::string_view text) : text_(text) {}
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    bool Take(char c) {
        if (Peek() != c) return false;
        ++pos_;
        return true;
    }

    // A zone abbreviation: three or more letters, or "<...>" of letters,
    // digits, "+" and "-".
    bool Name() {
        if (Take('<')) {
            size_t n = 0;
            while (!AtEnd() && Peek() != '>') {
                const char c = Peek();
                if (!IsAlnum(c) && c != '+' && c != '-') return false;
                ++pos_;
                ++n;
            }
            return Take('>') && n >= 3;
        }
        size_t n = 0;
        while (!AtEnd() && IsAlpha(Peek())) {
            ++pos_;
            ++n;
        }
        return n >= 3;
    }

    // Up to `digits` decimal digits (at least one) no greater than `max`.
    bool Number(int max, int& out, int digits = 3) {
        int value = 0, n = 0;
        while (n < digits && Peek() >= '0' && Peek() <= '9') {
            value = value * 10 + (Peek() - '0');
            ++pos_;
            ++n;
        }
        if (n == 0 || value > max) return false;
        out = value;
        return true;
    }

    // [+-]hh[:mm[:ss]] in seconds, hours up to `maxHours`.
    bool Time(int maxHours, int32_t& out) {
        int sign = 1;
        if (Take('-'))
            sign = -1;
        else
            Take('+');
        int h = 0, m = 0, s = 0;
        if (!Number(maxHours, h)) return false;
        if (Take(':') && !Number(59, m, 2)) return false;
        if (Take(':') && !Number(59, s, 2)) return false;
        out = sign * (h * 3600 + m * 60 + s);
        return true;
    }

    bool Change(PosixZoneRule::Change& change) {
        using C = PosixZoneRule::Change;
        if (Take('M')) {
            change.kind = C::kMonthWeekDay;
            if (!Number(12, change.month, 2) || change.month < 1 || !Take('.') ||
                !Number(5, change.week, 1) || change.week < 1 || !Take('.') ||
                !Number(6, change.weekday, 1))
                return false;
        } else if (Take('J')) {
            change.kind = C::kJulianNoLeap;
            if (!Number(365, change.day) || change.day < 1) return false;
        } else {
            change.kind = C::kDayOfYear;
            if (!Number(365, change.day)) return false;
        }
        change.time = 7200;
        if (Take('/')) return Time(167, change.time);
        return true;
    }

private:
    static bool IsAlpha(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
    static bool IsAlnum(char c) { return IsAlpha(c) || (c >= '0' && c <= '9'); }

    std::string_view text_;
    size_t pos_ = 0;
};

int DayOfWeekSunday0(DateTime date) { return DayOfWeek(date) % 7; }

// Year of the Unix instant read as a local time with `offset`.
int YearOf(UnixSeconds utc, int32_t offset) {
    const int64_t secs = utc + offset;
    int64_t days = secs / 86400;
    if (secs % 86400 < 0) --days;
    const double date = kUnixEpochDay + static_cast<double>(days);
    if (date < 1) return 1;
    if (date >= EncodeDate(9999, 12, 31)) return 9999;
    return DecodeDate(date).year;
}

uint32_t Be32(std::string_view b, size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) << 24 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3]));
}

int64_t Be64(std::string_view b, size_t at) {
    return static_cast<int64_t>(static_cast<uint64_t>(Be32(b, at)) << 32 | Be32(b, at + 4));
}

struct Counts {
    uint32_t isut, isstd, leap, time, type, chars;
    // Bytes of the data block after the header, with times of `width` bytes.
    uint64_t Size(int width) const {
        return uint64_t{time} * width + time + uint64_t{type} * 6 + chars +
               uint64_t{leap} * (width + 4) + isstd + isut;
    }
};

constexpr size_t kHeaderSize = 44;

bool ReadHeader(std::string_view b, size_t at, Counts& c, char& version) {
    if (b.size() < at + kHeaderSize || b.substr(at, 4) != "TZif") return false;
    version = b[at + 4];
    c = {Be32(b, at + 20), Be32(b, at + 24), Be32(b, at + 28),
         Be32(b, at + 32), Be32(b, at + 36), Be32(b, at + 40)};
    // The counts a well-formed file can have; more would be a corrupt file.
    if (c.type == 0 || c.type > 256 || c.time > 1000000 || c.leap > 100000) return false;
    return (c.isut == 0 || c.isut == c.type) && (c.isstd == 0 || c.isstd == c.type);
}

bool ValidZoneName(std::string_view name) {
    if (name.empty() || name.size() > 255) return false;
    size_t part = 0;
    for (size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || name[i] == '/') {
            const std::string_view p = name.substr(part, i - part);
            if (p.empty() || p == "." || p == "..") return false;
            part = i + 1;
            continue;
        }
        const char c = name[i];
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '+' || c == '.';
        if (!ok) return false;
    }
    return true;
}

}  // namespace

// ---- POSIX TZ rules ----------------------------------------------------------

std::optional<PosixZoneRule> PosixZoneRule::Parse(std::string_view text) {
    RuleReader r(text);
    PosixZoneRule rule;
    int32_t west = 0;
    // Offsets are written west of UTC: "EST5" is five hours behind.
    if (!r.Name() || !r.Time(24, west)) return std::nullopt;
    rule.std_offset_ = -west;
    if (r.AtEnd()) return rule;
    if (!r.Name()) return std::nullopt;
    rule.has_dst_ = true;
    rule.dst_offset_ = rule.std_offset_ + 3600;
    if (r.Peek() != ',' && !r.AtEnd()) {
        if (!r.Time(24, west)) return std::nullopt;
        rule.dst_offset_ = -west;
    }
    if (r.AtEnd()) {
        // No rule given: the United States' present one.
        rule.start_ = {Change::kMonthWeekDay, 3, 2, 0, 0, 7200};
        rule.end_ = {Change::kMonthWeekDay, 11, 1, 0, 0, 7200};
        return rule;
    }
    if (!r.Take(',') || !r.Change(rule.start_) || !r.Take(',') || !r.Change(rule.end_) ||
        !r.AtEnd())
        return std::nullopt;
    return rule;
}

UnixSeconds PosixZoneRule::ChangeInstant(int year, const Change& c, int32_t offset) const {
    DateTime day = 0;
    switch (c.kind) {
        case Change::kMonthWeekDay: {
            const DateTime first = EncodeDate(year, c.month, 1);
            int d = 1 + (c.weekday - DayOfWeekSunday0(first) + 7) % 7 + (c.week - 1) * 7;
            while (d > DaysInMonth(year, c.month)) d -= 7;
            day = first + d - 1;
            break;
        }
        case Change::kJulianNoLeap:
            // 1..365, 29 February never counted.
            day = EncodeDate(year, 1, 1) + c.day - 1 + (IsLeapYear(year) && c.day >= 60 ? 1 : 0);
            break;
        case Change::kDayOfYear:
            day = EncodeDate(year, 1, 1) + c.day;
            break;
    }
    return UnixSecondsOfDay(day) + c.time - offset;
}

int32_t PosixZoneRule::OffsetAt(UnixSeconds utc) const {
    if (!has_dst_) return std_offset_;
    const int year = YearOf(utc, std_offset_);
    // The start is given in standard time, the end in daylight time.
    const UnixSeconds start = ChangeInstant(year, start_, std_offset_);
    const UnixSeconds end = ChangeInstant(year, end_, dst_offset_);
    const bool daylight = start < end ? (utc >= start && utc < end)  // northern summer
                                      : (utc < end || utc >= start);  // southern summer
    return daylight ? dst_offset_ : std_offset_;
}

// ---- TZif ----------------------------------------------------------------------

std::optional<TzifZone> TzifZone::Parse(std::string_view b, std::string name) {
    Counts c{};
    char version = 0;
    if (!ReadHeader(b, 0, c, version)) return std::nullopt;
    size_t at = kHeaderSize;
    int width = 4;
    if (version != '\0') {
        // Version 2 and later repeat the data with 64-bit times after the
        // first block, followed by the footer.
        if (b.size() - kHeaderSize < c.Size(4)) return std::nullopt;
        at += c.Size(4);
        if (!ReadHeader(b, at, c, version)) return std::nullopt;
        at += kHeaderSize;
        width = 8;
    }
    if (b.size() - at < c.Size(width)) return std::nullopt;

    TzifZone zone;
    zone.name_ = std::move(name);
    zone.transitions_.reserve(c.time);
    for (uint32_t i = 0; i < c.time; ++i) {
        const int64_t t = width == 8 ? Be64(b, at + i * 8) : static_cast<int32_t>(Be32(b, at + i * 4));
        if (i > 0 && t <= zone.transitions_.back()) return std::nullopt;
        zone.transitions_.push_back(t);
    }
    at += size_t{c.time} * width;
    for (uint32_t i = 0; i < c.time; ++i) {
        const uint8_t type = static_cast<uint8_t>(b[at + i]);
        if (type >= c.type) return std::nullopt;
        zone.transition_types_.push_back(type);
    }
    at += c.time;
    for (uint32_t i = 0; i < c.type; ++i) {
        const int32_t offset = static_cast<int32_t>(Be32(b, at + i * 6));
        if (offset <= -25 * 3600 || offset >= 26 * 3600) return std::nullopt;
        zone.type_offsets_.push_back(offset);
    }
    at += c.Size(width) - size_t{c.time} * width - c.time;

    if (width == 8 && at < b.size() && b[at] == '\n') {
        const size_t end = b.find('\n', at + 1);
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view footer = b.substr(at + 1, end - at - 1);
        if (!footer.empty()) {
            zone.footer_ = PosixZoneRule::Parse(footer);
            if (!zone.footer_) return std::nullopt;
        }
    }
    return zone;
}

std::optional<int32_t> TzifZone::OffsetAt(UnixSeconds utc) const {
    if (transitions_.empty() || utc >= transitions_.back()) {
        if (footer_) return footer_->OffsetAt(utc);
        if (transitions_.empty()) return type_offsets_.front();
        return type_offsets_[transition_types_.back()];
    }
    if (utc < transitions_.front()) return type_offsets_.front();
    // The last transition at or before the instant.
    size_t lo = 0, hi = transitions_.size() - 1;
    while (lo < hi) {
        const size_t mid = (lo + hi + 1) / 2;
        if (transitions_[mid] <= utc)
            lo = mid;
        else
            hi = mid - 1;
    }
    return type_offsets_[transition_types_[lo]];
}

std::string ZoneDatabaseFolder() {
    const char* dir = std::getenv("TZDIR");
    if (dir && *dir) {
        std::string folder(dir);
        if (folder.back() != '/') folder += '/';
        return folder;
    }
    return "/usr/share/zoneinfo/";
}

LoadedZone LoadZone(std::string_view name, const std::string& folder) {
    const std::string quoted = "time zone '" + std::string(name) + "'";
    if (!ValidZoneName(name)) return {std::nullopt, quoted + " is not a zone name"};
    const auto bytes = ReadWholeFile(folder + std::string(name));
    if (!bytes) return {std::nullopt, quoted + " is not in the zone database " + folder};
    auto zone = TzifZone::Parse(*bytes, std::string(name));
    if (!zone) return {std::nullopt, quoted + ": the zone database's file is damaged"};
    return {std::move(zone), {}};
}

}  // namespace waktuna
