// The removal's file system on Win32. Under Wine, deleting a link deletes its target and a file
// link looks like a plain file, so there every delete, move and folder removal first makes sure
// the path is no link (reparse-point attribute, or a final path that differs from its own) and
// leaves links alone; on Windows the plain calls remove links themselves.
#pragma once
#include <string>
#include <unordered_map>

#include "RemovalFileSystem.h"

namespace uninst {

bool RunningUnderWine();

// The final path "\\?\C:\a\b" compared with the expected "C:\a\b", case-insensitively.
bool SameFinalPath(const std::wstring& finalPath, const std::wstring& expected);

// Owned by one thread (the removal worker).
class CWin32FileSystem : public IRemovalFileSystem {
public:
    explicit CWin32FileSystem(bool linksRemovable = !RunningUnderWine());

    bool ListFolder(const std::wstring& folder, std::vector<tagFolderItem>& items) override;
    bool IsFolder(const std::wstring& path) override;
    bool RemoveFile(const std::wstring& path) override;
    bool RemoveFolder(const std::wstring& path) override;
    bool RenameFile(const std::wstring& from, const std::wstring& to) override;
    std::wstring TempFolder() override;

    // True when the path is a link or cannot be shown not to be one.
    bool IsLink(const std::wstring& path);

private:
    bool IsLinkByHandle(void* handle, const std::wstring& path);
    const std::wstring* FolderFinalPath(const std::wstring& folder);

    bool linksRemovable_;
    std::wstring temp_;
    std::unordered_map<std::wstring, std::wstring> folderFinalPaths_;  // "" when unknown
};

}  // namespace uninst
