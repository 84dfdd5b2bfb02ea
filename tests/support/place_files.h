// Place-name files (.wpn) and their detail files (.wpd) written byte by byte,
// as their layouts describe them, for tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace test_places {

inline std::string Float(float f) {
    char b[4];
    std::memcpy(b, &f, 4);
    return std::string(b, 4);
}

inline std::string U16(unsigned v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }
inline std::string U32(uint32_t v) { return U16(v & 0xFFFF) + U16(v >> 16); }

// A short text with its length byte.
inline std::string Counted(const std::string& text) {
    return static_cast<char>(text.size()) + text;
}

using Sections = std::vector<std::pair<std::string, std::vector<std::string>>>;

// Named sections of named places; the places' latitudes count 1, 2, 3, ...
// in file order, every longitude is 100.
inline std::string Wpn(const Sections& sections) {
    std::string bytes("\xC7\x00", 2);
    bytes.append(12, '\0');
    bytes += U16(static_cast<unsigned>(sections.size()));
    float lat = 1;
    for (const auto& [name, places] : sections) {
        bytes += '\xFA' + Counted(name);
        for (const std::string& place : places) bytes += Counted(place) + Float(lat++) + Float(100);
    }
    return bytes;
}

// A .wpd for `wpn` (its checksum given): texts, zones as (text number,
// varint bytes of the minutes), one country text per section, and places
// as their bytes.
inline std::string Wpd(const std::string& wpn, uint32_t checksum,
                       const std::vector<std::string>& texts,
                       const std::vector<std::pair<int, std::string>>& zones,
                       const std::string& section_countries, const std::vector<std::string>& places) {
    std::string bytes = "WPD1" + U32(static_cast<uint32_t>(wpn.size())) + U32(checksum) +
                        U32(static_cast<uint32_t>(places.size())) +
                        U16(static_cast<unsigned>(texts.size())) +
                        U16(static_cast<unsigned>(zones.size())) +
                        U16(static_cast<unsigned>(section_countries.size()));
    for (const std::string& t : texts) bytes += Counted(t);
    for (const auto& [text, minutes] : zones) bytes += static_cast<char>(text) + minutes;
    bytes += section_countries;
    for (const std::string& p : places) bytes += p;
    return bytes;
}

// Two Meccas: a section "Saudi Arabia" with Mecca (333 m, 1,578,722 people,
// other names Makkah and Mekka) and Medina (1,300,000 people, nothing
// else known), a section "United
// States" with Mecca (-57 m, 8,577 people, other name Meka). Zones
// Asia/Riyadh +180 and America/Los_Angeles -480 minutes.
struct MeccaFiles {
    std::string wpn = Wpn({{"Saudi Arabia", {"Mecca", "Medina"}}, {"United States", {"Mecca"}}});
    std::vector<std::string> texts = {"Asia/Riyadh",   "America/Los_Angeles", "Saudi Arabia",
                                      "United States", "Mecca Region",        "California"};
    std::vector<std::pair<int, std::string>> zones = {{1, "\xE8\x02"}, {2, "\xBF\x07"}};
    // elevation, zone, population, region, other names
    std::vector<std::string> places = {
        std::string("\x9B\x05\x01\xE2\xAD\x60\x05\x02") + Counted("Makkah") + Counted("Mekka"),
        std::string("\x00\x01\xA0\xAC\x4F\x00\x00", 7),
        std::string("\x72\x02\x81\x43\x06\x01") + Counted("Meka"),
    };
    std::string countries = "\x03\x04";  // of the two sections
    std::string Details(uint32_t checksum) const {
        return Wpd(wpn, checksum, texts, zones, countries, places);
    }
};

}  // namespace test_places
