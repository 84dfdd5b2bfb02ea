#include "win/task_command.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>
#include <shellapi.h>

#include <vector>

#include "win/power.h"

namespace app {

std::optional<std::string> SidText(PSID sid) {
    if (!sid || !IsValidSid(sid)) return std::nullopt;
    char* text = nullptr;
    if (!ConvertSidToStringSidA(sid, &text)) return std::nullopt;
    std::string result(text);
    LocalFree(text);
    return result;
}

std::optional<std::string> OwnerSidOf(const std::string& path) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                              nullptr, nullptr, nullptr, &sd) != ERROR_SUCCESS)
        return std::nullopt;
    std::optional<std::string> result = SidText(owner);
    LocalFree(sd);
    return result;
}

std::optional<std::string> CurrentUserSid() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return std::nullopt;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size ? size : 1);
    std::optional<std::string> result;
    if (size && GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
        result = SidText(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid);
    CloseHandle(token);
    return result;
}

waktuna::CommandVerdict CheckTaskFileCommands(const std::string& task_file) {
    return waktuna::DecideCommandTask({IsWin9xFamily(), OwnerSidOf(task_file), CurrentUserSid()});
}

bool RunTaskCommand(const std::string& task_file, const std::string& command) {
    if (CheckTaskFileCommands(task_file) != waktuna::CommandVerdict::Run) return false;
    ShellExecuteA(nullptr, "open", command.c_str(), nullptr, nullptr, SW_SHOW);
    return true;
}

}  // namespace app
