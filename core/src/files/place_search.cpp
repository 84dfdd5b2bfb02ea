#include "waktuna/files/place_search.h"

#include <algorithm>
#include <array>
#include <memory>
#include <sstream>

#include "waktuna/files/files.h"

namespace waktuna {

namespace {

// Windows-1252 byte -> the byte it is compared as.
constexpr std::array<unsigned char, 256> MakeFoldTable() {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
    for (int c = 'A'; c <= 'Z'; ++c) t[c] = static_cast<unsigned char>(c + 32);
    // Accented letters of 0xC0..0xFF, upper and lower case alike.
    constexpr char kLatin1[] = "aaaaaaaceeeeiiiidnooooo\xD7ouuuuyts";
    for (int i = 0; i < 32; ++i) {
        t[0xC0 + i] = static_cast<unsigned char>(kLatin1[i]);
        t[0xE0 + i] = static_cast<unsigned char>(kLatin1[i]);
    }
    t[0xF7] = 0xF7;  // the division sign is no letter
    t[0xFF] = 'y';
    t[0x8A] = t[0x9A] = 's';  // S and s with caron
    t[0x8E] = t[0x9E] = 'z';  // Z and z with caron
    t[0x8C] = t[0x9C] = 'o';  // OE ligature
    t[0x9F] = 'y';            // Y with diaeresis
    return t;
}

constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

}  // namespace

std::string FoldPlaceName(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) c = static_cast<char>(kFold[static_cast<unsigned char>(c)]);
    return folded;
}

int ComparePlaceNames(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int x = kFold[static_cast<unsigned char>(a[i])];
        const int y = kFold[static_cast<unsigned char>(b[i])];
        if (x != y) return x - y;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b);
}

namespace {

// The first 8 bytes, big-endian, padded with zeros: ordered as the texts are.
// How many characters of a path its extension takes (".wpn").
size_t DetailsStemCut(const std::string& path) {
    const size_t dot = path.find_last_of("./\\");
    return dot != std::string::npos && path[dot] == '.' ? path.size() - dot : 0;
}

std::vector<std::vector<Place>> ReadAllSections(PlaceNameFile& file) {
    std::vector<std::vector<Place>> sections;
    for (size_t s = 0; s < file.Sections().size(); ++s) sections.push_back(file.ReadSection(s));
    return sections;
}

uint64_t Head(const std::string& key) {
    uint64_t head = 0;
    for (size_t i = 0; i < 8; ++i)
        head = head << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    return head;
}

}  // namespace

bool PlaceIndex::Before(const Ordered& x, const Ordered& y) const {
    if (x.head != y.head) return x.head < y.head;
    const int c = keys_[x.key].compare(keys_[y.key]);
    return c != 0 ? c < 0 : x.key < y.key;
}

void PlaceIndex::AddKey(std::string_view name, uint32_t entry, bool primary) {
    keys_.push_back(FoldPlaceName(name));
    key_entry_.push_back(entry);
    key_primary_.push_back(primary ? 1 : 0);
}

uint32_t PlaceIndex::AddText(const std::string& text) {
    if (text.empty()) return 0;
    texts_.push_back(text);
    return static_cast<uint32_t>(texts_.size() - 1);
}

uint16_t PlaceIndex::AddZone(const PlaceZone& zone) {
    for (size_t i = 0; i < zones_.size(); ++i) {
        if (zones_[i].name == zone.name && zones_[i].standard_minutes == zone.standard_minutes)
            return static_cast<uint16_t>(i + 1);
    }
    if (zones_.size() >= UINT16_MAX) return 0;
    zones_.push_back(zone);
    return static_cast<uint16_t>(zones_.size());
}

void PlaceIndex::AddFile(const std::string& label, PlaceNameFile& file,
                         const PlaceDetailsTable* details) {
    AddSections(label, file.Sections(), ReadAllSections(file), details);
}

