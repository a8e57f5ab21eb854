// Process-wide state of the uninstaller: the installation path (set once by stage 2) and the
// confirmation window that the wizard posts its close request to.
#pragma once
#include <windows.h>

#include <string>

namespace uninst {

// Any window that receives it closes itself with code 1.
constexpr UINT WM_UNINST_CLOSE = 1234;

const std::wstring& InstallPath();
void SetInstallPath(const std::wstring& path);

class CMainWnd;
CMainWnd* ConfirmationWindow();
void SetConfirmationWindow(CMainWnd* window);

}  // namespace uninst
