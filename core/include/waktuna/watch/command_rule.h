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

#include "waktuna/files/files.h"

namespace waktuna {

// The built-in Administrators group and the operating system's own account.
inline constexpr std::string_view kAdministratorsSid = "S-1-5-32-544";
inline constexpr std::string_view kLocalSystemSid = "S-1-5-18";
// The account that owns the system's own files.
inline constexpr std::string_view kTrustedInstallerSid =
    "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

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

// The owner of a task file as the trust rule of tasks.h takes it, from the
// SID texts the Windows side reads (the file's owner with GetSecurityInfo on
// the handle its bytes are read through, the user from the process token):
// Administrators, SYSTEM and TrustedInstaller are Administrators; the user's
// own SID is CurrentUser; anything else, or an owner that could not be read,
// is Other. Without a security model (no_security) every file is the user's.
FileOwner FileOwnerOf(const CommandRuleInput& input);

// Language line of the warning shown instead of running such a command (or a
// Shutdown, Hibernate or Multimedia task of an untrusted task file).
inline constexpr int kLineCommandFromOtherUser = 270;

}  // namespace waktuna
