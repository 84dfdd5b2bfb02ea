#include "waktuna/pages/place_picker.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "waktuna/calc/numbers.h"
#include "waktuna/calc/ranges.h"
#include "waktuna/files/lines.h"

namespace waktuna {

std::vector<std::string> ListPlaceFiles(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string extension = FoldPlaceName(it->path().extension().string());
        if (extension == ".wpn" && it->is_regular_file(error))
            names.push_back(it->path().stem().string());
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return ComparePlaceNames(a, b) < 0;
    });
    return names;
}

std::string PlaceCountText(const std::string& label, size_t count) {
    return " " + label + " : " + IntText(static_cast<int64_t>(count));
}

std::string ZoneHoursText(int32_t minutes) { return DecimalText(minutes / 60.0); }

std::string DamagedDetailsNotice(const PlaceIndex& index, const LanguageList& language) {
    if (index.DamagedDetails().empty()) return {};
    std::string files;
    for (const std::string& label : index.DamagedDetails())
        files += (files.empty() ? "" : ", ") + label;
    return language.Line(kLineDamagedPlaceDetails) + " " + files;
}

void PlaceList::ShowSection(std::vector<Place> places, size_t width, const PlaceIndex* index,
                            std::string_view file, size_t section) {
    Clear();
    width_ = width;
    places_ = std::move(places);
    rows_.resize(places_.size());
    for (size_t i = 0; i < rows_.size(); ++i) rows_[i] = static_cast<uint32_t>(i);
    if (!index) return;
    // The index read the same file: its places of the section match the
    // rows one for one unless the file changed in between.
    const std::optional<PlaceIndex::Range> range = index->SectionEntries(file, section);
    if (!range || range->count != places_.size()) return;
    for (size_t i = 0; i < places_.size(); ++i) {
        if (index->At(range->first + i).place.name != places_[i].name) return;
    }
    details_ = index;
    details_first_ = range->first;
}

void PlaceList::ShowFound(const PlaceIndex& index, std::vector<uint32_t> found) {
    Clear();
    index_ = &index;
    rows_ = std::move(found);
}

void PlaceList::Clear() {
    rows_.clear();
    places_.clear();
    index_ = nullptr;
    details_ = nullptr;
    details_first_ = 0;
    width_ = kSectionCoordinateWidth;
    sorted_by_.reset();
    descending_ = false;
}

const Place& PlaceList::PlaceOf(uint32_t item) const {
    return index_ ? index_->At(item).place : places_[item];
}

std::string PlaceList::Text(size_t row, Column column) const {
    if (row >= rows_.size()) return {};
    const Place& place = PlaceOf(rows_[row]);
    switch (column) {
        case kName: return place.name;
        case kLatitude: return PlaceCoordinateText(place.latitude, width_);
        case kLongitude: return PlaceCoordinateText(place.longitude, width_);
        case kRegion: {
            if (!index_) return {};
            const PlaceIndex::Entry& e = index_->At(rows_[row]);
            return index_->FileLabel(e) + " / " + index_->SectionName(e);
        }
    }
    return {};
}

namespace {

// Coordinates by value; a damaged file's NaN sorts first instead of breaking
// the order the sort relies on.
bool LessCoordinate(float a, float b) {
    if (std::isnan(a)) return !std::isnan(b);
    return !std::isnan(b) && a < b;
}

}  // namespace

bool PlaceList::Before(uint32_t a, uint32_t b, Column column) const {
    const Place& x = PlaceOf(a);
    const Place& y = PlaceOf(b);
    switch (column) {
        case kName: return ComparePlaceNames(x.name, y.name) < 0;
        case kLatitude: return LessCoordinate(x.latitude, y.latitude);
        case kLongitude: return LessCoordinate(x.longitude, y.longitude);
        case kRegion: {
            if (!index_) return false;
            const PlaceIndex::Entry& e = index_->At(a);
            const PlaceIndex::Entry& f = index_->At(b);
            const int file = ComparePlaceNames(index_->FileLabel(e), index_->FileLabel(f));
            return file != 0 ? file < 0
                             : ComparePlaceNames(index_->SectionName(e), index_->SectionName(f)) < 0;
        }
    }
    return false;
}

void PlaceList::SortBy(Column column) {
    descending_ = sorted_by_ == column && !descending_;
    sorted_by_ = column;
    std::stable_sort(rows_.begin(), rows_.end(), [&](uint32_t a, uint32_t b) {
        return descending_ ? Before(b, a, column) : Before(a, b, column);
    });
}

std::optional<ChosenPlace> PlaceList::Chosen(size_t row) const {
    if (row >= rows_.size() || PlaceOf(rows_[row]).name.empty()) return std::nullopt;
    ChosenPlace chosen;
    chosen.name = PlaceOf(rows_[row]).name;
    chosen.latitude = Text(row, kLatitude);
    chosen.longitude = Text(row, kLongitude);
    const PlaceIndex* index = index_ ? index_ : details_;
    if (index) {
        const PlaceIndex::Entry& e = index->At(rows_[row] + (index_ ? 0 : details_first_));
        // Within what the prayer-times page accepts, so that its Save never
        // refuses what a detail file gave.
        const CalcRange& altitude = RangeOf(CalcValue::Altitude);
        chosen.altitude = IntText(std::clamp(index->Elevation(e).value_or(0),
                                             static_cast<int>(altitude.low),
                                             static_cast<int>(altitude.high)));
        const PlaceZone* zone = index->Zone(e);
        if (zone && InCalcRange(CalcValue::TimeZone, zone->standard_minutes / 60.0))
            chosen.time_zone = ZoneHoursText(zone->standard_minutes);
    }
    return chosen;
}

}  // namespace waktuna
