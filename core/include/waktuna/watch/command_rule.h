// Whether a Command task may run. The task file lies in a folder every user
// of the computer can write, so one user could put a command there that then
// runs in another user's session, an administrator's included. A command runs
// only when the task file was saved by the user the program runs for, or by
// an administrator or the system (both owners a standard user cannot fake);
// the file is replaced on every save, so its owner is whoever saved it last.
//
// Accounts are compared by their security identifiers in text form
// ("S-1-5-21-…"), which is how the Windows side reads them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace waktuna {

// The built-in Administrators group and the operating system's own account.
inline constexpr std::string_view kAdministratorsSid = "S-1-5-32-544";
inline constexpr std::string_view kLocalSystemSid = "S-1-5-18";

enum class CommandVerdict {
    Run,
    // The task file was saved by someone else: the user is warned instead.
    SavedByAnotherUser,
    // The owner of the task file or the current user could not be read
    // (a file system without owners, a failed query): not run, with the same
    // warning, since nothing shows who wrote the command.
    OwnerUnknown,
};

struct CommandRuleInput {
    // Windows 95/98/ME: no accounts, every command is the user's own.
    bool no_security = false;
    std::optional<std::string> file_owner;    // the task file's owner
    std::optional<std::string> current_user;  // the user of this process
};

CommandVerdict DecideCommandTask(const CommandRuleInput& input);

// Language line of the warning shown instead of running such a command.
inline constexpr int kLineCommandFromOtherUser = 270;

}  // namespace waktuna
