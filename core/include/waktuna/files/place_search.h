// Finding a place by the start of its name or of one of its other names
// across every place-name file: all places are read once into memory with
// their details (*.wpd), and each search (one per keystroke in the
// place-name window) is a binary search over all names in alphabetical
// order; what it finds is ranked by population.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "waktuna/files/place_details.h"
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
        uint32_t population = 0;
        uint32_t region = 0;   // a text of the index, 0 none
        uint32_t country = 0;  // a text of the index, 0 none
        uint32_t first_name = 0;  // other names: a range of the index's names
        uint16_t name_count = 0;
        uint16_t zone = 0;     // 1.. a zone of the index, 0 unknown
        int16_t elevation = kNoElevation;
    };

    // Adds every place of every section of a loaded file under a label (the
    // file's name without extension), with the file's details when given.
    void AddFile(const std::string& label, PlaceNameFile& file,
                 const PlaceDetailsTable* details = nullptr);
    // Reads a file and the details file beside it (same name, ".wpd"), adds
    // them and closes the file again. False when the .wpn cannot be read. A
    // missing details file adds the places without details; a damaged one
    // too, and the file's label is kept in DamagedDetails.
    bool AddFile(const std::string& label, const std::string& path);

    size_t Size() const { return entries_.size(); }
    const Entry& At(size_t i) const { return entries_[i]; }
    const std::string& FileLabel(const Entry& e) const { return files_[e.file].label; }
    const std::string& SectionName(const Entry& e) const {
        return files_[e.file].sections[e.section];
    }

    // The place's first-level division and country, as far as its details
    // tell; empty when they do not.
    const std::string& Region(const Entry& e) const { return texts_[e.region]; }
    const std::string& Country(const Entry& e) const { return texts_[e.country]; }
    std::optional<int> Elevation(const Entry& e) const;
    // The place's zone; nullptr when its details do not name one.
    const PlaceZone* Zone(const Entry& e) const;
    std::span<const std::string> OtherNames(const Entry& e) const;

    // The entries of a file's section, as the first entry and the count;
    // nullopt when no such file or section was added.
    struct Range {
        uint32_t first, count;
    };
    std::optional<Range> SectionEntries(std::string_view file, size_t section) const;

    // The labels of the files whose details file is damaged (their places
    // are found by their names in the .wpn only).
    const std::vector<std::string>& DamagedDetails() const { return damaged_; }

    // The places with a name or other name that starts with `prefix`
    // (compared as FoldPlaceName does), as indices for At, each once: the
    // most populous first, then in alphabetical order of their names. An
    // empty prefix finds nothing.
    std::vector<uint32_t> Find(std::string_view prefix) const;

private:
    struct FileSections {
        std::string label;
        std::vector<std::string> sections;
    };
    // A searchable name in the order, with the first 8 bytes of its folded
    // text as a number, so that most comparisons of a sort need not reach
    // the texts.
    struct Ordered {
        uint64_t head;
        uint32_t key;
        uint32_t entry;  // the key's entry, kept here for the searches
    };
    bool Before(const Ordered& a, const Ordered& b) const;
    void AddSections(const std::string& label, const std::vector<std::string>& names,
                     std::vector<std::vector<Place>> sections, const PlaceDetailsTable* details);
    void AddKey(std::string_view name, uint32_t entry, bool primary);
    uint32_t AddText(const std::string& text);
    uint16_t AddZone(const PlaceZone& zone);

    std::vector<Entry> entries_;
    std::vector<std::string> keys_;       // folded names and other names
    std::vector<uint32_t> key_entry_;     // the entry of each key
    std::vector<uint8_t> key_primary_;    // 1 for a place's own name
    std::vector<Ordered> order_;          // keys in alphabetical order
    // Entries in alphabetical order of their own names, and the position of
    // each entry in it, so that a search sorts numbers, not names.
    std::vector<uint32_t> by_name_;
    std::vector<uint32_t> name_rank_;
    std::vector<FileSections> files_;
    std::vector<std::string> texts_{std::string()};  // text 0 is none
    std::vector<PlaceZone> zones_;
    std::vector<std::string> names_;      // other names
    std::vector<std::string> damaged_;
};

}  // namespace waktuna
