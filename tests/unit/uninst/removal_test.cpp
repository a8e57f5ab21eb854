// The removal's listing order, its progress texts and values, and what stays behind.
#include <doctest.h>

#include "FakeFileSystem.h"
#include "uninst/core/Placeholders.h"
#include "uninst/core/Removal.h"

using namespace uninst;

namespace {

// Records the progress changes as text, in the order they were made.
class CRecordedProgress : public IRemovalProgress {
public:
    std::vector<std::wstring> events;
    void SelectPage(int page) override { events.push_back(L"page " + std::to_wstring(page)); }
    void SetRange(int minimum, int maximum) override {
        events.push_back(L"range " + std::to_wstring(minimum) + L" " + std::to_wstring(maximum));
    }
    void SetValue(int value) override { events.push_back(L"value " + std::to_wstring(value)); }
    void SetText(const std::wstring& text) override { events.push_back(text); }
};

using Paths = std::vector<std::wstring>;

CFakeFileSystem InstallOf(const std::vector<tagFakeItem>& items) {
    CFakeFileSystem fs;
    fs.Folder(L"C:\\inst");
    for (const auto& item : items) fs.items.push_back(item);
    return fs;
}

tagFakeItem F(const wchar_t* path) { return {path}; }
tagFakeItem D(const wchar_t* path) { return {path, true}; }
tagFakeItem Link(const wchar_t* path) { return {path, true, true}; }

}  // namespace

TEST_CASE("ListFolderTree lists in pre-order and skips folders whose names begin with a dot") {
    struct Case {
        const char* name;
        std::vector<tagFakeItem> items;
        Paths expected;
    } cases[] = {
        {"three files in search order", {F(L"C:\\inst\\x"), F(L"C:\\inst\\y"), F(L"C:\\inst\\z")},
         {L"C:\\inst\\x", L"C:\\inst\\y", L"C:\\inst\\z"}},
        {"a folder stands before its contents",
         {D(L"C:\\inst\\a"), F(L"C:\\inst\\a\\b"), D(L"C:\\inst\\a\\c"), F(L"C:\\inst\\a\\c\\d"), F(L"C:\\inst\\e")},
         {L"C:\\inst\\a", L"C:\\inst\\a\\b", L"C:\\inst\\a\\c", L"C:\\inst\\a\\c\\d", L"C:\\inst\\e"}},
        {"dot folders are neither listed nor entered, dot files are listed",
         {D(L"C:\\inst\\.cache"), F(L"C:\\inst\\.cache\\f"), D(L"C:\\inst\\a"), D(L"C:\\inst\\a\\.git"),
          F(L"C:\\inst\\a\\.git\\g"), F(L"C:\\inst\\.hidden")},
         {L"C:\\inst\\a", L"C:\\inst\\.hidden"}},
        {"a folder link is listed but not entered",
         {Link(L"C:\\inst\\ln"), F(L"C:\\inst\\ln\\outside"), F(L"C:\\inst\\x")}, {L"C:\\inst\\ln", L"C:\\inst\\x"}},
        {"an empty folder lists nothing", {}, {}},
    };
    for (const auto& c : cases) {
        CAPTURE(c.name);
        CFakeFileSystem fs = InstallOf(c.items);
        CHECK(ListFolderTree(fs, L"C:\\inst\\") == c.expected);
        CHECK(ListFolderTree(fs, L"C:\\inst") == c.expected);  // a separator is appended
    }
    CFakeFileSystem none;
    CHECK(ListFolderTree(none, L"C:\\missing\\").empty());
}

TEST_CASE("progress texts and bar values count files first, then folders") {
    struct Case {
        const char* name;
        std::vector<tagFakeItem> items;
        bool installExists;
        Paths expected;
    } cases[] = {
        {"three files x, y, z: N = 4", {F(L"C:\\inst\\x"), F(L"C:\\inst\\y"), F(L"C:\\inst\\z")}, true,
         {L"range 0 4", L"value 0", L"正在卸载，请不要关闭：0%", L"value 1", L"正在卸载，请不要关闭：25%", L"value 2",
          L"正在卸载，请不要关闭：50%", L"value 3", L"正在卸载，请不要关闭：75%"}},
        {"a missing folder: N = 1", {}, false, {L"range 0 1", L"value 0", L"正在卸载，请不要关闭：0%"}},
        {"a subfolder: its file counts as entry 1, the folders come after",
         {D(L"C:\\inst\\a"), F(L"C:\\inst\\a\\b")}, true,
         {L"range 0 3", L"value 0", L"正在卸载，请不要关闭：33%", L"value 1", L"正在卸载，请不要关闭：33%", L"value 2",
          L"正在卸载，请不要关闭：66%"}},
    };
    for (const auto& c : cases) {
        CAPTURE(c.name);
        CFakeFileSystem fs = c.installExists ? InstallOf(c.items) : CFakeFileSystem();
        CRecordedProgress progress;
        RemoveInstallFolder(fs, progress, L"C:\\inst\\");
        CHECK(progress.events == c.expected);
        CHECK(fs.items.empty());
    }
}

