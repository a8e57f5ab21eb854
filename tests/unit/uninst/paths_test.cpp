// The two-stage start's paths, the folder placeholders and the refusals.
#include <doctest.h>
#include <windows.h>

#include "uninst/core/Placeholders.h"
#include "uninst/core/SafetyChecks.h"
#include "uninst/core/UninstPaths.h"

using namespace uninst;

TEST_CASE("stage 1: the temporary copy and its parameter string") {
    struct Case {
        const wchar_t* exe;
        const wchar_t* copy;
        const wchar_t* parameters;
    } cases[] = {
        {L"C:\\Program Files\\Capturo\\Uninst.exe", L"C:\\Temp\\Uninst.exe",
         L"\"C:\\Program Files\\Capturo\\Uninst.exe\""},
        {L"D:\\Apps\\Capturo\\Uninst.exe", L"C:\\Temp\\Uninst.exe", L"D:\\Apps\\Capturo\\Uninst.exe"},
        {L"D:\\Apps\\My Tool.exe", L"C:\\Temp\\My Tool.exe", L"\"D:\\Apps\\My Tool.exe\""},
    };
    for (const auto& c : cases) {
        CAPTURE(std::wstring(c.exe));
        CHECK(TemporaryCopyPath(L"C:\\Temp\\", c.exe) == c.copy);
        CHECK(Stage1Parameters(c.exe) == c.parameters);
    }
}

TEST_CASE("stage 2: the installation path always ends with a separator") {
    struct Case {
        const wchar_t* argument;
        const wchar_t* installPath;
    } cases[] = {
        {L"D:\\Apps\\Capturo\\Uninst.exe", L"D:\\Apps\\Capturo\\"},
        {L"D:/Apps/Capturo/Uninst.exe", L"D:/Apps/Capturo\\"},
        {L"D:\\Apps\\Capturo\\\\Uninst.exe", L"D:\\Apps\\Capturo\\"},
        {L"D:\\Apps\\Capturo//Uninst.exe", L"D:\\Apps\\Capturo/"},
        {L"C:\\Uninst.exe", L"C:\\"},
        {L"Uninst.exe", L"\\"},
        {L"", L"\\"},
    };
    for (const auto& c : cases) {
        CAPTURE(std::wstring(c.argument));
        CHECK(InstallPathFromArgument(c.argument) == c.installPath);
    }
}

TEST_CASE("ExpandFolderPlaceholders replaces every occurrence, exact case, in table order") {
    auto value = [](int i) { return std::wstring(L"<") + std::to_wstring(i) + L">"; };
    struct Case {
        const wchar_t* text;
        const wchar_t* expanded;
    } cases[] = {
        {L"{usersmprograms}\\Capturo\\Capturo.lnk", L"<4>\\Capturo\\Capturo.lnk"},
        {L"{userdesktop}\\a;{userdesktop}\\b", L"<2>\\a;<2>\\b"},
        {L"{UserDesktop}\\a {userdesktop", L"{UserDesktop}\\a {userdesktop"},
        {L"{commonappdata}{commondesktop}{userappdata}{sys}{computername}", L"<0><1><3><5><6>"},
        {L"plain", L"plain"},
    };
    for (const auto& c : cases) {
        CAPTURE(std::wstring(c.text));
        CHECK(ExpandFolderPlaceholders(c.text, value) == c.expanded);
    }
    // Every value is asked for on every expansion; a value is expanded by the later entries.
    int asked = 0;
    auto counting = [&](int i) { ++asked; return i == 0 ? std::wstring(L"{sys}") : std::wstring(L"S"); };
    CHECK(ExpandFolderPlaceholders(L"{commonappdata}", counting) == L"S");
    CHECK(asked == kPlaceholderCount);
}

TEST_CASE("the system's placeholders give full paths without a trailing separator") {
    std::wstring desktop = ExpandFolderPlaceholders(L"{userdesktop}");
    CHECK(IsFullPath(desktop));
    CHECK_FALSE(EndsWithSeparator(desktop));
    CHECK(ExpandFolderPlaceholders(L"{computername}").size() > 0);
}

