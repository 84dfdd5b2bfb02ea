// The place-name window without its window: the files it offers, the rows of
// its place list (a section of a file, or the places a search found), their
// column texts, sorting by a column, and the place "Use Selected Data" takes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "waktuna/files/language.h"
#include "waktuna/files/place_search.h"
#include "waktuna/files/places.h"

namespace waktuna {

inline constexpr int kLineLoadData = 83;
inline constexpr int kLineUseSelectedData = 84;
inline constexpr int kLinePlaceNamesColumn = 86;
inline constexpr int kLineLatitudeColumn = 87;
inline constexpr int kLineLongitudeColumn = 88;
inline constexpr int kLineTotalPlaceNames = 164;
inline constexpr int kLineSearchPlace = 242;   // "Search"
inline constexpr int kLineRegionColumn = 243;  // "Region"
inline constexpr int kLinePlacesFound = 244;   // "Places found"
inline constexpr int kLineSearchCue = 245;     // "Type the start of a place name"

// The place that "Use Selected Data" hands to the prayer-times page: the
// name and the coordinate texts exactly as the list shows them, the altitude
// from the place's elevation ("0" when unknown, kept within the page's
// range) and, when its zone is known and its offset within the page's range,
// the time zone box's text: the zone's standard offset in hours ("7", "5.5",
// "-3.5").
struct ChosenPlace {
    std::string name, latitude, longitude;
    std::string altitude = "0";
    std::optional<std::string> time_zone;
};

// Hours east of UTC as the time zone box shows them.
std::string ZoneHoursText(int32_t minutes);

// What to tell the user once after the index was read, when details files
// of some place-name files are damaged (a language line and the files'
// names); empty when none is.
std::string DamagedDetailsNotice(const PlaceIndex& index, const LanguageList& language);

// The names of the *.wpn files of a folder without their extension, in
// alphabetical order; empty when the folder cannot be read.
std::vector<std::string> ListPlaceFiles(const std::string& folder);

// " Total Place names : 120" (or the count of a search with its own label).
std::string PlaceCountText(const std::string& label, size_t count);

class PlaceList {
public:
    enum Column { kName, kLatitude, kLongitude, kRegion };

    // A section's places, their coordinates shown `width` characters wide.
    // With the index of every place, the rows take their details (altitude,
    // time zone) from the index's places of that file and section.
    void ShowSection(std::vector<Place> places, size_t width, const PlaceIndex* index = nullptr,
                     std::string_view file = {}, size_t section = 0);
    // The places a search found, each with its file and section as region.
    // The index must outlive what the list shows of it.
    void ShowFound(const PlaceIndex& index, std::vector<uint32_t> found);
    void Clear();

    size_t Size() const { return rows_.size(); }
    bool ShowsFound() const { return index_ != nullptr; }
    // A cell's text; the region column is empty for a section's places.
    std::string Text(size_t row, Column column) const;

    // Sorts by a column: names and regions alphabetically, coordinates by
    // value. The same column again reverses the order.
    void SortBy(Column column);

    // The place of a row, or nothing for a row out of range or without a name.
    std::optional<ChosenPlace> Chosen(size_t row) const;

private:
    // Rows hold item numbers: places of places_ for a section, entries of
    // index_ for a search, so a search of thousands copies no names.
    const Place& PlaceOf(uint32_t item) const;
    bool Before(uint32_t a, uint32_t b, Column column) const;

    std::vector<uint32_t> rows_;
    std::vector<Place> places_;
    const PlaceIndex* index_ = nullptr;
    // For a section's rows: the index and its entry of the section's first
    // place, when the index holds the section as shown.
    const PlaceIndex* details_ = nullptr;
    uint32_t details_first_ = 0;
    size_t width_ = kSectionCoordinateWidth;
    std::optional<Column> sorted_by_;
    bool descending_ = false;
};

}  // namespace waktuna
