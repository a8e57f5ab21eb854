// The removal worker. Every failure is passed over: the user only sees the progress and the end.
#include "RemovalWorker.h"

#include "UninstState.h"
#include "UninstWnd.h"
#include "uninst/core/Removal.h"
#include "uninst/core/Win32FileSystem.h"

namespace uninst {

// A running instance's window, asked to close before its files are removed.
static void CloseRunningInstance() {
    HWND instance = FindWindowW(L"Capturo", L"Capturo");
    if (instance) SendMessageW(instance, WM_CLOSE, 1, 1234);
}

DWORD WINAPI RemovalWorker(LPVOID parameter) {
    IRemovalProgress& progress = static_cast<CUninstWnd*>(parameter)->Progress();
    progress.SelectPage(kProgressPage);
    CloseRunningInstance();
    Sleep(1000);
    CWin32FileSystem fs;
    RemoveInstallFolder(fs, progress, InstallPath());
    RemoveShortcuts(fs);
    RemoveRegistryKeys();
    progress.SelectPage(kFinishPage);
    return 0;
}

void StartRemovalWorker(CUninstWnd* wizard) {
    HANDLE thread = CreateThread(nullptr, 0, RemovalWorker, wizard, 0, nullptr);
    if (thread) CloseHandle(thread);
}

}  // namespace uninst
