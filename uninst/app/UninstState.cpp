// Process-wide state of the uninstaller.
#include "UninstState.h"

namespace uninst {

namespace {
std::wstring g_installPath;
CMainWnd* g_confirmation = nullptr;
}  // namespace

const std::wstring& InstallPath() { return g_installPath; }
void SetInstallPath(const std::wstring& path) { g_installPath = path; }
CMainWnd* ConfirmationWindow() { return g_confirmation; }
void SetConfirmationWindow(CMainWnd* window) { g_confirmation = window; }

}  // namespace uninst
