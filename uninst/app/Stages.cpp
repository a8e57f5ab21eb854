// The two stages of the uninstaller's start and the user interface run.
#include "Stages.h"

#include <shellapi.h>

#include <cwchar>

#include "MainWnd.h"
#include "UninstState.h"
#include "uilib/UILib.h"
#include "uninst/core/SafetyChecks.h"
#include "uninst/core/UninstPaths.h"

namespace uninst {

constexpr UINT kSkinResourceId = 130;
constexpr UINT kIconGroupId = 107;
constexpr WORD kSkinLanguage = 2052;

static std::wstring TempFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    DWORD n = GetTempPathW(MAX_PATH + 1, path);
    return n && n <= MAX_PATH ? std::wstring(path, n) : std::wstring();
}

void RelocateToTemp(const std::wstring& exePath) {
    std::wstring copy = TemporaryCopyPath(TempFolder(), exePath);
    // A failed copy is passed over: an older copy there is started all the same.
    CopyFileW(exePath.c_str(), copy.c_str(), FALSE);
    if (GetFileAttributesW(copy.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    uilib::ComScope com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    std::wstring parameters = Stage1Parameters(exePath);
    SHELLEXECUTEINFOW info = {sizeof info};
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = L"open";
    info.lpFile = copy.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&info)) uilib::KernelHandle process(info.hProcess);
}

static bool IsExistingFile(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

static std::wstring FullPath(const std::wstring& path) {
    wchar_t full[MAX_PATH * 2] = {};
    DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, nullptr);
    return n && n < MAX_PATH * 2 ? std::wstring(full, n) : path;
}

static Refusal CheckArgument(const std::wstring& exePath, const std::wstring& argument, const std::wstring& installPath) {
    tagStage2Facts facts;
    facts.argument = argument;
    facts.argumentIsFile = IsExistingFile(argument);
    facts.runningExePath = exePath;
    // "..", "." and the like are resolved for the check only; relative paths stay refused.
    facts.installFolder = IsFullPath(installPath) ? FullPath(installPath) : installPath;
    facts.protectedFolders = SystemProtectedFolders();
    return CheckStage2(facts);
}

void RunUninstall(HINSTANCE instance, const std::wstring& exePath, const std::wstring& argument) {
    std::wstring installPath = InstallPathFromArgument(argument);
    Refusal refusal = CheckArgument(exePath, argument, installPath);
    if (refusal != Refusal::None) {
        MessageBoxW(nullptr, RefusalMessage(refusal).c_str(), L"卸载-Capturo", MB_OK | MB_ICONWARNING);
        return;
    }
    SetCurrentDirectoryW(RemoveLastPathElement(exePath).c_str());
    SetInstallPath(installPath);
    RunUserInterface(instance);
}

// The skin archive's bytes, in the executable's image for as long as it runs.
static bool LoadSkinArchive(HINSTANCE instance) {
    HRSRC found = FindResourceExW(instance, L"UI", MAKEINTRESOURCEW(kSkinResourceId), kSkinLanguage);
    if (!found) found = FindResourceW(instance, MAKEINTRESOURCEW(kSkinResourceId), L"UI");
    if (!found) return false;
    HGLOBAL loaded = LoadResource(instance, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    return bytes && CPaintManagerUI::SetResourceZip(bytes, SizeofResource(instance, found));
}

class COleScope {
public:
    COleScope() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~COleScope() { if (ok_) OleUninitialize(); }
    COleScope(const COleScope&) = delete;
    COleScope& operator=(const COleScope&) = delete;

private:
    bool ok_;
};

static std::wstring ConfirmationQuestion() {
    wchar_t text[128];
    swprintf(text, 128, L"确定要卸载%ls及其组件？", L"Capturo");
    return text;
}

void RunUserInterface(HINSTANCE instance) {
    uilib::ComScope com;
    if (!com.Ok()) return;
    COleScope ole;
    CPaintManagerUI::SetInstance(instance);
    CWndShadow::Initialize(instance);
    if (!LoadSkinArchive(instance)) return;
    // Never freed: the window object lives until the process ends.
    auto* confirmation = new CMainWnd(ConfirmationQuestion(), L"", L"确定", L"取消");
    SetConfirmationWindow(confirmation);
    if (!confirmation->Create(nullptr, L"", 0x96C80000, 0x100)) return;
    confirmation->SetIcon(kIconGroupId);
    confirmation->CenterWindow();
    confirmation->ShowModal();
    CPaintManagerUI::ClearResourceZip();
}

}  // namespace uninst
