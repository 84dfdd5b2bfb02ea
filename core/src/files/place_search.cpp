#include "waktuna/files/place_search.h"

#include <algorithm>
#include <array>

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
uint64_t Head(const std::string& key) {
    uint64_t head = 0;
    for (size_t i = 0; i < 8; ++i)
        head = head << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    return head;
}

}  // namespace

bool PlaceIndex::Before(const Ordered& x, const Ordered& y) const {
    if (x.head != y.head) return x.head < y.head;
    const uint32_t a = x.entry, b = y.entry;
    const int c = keys_[a].compare(keys_[b]);
    if (c != 0) return c < 0;
    const int exact = entries_[a].place.name.compare(entries_[b].place.name);
    return exact != 0 ? exact < 0 : a < b;
}

void PlaceIndex::AddFile(const std::string& label, PlaceNameFile& file) {
    const auto file_number = static_cast<uint32_t>(files_.size());
    files_.push_back({label, file.Sections()});
    const size_t first_new = entries_.size();
    for (size_t s = 0; s < file.Sections().size(); ++s) {
        for (Place& place : file.ReadSection(s)) {
            keys_.push_back(FoldPlaceName(place.name));
            entries_.push_back({std::move(place), file_number, static_cast<uint32_t>(s)});
        }
    }
    // Sort the new places and merge them into the order of the others.
    for (size_t i = first_new; i < entries_.size(); ++i)
        order_.push_back({Head(keys_[i]), static_cast<uint32_t>(i)});
    const auto middle = order_.begin() + static_cast<std::ptrdiff_t>(first_new);
    const auto before = [this](const Ordered& a, const Ordered& b) { return Before(a, b); };
    std::sort(middle, order_.end(), before);
    std::inplace_merge(order_.begin(), middle, order_.end(), before);
}

bool PlaceIndex::AddFile(const std::string& label, const std::string& path) {
    PlaceNameFile file;
    if (!file.Open(path)) return false;
    AddFile(label, file);
    return true;
}

std::vector<uint32_t> PlaceIndex::Find(std::string_view prefix) const {
    std::vector<uint32_t> found;
    if (prefix.empty()) return found;
    const std::string key = FoldPlaceName(prefix);
    auto it = std::lower_bound(
        order_.begin(), order_.end(), key,
        [this](const Ordered& o, const std::string& k) { return keys_[o.entry] < k; });
    for (; it != order_.end() && keys_[it->entry].compare(0, key.size(), key) == 0; ++it) {
        found.push_back(it->entry);
    }
    return found;
}

}  // namespace waktuna
