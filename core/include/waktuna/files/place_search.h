// Finding a place by the start of its name across every place-name file:
// all places are read once into memory, and each search (one per keystroke
// in the place-name window) is a binary search over their names in
// alphabetical order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "waktuna/files/places.h"

namespace waktuna {

// A name as searches compare it: Windows-1252 letters in lower case without
// their accents ("Bogotá" and "BOGOTA" both read "bogota"). Same length as
// the name.
std::string FoldPlaceName(std::string_view name);
// Orders names as searches do (FoldPlaceName), then by their exact bytes:
// negative, 0 or positive.
int ComparePlaceNames(std::string_view a, std::string_view b);

class PlaceIndex {
public:
    struct Entry {
        Place place;
        uint32_t file = 0;     // the order in which the file was added
        uint32_t section = 0;  // numbered from 0 in file order
    };

    // Adds every place of every section of a loaded file under a label (the
    // file's name without extension).
    void AddFile(const std::string& label, PlaceNameFile& file);
    // Opens a file, adds it and closes it again. False when it cannot be
    // opened.
    bool AddFile(const std::string& label, const std::string& path);

    size_t Size() const { return entries_.size(); }
    const Entry& At(size_t i) const { return entries_[i]; }
    const std::string& FileLabel(const Entry& e) const { return files_[e.file].label; }
    const std::string& SectionName(const Entry& e) const {
        return files_[e.file].sections[e.section];
    }

    // The places whose names start with `prefix` (compared as FoldPlaceName
    // does), as indices for At, in alphabetical order of their names. An
    // empty prefix finds nothing.
    std::vector<uint32_t> Find(std::string_view prefix) const;

private:
    struct FileSections {
        std::string label;
        std::vector<std::string> sections;
    };
    // An entry in the order, with the first 8 bytes of its folded name as a
    // number, so that most comparisons of a sort need not reach the names.
    struct Ordered {
        uint64_t head;
        uint32_t entry;
    };
    bool Before(const Ordered& a, const Ordered& b) const;

    std::vector<Entry> entries_;
    std::vector<std::string> keys_;  // folded names, one per entry
    std::vector<Ordered> order_;     // entries in alphabetical order of keys_
    std::vector<FileSections> files_;
};

}  // namespace waktuna
