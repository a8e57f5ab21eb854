// Uninst.exe's entry: stage 1 without an argument, stage 2 with the installed uninstaller's path.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "Stages.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    wchar_t exePath[MAX_PATH + 1] = {};
    GetModuleFileNameW(nullptr, exePath, MAX_PATH);
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring argument = arguments && count >= 2 ? arguments[1] : L"";
    bool stage2 = arguments && count >= 2;
    LocalFree(arguments);
    if (stage2) {
        uninst::RunUninstall(instance, exePath, argument);
    } else {
        uninst::RelocateToTemp(exePath);
    }
    return 0;
}
