// Command tasks and who saved the task file. The task file lies in a folder
// every user may write (see prepare_machine.h), so before a Command task runs
// its file is checked against core's rule (waktuna/watch/command_rule.h).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "waktuna/watch/command_rule.h"

namespace app {

// A SID as its text ("S-1-5-…"); nothing for an invalid one.
std::optional<std::string> SidText(PSID sid);
// The owner of a file or folder as a SID text ("S-1-5-…"); nothing when the
// file has none or it cannot be read.
std::optional<std::string> OwnerSidOf(const std::string& path);
// The user this process runs for, as a SID text.
std::optional<std::string> CurrentUserSid();

// The rule applied to the task file as it is now.
waktuna::CommandVerdict CheckTaskFileCommands(const std::string& task_file);

// Runs a Command task when the rule allows it: opens `command` with the shell
// (verb "open", no owner window, since the main window is hidden or disabled
// under a dialog; the shell's result is not reported). False when it was
// refused; the caller then warns the user.
bool RunTaskCommand(const std::string& task_file, const std::string& command);

}  // namespace app
