#include "waktuna/safe_file.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>

namespace waktuna {

namespace fs = std::filesystem;

namespace {

// A name beside the target that no file has yet: "<name>.<random>.tmp".
fs::path FreeTempName(const fs::path& target) {
    static std::minstd_rand next(static_cast<unsigned>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ std::random_device{}()));
    const std::string base = target.filename().string();
    fs::path candidate;
    for (int attempt = 0; attempt < 100; ++attempt) {
        candidate = target.parent_path() / (base + "." + std::to_string(next() % 1000000) + ".tmp");
        std::error_code ec;
        if (!fs::exists(candidate, ec) && !ec) break;
    }
    return candidate;
}

std::string Reason(int error) { return error ? std::strerror(error) : "write error"; }

}  // namespace

SafeFileWriter::SafeFileWriter(fs::path target) : target_(std::move(target)) {
    if (target_.filename().empty()) {
        Fail("not a file name");
        return;
    }
    temp_ = FreeTempName(target_);
    errno = 0;
    out_.open(temp_, std::ios::binary | std::ios::trunc);
    if (!out_) Fail(Reason(errno));
}

SafeFileWriter::~SafeFileWriter() {
    if (committed_ || temp_.empty()) return;
    if (out_.is_open()) out_.close();
    std::error_code ec;
    fs::remove(temp_, ec);
}

void SafeFileWriter::Fail(const std::string& what) {
    if (error_.empty()) error_ = "cannot write " + target_.string() + ": " + what;
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
    std::error_code ec;
    fs::rename(temp_, target_, ec);
    if (ec) {
        Fail(ec.message());
        return false;
    }
    committed_ = true;
    return true;
}

}  // namespace waktuna
