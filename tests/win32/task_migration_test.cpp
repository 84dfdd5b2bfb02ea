// Bringing a user's tasks over from the old machine-wide folder, under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "win/task_command.h"
#include "waktuna/files/tasks.h"

using namespace app;

namespace {

// An access list holding one allowing entry for a well-known account.
struct OneEntryAcl {
    alignas(DWORD) unsigned char bytes[256] = {};
    ACL* acl() { return reinterpret_cast<ACL*>(bytes); }

    OneEntryAcl(WELL_KNOWN_SID_TYPE who, DWORD mask, DWORD flags = 0, bool deny = false) {
        unsigned char sid[SECURITY_MAX_SID_SIZE];
        DWORD size = sizeof sid;
        EXPECT_TRUE(CreateWellKnownSid(who, nullptr, sid, &size));
        EXPECT_TRUE(InitializeAcl(acl(), sizeof bytes, ACL_REVISION));
        EXPECT_TRUE(deny ? AddAccessDeniedAceEx(acl(), ACL_REVISION, flags, mask, sid)
                         : AddAccessAllowedAceEx(acl(), ACL_REVISION, flags, mask, sid));
    }
};

}  // namespace

// The old machine preparation let Users add and replace files in the data
// folder; a file found in such a folder proves nothing about who wrote it.
TEST(TaskMigration, AFolderOthersCouldWriteIsRecognised) {
    constexpr DWORD kReadOnly = FILE_GENERIC_READ | FILE_GENERIC_EXECUTE;
    const struct {
        WELL_KNOWN_SID_TYPE who;
        DWORD mask;
        DWORD flags;
        bool deny;
        bool others_write;
    } cases[] = {
        {WinBuiltinUsersSid, kReadOnly, 0, false, false},
        {WinBuiltinUsersSid, FILE_ADD_FILE, 0, false, true},
        {WinBuiltinUsersSid, FILE_GENERIC_WRITE, 0, false, true},
        {WinAuthenticatedUserSid, FILE_DELETE_CHILD, 0, false, true},
        {WinWorldSid, GENERIC_ALL, 0, false, true},
        // An entry only for the files made there is the right on those files.
        {WinWorldSid, GENERIC_WRITE, OBJECT_INHERIT_ACE | INHERIT_ONLY_ACE, false, true},
        {WinBuiltinUsersSid, WRITE_DAC, 0, false, true},
        {WinBuiltinAdministratorsSid, GENERIC_ALL, 0, false, false},
        {WinLocalSystemSid, GENERIC_ALL, 0, false, false},
        {WinBuiltinUsersSid, FILE_ADD_FILE, 0, true, false},
    };
    for (const auto& c : cases) {
        OneEntryAcl acl(c.who, c.mask, c.flags, c.deny);
        EXPECT_EQ(AclLetsOthersWrite(acl.acl()), c.others_write) << c.who << " " << std::hex << c.mask;
    }
    // No access list at all: everybody may write.
    EXPECT_TRUE(AclLetsOthersWrite(nullptr));
}

TEST(TaskMigration, OnlyTheUsersOwnFileFromAClosedFolderIsCopied) {
    const waktuna::OwnedFile mine{waktuna::FileReadStatus::Read, "x", waktuna::FileOwner::CurrentUser};
    const waktuna::OwnedFile admins{waktuna::FileReadStatus::Read, "x", waktuna::FileOwner::Administrators};
    const waktuna::OwnedFile other{waktuna::FileReadStatus::Read, "x", waktuna::FileOwner::Other};
    const waktuna::OwnedFile unreadable{waktuna::FileReadStatus::Unreadable, "", waktuna::FileOwner::CurrentUser};
    EXPECT_TRUE(MayCopyOldTaskFile(false, mine, false));
    EXPECT_FALSE(MayCopyOldTaskFile(true, mine, false));   // never over the user's own file
    EXPECT_FALSE(MayCopyOldTaskFile(false, mine, true));   // others could have written it
    EXPECT_FALSE(MayCopyOldTaskFile(false, other, false));
    EXPECT_FALSE(MayCopyOldTaskFile(false, admins, false));  // stays the machine's, for everyone
    EXPECT_FALSE(MayCopyOldTaskFile(false, unreadable, false));
}

TEST(TaskMigration, TheOldFileIsCopiedOnceAndNeverOverAFileOfTheUsers) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("waktuna-migrate-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(root);
    fs::create_directories(root / "machine");
    const std::string machine = (root / "machine").string() + "\\";
    // The user's folder (and its parent) does not exist yet.
    const std::string user = (root / "roaming" / "waktuna3").string() + "\\";
    const std::string tasks = "Subuh|1|1|04:30:00|-1|0|0|Bangun\r\n";
    std::ofstream(machine + "Task.dat", std::ios::binary) << tasks;
    if (FolderLetsOthersWrite(machine)) GTEST_SKIP() << "the temporary folder is open to other users here";

    EXPECT_TRUE(CopyOldTaskFile(machine, user));
    EXPECT_EQ(waktuna::ReadWholeFile(user + "Task.dat").value_or(""), tasks);
    // Later starts leave the user's own file alone.
    std::ofstream(user + "Task.dat", std::ios::binary) << "Zuhur|1|1|12:00:00|-1|0|0|Mine\r\n";
    EXPECT_FALSE(CopyOldTaskFile(machine, user));
    EXPECT_EQ(waktuna::ReadWholeFile(user + "Task.dat").value_or(""), "Zuhur|1|1|12:00:00|-1|0|0|Mine\r\n");
    // The old file stays where it was.
    EXPECT_EQ(waktuna::ReadWholeFile(machine + "Task.dat").value_or(""), tasks);
    fs::remove_all(root);
}
