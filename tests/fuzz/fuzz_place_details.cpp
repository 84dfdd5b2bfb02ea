// Place-detail files: any bytes are read without crashing or reading past
// the end, and what is accepted keeps every number within its table and
// range. The header's size and checksum are set to those of a fixed .wpn,
// so that the fuzzer reaches the body instead of stopping at the checksum.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "place_files.h"
#include "waktuna/files/place_details.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace waktuna;
    static const std::string wpn = test_places::MeccaFiles().wpn;
    std::string wpd(reinterpret_cast<const char*>(data), size);
    size_t places = 3, sections = 2;
    if (wpd.size() >= 22) {
        wpd.replace(4, 8, test_places::U32(static_cast<uint32_t>(wpn.size())) +
                              test_places::U32(PlaceFileChecksum(wpn)));
        // The counts the caller would know, taken from the header (bounded).
        places = (static_cast<uint8_t>(wpd[12]) | static_cast<uint8_t>(wpd[13]) << 8);
        sections = static_cast<uint8_t>(wpd[20]) | static_cast<uint8_t>(wpd[21]) << 8;
    }
    const auto t = ReadPlaceDetails(wpd, wpn, sections, places);
    if (!t) return 0;
    if (t->places.size() != places || t->section_country.size() != sections) std::abort();
    for (const std::string& text : t->texts) {
        if (text.empty() || text.size() > 126) std::abort();
    }
    for (const uint16_t c : t->section_country) {
        if (c > t->texts.size()) std::abort();
    }
    for (const PlaceDetails& d : t->places) {
        if (d.zone > t->zones.size() || d.region > t->texts.size()) std::abort();
        if (d.elevation != kNoElevation && (d.elevation < -1000 || d.elevation > 9000)) std::abort();
        if (size_t{d.first_name} + d.name_count > t->names.size()) std::abort();
    }
    for (const PlaceZone& z : t->zones) {
        if (z.standard_minutes < -960 || z.standard_minutes > 960) std::abort();
    }
    return 0;
}
