#include "win/prepare_machine.h"

#include <aclapi.h>
#include <shlobj.h>

#include <cctype>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "win/power.h"
#include "win/registry_store.h"

namespace app {

namespace {

// A well-known SID, freed with its owner.
class WellKnownSid {
public:
    WellKnownSid(SID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD first, DWORD second = 0) {
        AllocateAndInitializeSid(&authority, count, first, second, 0, 0, 0, 0, 0, 0, &sid_);
    }
    ~WellKnownSid() {
        if (sid_) FreeSid(sid_);
    }
    WellKnownSid(const WellKnownSid&) = delete;
    WellKnownSid& operator=(const WellKnownSid&) = delete;
    PSID get() const { return sid_; }

private:
    PSID sid_ = nullptr;
};

// The built-in Users group (by SID: its name is translated on non-English
// systems) and the creator of a file, as an inheritable trustee.
WellKnownSid UsersSid() {
    return WellKnownSid(SECURITY_NT_AUTHORITY, 2, SECURITY_BUILTIN_DOMAIN_RID,
                        DOMAIN_ALIAS_RID_USERS);
}
WellKnownSid CreatorOwnerSid() {
    return WellKnownSid(SECURITY_CREATOR_SID_AUTHORITY, 1, SECURITY_CREATOR_OWNER_RID);
}

// One entry to add to an access list: a trustee (by SID), its rights and
// how they are inherited.
struct Grant {
    PSID sid;
    DWORD rights;
    DWORD inheritance;
};

// Adds the entries to the object's existing access list (entries already
// there, inherited ones included, are kept).
bool AddToAccessList(const std::string& object, SE_OBJECT_TYPE type,
                     std::initializer_list<Grant> grants) {
    std::vector<EXPLICIT_ACCESSA> entries;
    for (const Grant& g : grants) {
        if (!g.sid) return false;
        EXPLICIT_ACCESSA access{};
        access.grfAccessPermissions = g.rights;
        access.grfAccessMode = GRANT_ACCESS;
        access.grfInheritance = g.inheritance;
        access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
        access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
        access.Trustee.ptstrName = static_cast<LPSTR>(g.sid);
        entries.push_back(access);
    }
    PACL old_acl = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (GetNamedSecurityInfoA(object.c_str(), type, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                              &old_acl, nullptr, &sd) != ERROR_SUCCESS)
        return false;
    PACL new_acl = nullptr;
    bool ok = SetEntriesInAclA(static_cast<ULONG>(entries.size()), entries.data(), old_acl,
                               &new_acl) == ERROR_SUCCESS;
    if (ok) {
        std::string name = object;  // SetNamedSecurityInfoA takes a writable text
        ok = SetNamedSecurityInfoA(name.data(), type, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                   new_acl, nullptr) == ERROR_SUCCESS;
        LocalFree(new_acl);
    }
    LocalFree(sd);
    return ok;
}

bool IsFolder(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The name SetNamedSecurityInfo uses for a key of one of the two roots.
std::string KeyObjectName(HKEY root, const std::string& subkey) {
    return (root == HKEY_CURRENT_USER ? "CURRENT_USER\\" : "MACHINE\\") + subkey;
}

}  // namespace

bool IsPrepareMachineCommand(const char* command_line) {
    if (!command_line) return false;
    std::string text(command_line);
    const size_t first = text.find_first_not_of(" \t\"");
    const size_t last = text.find_last_not_of(" \t\"");
    if (first == std::string::npos) return false;
    text = text.substr(first, last - first + 1);
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text == "/prepare-machine" || text == "-prepare-machine";
}

bool UsersGranted(const std::string& object, SE_OBJECT_TYPE type, DWORD rights) {
    const WellKnownSid users = UsersSid();
    PACL acl = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (!users.get() || GetNamedSecurityInfoA(object.c_str(), type, DACL_SECURITY_INFORMATION,
                                            nullptr, nullptr, &acl, nullptr, &sd) != ERROR_SUCCESS)
        return false;
    // A missing access list allows everyone everything.
    bool granted = acl == nullptr;
    DWORD allowed = 0;
    for (DWORD i = 0; acl && i < acl->AceCount; ++i) {
        void* ace = nullptr;
        if (!GetAce(acl, i, &ace)) continue;
        auto* header = static_cast<ACE_HEADER*>(ace);
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE))
            continue;
        auto* allow = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        if (EqualSid(reinterpret_cast<PSID>(&allow->SidStart), users.get())) allowed |= allow->Mask;
    }
    // Generic rights as they are stored are mapped for the comparison.
    GENERIC_MAPPING mapping = type == SE_REGISTRY_KEY
        ? GENERIC_MAPPING{KEY_READ, KEY_WRITE, KEY_EXECUTE, KEY_ALL_ACCESS}
        : GENERIC_MAPPING{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                          FILE_ALL_ACCESS};
    MapGenericMask(&allowed, &mapping);
    DWORD wanted = rights;
    MapGenericMask(&wanted, &mapping);
    granted = granted || (allowed & wanted) == wanted;
    LocalFree(sd);
    return granted;
}

