// The system side of the program settings page under Wine: the Run value
// that starts the program with Windows, and adzan files whose names the
// code page cannot hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "win/program_files.h"
#include "waktuna/pages/about_page.h"

using namespace app;
using namespace waktuna;

TEST(StartWithWindows, TheUsersRunKeyOverTheMachinesNeverTwice) {
    const std::string program = ProgramFilePath();
    ASSERT_FALSE(program.empty());
    SettingsKey user(HKEY_CURRENT_USER, kRunKeyPath), machine(HKEY_LOCAL_MACHINE, kRunKeyPath);
    user.Delete(kRunValueName);
    machine.Delete(kRunValueName);
    StartupRunKeys run;
    MemorySettingsStore key;
    ProgramPage page;
    page.FirstLoad(key, {program, &run, 0, std::nullopt});
    EXPECT_FALSE(page.start_with_windows);

    // Ticked: the user's own Run key, which a standard user may write.
    page.start_with_windows = true;
    EXPECT_TRUE(page.Save(key, &run, program, BuiltInEnglish()).Ok());
    EXPECT_TRUE(user.Read(kRunValueName).has_value());
    EXPECT_FALSE(machine.Read(kRunValueName).has_value());

    // The installer started it for everyone: ticked, and never twice.
    const std::string value = ReadString(user, kRunValueName);
    ASSERT_TRUE(WriteString(machine, kRunValueName, value));
    EXPECT_TRUE(StartsWithWindows(&run, program));
    EXPECT_TRUE(page.Save(key, &run, program, BuiltInEnglish()).Ok());
    EXPECT_FALSE(user.Read(kRunValueName).has_value());

    // Unticking cannot remove the machine's value: the Save says so.
    page.start_with_windows = false;
    EXPECT_EQ(page.Save(key, &run, program, BuiltInEnglish()).not_stored, std::vector<std::string>{"Start with Windows"});
    EXPECT_TRUE(StartsWithWindows(&run, program));
    machine.Delete(kRunValueName);
}

TEST(ChosenFile, ANameOutsideTheCodePageIsKeptByItsShortPath) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / L"waktuna-adzan";
    std::filesystem::create_directories(folder);
    const std::filesystem::path plain = folder / L"Mekah.mp3";
    const std::filesystem::path arabic = folder / L"\x0623\x0630\x0627\x0646 \x0645\x0643\x0629.mp3";
    for (const auto& p : {plain, arabic}) std::ofstream(p) << "x";

    const ChosenFile kept = ChosenFileOf(plain.wstring());
    EXPECT_TRUE(kept.path_exact);
    EXPECT_EQ(PathToStore(kept), plain.string());

    const ChosenFile file = ChosenFileOf(arabic.wstring());
    EXPECT_FALSE(file.path_exact);
    const auto stored = PathToStore(file);
    ASSERT_TRUE(stored.has_value());
    // The stored short path opens the very file.
    EXPECT_TRUE(std::filesystem::exists(*stored)) << *stored;
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::path(*stored), arabic));
    std::filesystem::remove_all(folder);
}

TEST(ProgramFolderFiles, LanguageListAndLicenceBox) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "waktuna-folder";
    std::filesystem::create_directories(folder / "languages" / "Folder.wlp");
    for (const char* name : {"Indonesia.wlp", "Backup.wlpx", "Notes.txt"})
        std::ofstream(folder / "languages" / name) << "x";
    std::ofstream(folder / "License.txt", std::ios::binary) << "first\nsecond\n";
    const std::string programFolder = folder.string() + "\\";
    EXPECT_EQ(ListLanguageFiles(programFolder), std::vector<std::string>{"Indonesia"});
    EXPECT_EQ(LicenceText(programFolder, kLicenceEnglish), "first\r\nsecond\r\n");
    EXPECT_EQ(LicenceText(programFolder, kLicenceIndonesian), "");
    EXPECT_FALSE(EditLanguageFile(programFolder, "Missing"));
    std::filesystem::remove_all(folder);
}
