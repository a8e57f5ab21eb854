// The refusals that keep the uninstaller from removing anything but an installation folder.
#include "SafetyChecks.h"

#include <windows.h>
#include <shlobj.h>

#include "UninstPaths.h"

namespace uninst {

// Separators made "\", trailing ones dropped, so that equal folders compare equal.
static std::wstring FolderKey(std::wstring path) {
    for (auto& c : path) {
        if (c == L'/') c = L'\\';
    }
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

bool IsFullPath(const std::wstring& path) {
    bool drive = path.size() >= 3 && iswalpha(path[0]) && path[1] == L':' && IsPathSeparator(path[2]);
    bool share = path.size() >= 3 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]) &&
                 !IsPathSeparator(path[2]);
    return drive || share;
}

bool IsDriveOrShareRoot(const std::wstring& path) {
    std::wstring key = FolderKey(path);
    if (key.size() == 2 && key[1] == L':') return true;
    if (key.size() > 2 && key[0] == L'\\' && key[1] == L'\\') {
        // "\\server\share" is a root; anything deeper is a folder on it.
        size_t server = key.find(L'\\', 2);
        return server == std::wstring::npos || key.find(L'\\', server + 1) == std::wstring::npos;
    }
    return false;
}

bool FolderContains(const std::wstring& folder, const std::wstring& inner) {
    std::wstring outer = FolderKey(folder), in = FolderKey(inner);
    if (outer.empty() || in.size() < outer.size()) return false;
    if (!SamePathText(in.substr(0, outer.size()), outer)) return false;
    return in.size() == outer.size() || in[outer.size()] == L'\\';
}

static bool IsNamedLikeRunningCopy(const tagStage2Facts& facts) {
    std::wstring name = LastPathElement(facts.argument);
    return !name.empty() && SamePathText(name, LastPathElement(facts.runningExePath));
}

Refusal CheckStage2(const tagStage2Facts& facts) {
    if (!facts.argumentIsFile || !IsNamedLikeRunningCopy(facts)) return Refusal::NotInstalledUninstaller;
    const std::wstring& folder = facts.installFolder;
    if (FolderKey(folder).empty() || !IsFullPath(folder)) return Refusal::NoFolder;
    if (IsDriveOrShareRoot(folder)) return Refusal::DriveRoot;
    for (const auto& guarded : facts.protectedFolders) {
        if (FolderContains(folder, guarded)) return Refusal::ProtectedFolder;
    }
    return Refusal::None;
}

std::wstring RefusalMessage(Refusal refusal) {
    switch (refusal) {
    case Refusal::NotInstalledUninstaller: return L"无法卸载：参数没有指向安装文件夹中的卸载程序。";
    case Refusal::NoFolder: return L"无法卸载：安装路径为空或不是完整路径。";
    case Refusal::DriveRoot: return L"无法卸载：安装路径是驱动器的根目录。";
    case Refusal::ProtectedFolder: return L"无法卸载：安装路径是系统或用户的文件夹。";
    case Refusal::None: break;
    }
    return std::wstring();
}

static void AddFolder(std::vector<std::wstring>& out, const wchar_t* path) {
    if (path && *path) out.emplace_back(path);
}

static void AddSpecialFolders(std::vector<std::wstring>& out) {
    static const int kFolders[] = {
        CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_SYSTEMX86, CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86,
        CSIDL_PROGRAM_FILES_COMMON, CSIDL_PROGRAM_FILES_COMMONX86, CSIDL_PROFILE,
        CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL, CSIDL_MYPICTURES, CSIDL_MYMUSIC, CSIDL_MYVIDEO,
        CSIDL_APPDATA, CSIDL_LOCAL_APPDATA, CSIDL_PROGRAMS, CSIDL_STARTMENU, CSIDL_STARTUP,
        CSIDL_FAVORITES, CSIDL_TEMPLATES, CSIDL_FONTS, CSIDL_COMMON_APPDATA,
        CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_DOCUMENTS, CSIDL_COMMON_PROGRAMS,
        CSIDL_COMMON_STARTMENU,
    };
    for (int id : kFolders) {
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path))) AddFolder(out, path);
    }
}

static void AddDownloads(std::vector<std::wstring>& out) {
    PWSTR path = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Downloads, 0, nullptr, &path))) AddFolder(out, path);
    CoTaskMemFree(path);
}

std::vector<std::wstring> SystemProtectedFolders() {
    std::vector<std::wstring> out;
    wchar_t path[MAX_PATH + 1] = {};
    if (GetWindowsDirectoryW(path, MAX_PATH)) AddFolder(out, path);
    if (GetSystemDirectoryW(path, MAX_PATH)) AddFolder(out, path);
    if (GetTempPathW(MAX_PATH + 1, path)) AddFolder(out, path);
    AddSpecialFolders(out);
    AddDownloads(out);
    // The folder of all profiles: the parent of this user's profile.
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, SHGFP_TYPE_CURRENT, path))) {
        AddFolder(out, RemoveLastPathElement(path).c_str());
    }
    return out;
}

}  // namespace uninst