TEST_CASE("stage 2 refuses what is no installation folder") {
    const std::vector<std::wstring> guarded = {L"C:\\windows", L"C:\\windows\\system32", L"C:\\Program Files",
                                               L"C:\\users\\me", L"C:\\users\\me\\Desktop", L"C:\\users\\me\\Temp\\"};
    struct Case {
        const wchar_t* argument;
        bool isFile;
        const wchar_t* folder;
        Refusal expected;
    } cases[] = {
        {L"C:\\Program Files\\Capturo\\Uninst.exe", true, L"C:\\Program Files\\Capturo\\", Refusal::None},
        {L"D:\\Apps\\Capturo\\uninst.EXE", true, L"D:\\Apps\\Capturo\\", Refusal::None},
        {L"C:\\users\\me\\Desktop\\Capturo\\Uninst.exe", true, L"C:\\users\\me\\Desktop\\Capturo\\", Refusal::None},
        {L"D:\\Apps\\Capturo\\Uninst.exe", false, L"D:\\Apps\\Capturo\\", Refusal::NotInstalledUninstaller},
        {L"D:\\Apps\\Capturo\\Setup.exe", true, L"D:\\Apps\\Capturo\\", Refusal::NotInstalledUninstaller},
        {L"", false, L"\\", Refusal::NotInstalledUninstaller},
        {L"Uninst.exe", true, L"\\", Refusal::NoFolder},
        {L"Uninst.exe", true, L"", Refusal::NoFolder},
        {L"Apps\\Uninst.exe", true, L"Apps\\", Refusal::NoFolder},
        {L"C:\\Uninst.exe", true, L"C:\\", Refusal::DriveRoot},
        {L"C:/Uninst.exe", true, L"C:/", Refusal::DriveRoot},
        {L"\\\\srv\\share\\Uninst.exe", true, L"\\\\srv\\share\\", Refusal::DriveRoot},
        {L"\\\\srv\\share\\Capturo\\Uninst.exe", true, L"\\\\srv\\share\\Capturo\\", Refusal::None},
        {L"C:\\windows\\Uninst.exe", true, L"C:\\windows\\", Refusal::ProtectedFolder},
        {L"C:\\WINDOWS\\system32\\Uninst.exe", true, L"C:\\WINDOWS\\system32\\", Refusal::ProtectedFolder},
        {L"C:\\Program Files\\Uninst.exe", true, L"C:\\Program Files\\", Refusal::ProtectedFolder},
        {L"C:\\users\\Uninst.exe", true, L"C:\\users\\", Refusal::ProtectedFolder},
        {L"C:\\users\\me\\Uninst.exe", true, L"C:/users/me/", Refusal::ProtectedFolder},
        {L"C:\\users\\me\\Temp\\Uninst.exe", true, L"C:\\users\\me\\Temp\\", Refusal::ProtectedFolder},
        {L"C:\\Program Files2\\Uninst.exe", true, L"C:\\Program Files2\\", Refusal::None},
    };
    for (const auto& c : cases) {
        CAPTURE(std::wstring(c.argument));
        CAPTURE(std::wstring(c.folder));
        tagStage2Facts facts{c.argument, c.isFile, L"C:\\users\\me\\Temp\\Uninst.exe", c.folder, guarded};
        CHECK(CheckStage2(facts) == c.expected);
        CHECK(RefusalMessage(CheckStage2(facts)).empty() == (c.expected == Refusal::None));
    }
}

TEST_CASE("the system's protected folders include the Windows, profile and temporary folders") {
    auto folders = SystemProtectedFolders();
    auto has = [&](const std::wstring& path) {
        for (const auto& f : folders) {
            if (FolderContains(f, path) && FolderContains(path, f)) return true;
        }
        return false;
    };
    wchar_t path[MAX_PATH + 1];
    GetWindowsDirectoryW(path, MAX_PATH);
    CHECK(has(path));
    GetTempPathW(MAX_PATH + 1, path);
    CHECK(has(path));
    CHECK(has(ExpandFolderPlaceholders(L"{userdesktop}")));
}
