// The program's folders and the hibernation question, under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "win/power.h"

using namespace app;

namespace {

bool IsFolder(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FreshFolder(const char* name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder =
        std::string(temp) + name + std::to_string(GetCurrentProcessId()) + "-" +
        std::to_string(GetTickCount());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

// Each user's tasks lie in their own roaming folder, apart from the
// machine-wide folder that only administrators write.
TEST(AppDataFolder, EachUserHasAFolderApartFromTheMachines) {
    EXPECT_EQ(MachineDataFolder(), "C:\\ProgramData\\ravenhall\\waktuna3\\");
    const std::string user = GetUserDataFolder();
    const std::string tail = "\\AppData\\Roaming\\ravenhall\\waktuna3\\";
    ASSERT_GT(user.size(), tail.size());
    EXPECT_EQ(user.substr(user.size() - tail.size()), tail);
}

TEST(AppDataFolder, OnAFreshSystemBothLevelsAreCreatedWithoutAMessage) {
    // The test run has a fresh prefix: C:\ProgramData holds no ravenhall yet.
    const std::string folder = GetAppDataFolder();
    EXPECT_EQ(folder, "C:\\ProgramData\\ravenhall\\waktuna3\\");
    EXPECT_TRUE(IsFolder(folder));
    EXPECT_EQ(GetAppDataFolder(), folder);  // and again, when it exists

    const std::string common = FreshFolder("waktuna-common");
    int messages = 0;
    const std::string below =
        AppDataFolderBelow(common, [&](const std::string&) { ++messages; });
    EXPECT_EQ(below, common + "\\ravenhall\\waktuna3\\");
    EXPECT_TRUE(IsFolder(common + "\\ravenhall"));
    EXPECT_TRUE(IsFolder(below));
    EXPECT_EQ(messages, 0);
}

TEST(AppDataFolder, NoCommonFolderGivesEmptyTextAndNoMessage) {
    int messages = 0;
    auto count = [&](const std::string&) { ++messages; };
    EXPECT_EQ(AppDataFolderBelow("", count), "");
    EXPECT_EQ(AppDataFolderBelow("C:\\no\\such\\folder", count), "");
    EXPECT_EQ(messages, 0);
}

TEST(AppDataFolder, ARefusedFolderIsReportedAndStillReturned) {
    const std::string common = FreshFolder("waktuna-blocked");
    // A file where the company folder belongs: nothing can be created below it.
    HANDLE f = CreateFileA((common + "\\ravenhall").c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_NEW, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
    std::string message;
    const std::string result =
        AppDataFolderBelow(common, [&](const std::string& text) { message = text; });
    EXPECT_EQ(result, common + "\\ravenhall\\waktuna3\\");
    EXPECT_EQ(message, "Gagal untuk mengakses directory\r\n" + result);
}

TEST(Power, HibernationIsNotAllowedWithoutTheLibraryOrItsEntryPoint) {
    EXPECT_FALSE(IsHibernateAllowed("waktuna-no-such-library.dll"));
    EXPECT_FALSE(IsHibernateAllowed("kernel32.dll"));  // loads, lacks the entry point
}

TEST(Power, ProgramFolderEndsWithABackslash) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    EXPECT_EQ(std::string(exe).rfind(folder, 0), 0u);
}
