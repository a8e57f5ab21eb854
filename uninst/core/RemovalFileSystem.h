// What the removal needs from a file system, so that its order and counting can be tested on a
// recorded fake while the program uses the Win32 one (Win32FileSystem.h).
#pragma once
#include <string>
#include <vector>

namespace uninst {

struct tagFolderItem {
    std::wstring name;
    bool isFolder = false;
    bool isLink = false;  // a reparse point: a junction or a symbolic link
};

class IRemovalFileSystem {
public:
    virtual ~IRemovalFileSystem() = default;
    // The items of a folder (its path ends with a separator) in the file system's order, "." and
    // ".." included; false when the search cannot start.
    virtual bool ListFolder(const std::wstring& folder, std::vector<tagFolderItem>& items) = 0;
    virtual bool IsFolder(const std::wstring& path) = 0;  // exists and is a folder (or a folder link)
    // Delete a file, remove an empty folder, move a file: each removes a link itself, never what
    // it points at, or leaves it alone when that is impossible.
    virtual bool RemoveFile(const std::wstring& path) = 0;
    virtual bool RemoveFolder(const std::wstring& path) = 0;
    virtual bool RenameFile(const std::wstring& from, const std::wstring& to) = 0;
    virtual std::wstring TempFolder() = 0;  // ends with "\"
};

}  // namespace uninst
