// Place-name files: any bytes load without crashing, hanging or reading past
// the end; a section read afresh gives the same places as the first load.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

#include "waktuna/files/places.h"

namespace {

bool Same(const waktuna::Place& a, const waktuna::Place& b) {
    return a.name == b.name && std::memcmp(&a.latitude, &b.latitude, 4) == 0 &&
           std::memcmp(&a.longitude, &b.longitude, 4) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace waktuna;
    PlaceNameFile file;
    file.Load(std::make_unique<std::istringstream>(
        std::string(reinterpret_cast<const char*>(data), size)));
    const size_t declared = size >= 16 ? (data[14] | data[15] << 8) : 0;
    if (file.Sections().size() > declared) std::abort();

    const std::vector<Place> again = file.ReadSection(0);
    if (again.size() != file.FirstSectionPlaces().size()) std::abort();
    for (size_t i = 0; i < again.size(); ++i) {
        if (!Same(again[i], file.FirstSectionPlaces()[i])) std::abort();
    }
    size_t listed = 0;
    for (size_t i = 0; i < file.Sections().size(); ++i) {
        for (const Place& p : file.ReadSection(i)) {
            listed += p.name.size() + 9;
            if (PlaceCoordinateText(p.latitude, kSectionCoordinateWidth).size() > 7) std::abort();
        }
    }
    if (listed > size) std::abort();  // every record listed is in the file once
    return 0;
}