void PlaceIndex::AddSections(const std::string& label, const std::vector<std::string>& names,
                             std::vector<std::vector<Place>> sections,
                             const PlaceDetailsTable* details) {
    const auto file_number = static_cast<uint32_t>(files_.size());
    files_.push_back({label, names});
    const size_t first_new = entries_.size();
    const size_t first_key = keys_.size();
    for (size_t s = 0; s < sections.size(); ++s) {
        for (Place& place : sections[s]) {
            const auto entry = static_cast<uint32_t>(entries_.size());
            AddKey(place.name, entry, true);
            entries_.push_back({std::move(place), file_number, static_cast<uint32_t>(s)});
        }
    }
    if (details && details->places.size() == entries_.size() - first_new) {
        // The file's texts and zones by their numbers in the file.
        std::vector<uint32_t> texts{0};
        for (const std::string& t : details->texts) texts.push_back(AddText(t));
        std::vector<uint16_t> zones{0};
        for (const PlaceZone& z : details->zones) zones.push_back(AddZone(z));
        for (size_t i = 0; i < details->places.size(); ++i) {
            const PlaceDetails& d = details->places[i];
            Entry& e = entries_[first_new + i];
            e.population = d.population;
            e.elevation = d.elevation;
            e.zone = d.zone < zones.size() ? zones[d.zone] : 0;
            e.region = d.region < texts.size() ? texts[d.region] : 0;
            const uint16_t country =
                e.section < details->section_country.size() ? details->section_country[e.section] : 0;
            e.country = country < texts.size() ? texts[country] : 0;
            e.first_name = static_cast<uint32_t>(names_.size());
            for (uint32_t n = 0; n < d.name_count && d.first_name + n < details->names.size(); ++n) {
                names_.push_back(details->names[d.first_name + n]);
                AddKey(names_.back(), static_cast<uint32_t>(first_new + i), false);
                ++e.name_count;
            }
        }
    }
    // Sort the new keys and merge them into the order of the others.
    const size_t first_order = order_.size();
    for (size_t k = first_key; k < keys_.size(); ++k)
        order_.push_back({Head(keys_[k]), static_cast<uint32_t>(k), key_entry_[k]});
    const auto middle = order_.begin() + static_cast<std::ptrdiff_t>(first_order);
    const auto before = [this](const Ordered& a, const Ordered& b) { return Before(a, b); };
    std::sort(middle, order_.end(), before);
    std::inplace_merge(order_.begin(), middle, order_.end(), before);

    by_name_.clear();
    for (const Ordered& o : order_) {
        if (key_primary_[o.key]) by_name_.push_back(key_entry_[o.key]);
    }
    name_rank_.resize(entries_.size());
    for (size_t r = 0; r < by_name_.size(); ++r) name_rank_[by_name_[r]] = static_cast<uint32_t>(r);
}

bool PlaceIndex::AddFile(const std::string& label, const std::string& path) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return false;
    PlaceNameFile file;
    file.Load(std::make_unique<std::istringstream>(*bytes));
    std::vector<std::vector<Place>> sections = ReadAllSections(file);
    size_t places = 0;
    for (const auto& section : sections) places += section.size();

    const std::string details_path = path.substr(0, path.size() - DetailsStemCut(path)) + ".wpd";
    std::optional<PlaceDetailsTable> details;
    if (FileExists(details_path)) {
        const std::optional<std::string> wpd = ReadWholeFile(details_path);
        if (wpd) details = ReadPlaceDetails(*wpd, *bytes, file.Sections().size(), places);
        if (!details) damaged_.push_back(label);
    }
    AddSections(label, file.Sections(), std::move(sections), details ? &*details : nullptr);
    return true;
}

std::optional<int> PlaceIndex::Elevation(const Entry& e) const {
    if (e.elevation == kNoElevation) return std::nullopt;
    return e.elevation;
}

const PlaceZone* PlaceIndex::Zone(const Entry& e) const {
    return e.zone == 0 || e.zone > zones_.size() ? nullptr : &zones_[e.zone - 1];
}

std::span<const std::string> PlaceIndex::OtherNames(const Entry& e) const {
    return std::span<const std::string>(names_).subspan(e.first_name, e.name_count);
}

std::optional<PlaceIndex::Range> PlaceIndex::SectionEntries(std::string_view file,
                                                             size_t section) const {
    // A file's entries are consecutive, section after section.
    for (uint32_t f = 0; f < files_.size(); ++f) {
        if (files_[f].label != file || section >= files_[f].sections.size()) continue;
        const auto first = std::lower_bound(
            entries_.begin(), entries_.end(), std::pair<uint32_t, size_t>{f, section},
            [](const Entry& e, const std::pair<uint32_t, size_t>& k) {
                return e.file != k.first ? e.file < k.first : e.section < k.second;
            });
        auto last = first;
        while (last != entries_.end() && last->file == f && last->section == section) ++last;
        return Range{static_cast<uint32_t>(first - entries_.begin()),
                     static_cast<uint32_t>(last - first)};
    }
    return std::nullopt;
}

std::vector<uint32_t> PlaceIndex::Find(std::string_view prefix) const {
    std::vector<uint32_t> found;
    if (prefix.empty()) return found;
    const std::string key = FoldPlaceName(prefix);
    auto it = std::lower_bound(
        order_.begin(), order_.end(), key,
        [this](const Ordered& o, const std::string& k) { return keys_[o.key] < k; });
    // Each place as its population (most first) and its name's rank: one
    // number that sorts as the list shows them, the same for every name of
    // a place, so a place found by several names is listed once.
    const auto end = std::partition_point(it, order_.end(), [&](const Ordered& o) {
        return keys_[o.key].compare(0, key.size(), key) <= 0;
    });
    std::vector<uint64_t> ranked;
    ranked.reserve(static_cast<size_t>(end - it));
    for (; it != end; ++it) {
        const uint32_t entry = it->entry;
        ranked.push_back(uint64_t{UINT32_MAX - entries_[entry].population} << 32 | name_rank_[entry]);
    }
    std::sort(ranked.begin(), ranked.end());
    ranked.erase(std::unique(ranked.begin(), ranked.end()), ranked.end());
    found.reserve(ranked.size());
    for (const uint64_t r : ranked) found.push_back(by_name_[static_cast<uint32_t>(r)]);
    return found;
}

}  // namespace waktuna
