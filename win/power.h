// The system actions: shutting down, hibernating, asking whether hibernation
// is possible, minimising all windows; and the program's two folders.
#pragma once

#include <functional>
#include <string>

namespace app {

// The Windows 95/98/ME family: no security model, no common data folder.
bool IsWin9xFamily();

// Shuts the computer down (and powers it off), closing programs without
// asking. Nothing happens when a privilege cannot be looked up.
void Shutdown();
// Hibernates through POWRPROF.DLL; nothing happens when it or its entry point
// is missing. The outcome is not reported.
void Hibernate();
// True when the system says it can hibernate; false when POWRPROF.DLL (or the
// library named) or its entry point is missing.
bool IsHibernateAllowed(const char* library = "POWRPROF.DLL");
// The Windows+M chord: every top-level window is minimised.
void MinimizeAllWindows();

// The folder of the program file, ending in a backslash.
std::string ProgramFolder();

// The program's data folder, ending in a backslash: "<common application
// data>\ravenhall\waktuna3\", created when missing; empty when the common
// folder is unknown. On the 9x family the program's own folder.
std::string GetAppDataFolder();

// The user's own data folder, ending in a backslash: "<the user's
// application data>\ravenhall\waktuna3\" (roaming); not created here, the
// first save creates it (CreateDataFolder). Empty when the folder is
// unknown; on the 9x family the program's own folder.
std::string GetUserDataFolder();
// The machine-wide data folder as GetAppDataFolder names it, without creating
// it: only the installer's preparation makes it, so that a folder a user made
// there is never mistaken for the administrators' own.
std::string MachineDataFolder();
// Creates a data folder (ending in a backslash) and its parent folder when
// missing; true when it is there afterwards.
bool CreateDataFolder(const std::string& folder);
// Whether this process runs with the Administrators group in force (an
// elevated administrator): it may then write the machine-wide task file.
bool IsElevatedAdministrator();

// The steps after the common folder is known, for that folder. `refused` is
// told the message when the folder cannot be created (the path is still
// returned).
using FolderMessage = std::function<void(const std::string& text)>;
std::string AppDataFolderBelow(const std::string& common, const FolderMessage& refused);

}  // namespace app
