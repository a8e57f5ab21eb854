// The refusals that keep the uninstaller from removing anything but an installation folder:
// pure checks over plain paths, and the gathering of the system's protected folders.
#pragma once
#include <string>
#include <vector>

namespace uninst {

enum class Refusal {
    None,
    NotInstalledUninstaller,  // the argument is no existing file named like the running copy
    NoFolder,                 // empty, "\" alone, or not a full path
    DriveRoot,                // "C:\", or the root of a network share
    ProtectedFolder,          // a system or user folder, or one holding such a folder
};

struct tagStage2Facts {
    std::wstring argument;        // the stage-2 argument as given
    bool argumentIsFile = false;  // it names an existing file (not a folder)
    std::wstring runningExePath;  // the running copy's own path
    std::wstring installFolder;   // the installation path, made full (no "..", no ".")
    std::vector<std::wstring> protectedFolders;
};

// None when removal may go ahead.
Refusal CheckStage2(const tagStage2Facts& facts);

// What the message box says for a refusal.
std::wstring RefusalMessage(Refusal refusal);

// "C:\", "C:", "\\server\share\" and the like.
bool IsDriveOrShareRoot(const std::wstring& path);
bool IsFullPath(const std::wstring& path);
// True when folder is inner itself or one of its ancestors.
bool FolderContains(const std::wstring& folder, const std::wstring& inner);

// The Windows and system folders, Program Files, the user profile with its known folders,
// the all-users folders and the temporary folder, as this system reports them.
std::vector<std::wstring> SystemProtectedFolders();

}  // namespace uninst
