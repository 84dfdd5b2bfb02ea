// The system's time-zone rules as a zone rule of the core: the zone Windows
// is set to, or one named by its key ("GMT Standard Time"), with the
// daylight-saving rules of each year (dynamic rules included).
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "waktuna/calc/time_zone.h"

namespace app {

class WindowsZone final : public waktuna::ZoneRule {
public:
    // The zone Windows is set to, looked up again at every use, so a zone
    // changed while the program runs counts from the next computation.
    static std::unique_ptr<WindowsZone> Current();
    // A zone by its key name, compared without regard to case; nullptr when
    // the system does not know it.
    static std::unique_ptr<WindowsZone> Named(std::string_view keyName);

    std::optional<int32_t> OffsetAt(waktuna::UnixSeconds utc) const override;
    std::string Name() const override;

private:
    WindowsZone() = default;
    bool Zone(DYNAMIC_TIME_ZONE_INFORMATION& out) const;

    bool current_ = true;
    DYNAMIC_TIME_ZONE_INFORMATION named_{};
};

}  // namespace app
