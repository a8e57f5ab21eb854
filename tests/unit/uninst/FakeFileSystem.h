// A recorded in-memory file system for the removal tests: items keep the order they were added
// in, which stands for the search order; links, read-only and in-use files refuse as Win32 does.
#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "uninst/core/RemovalFileSystem.h"

struct tagFakeItem {
    std::wstring path;  // no trailing separator
    bool folder = false;
    bool link = false;
    bool readOnly = false;  // delete refused, rename allowed
    bool locked = false;    // in use without delete sharing: delete and rename refused
};

class CFakeFileSystem : public uninst::IRemovalFileSystem {
public:
    std::vector<tagFakeItem> items;
    std::vector<std::wstring> log;

    void File(const std::wstring& path) { items.push_back({path}); }
    void Folder(const std::wstring& path) { items.push_back({path, true}); }
    bool Exists(const std::wstring& path) const { return Find(path) != nullptr; }
    std::vector<std::wstring> Paths() const {
        std::vector<std::wstring> out;
        for (const auto& item : items) out.push_back(item.path);
        return out;
    }

    bool ListFolder(const std::wstring& folder, std::vector<uninst::tagFolderItem>& out) override {
        const tagFakeItem* self = Find(folder);
        if (!self || !self->folder) return false;
        out.push_back({L".", true, false});
        out.push_back({L"..", true, false});
        std::wstring prefix = Key(folder) + L"\\";
        for (const auto& item : items) {
            bool inside = item.path.compare(0, prefix.size(), prefix) == 0;
            if (inside && item.path.find(L'\\', prefix.size()) == std::wstring::npos) {
                out.push_back({item.path.substr(prefix.size()), item.folder, item.link});
            }
        }
        return true;
    }
    bool IsFolder(const std::wstring& path) override {
        const tagFakeItem* item = Find(path);
        return item && item->folder;
    }
    bool RemoveFile(const std::wstring& path) override {
        tagFakeItem* item = Find(path);
        bool ok = item && !item->folder && !item->link && !item->readOnly && !item->locked;
        log.push_back(L"delete " + path + (ok ? L"" : L" failed"));
        if (ok) Erase(path);
        return ok;
    }
    bool RemoveFolder(const std::wstring& path) override {
        tagFakeItem* item = Find(path);
        bool ok = item && item->folder && !item->link && !HasChildren(path);
        log.push_back(L"rmdir " + path + (ok ? L"" : L" failed"));
        if (ok) Erase(path);
        return ok;
    }
    bool RenameFile(const std::wstring& from, const std::wstring& to) override {
        tagFakeItem* item = Find(from);
        bool ok = item && !item->folder && !item->link && !item->locked && !Find(to);
        log.push_back(L"move " + from + L" " + to + (ok ? L"" : L" failed"));
        if (ok) item->path = Key(to);
        return ok;
    }
    std::wstring TempFolder() override { return L"T:\\tmp\\"; }

private:
    static std::wstring Key(std::wstring path) {
        while (!path.empty() && path.back() == L'\\') path.pop_back();
        return path;
    }
    tagFakeItem* Find(const std::wstring& path) {
        std::wstring key = Key(path);
        for (auto& item : items) {
            if (item.path == key) return &item;
        }
        return nullptr;
    }
    const tagFakeItem* Find(const std::wstring& path) const { return const_cast<CFakeFileSystem*>(this)->Find(path); }
    bool HasChildren(const std::wstring& path) const {
        std::wstring prefix = Key(path) + L"\\";
        return std::any_of(items.begin(), items.end(),
                           [&](const tagFakeItem& i) { return i.path.compare(0, prefix.size(), prefix) == 0; });
    }
    void Erase(const std::wstring& path) {
        std::wstring key = Key(path);
        items.erase(std::remove_if(items.begin(), items.end(), [&](const tagFakeItem& i) { return i.path == key; }),
                    items.end());
    }
};
