// Safe writing on Windows: a file whose name holds a code-page character
// outside Latin-1 is written and replaced, and a replace Windows refuses is
// reported with the old file kept.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "waktuna/files/safe_file.h"
#include "waktuna/pages/program_page.h"

using namespace waktuna;
namespace fs = std::filesystem;

namespace {
// A fresh, empty folder in the temporary folder (whose name is plain ASCII).
fs::path FreshFolder(const char* name) {
    const fs::path folder = fs::temp_directory_path() / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}
long FilesIn(const fs::path& folder) { return std::distance(fs::directory_iterator(folder), {}); }
}  // namespace

TEST(SafeFile, ANameWithACodePageCharacterOutsideLatin1IsWrittenAndReplaced) {
    // "Šimon.sav" in the code page; in Windows-1252 the Š is the byte 0x8A.
    const wchar_t* wide_name = L"\x0160imon.sav";
    char name[64];
    BOOL lossy = FALSE;
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide_name, -1, name, sizeof name, nullptr,
                            &lossy) <= 0 || lossy)
        GTEST_SKIP() << "the code page has no \\u0160";

    const fs::path folder = FreshFolder("waktuna-code-page");
    const std::string path = folder.string() + "\\" + name;
    MemorySettingsStore key;
    WriteString(key, "Area", "Jakarta");
    ASSERT_EQ(ExportSettingsFile(&key, path, BuiltInEnglish()), std::nullopt);  // created
    WriteString(key, "Area", "Bandung");
    ASSERT_EQ(ExportSettingsFile(&key, path, BuiltInEnglish()), std::nullopt);  // replaced

    EXPECT_TRUE(fs::exists(folder / wide_name));
    EXPECT_EQ(ReadWholeFile(path), "2\tArea=Bandung\r\n");
    EXPECT_EQ(FilesIn(folder), 1);  // no temporary file left
    fs::remove_all(folder);
}

TEST(SafeFile, AReplaceWindowsRefusesIsReportedAndTheOldFileKept) {
    const fs::path folder = FreshFolder("waktuna-in-use");
    const std::string path = (folder / "jadwal.csv").string();
    ASSERT_TRUE(WriteFileReplacing(path, "old"));
    EXPECT_FALSE(StandardReplaceFile(path + ".x", path));  // no such file to move

    // Open in a program that does not share it (a spreadsheet showing the
    // timetable): the new text cannot take its place.
    HANDLE open = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(open, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteFileReplacing(path, "new"));
    CloseHandle(open);
    EXPECT_EQ(ReadWholeFile(path), "old");
    EXPECT_EQ(FilesIn(folder), 1);  // the temporary file removed
    fs::remove_all(folder);
}
