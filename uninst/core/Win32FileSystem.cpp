// The removal's file system on Win32, link-safe under Wine.
#include "Win32FileSystem.h"

#include <windows.h>

#include "UninstPaths.h"
#include "uilib/core/Handles.h"

namespace uninst {

using uilib::KernelHandle;

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

static std::wstring WithoutLongPrefix(const std::wstring& path) {
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) return L"\\\\" + path.substr(8);
    if (path.compare(0, 4, L"\\\\?\\") == 0) return path.substr(4);
    return path;
}

bool SameFinalPath(const std::wstring& finalPath, const std::wstring& expected) {
    return SamePathText(WithoutLongPrefix(finalPath), WithoutLongPrefix(expected));
}

// The NT form (not the DOS one, which costs a look at every drive letter under Wine); files and
// their folders are compared in the same form.
static std::wstring FinalPathOf(HANDLE handle) {
    wchar_t buffer[MAX_PATH * 4];
    DWORD n = GetFinalPathNameByHandleW(handle, buffer, MAX_PATH * 4, FILE_NAME_NORMALIZED | VOLUME_NAME_NT);
    if (n == 0 || n >= MAX_PATH * 4) return {};
    return std::wstring(buffer, n);
}

static constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
static constexpr DWORD kOpenItself = FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS;

static KernelHandle OpenItself(const std::wstring& path, DWORD access) {
    return KernelHandle(CreateFileW(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING, kOpenItself, nullptr));
}

CWin32FileSystem::CWin32FileSystem(bool linksRemovable) : linksRemovable_(linksRemovable) {}

bool CWin32FileSystem::ListFolder(const std::wstring& folder, std::vector<tagFolderItem>& items) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileExW((folder + L"*.*").c_str(), FindExInfoBasic, &data,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        items.push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                         (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileW(search, &data));
    FindClose(search);
    return true;
}

bool CWin32FileSystem::IsFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

const std::wstring* CWin32FileSystem::FolderFinalPath(const std::wstring& folder) {
    auto found = folderFinalPaths_.find(folder);
    if (found == folderFinalPaths_.end()) {
        // Links above the folder are resolved here too, so they do not count against its items.
        KernelHandle handle(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        found = folderFinalPaths_.emplace(folder, handle ? FinalPathOf(handle.Get()) : std::wstring()).first;
    }
    return found->second.empty() ? nullptr : &found->second;
}

static std::wstring WithoutTrailingSeparator(const std::wstring& path) {
    return EndsWithSeparator(path) && path.size() > 1 ? path.substr(0, path.size() - 1) : path;
}

bool CWin32FileSystem::IsLinkByHandle(void* handle, const std::wstring& itemPath) {
    std::wstring path = WithoutTrailingSeparator(itemPath);
    const std::wstring* folder = FolderFinalPath(RemoveLastPathElement(path));
    std::wstring own = FinalPathOf(handle);
    if (!folder || own.empty()) return true;
    return !SameFinalPath(own, WithTrailingSeparator(*folder) + LastPathElement(path));
}

bool CWin32FileSystem::IsLink(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return true;
    KernelHandle handle = OpenItself(path, FILE_READ_ATTRIBUTES);
    return !handle || IsLinkByHandle(handle.Get(), path);
}

bool CWin32FileSystem::RemoveFile(const std::wstring& path) {
    if (linksRemovable_) return ::DeleteFileW(path.c_str()) != FALSE;
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY))) {
        return false;
    }
    // One handle both proves the file is no link and deletes it, which keeps the check cheap.
    KernelHandle handle = OpenItself(path, DELETE | FILE_READ_ATTRIBUTES);
    if (!handle) return !IsLink(path) && ::DeleteFileW(path.c_str());
    if (IsLinkByHandle(handle.Get(), path)) return false;
    FILE_DISPOSITION_INFO disposition = {TRUE};
    return SetFileInformationByHandle(handle.Get(), FileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

bool CWin32FileSystem::RemoveFolder(const std::wstring& path) {
    if (!linksRemovable_ && IsLink(path)) return false;
    return ::RemoveDirectoryW(path.c_str()) != FALSE;
}

bool CWin32FileSystem::RenameFile(const std::wstring& from, const std::wstring& to) {
    if (!linksRemovable_ && IsLink(from)) return false;
    return ::MoveFileW(from.c_str(), to.c_str()) != FALSE;
}

std::wstring CWin32FileSystem::TempFolder() {
    if (temp_.empty()) {
        wchar_t path[MAX_PATH + 1] = {};
        if (GetTempPathW(MAX_PATH + 1, path)) temp_ = path;
    }
    return temp_;
}

}  // namespace uninst
