// Time zones named on the command line (--zone) and the system's own: from
// the zone database on Linux ("Europe/London"), from the system's rules on
// Windows ("GMT Standard Time").
#pragma once

#include <memory>
#include <string>

#include "waktuna/calc/time_zone.h"

namespace cli {

// The zone of --zone; a usage error naming it when the system does not know it.
std::shared_ptr<const waktuna::ZoneRule> ZoneByName(const std::string& name);

// The zone the system is set to; nullptr when it cannot be read.
std::shared_ptr<const waktuna::ZoneRule> SystemZone();

}  // namespace cli
