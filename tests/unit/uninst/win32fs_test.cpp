// The Win32 file system of the removal, on real folders in the temporary folder.
#include <doctest.h>
#include <windows.h>

#include "uninst/core/Removal.h"
#include "uninst/core/Win32FileSystem.h"

using namespace uninst;

namespace {

class CNoProgress : public IRemovalProgress {
public:
    void SelectPage(int) override {}
    void SetRange(int, int) override {}
    void SetValue(int) override {}
    void SetText(const std::wstring&) override {}
};

std::wstring TempFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, path);
    return path;
}

void WriteFile(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    REQUIRE(h != INVALID_HANDLE_VALUE);
    CloseHandle(h);
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

TEST_CASE("SameFinalPath drops the long-path prefix and ignores case") {
    struct Case {
        const wchar_t* finalPath;
        const wchar_t* expected;
        bool same;
    } cases[] = {
        {L"\\\\?\\C:\\Inst\\x.dll", L"C:\\inst\\X.DLL", true},
        {L"\\\\?\\UNC\\srv\\share\\x", L"\\\\srv\\share\\x", true},
        {L"\\\\?\\Z:\\tmp\\outside\\x", L"C:\\inst\\x", false},
        {L"C:\\inst\\x", L"C:\\inst\\x", true},
    };
    for (const auto& c : cases) {
        CAPTURE(std::wstring(c.finalPath));
        CHECK(SameFinalPath(c.finalPath, c.expected) == c.same);
    }
}

TEST_CASE("a real tree goes, a read-only file by way of the temporary folder") {
    std::wstring root = TempFolder() + L"uninst-unit-" + std::to_wstring(GetCurrentProcessId());
    std::wstring inst = root + L"\\";
    REQUIRE(CreateDirectoryW(root.c_str(), nullptr));
    REQUIRE(CreateDirectoryW((inst + L"sub").c_str(), nullptr));
    WriteFile(inst + L"a.txt");
    WriteFile(inst + L"sub\\b.txt");
    std::wstring readOnly = inst + L"sub\\ro-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    WriteFile(readOnly);
    SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);

    CWin32FileSystem fs;
    CHECK_FALSE(fs.IsLink(inst + L"a.txt"));
    CHECK(fs.IsLink(inst + L"missing.txt"));
    CNoProgress progress;
    RemoveInstallFolder(fs, progress, inst);

    CHECK_FALSE(Exists(root));
    std::wstring moved = TempFolder() + readOnly.substr(readOnly.rfind(L'\\') + 1);
    CHECK(Exists(moved));
    SetFileAttributesW(moved.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(moved.c_str());
}