TEST_CASE("ProgressText and ProgressPercent") {
    CHECK(ProgressText(0) == L"正在卸载，请不要关闭：0%");
    CHECK(ProgressText(99) == L"正在卸载，请不要关闭：99%");
    CHECK(ProgressPercent(2, 3) == 66);
    CHECK(ProgressPercent(0, 0) == 0);
}

TEST_CASE("what the removal leaves behind") {
    tagFakeItem readOnly = F(L"C:\\inst\\ro.txt");
    readOnly.readOnly = true;
    tagFakeItem inUse = F(L"C:\\inst\\bin\\busy.dll");
    inUse.locked = true;
    struct Case {
        const char* name;
        std::vector<tagFakeItem> items;
        Paths left;
    } cases[] = {
        {"a read-only file goes to the temporary folder under its own name", {readOnly, F(L"C:\\inst\\x")},
         {L"T:\\tmp\\ro.txt"}},
        {"a file in use stays with .del, and so do the folders holding it",
         {D(L"C:\\inst\\bin"), inUse, F(L"C:\\inst\\bin\\ok.dll"), F(L"C:\\inst\\x")},
         {L"C:\\inst", L"C:\\inst\\bin", L"C:\\inst\\bin\\busy.dll"}},
        {"a .cache folder stays with its parents",
         {D(L"C:\\inst\\data"), D(L"C:\\inst\\data\\.cache"), F(L"C:\\inst\\data\\.cache\\c"), F(L"C:\\inst\\x")},
         {L"C:\\inst", L"C:\\inst\\data", L"C:\\inst\\data\\.cache", L"C:\\inst\\data\\.cache\\c"}},
        {"a folder link that cannot be removed alone stays, its target's files untouched",
         {Link(L"C:\\inst\\ln"), F(L"C:\\inst\\ln\\outside"), F(L"C:\\inst\\x")},
         {L"C:\\inst", L"C:\\inst\\ln", L"C:\\inst\\ln\\outside"}},
    };
    for (const auto& c : cases) {
        CAPTURE(c.name);
        CFakeFileSystem fs = InstallOf(c.items);
        CRecordedProgress progress;
        RemoveInstallFolder(fs, progress, L"C:\\inst\\");
        CHECK(fs.Paths() == c.left);
    }
}

TEST_CASE("RemoveFileOrMoveAside takes the steps in order") {
    struct Case {
        const char* name;
        tagFakeItem file;
        Paths log;
    } cases[] = {
        {"a plain file is deleted at once", F(L"C:\\inst\\x"), {L"delete C:\\inst\\x"}},
        {"a read-only file is renamed, then moved", {L"C:\\inst\\x", false, false, true},
         {L"delete C:\\inst\\x failed", L"move C:\\inst\\x C:\\inst\\x.del", L"delete C:\\inst\\x.del failed",
          L"delete T:\\tmp\\x failed", L"move C:\\inst\\x.del T:\\tmp\\x", L"delete C:\\inst\\x.del failed"}},
        {"a folder is left alone", D(L"C:\\inst\\x"), {}},
    };
    for (const auto& c : cases) {
        CAPTURE(c.name);
        CFakeFileSystem fs = InstallOf({c.file});
        RemoveFileOrMoveAside(fs, L"C:\\inst\\x");
        CHECK(fs.log == c.log);
    }
}

TEST_CASE("RemoveShortcuts deletes the three shortcuts in order, then the Start menu folder") {
    CFakeFileSystem fs;
    RemoveShortcuts(fs);
    std::wstring programs = ExpandFolderPlaceholders(L"{usersmprograms}");
    std::wstring desktop = ExpandFolderPlaceholders(L"{userdesktop}");
    Paths expected = {L"delete " + programs + L"\\Capturo\\VellumdocCapturo.lnk failed",
                      L"delete " + programs + L"\\Capturo\\Capturo.lnk failed",
                      L"delete " + desktop + L"\\Capturo.lnk failed", L"rmdir " + programs + L"\\Capturo failed"};
    CHECK(fs.log == expected);
}
