// Files the program reads are bounded, and the safe write cannot be made to
// write through a name someone else put in its way.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <set>

#include "waktuna/files/safe_file.h"
#include "waktuna/files/tasks.h"

using namespace waktuna;
namespace fs = std::filesystem;

// The largest single allocation asked for since the last reset: a reader
// that refuses a huge file must not even ask for its size in memory.
static std::atomic<size_t> g_largest_allocation{0};

// The replacements below pair malloc with free; GCC cannot see that through
// the replaced operator new.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(size_t n) {
    size_t seen = g_largest_allocation.load();
    while (n > seen && !g_largest_allocation.compare_exchange_weak(seen, n)) {
    }
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t n) { return operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }

namespace {

std::string Fresh(const char* name) {
    const fs::path folder = fs::path(testing::TempDir()) / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder.string() + "/";
}

void Write(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Read(const std::string& path) { return ReadWholeFile(path).value_or("<unreadable>"); }

}  // namespace

TEST(FileLimits, ReadUpToTheLimitOnly) {
    const std::string folder = Fresh("waktuna_limits");
    Write(folder + "ten", "0123456789");
    EXPECT_EQ(ReadWholeFile(folder + "ten", 10), "0123456789");
    EXPECT_EQ(ReadWholeFile(folder + "ten", 9), std::nullopt);
    EXPECT_EQ(StandardReadOwnedFile(folder + "ten", 9).status, FileReadStatus::Unreadable);
    const OwnedFile mine = StandardReadOwnedFile(folder + "ten", 10);
    EXPECT_EQ(mine.status, FileReadStatus::Read);
    EXPECT_EQ(mine.bytes, "0123456789");
    EXPECT_EQ(StandardReadOwnedFile(folder + "none", 10).status, FileReadStatus::Missing);
    fs::remove_all(folder);
}

// A sparse task file of 3 GiB: refused as unreadable without its size ever
// being asked for in memory, by every reader.
TEST(FileLimits, OversizedSparseTaskFileIsRefusedUnread) {
    const std::string folder = Fresh("waktuna_sparse");
    const std::string path = TaskFilePath(folder);
    {
        std::ofstream out(path, std::ios::binary);
        out << "Big|6|1|12:00:00|-1|0|0|\r\n";
    }
    fs::resize_file(path, 3ull << 30);
    g_largest_allocation = 0;
    EXPECT_EQ(ReadWholeFile(path), std::nullopt);
    EXPECT_EQ(StandardReadOwnedFile(path, kMaxTextFileSize).status, FileReadStatus::Unreadable);
    EXPECT_TRUE(ReadTaskFile(path).empty());
    EXPECT_LT(g_largest_allocation.load(), size_t{1} << 20);
    fs::remove_all(folder);
}

// ---- The safe write ------------------------------------------------------------

namespace {

std::string g_victim;
int g_creates = 0;

// Someone puts a file at the temporary name between the writer choosing it
// and creating it.
CreatedFile PlantThenCreate(const std::string& path) {
    if (g_creates++ == 0) Write(path, "planted");
    g_victim = path;
    return StandardCreateNewFile(path);
}

CreatedFile AllTaken(const std::string&) {
    ++g_creates;
    return CreatedFile{CreateNewStatus::NameTaken, nullptr, 0};
}

}  // namespace

TEST(SafeWrite, ATakenTemporaryNameIsNotWrittenThrough) {
    const std::string folder = Fresh("waktuna_planted");
    g_creates = 0;
    ASSERT_TRUE(WriteFileReplacing(folder + "Task.dat", "new", StandardReplaceFile, PlantThenCreate));
    EXPECT_EQ(g_creates, 2);  // the planted name was passed over for another
    EXPECT_EQ(Read(folder + "Task.dat"), "new");
    int planted = 0;
    for (const auto& e : fs::directory_iterator(folder)) planted += Read(e.path().string()) == "planted";
    EXPECT_EQ(planted, 1);
    fs::remove_all(folder);
}

TEST(SafeWrite, NoFreeNameWritesNothing) {
    const std::string folder = Fresh("waktuna_no_name");
    Write(folder + "Task.dat", "old");
    g_creates = 0;
    SafeFileWriter writer(folder + "Task.dat", StandardReplaceFile, AllTaken);
    EXPECT_FALSE(writer.Ok());
    writer.Stream() << "new";
    EXPECT_FALSE(writer.Commit());
    EXPECT_EQ(g_creates, kTempNameAttempts);
    EXPECT_NE(writer.Error().find("no free name"), std::string::npos);
    EXPECT_EQ(Read(folder + "Task.dat"), "old");
    fs::remove_all(folder);
}

// A Save clears what earlier writes left (a crash, a power cut), but not a
// write that may still be going on, nor anything else.
TEST(SafeWrite, OldLeftoversOfItsOwnAreRemoved) {
    const std::string folder = Fresh("waktuna_leftovers");
    const auto hour_ago = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* name : {"Task.dat.123.tmp", "Task.dat.x1.tmp", "Other.dat.5.tmp", "Task.dat.9"}) {
        Write(folder + name, "old");
        fs::last_write_time(folder + name, hour_ago);
    }
    Write(folder + "Task.dat.77.tmp", "in progress");
    ASSERT_TRUE(WriteFileReplacing(folder + "Task.dat", "new"));
    std::set<fs::path> left;
    for (const auto& e : fs::directory_iterator(folder)) left.insert(e.path().filename());
    EXPECT_EQ(left, (std::set<fs::path>{"Task.dat", "Task.dat.77.tmp", "Task.dat.x1.tmp", "Other.dat.5.tmp",
                                        "Task.dat.9"}));
    fs::remove_all(folder);
}
