#include "zone_option.h"

#include <cstdlib>

#include "args.h"
#include "waktuna/files/files.h"
#include "waktuna/files/tzif.h"
#if defined(_WIN32)
#include "win/windows_zone.h"
#endif

namespace cli {

std::shared_ptr<const waktuna::ZoneRule> ZoneByName(const std::string& name) {
#if defined(_WIN32)
    auto zone = app::WindowsZone::Named(name);
    if (!zone) throw UsageError{"option --zone: the system has no time zone '" + name + "'"};
    return zone;
#else
    waktuna::LoadedZone loaded = waktuna::LoadZone(name);
    if (!loaded.zone) throw UsageError{"option --zone: " + loaded.error};
    return std::make_shared<waktuna::TzifZone>(std::move(*loaded.zone));
#endif
}

std::shared_ptr<const waktuna::ZoneRule> SystemZone() {
#if defined(_WIN32)
    return app::WindowsZone::Current();
#else
    // TZ naming a zone of the database, else /etc/localtime.
    if (const char* tz = std::getenv("TZ"); tz && *tz) {
        std::string name = tz[0] == ':' ? tz + 1 : tz;
        waktuna::LoadedZone loaded = waktuna::LoadZone(name);
        if (loaded.zone) return std::make_shared<waktuna::TzifZone>(std::move(*loaded.zone));
    }
    const auto bytes = waktuna::ReadWholeFile("/etc/localtime");
    if (!bytes) return nullptr;
    auto zone = waktuna::TzifZone::Parse(*bytes, "localtime");
    if (!zone) return nullptr;
    return std::make_shared<waktuna::TzifZone>(std::move(*zone));
#endif
}

}  // namespace cli
