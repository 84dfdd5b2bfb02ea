#include "waktuna/files/safe_file.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>

namespace waktuna {

namespace {

// A name beside the target that no file has yet.
std::string FreeTempName(const std::string& path) {
    static std::minstd_rand next(static_cast<unsigned>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ std::random_device{}()));
    std::string candidate;
    for (int attempt = 0; attempt < 100; ++attempt) {
        candidate = path + "." + std::to_string(next() % 1000000) + ".tmp";
        if (!FileExists(candidate)) break;
    }
    return candidate;
}

std::string Reason(int error) { return error ? std::strerror(error) : "write error"; }

}  // namespace

SafeFileWriter::SafeFileWriter(std::string path, ReplaceFileFunction replace)
    : path_(std::move(path)), replace_(replace) {
    temp_ = FreeTempName(path_);
    errno = 0;
    out_.open(temp_, std::ios::binary | std::ios::trunc);
    if (!out_) Fail(Reason(errno));
}

SafeFileWriter::~SafeFileWriter() {
    if (committed_) return;
    if (out_.is_open()) out_.close();
    std::remove(temp_.c_str());
}

void SafeFileWriter::Fail(const std::string& what) {
    if (error_.empty()) error_ = "cannot write " + path_ + ": " + what;
}

bool SafeFileWriter::Commit() {
    if (!error_.empty()) return false;
    errno = 0;
    out_.flush();
    if (!out_) {
        Fail(Reason(errno));
        return false;
    }
    out_.close();
    if (out_.fail()) {
        Fail(Reason(errno));
        return false;
    }
    if (!replace_(temp_, path_)) {
        Fail("the file cannot be replaced");
        return false;
    }
    committed_ = true;
    return true;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes,
                        ReplaceFileFunction replace) {
    SafeFileWriter writer(path, replace);
    if (!writer.Ok()) return false;
    writer.Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return writer.Commit();
}

}  // namespace waktuna
