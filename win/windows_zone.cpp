#include "win/windows_zone.h"
#include "win/handles.h"

#include <cwchar>

namespace app {

namespace {

constexpr int64_t kFileTimeTicksPerSecond = 10000000;
constexpr int64_t kUnixEpochFileTime = 116444736000000000;  // 1970-01-01 in FILETIME ticks

std::string Narrow(const wchar_t* text) {
    const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1) return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

std::wstring Widen(std::string_view text) {
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

bool ToSystemTime(int64_t unixSeconds, SYSTEMTIME& out) {
    const int64_t ticks = unixSeconds * kFileTimeTicksPerSecond + kUnixEpochFileTime;
    if (ticks < 0) return false;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFF);
    ft.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32);
    return FileTimeToSystemTime(&ft, &out) != 0;
}

bool ToTicks(const SYSTEMTIME& time, int64_t& out) {
    FILETIME ft;
    if (!SystemTimeToFileTime(&time, &ft)) return false;
    out = static_cast<int64_t>(static_cast<uint64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime);
    return true;
}

}  // namespace

std::unique_ptr<WindowsZone> WindowsZone::Current() {
    return std::unique_ptr<WindowsZone>(new WindowsZone());
}

std::unique_ptr<WindowsZone> WindowsZone::Named(std::string_view keyName) {
    // The zones the system knows are the keys of its time-zone list; the
    // rules of each year are read from there by name.
    const std::wstring name = Widen(keyName);
    if (name.empty() || name.size() >= 128 || name.find(L'\\') != std::wstring::npos) return nullptr;
    const std::wstring path =
        L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones\\" + name;
    UniqueKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return nullptr;
    std::unique_ptr<WindowsZone> rule(new WindowsZone());
    rule->current_ = false;
    wcsncpy(rule->named_.TimeZoneKeyName, name.c_str(), 127);
    TIME_ZONE_INFORMATION year{};
    if (!GetTimeZoneInformationForYear(2000, &rule->named_, &year)) return nullptr;
    return rule;
}

bool WindowsZone::Zone(DYNAMIC_TIME_ZONE_INFORMATION& out) const {
    if (!current_) {
        out = named_;
        return true;
    }
    return GetDynamicTimeZoneInformation(&out) != TIME_ZONE_ID_INVALID;
}

std::optional<int32_t> WindowsZone::OffsetAt(waktuna::UnixSeconds utc) const {
    DYNAMIC_TIME_ZONE_INFORMATION zone;
    SYSTEMTIME universal, local;
    if (!Zone(zone) || !ToSystemTime(utc, universal)) return std::nullopt;
    // "Adjust for daylight saving time automatically" turned off: standard
    // time all year.
    if (current_ && zone.DynamicDaylightTimeDisabled) return static_cast<int32_t>(-zone.Bias * 60);
    // The rules of that year: a zone whose switches moved over the years
    // keeps each year's own dates.
    TIME_ZONE_INFORMATION year{};
    if (!GetTimeZoneInformationForYear(universal.wYear, &zone, &year)) return std::nullopt;
    if (!SystemTimeToTzSpecificLocalTime(&year, &universal, &local)) return std::nullopt;
    int64_t u = 0, l = 0;
    if (!ToTicks(universal, u) || !ToTicks(local, l)) return std::nullopt;
    return static_cast<int32_t>((l - u) / kFileTimeTicksPerSecond);
}

std::string WindowsZone::Name() const {
    DYNAMIC_TIME_ZONE_INFORMATION zone;
    if (!Zone(zone)) return {};
    std::string name = Narrow(zone.TimeZoneKeyName);
    return name.empty() ? Narrow(zone.StandardName) : name;
}

}  // namespace app
