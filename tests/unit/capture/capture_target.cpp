// A window for the end-to-end tests to frame: a WS_POPUP at a given place, a checkerboard of
// 8-pixel cells in a colour and a darker shade of it (so offsets show), optionally holding a
// child windows. Runs until it is closed. With --hotkey it only holds Ctrl+Alt+A.
// Usage: capture_target.exe X Y W H RRGGBB [CX CY CW CH RRGGBB]... | capture_target.exe --hotkey
#include <windows.h>

#include <cwchar>

namespace {

COLORREF ParseColour(const wchar_t* text) {
    const unsigned long v = std::wcstoul(text, nullptr, 16);
    return RGB((v >> 16) & 255, (v >> 8) & 255, v & 255);
}

LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) {
        RECT r{};
        GetClientRect(hwnd, &r);
        const COLORREF c = static_cast<COLORREF>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        const COLORREF dark = RGB(GetRValue(c) * 3 / 4, GetGValue(c) * 3 / 4, GetBValue(c) * 3 / 4);
        HBRUSH light = CreateSolidBrush(c);
        HBRUSH shade = CreateSolidBrush(dark);
        for (int y = 0; y < r.bottom; y += 8) {
            for (int x = 0; x < r.right; x += 8) {
                const RECT cell{x, y, x + 8, y + 8};
                FillRect(reinterpret_cast<HDC>(wParam), &cell, ((x + y) / 8) % 2 ? shade : light);
            }
        }
        DeleteObject(light);
        DeleteObject(shade);
        return 1;
    }
    if (msg == WM_DESTROY && !GetParent(hwnd))
        PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND MakeWindow(HWND parent, const wchar_t* const* a, HINSTANCE instance) {
    const DWORD style = (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE;
    HWND w = CreateWindowExW(0, L"CaptureTarget", parent ? L"" : L"capture target", style, _wtoi(a[0]), _wtoi(a[1]),
                             _wtoi(a[2]), _wtoi(a[3]), parent, nullptr, instance, nullptr);
    if (w) {
        SetWindowLongPtrW(w, GWLP_USERDATA, static_cast<LONG_PTR>(ParseColour(a[4])));
        InvalidateRect(w, nullptr, TRUE);
    }
    return w;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 2 && lstrcmpW(argv[1], L"--hotkey") == 0) {
        if (!RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, 'A'))
            return 1;
        // Tell the test that the key is taken, then hold it until killed.
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), "held\n", 5, &written, nullptr);
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {}
        return 0;
    }
    if (argc < 6)
        return 2;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"CaptureTarget";
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
    HWND top = MakeWindow(nullptr, argv + 1, instance);
    if (!top)
        return 1;
    for (int i = 6; i + 5 <= argc; i += 5)
        MakeWindow(top, argv + i, instance);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
