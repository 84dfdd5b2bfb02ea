// Command tasks, who saved a file, and the task files' folders. Whether a
// task file is trusted is decided when it is read (waktuna/files/tasks.h);
// a Command task that reaches the desktop is run as it is.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "waktuna/files/files.h"

namespace app {

// A SID as its text ("S-1-5-…"); nothing for an invalid one.
std::optional<std::string> SidText(PSID sid);
// The user this process runs for, as a SID text.
std::optional<std::string> CurrentUserSid();

// Runs a Command task: opens `command` with the shell (verb "open", no owner
// window, since the main window is hidden or disabled under a dialog; the
// shell's result is not reported).
void RunTaskCommand(const std::string& command);

// ---- The old machine-wide task file ---------------------------------------------
//
// Before each user had a task file of their own, everyone's tasks lay in the
// machine-wide folder, which older installations let the Users group write.

// True when the folder's access list lets Users, Authenticated Users or
// Everyone write into it (add, replace or delete files, change its
// security), or when it cannot be read or has no access list at all: what
// lies there may then have been put there by any user.
bool FolderLetsOthersWrite(const std::string& folder);
// The same for an access list (nullptr: none, everybody may do everything).
bool AclLetsOthersWrite(const ACL* dacl);

// Whether the old machine-wide file is copied to the user's own folder: only
// when the user has no file of their own yet, owns the old file and nobody
// else could have written into its folder.
bool MayCopyOldTaskFile(bool ownExists, const waktuna::OwnedFile& old, bool folderLetsOthersWrite);

// On the first start after an upgrade: copies "<machineFolder>Task.dat" to
// "<userFolder>Task.dat" (creating the user's folder) when MayCopyOldTaskFile
// allows it. The copy is created only when no file of that name exists, so a
// file of the user's is never replaced. True when a copy was made.
bool CopyOldTaskFile(const std::string& machineFolder, const std::string& userFolder);

}  // namespace app
