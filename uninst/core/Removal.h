// The removal of an installation: listing its tree, removing files and folders while the
// progress display counts, the shortcuts and the registry keys. Every failure is passed over.
#pragma once
#include <string>
#include <vector>

#include "RemovalFileSystem.h"

namespace uninst {

// Where the removal reports its progress, in the order it makes the changes.
class IRemovalProgress {
public:
    virtual ~IRemovalProgress() = default;
    virtual void SelectPage(int page) = 0;
    virtual void SetRange(int minimum, int maximum) = 0;
    virtual void SetValue(int value) = 0;
    virtual void SetText(const std::wstring& text) = 0;
};

constexpr int kChoicePage = 0;
constexpr int kProgressPage = 1;
constexpr int kFinishPage = 2;

// Everything under the folder in pre-order; folders whose names begin with "." are skipped
// with their contents, and folder links are listed but never entered.
std::vector<std::wstring> ListFolderTree(IRemovalFileSystem& fs, const std::wstring& path);

// "正在卸载，请不要关闭：25%".
std::wstring ProgressText(int percent);
// The whole percentage of done out of total (integer division).
int ProgressPercent(int done, int total);

// Removes the tree under path (which ends with a separator) and the folder itself.
void RemoveInstallFolder(IRemovalFileSystem& fs, IRemovalProgress& progress, const std::wstring& path);

// Deletes a file, or renames it with ".del" and moves it into the temporary folder.
void RemoveFileOrMoveAside(IRemovalFileSystem& fs, const std::wstring& path);

// The shortcuts in the order they are deleted, then the Start menu folder, with placeholders.
extern const wchar_t* const kShortcuts[3];
extern const wchar_t kStartMenuFolder[];
// Deletes the expanded shortcuts, then the Start menu folder when it is empty.
void RemoveShortcuts(IRemovalFileSystem& fs);

// The two keys under HKEY_CURRENT_USER, deleted in this order with all they hold.
extern const wchar_t* const kRegistryKeys[2];
void RemoveRegistryKeys();

}  // namespace uninst
