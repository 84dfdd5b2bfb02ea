#include "waktuna/pages/place_picker.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "waktuna/calc/numbers.h"

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

void PlaceList::ShowSection(std::vector<Place> places, size_t width) {
    Clear();
    width_ = width;
    rows_.reserve(places.size());
    for (Place& p : places) rows_.push_back({std::move(p), {}});
}

void PlaceList::ShowFound(const PlaceIndex& index, const std::vector<uint32_t>& found) {
    Clear();
    found_ = true;
    rows_.reserve(found.size());
    for (uint32_t i : found) {
        const PlaceIndex::Entry& e = index.At(i);
        rows_.push_back({e.place, index.FileLabel(e) + " / " + index.SectionName(e)});
    }
}

void PlaceList::Clear() {
    rows_.clear();
    width_ = kSectionCoordinateWidth;
    found_ = false;
    sorted_by_.reset();
    descending_ = false;
}

std::string PlaceList::Text(size_t row, Column column) const {
    if (row >= rows_.size()) return {};
    const Row& r = rows_[row];
    switch (column) {
        case kName: return r.place.name;
        case kLatitude: return PlaceCoordinateText(r.place.latitude, width_);
        case kLongitude: return PlaceCoordinateText(r.place.longitude, width_);
        case kRegion: return r.region;
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

bool PlaceList::Before(const Row& a, const Row& b, Column column) const {
    switch (column) {
        case kName: return ComparePlaceNames(a.place.name, b.place.name) < 0;
        case kLatitude: return LessCoordinate(a.place.latitude, b.place.latitude);
        case kLongitude: return LessCoordinate(a.place.longitude, b.place.longitude);
        case kRegion: return ComparePlaceNames(a.region, b.region) < 0;
    }
    return false;
}

void PlaceList::SortBy(Column column) {
    descending_ = sorted_by_ == column && !descending_;
    sorted_by_ = column;
    std::stable_sort(rows_.begin(), rows_.end(), [&](const Row& a, const Row& b) {
        return descending_ ? Before(b, a, column) : Before(a, b, column);
    });
}

std::optional<ChosenPlace> PlaceList::Chosen(size_t row) const {
    if (row >= rows_.size() || rows_[row].place.name.empty()) return std::nullopt;
    return ChosenPlace{rows_[row].place.name, Text(row, kLatitude), Text(row, kLongitude)};
}

}  // namespace waktuna
