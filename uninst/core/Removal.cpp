// The removal of an installation. Every file, folder and registry failure is passed over on
// purpose: what cannot go stays, and the progress display moves on past it.
#include "Removal.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "Placeholders.h"
#include "UninstPaths.h"

namespace uninst {

const wchar_t* const kShortcuts[3] = {
    L"{usersmprograms}\\Capturo\\VellumdocCapturo.lnk",
    L"{usersmprograms}\\Capturo\\Capturo.lnk",
    L"{userdesktop}\\Capturo.lnk",
};
const wchar_t kStartMenuFolder[] = L"{usersmprograms}\\Capturo";

const wchar_t* const kRegistryKeys[2] = {
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Capturo",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Capturo.exe",
};

static void AppendTree(IRemovalFileSystem& fs, const std::wstring& path, std::vector<std::wstring>& out) {
    std::wstring folder = WithTrailingSeparator(path);
    std::vector<tagFolderItem> items;
    if (!fs.ListFolder(folder, items)) return;
    for (const auto& item : items) {
        if (!item.isFolder) {
            out.push_back(folder + item.name);
        } else if (!item.name.empty() && item.name[0] != L'.') {
            out.push_back(folder + item.name);
            if (!item.isLink) AppendTree(fs, folder + item.name, out);
        }
    }
}

std::vector<std::wstring> ListFolderTree(IRemovalFileSystem& fs, const std::wstring& path) {
    std::vector<std::wstring> out;
    AppendTree(fs, path, out);
    return out;
}

int ProgressPercent(int done, int total) { return total > 0 ? done * 100 / total : 0; }

std::wstring ProgressText(int percent) {
    wchar_t text[64];
    swprintf(text, 64, L"正在卸载，请不要关闭：%d%%", percent);
    return text;
}

void RemoveFileOrMoveAside(IRemovalFileSystem& fs, const std::wstring& path) {
    if (fs.IsFolder(path)) return;
    if (fs.RemoveFile(path)) return;
    std::wstring aside = path + L".del";
    fs.RenameFile(path, aside);
    fs.RemoveFile(aside);
    std::wstring target = fs.TempFolder() + LastPathElement(path);
    fs.RemoveFile(target);
    fs.RenameFile(aside, target);
    fs.RemoveFile(aside);
}

static void ReportStep(IRemovalProgress& progress, int value, int percent) {
    progress.SetValue(value);
    progress.SetText(ProgressText(percent));
}

void RemoveInstallFolder(IRemovalFileSystem& fs, IRemovalProgress& progress, const std::wstring& path) {
    std::vector<std::wstring> entries = ListFolderTree(fs, path);
    entries.push_back(path);
    const int total = static_cast<int>(entries.size());
    progress.SetRange(0, total);
    int removed = 0;
    std::vector<std::wstring> folders;
    for (int i = 0; i < total; ++i) {
        if (fs.IsFolder(entries[i])) {
            folders.push_back(entries[i]);
            continue;
        }
        RemoveFileOrMoveAside(fs, entries[i]);
        ReportStep(progress, removed, ProgressPercent(i, total));
        ++removed;
    }
    // Longest first: children go before their parents, the installation folder last.
    std::stable_sort(folders.begin(), folders.end(),
                     [](const std::wstring& a, const std::wstring& b) { return a.size() > b.size(); });
    for (const auto& folder : folders) {
        fs.RemoveFolder(folder);
        ReportStep(progress, removed, ProgressPercent(removed, total));
        ++removed;
    }
    std::wstring bare = EndsWithSeparator(path) ? path.substr(0, path.size() - 1) : path;
    if (!fs.RemoveFolder(bare)) fs.RemoveFile(bare);
}

void RemoveShortcuts(IRemovalFileSystem& fs) {
    for (const wchar_t* shortcut : kShortcuts) fs.RemoveFile(ExpandFolderPlaceholders(shortcut));
    fs.RemoveFolder(ExpandFolderPlaceholders(kStartMenuFolder));
}

void RemoveRegistryKeys() {
    for (const wchar_t* key : kRegistryKeys) RegDeleteTreeW(HKEY_CURRENT_USER, key);
}

}  // namespace uninst
