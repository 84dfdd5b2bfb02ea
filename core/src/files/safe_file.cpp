#include "waktuna/files/safe_file.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <streambuf>

namespace waktuna {

namespace {

std::string Reason(int error) { return error ? std::strerror(error) : "write error"; }

unsigned NextTempNumber() {
    static std::minstd_rand next(static_cast<unsigned>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ std::random_device{}()));
    return static_cast<unsigned>(next() % 1000000);
}

}  // namespace

// The stream's buffer: collects the text and hands it to the new file in
// large pieces. A failed write makes the stream bad.
class SafeFileWriter::Buffer final : public std::streambuf {
public:
    explicit Buffer(NewFile* file) : file_(file) { setp(data_, data_ + sizeof data_); }

    // Writes out what is collected; false when the file refused it.
    bool Drain() {
        const std::string_view pending(pbase(), static_cast<size_t>(pptr() - pbase()));
        setp(data_, data_ + sizeof data_);
        if (pending.empty() || failed_) return !failed_;
        failed_ = !file_ || !file_->Write(pending);
        return !failed_;
    }

protected:
    int_type overflow(int_type c) override {
        if (!Drain()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }
    int sync() override { return Drain() ? 0 : -1; }

private:
    NewFile* file_;
    bool failed_ = false;
    char data_[65536];
};

SafeFileWriter::SafeFileWriter(std::string path, ReplaceFileFunction replace, CreateNewFileFunction create)
    : path_(std::move(path)), replace_(replace), out_(nullptr) {
    for (int attempt = 0; attempt < kTempNameAttempts && !file_; ++attempt) {
        const std::string candidate = path_ + "." + std::to_string(NextTempNumber()) + ".tmp";
        CreatedFile created = create(candidate);
        if (created.status == CreateNewStatus::Created && created.file) {
            temp_ = candidate;
            file_ = std::move(created.file);
        } else if (created.status != CreateNewStatus::NameTaken) {
            Fail(Reason(created.error));
            break;
        }
    }
    if (!file_ && error_.empty()) Fail("no free name for a temporary file");
    buffer_ = std::make_unique<Buffer>(file_.get());
    out_.rdbuf(buffer_.get());
    if (!file_) out_.setstate(std::ios::badbit);
}

SafeFileWriter::~SafeFileWriter() {
    if (committed_ || temp_.empty()) return;
    file_.reset();
    std::remove(temp_.c_str());
}

void SafeFileWriter::Fail(const std::string& what) {
    if (error_.empty()) error_ = "cannot write " + path_ + ": " + what;
}

bool SafeFileWriter::Commit() {
    if (!error_.empty()) return false;
    out_.flush();
    if (!out_ || !buffer_->Drain()) {
        Fail(Reason(0));
        return false;
    }
    // On the disk before the rename: after a power cut the target holds the
    // old text or the new one, never an empty file.
    const bool flushed = file_->FlushAndClose();
    file_.reset();
    if (!flushed) {
        Fail("the file cannot be put on the disk");
        return false;
    }
    if (!replace_(temp_, path_)) {
        Fail("the file cannot be replaced");
        return false;
    }
    committed_ = true;
    RemoveTempLeftovers(path_);
    return true;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes, ReplaceFileFunction replace,
                        CreateNewFileFunction create) {
    SafeFileWriter writer(path, replace, create);
    if (!writer.Ok()) return false;
    writer.Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return writer.Commit();
}

}  // namespace waktuna
