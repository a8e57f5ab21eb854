// Capturo's entry: the instance's kind from the command line, GDI+ and COM, the capture
// window and the message loop.
#include <windows.h>
#include <gdiplus.h>

#include <string>

#include "capturo/app/ScrCaptureWnd.h"
#include "capturo/app/StartMode.h"

namespace {

// The command line as narrow text without the program's name.
std::string ArgumentsText() {
    const char* line = GetCommandLineA();
    bool quoted = false;
    while (*line && (quoted || (*line != ' ' && *line != '\t'))) {
        if (*line == '"')
            quoted = !quoted;
        ++line;
    }
    while (*line == ' ' || *line == '\t')
        ++line;
    return line;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#if __has_include("uilib/shadow/WndShadow.h")
    CWndShadow::Initialize(instance);
#endif
    const StartMode mode = ClassifyCommandLine(ArgumentsText());
    if (mode.mutexName) {
        // Never closed: the mutex marks this instance until the process ends.
        HANDLE mutex = CreateMutexW(nullptr, FALSE, mode.mutexName);
        if (GetLastError() == ERROR_ALREADY_EXISTS) {
            if (mutex)
                CloseHandle(mutex);
            return 0;
        }
    }
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR gdiplusToken = 0;
    if (Gdiplus::GdiplusStartup(&gdiplusToken, &input, nullptr) != Gdiplus::Ok)
        MessageBoxW(nullptr, L"GdiPlus开启失败", L"错误", MB_ICONERROR);
    CPaintManagerUI::SetInstance(instance);
    CPaintManagerUI::SetResourcePath(CPaintManagerUI::GetInstancePath());
    if (FAILED(CoInitialize(nullptr)))
        return 0;
    CScrCaptureWnd* window = CScrCaptureWnd::GetInstance();
    window->SetResident(mode.resident);
    // A skin that cannot be built gives no window, and then there is no loop to run.
    if (window->Create(nullptr, L"", WS_POPUP | WS_VISIBLE, 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                       CW_USEDEFAULT, nullptr)) {
        window->ShowWindow(true, true);
        CPaintManagerUI::MessageLoop();
    }
    CoUninitialize();
    if (gdiplusToken)
        Gdiplus::GdiplusShutdown(gdiplusToken);
    return 0;
}
