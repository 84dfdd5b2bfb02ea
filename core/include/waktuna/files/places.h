// Place-name files (*.wpn): named sections of places with their latitude and
// longitude, read as the place-name window reads them.
//
// Layout (little-endian, no padding):
//   0xC7 0x00, 12 reserved bytes, a 16-bit section count S (at least 1),
//   then sections to the end of the file. A section is 0xFA, a name length
//   L (one byte), L bytes of name, then place records up to the next 0xFA or
//   the end. A record is a name length n (1..126), n bytes of name, the
//   latitude and the longitude as 32-bit floats.
//
// The reader trusts nothing in the file: it reads at most S sections, stops
// at the end of the file or at the first damaged record, never reads past
// what is there and never allocates more than the file holds. What was read
// before the damage is kept. A name length of 0 ends a section's records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <vector>

namespace waktuna {

struct Place {
    std::string name;
    float latitude = 0;   // degrees, north positive
    float longitude = 0;  // degrees, east positive
};

// Called with the running index of every 10th record read (0, 10, 20, ...),
// so that a window can let pending messages run and show the count.
using PlaceProgress = std::function<void(size_t index)>;

class PlaceNameFile {
public:
    // Opens the file and reads it (see Load). False when it cannot be opened
    // or is larger than kMaxPlaceFileSize, and both lists are then empty. (A missing file should change nothing in
    // the window: check that it exists first.)
    bool Open(const std::string& path, const PlaceProgress& progress = {});
    // Reads the header and every section's name and position; the places of
    // the first section are read in full, the others are skipped. A file with
    // the wrong first bytes or no sections lists nothing; one larger than
    // kMaxPlaceFileSize is let go at once. The stream stays
    // in use until Close or the next load.
    void Load(std::unique_ptr<std::istream> stream, const PlaceProgress& progress = {});
    void Close();

    // The section names, in file order (numbered from 0).
    const std::vector<std::string>& Sections() const { return sections_; }
    // The places of the first section, as read by the last load.
    const std::vector<Place>& FirstSectionPlaces() const { return first_places_; }
    // The places of section i, read afresh from the file; empty when there
    // is no such section.
    std::vector<Place> ReadSection(size_t i, const PlaceProgress& progress = {});

private:
    std::unique_ptr<std::istream> stream_;
    uint64_t size_ = 0;
    std::vector<std::string> sections_;
    std::vector<uint64_t> offsets_;  // each section's first record
    std::vector<Place> first_places_;
};

// The coordinate columns of the window: the general decimal text of the
// 32-bit value, always in fixed notation, cut to its first `width`
// characters: 8 when a file is first loaded (first section), 7 when a section
// is chosen from the list. A value that the cut leaves as zero reads "0".
inline constexpr size_t kFirstLoadCoordinateWidth = 8;
inline constexpr size_t kSectionCoordinateWidth = 7;
std::string PlaceCoordinateText(float value, size_t width);

}  // namespace waktuna