PreparedMachine PrepareMachineAt(HKEY root, const std::string& subkey, const std::string& folder) {
    PreparedMachine done;
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegCloseKey(key);
        const WellKnownSid users = UsersSid();
        done.key = AddToAccessList(KeyObjectName(root, subkey), SE_REGISTRY_KEY,
                                   {{users.get(), kUsersKeyRights, SUB_CONTAINERS_AND_OBJECTS_INHERIT}});
    }
    if (!folder.empty()) {
        const size_t slash = folder.find_last_of('\\');
        if (slash != std::string::npos && !IsFolder(folder.substr(0, slash)))
            CreateDirectoryA(folder.substr(0, slash).c_str(), nullptr);
        if (!IsFolder(folder)) CreateDirectoryA(folder.c_str(), nullptr);
        // Users may add and replace files, but write only into the files
        // they made: a task file is changed by replacing it, which makes the
        // user who saved it its owner (the rule for Command tasks relies on
        // that).
        const WellKnownSid users = UsersSid();
        const WellKnownSid creator = CreatorOwnerSid();
        done.folder =
            IsFolder(folder) &&
            AddToAccessList(folder, SE_FILE_OBJECT,
                            {{users.get(), kUsersFolderRights, NO_INHERITANCE},
                             {creator.get(), kCreatorFileRights, OBJECT_INHERIT_ACE | INHERIT_ONLY_ACE}});
    }
    return done;
}

int CopySettingsFrom32BitView(HKEY root, const std::string& subkey) {
    HKEY old_key = nullptr;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &old_key) !=
        ERROR_SUCCESS)
        return 0;
    int copied = 0;
    HKEY key = nullptr;
    DWORD values = 0;
    if (RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE | KEY_WOW64_64KEY, nullptr, &key,
                        nullptr) == ERROR_SUCCESS &&
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
        values == 0) {
        char name[16384];
        BYTE data[65536];
        for (DWORD i = 0;; ++i) {
            DWORD name_size = sizeof name, data_size = sizeof data, type = 0;
            const LSTATUS st = RegEnumValueA(old_key, i, name, &name_size, nullptr, &type, data,
                                             &data_size);
            if (st == ERROR_NO_MORE_ITEMS) break;
            if (st != ERROR_SUCCESS) continue;  // a value too large for a setting
            // The old window handle means nothing to the new program.
            if (_stricmp(name, "Hwnd") == 0) continue;
            if (RegSetValueExA(key, name, 0, type, data, data_size) == ERROR_SUCCESS) ++copied;
        }
    }
    if (key) RegCloseKey(key);
    RegCloseKey(old_key);
    return copied;
}

int PrepareMachine() {
    CopySettingsFrom32BitView(HKEY_LOCAL_MACHINE, kSettingsKeyPath);
    char buf[MAX_PATH + 1] = {};
    std::string folder;
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, buf)) && buf[0])
        folder = std::string(buf, strnlen(buf, MAX_PATH + 1)) + "\\ravenhall\\waktuna3";
    return PrepareMachineAt(HKEY_LOCAL_MACHINE, kSettingsKeyPath, folder).ok() ? 0 : 1;
}

}  // namespace app
