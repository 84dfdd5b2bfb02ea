#include "waktuna/files/place_details.h"

namespace waktuna {

namespace {

constexpr size_t kMaxText = 126;
constexpr unsigned kMaxNames = 64;
constexpr int kMinElevation = -1000, kMaxElevation = 9000;
constexpr int kMaxZoneMinutes = 16 * 60;

// Reads the file front to back; every read checks what is left and fails
// for good once anything is out of place.
class DetailReader {
public:
    explicit DetailReader(std::string_view bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }
    bool AtEnd() const { return pos_ == bytes_.size(); }
    size_t Left() const { return bytes_.size() - pos_; }

    uint32_t Fixed(int size) {
        if (!Need(static_cast<size_t>(size))) return 0;
        uint32_t v = 0;
        for (int i = size - 1; i >= 0; --i)
            v = v << 8 | static_cast<unsigned char>(bytes_[pos_ + static_cast<size_t>(i)]);
        pos_ += static_cast<size_t>(size);
        return v;
    }

    uint32_t Varint() {
        uint64_t v = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            const uint32_t b = Fixed(1);
            if (!ok_) return 0;
            v |= uint64_t{b & 0x7F} << shift;
            if ((b & 0x80) == 0) return v <= UINT32_MAX ? static_cast<uint32_t>(v) : Fail();
        }
        return Fail();
    }

    // A signed varint within [lo, hi].
    int32_t Signed(int32_t lo, int32_t hi) {
        const uint32_t z = Varint();
        const int64_t v = (z & 1) ? -(int64_t{z} >> 1) - 1 : int64_t{z} >> 1;
        if (v < lo || v > hi) return Fail();
        return static_cast<int32_t>(v);
    }

    // A number no greater than `max`.
    uint32_t Number(uint32_t max) {
        const uint32_t v = Varint();
        return v <= max ? v : Fail();
    }

    // A text of 1..126 bytes after its length byte.
    std::string Text() {
        const uint32_t n = Fixed(1);
        if (!ok_ || n == 0 || n > kMaxText || !Need(n)) return Fail(), std::string();
        std::string text(bytes_.substr(pos_, n));
        pos_ += n;
        return text;
    }

    uint32_t Fail() {
        ok_ = false;
        pos_ = bytes_.size();
        return 0;
    }

private:
    bool Need(size_t n) {
        if (ok_ && Left() >= n) return true;
        Fail();
        return false;
    }

    std::string_view bytes_;
    size_t pos_ = 0;
    bool ok_ = true;
};

// Zone names are handed to zone databases: ASCII letters, digits and "/_-+".
bool PlainZoneName(const std::string& name) {
    for (const char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '/' || c == '_' || c == '-' || c == '+';
        if (!ok) return false;
    }
    return true;
}

}  // namespace

uint32_t PlaceFileChecksum(std::string_view bytes) {
    uint32_t h = 0x811C9DC5u;
    for (const char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 0x01000193u;
    return h;
}

std::optional<PlaceDetailsTable> ReadPlaceDetails(std::string_view wpd, std::string_view wpn,
                                                  size_t sections, size_t places) {
    DetailReader in(wpd);
    if (wpd.substr(0, 4) != "WPD1") return std::nullopt;
    in.Fixed(4);
    const uint32_t size = in.Fixed(4), checksum = in.Fixed(4), place_count = in.Fixed(4);
    const uint32_t text_count = in.Fixed(2), zone_count = in.Fixed(2), section_count = in.Fixed(2);
    if (!in.ok() || size != wpn.size() || place_count != places || section_count != sections ||
        checksum != PlaceFileChecksum(wpn))
        return std::nullopt;
    // Each text, zone, section and place takes at least 2, 2, 1 and 5 bytes:
    // counts the file cannot hold are refused before anything is reserved.
    if (uint64_t{text_count} * 2 + uint64_t{zone_count} * 2 + section_count +
            uint64_t{place_count} * 5 > in.Left())
        return std::nullopt;

    PlaceDetailsTable t;
    t.texts.reserve(text_count);
    for (uint32_t i = 0; i < text_count && in.ok(); ++i) t.texts.push_back(in.Text());
    t.zones.reserve(zone_count);
    for (uint32_t i = 0; i < zone_count && in.ok(); ++i) {
        const uint32_t name = in.Number(text_count);
        const int32_t minutes = in.Signed(-kMaxZoneMinutes, kMaxZoneMinutes);
        if (!in.ok() || name == 0 || !PlainZoneName(t.texts[name - 1])) return std::nullopt;
        t.zones.push_back({t.texts[name - 1], minutes});
    }
    t.section_country.reserve(section_count);
    for (uint32_t i = 0; i < section_count && in.ok(); ++i)
        t.section_country.push_back(static_cast<uint16_t>(in.Number(text_count)));
    t.places.reserve(place_count);
    for (uint32_t i = 0; i < place_count && in.ok(); ++i) {
        PlaceDetails d;
        const uint32_t elevation = in.Varint();
        if (elevation != 0) {
            // Stored as the signed varint plus 1; undo the shift and check.
            const int64_t z = int64_t{elevation} - 1;
            const int64_t metres = (z & 1) ? -(z >> 1) - 1 : z >> 1;
            if (metres < kMinElevation || metres > kMaxElevation) return std::nullopt;
            d.elevation = static_cast<int16_t>(metres);
        }
        d.zone = static_cast<uint16_t>(in.Number(zone_count));
        d.population = in.Varint();
        d.region = static_cast<uint16_t>(in.Number(text_count));
        const uint32_t names = in.Fixed(1);
        if (names > kMaxNames) return std::nullopt;
        d.first_name = static_cast<uint32_t>(t.names.size());
        d.name_count = static_cast<uint8_t>(names);
        for (uint32_t n = 0; n < names && in.ok(); ++n) t.names.push_back(in.Text());
        t.places.push_back(d);
    }
    if (!in.ok() || !in.AtEnd()) return std::nullopt;
    return t;
}

}  // namespace waktuna
