// Place-detail files (*.wpd): what a place-name file cannot hold, for each of
// its places: elevation, time zone, population, region, country and other
// names. "Asia.wpd" lies beside "Asia.wpn" and describes exactly that file:
// it names the .wpn's size and checksum, so a .wpn replaced by another one
// is never given the details of its predecessor.
//
// Layout (little-endian, no padding). A varint is an unsigned number in 7-bit
// groups, lowest first, the high bit set on every byte but the last (at most
// 5 bytes); a signed varint holds n as 2n (n >= 0) or -2n-1 (n < 0).
//   "WPD1"
//   u32 size of the .wpn file, u32 its FNV-1a (32-bit) checksum,
//   u32 number of places P (every section's, in file order)
//   u16 texts T, u16 zones Z, u16 sections S (as many as the .wpn has)
//   T texts: u8 length (1..126), the text (Windows-1252); numbered from 1,
//            0 standing for none
//   Z zones: varint text number of the IANA name ("Asia/Jakarta"), signed
//            varint standard offset in minutes east of UTC
//   S varints: each section's country (a text number)
//   P places: varint elevation (0 unknown, else signed varint of the metres
//            plus 1), varint zone (0 unknown, else 1..Z), varint population,
//            varint region (a text number), u8 count of other names (0..64),
//            each as u8 length (1..126) and the name (Windows-1252)
// and nothing after the last place.
//
// The reader trusts nothing in the file: every count and number is checked
// against what the file still holds and against its range. A file that
// breaks any rule is refused whole; the .wpn is then used without details.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace waktuna {

inline constexpr int16_t kNoElevation = INT16_MIN;

struct PlaceZone {
    std::string name;          // "Asia/Jakarta"
    int32_t standard_minutes;  // east of UTC, without daylight saving
};

// One place's details. Texts are numbers into PlaceDetailsTable::texts
// (0 none); names a range of PlaceDetailsTable::names.
struct PlaceDetails {
    uint32_t population = 0;
    uint32_t first_name = 0;
    uint16_t region = 0;
    uint16_t zone = 0;  // 1..zones, 0 unknown
    int16_t elevation = kNoElevation;  // metres
    uint8_t name_count = 0;
};

struct PlaceDetailsTable {
    std::vector<std::string> texts;  // text number n is texts[n - 1]
    std::vector<PlaceZone> zones;    // zone number n is zones[n - 1]
    std::vector<uint16_t> section_country;
    std::vector<PlaceDetails> places;
    std::vector<std::string> names;  // every place's other names, in order
};

// The FNV-1a checksum a .wpd names its .wpn by.
uint32_t PlaceFileChecksum(std::string_view bytes);

// The details in `wpd` of the place-name file whose bytes are `wpn` and
// which has `sections` sections and `places` places; nullopt when the file
// is damaged or describes another .wpn.
std::optional<PlaceDetailsTable> ReadPlaceDetails(std::string_view wpd, std::string_view wpn,
                                                  size_t sections, size_t places);

}  // namespace waktuna
