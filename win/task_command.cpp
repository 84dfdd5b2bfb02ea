#include "win/task_command.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>
#include <shellapi.h>

#include <vector>

#include "waktuna/files/tasks.h"
#include "win/handles.h"
#include "win/power.h"

namespace app {

std::optional<std::string> SidText(PSID sid) {
    if (!sid || !IsValidSid(sid)) return std::nullopt;
    char* text = nullptr;
    if (!ConvertSidToStringSidA(sid, &text)) return std::nullopt;
    const UniqueLocal keep(text);
    return std::string(text);
}

std::optional<std::string> CurrentUserSid() {
    UniqueHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return std::nullopt;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size ? size : 1);
    std::optional<std::string> result;
    if (size && GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
        result = SidText(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid);
    return result;
}

void RunTaskCommand(const std::string& command) {
    ShellExecuteA(nullptr, "open", command.c_str(), nullptr, nullptr, SW_SHOW);
}

bool FolderLetsOthersWrite(const std::string& folder) {
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (GetNamedSecurityInfoA(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                              nullptr, &sd) != ERROR_SUCCESS)
        return true;
    const UniqueLocal keep(sd);
    return AclLetsOthersWrite(dacl);
}

bool AclLetsOthersWrite(const ACL* dacl) {
    if (!dacl) return true;
    // Rights that let a user change what a file in the folder holds. Entries
    // for the folder's files alone (inherit-only) count too: they are the
    // rights on every file created there.
    constexpr DWORD kWriting = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD | DELETE | WRITE_DAC |
                               WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;
    const WELL_KNOWN_SID_TYPE others[] = {WinBuiltinUsersSid, WinAuthenticatedUserSid, WinWorldSid,
                                          WinInteractiveSid};
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(const_cast<ACL*>(dacl), i, &ace)) return true;
        const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
        if (allowed->Header.AceType != ACCESS_ALLOWED_ACE_TYPE || !(allowed->Mask & kWriting)) continue;
        PSID sid = const_cast<DWORD*>(&allowed->SidStart);
        for (WELL_KNOWN_SID_TYPE type : others)
            if (IsWellKnownSid(sid, type)) return true;
    }
    return false;
}

bool MayCopyOldTaskFile(bool ownExists, const waktuna::OwnedFile& old, bool folderLetsOthersWrite) {
    return !ownExists && old.status == waktuna::FileReadStatus::Read &&
           old.owner == waktuna::FileOwner::CurrentUser && !folderLetsOthersWrite;
}

bool CopyOldTaskFile(const std::string& machineFolder, const std::string& userFolder) {
    if (IsWin9xFamily() || machineFolder.empty() || userFolder.empty() || machineFolder == userFolder)
        return false;
    const std::string own = waktuna::TaskFilePath(userFolder);
    if (GetFileAttributesA(own.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const waktuna::OwnedFile old =
        waktuna::StandardReadOwnedFile(waktuna::TaskFilePath(machineFolder), waktuna::kMaxTextFileSize);
    if (old.status != waktuna::FileReadStatus::Read ||
        !MayCopyOldTaskFile(false, old, FolderLetsOthersWrite(machineFolder)) || !CreateDataFolder(userFolder))
        return false;
    // Created only when nothing has that name, so a file the user saved
    // meanwhile is never replaced.
    waktuna::CreatedFile created = waktuna::StandardCreateNewFile(own);
    if (created.status != waktuna::CreateNewStatus::Created) return false;
    if (created.file->Write(old.bytes) && created.file->FlushAndClose()) return true;
    created.file.reset();
    DeleteFileA(own.c_str());
    return false;
}

}  // namespace app
