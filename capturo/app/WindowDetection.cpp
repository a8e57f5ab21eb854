// Window detection passes, one worker thread each.
#include "capturo/app/WindowDetection.h"

#include "capturo/app/ScrCaptureWnd.h"

HWND WindowRectFromCursor(RECT& rect) {
    POINT p{};
    GetCursorPos(&p);
    HWND w = ChildWindowFromPointEx(GetDesktopWindow(), p, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
    if (!w)
        return nullptr;
    for (;;) {
        POINT q{};
        GetCursorPos(&q);
        ScreenToClient(w, &q);
        HWND child = ChildWindowFromPointEx(w, q, CWP_SKIPINVISIBLE);
        if (!child || child == w)
            break;
        w = child;
    }
    GetWindowRect(w, &rect);
    return w;
}

DWORD WINAPI DetectionPass(LPVOID argument) {
    const HWND window = static_cast<HWND>(argument);
    CScrCaptureWnd* capture = CScrCaptureWnd::GetInstance();
    if (!capture->TryBeginDetection())
        return 0;
    // Disabled, the capture window is skipped by the search, which then finds what lies below.
    EnableWindow(window, FALSE);
    RECT rect{};
    const bool found = WindowRectFromCursor(rect) != nullptr;
    // Enabled again at once: while disabled the window loses the user's presses and moves.
    EnableWindow(window, TRUE);
    SendMessageW(window, kMsgDetectionResult, found ? 1 : 0, reinterpret_cast<LPARAM>(&rect));
    return 0;
}

void StartDetectionPass(HWND captureWindow) {
    HANDLE thread = CreateThread(nullptr, 0, DetectionPass, captureWindow, 0, nullptr);
    if (thread)
        CloseHandle(thread);
}
