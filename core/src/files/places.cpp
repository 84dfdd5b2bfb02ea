#include "waktuna/files/places.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>

#include "waktuna/calc/numbers.h"
#include "waktuna/files/files.h"

namespace waktuna {

namespace {

constexpr int kSectionMarker = 0xFA;
constexpr int kEnd = -1;

// Sequential reading of a stream of known size; every read checks what is
// left, so a damaged length can neither run past the end nor allocate more
// than the file holds.
class ByteReader {
public:
    ByteReader(std::streambuf* buf, uint64_t size, uint64_t pos) : buf_(buf), size_(size), pos_(pos) {}

    int Byte() {
        if (pos_ >= size_) return kEnd;
        const int c = buf_->sbumpc();
        if (c == std::char_traits<char>::eof()) return Fail();
        ++pos_;
        return c;
    }

    bool Bytes(size_t n, char* out) {
        if (size_ - pos_ < n ||
            static_cast<size_t>(buf_->sgetn(out, static_cast<std::streamsize>(n))) != n) {
            Fail();
            return false;
        }
        pos_ += n;
        return true;
    }

    bool Text(size_t n, std::string& out) {
        out.resize(n);
        return Bytes(n, out.data());
    }

    bool Float(float& out) {
        unsigned char b[4];
        if (!Bytes(4, reinterpret_cast<char*>(b))) return false;
        const uint32_t bits = uint32_t{b[0]} | uint32_t{b[1]} << 8 | uint32_t{b[2]} << 16 |
                              uint32_t{b[3]} << 24;
        std::memcpy(&out, &bits, sizeof out);
        return true;
    }

    // One record after its length byte n: the name and the two coordinates.
    bool Record(int n, Place& place) {
        return Text(static_cast<size_t>(n), place.name) && Float(place.latitude) &&
               Float(place.longitude);
    }

    bool Skip(size_t n) {
        char scratch[512];
        while (n > 0) {
            const size_t step = n < sizeof scratch ? n : sizeof scratch;
            if (!Bytes(step, scratch)) return false;
            n -= step;
        }
        return true;
    }

    uint64_t Position() const { return pos_; }

private:
    // The stream gave out early: treat it as the end of the file.
    int Fail() {
        pos_ = size_;
        return kEnd;
    }

    std::streambuf* buf_;
    uint64_t size_;
    uint64_t pos_;
};

void Report(const PlaceProgress& progress, size_t index) {
    if (progress && index % 10 == 0) progress(index);
}

}  // namespace

bool PlaceNameFile::Open(const std::string& path, const PlaceProgress& progress) {
    auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!file->is_open()) {
        Close();
        return false;
    }
    Load(std::move(file), progress);
    return stream_ != nullptr;
}

void PlaceNameFile::Close() {
    stream_.reset();
    size_ = 0;
    sections_.clear();
    offsets_.clear();
    first_places_.clear();
}

void PlaceNameFile::Load(std::unique_ptr<std::istream> stream, const PlaceProgress& progress) {
    Close();
    if (!stream || !*stream) return;
    stream_ = std::move(stream);
    std::streambuf* buf = stream_->rdbuf();
    const auto end = buf->pubseekoff(0, std::ios::end, std::ios::in);
    if (end == std::streampos(-1) || buf->pubseekpos(0, std::ios::in) != std::streampos(0)) return;
    size_ = static_cast<uint64_t>(static_cast<std::streamoff>(end));
    if (size_ > kMaxPlaceFileSize) {  // no place-name file is that large
        Close();
        return;
    }

    ByteReader in(buf, size_, 0);
    unsigned char header[16];
    if (!in.Bytes(sizeof header, reinterpret_cast<char*>(header))) return;
    if (header[0] != 0xC7 || header[1] != 0x00) return;
    const unsigned declared = header[14] | header[15] << 8;

    int b = in.Byte();
    while (b == kSectionMarker && sections_.size() < declared) {
        const int length = in.Byte();
        std::string name;
        if (length == kEnd || !in.Text(static_cast<size_t>(length), name)) break;
        sections_.push_back(std::move(name));
        offsets_.push_back(in.Position());
        const bool first = sections_.size() == 1;
        // Records up to the next section, the end, or a length of 0.
        for (b = in.Byte(); b != kEnd && b != kSectionMarker; b = in.Byte()) {
            if (b == 0) {
                b = in.Byte();
                break;
            }
            if (first) {
                Place place;
                if (!in.Record(b, place)) break;
                first_places_.push_back(std::move(place));
                Report(progress, first_places_.size() - 1);
            } else if (!in.Skip(static_cast<size_t>(b) + 8)) {
                break;
            }
        }
    }
}

std::vector<Place> PlaceNameFile::ReadSection(size_t i, const PlaceProgress& progress) {
    std::vector<Place> places;
    if (!stream_ || i >= offsets_.size()) return places;
    std::streambuf* buf = stream_->rdbuf();
    stream_->clear();
    if (buf->pubseekpos(static_cast<std::streamoff>(offsets_[i]), std::ios::in) ==
        std::streampos(-1))
        return places;
    ByteReader in(buf, size_, offsets_[i]);
    for (int n = in.Byte(); n != kEnd && n != 0 && n != kSectionMarker; n = in.Byte()) {
        Place place;
        if (!in.Record(n, place)) break;
        places.push_back(std::move(place));
        Report(progress, places.size() - 1);
    }
    return places;
}

namespace {

// The general decimal text in fixed notation: 15 significant digits, trailing
// zeros dropped, never an exponent (whose digits a cut would take for the
// number itself: 1E-6 cut to "1.00000").
std::string FixedDecimalText(double value) {
    if (!std::isfinite(value) || value == 0.0) return DecimalText(value);
    const int exp10 = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = exp10 >= 14 ? 0 : 14 - exp10;
    char buf[512];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    std::string text(buf, r.ptr);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    return text;
}

}  // namespace

std::string PlaceCoordinateText(float value, size_t width) {
    std::string text = FixedDecimalText(static_cast<double>(value));
    if (text.size() > width) text.resize(width);
    // A coordinate a hair from zero is cut to "0.00000": show it as the "0"
    // the prayer-times page accepts.
    if (ReadDecimal(text) == 0.0 && std::isfinite(value)) return std::string(1, '0');
    return text;
}

}  // namespace waktuna
