// Place-name files: any bytes load without crashing, hanging or reading past
// the end; a section read afresh gives the same places as the first load.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

#include "waktuna/files/place_search.h"
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

    // A search finds exactly the places whose folded names start with the
    // folded text.
    PlaceIndex index;
    index.AddFile("fuzz", file);
    const std::string prefix =
        size > 2 ? std::string(reinterpret_cast<const char*>(data) + size - 2, 2) : "a";
    const std::string key = FoldPlaceName(prefix);
    size_t expected = 0;
    for (size_t i = 0; i < index.Size(); ++i)
        expected += FoldPlaceName(index.At(i).place.name).compare(0, key.size(), key) == 0;
    const std::vector<uint32_t> found = index.Find(prefix);
    if (found.size() != expected) std::abort();
    // Ranked by population, most first (the files alone carry none: all 0),
    // each place once.
    for (size_t i = 1; i < found.size(); ++i) {
        if (index.At(found[i - 1]).population < index.At(found[i]).population) std::abort();
        if (found[i - 1] == found[i]) std::abort();
    }
    return 0;
}
