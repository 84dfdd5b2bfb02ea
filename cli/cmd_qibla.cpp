#include <cstdio>

#include "commands.h"
#include "args.h"
#include "waktuna/calc/numbers.h"
#include "waktuna/calc/qibla.h"

namespace cli {

int Qibla(int argc, char** argv) {
    const Args args(argc, argv, 2, {{"lat", true}, {"lon", true}});
    if (args.Help()) {
        std::printf("usage: waktuna-cli qibla --lat T --lon T\n"
                    "Prints the bearing to the Kaaba (degrees from north) and its angle to the\n"
                    "east-west line, each in full and as the main panel shows it.\n");
        return 0;
    }
    if (!args.Positional().empty()) throw UsageError{"unexpected argument '" + args.Positional()[0] + "'"};
    args.Require("lat");
    args.Require("lon");
    const double q =
        waktuna::QiblaDirection(static_cast<float>(args.Decimal("lat", waktuna::CalcValue::Latitude)),
                                static_cast<float>(args.Decimal("lon", waktuna::CalcValue::Longitude)));
    const double e = waktuna::EastWestAngle(q);
    Print("bearing\t" + waktuna::DecimalText(q) + '\t' + waktuna::QiblaAngleText(q) + '\n' +
          "east-west\t" + waktuna::DecimalText(e) + '\t' + waktuna::QiblaAngleText(e) + '\n');
    return 0;
}

}  // namespace cli
