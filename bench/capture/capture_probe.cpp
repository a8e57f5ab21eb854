// The bare cost of what a capture session's first frame needs: one desktop BitBlt, and one
// full paint cycle of a full-screen window (frozen image, mask with a hole, frame, present).
// Prints the medians in milliseconds: "bitblt <ms> paint <ms>".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double NowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

HBITMAP CaptureDesktop(HDC screen, int w, int h) {
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY | CAPTUREBLT);
    SelectObject(memory, old);
    DeleteDC(memory);
    return bitmap;
}

HBITMAP MakeMask(HDC screen, int w, int h) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP mask = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bits)
        std::fill_n(static_cast<DWORD*>(bits), static_cast<size_t>(w) * h, 0x4F000000u);
    return mask;
}

// Image, mask round a hole (four parts), a 4-pixel frame, then the back buffer to the window.
void PaintCycle(HWND window, HDC back, HBITMAP desktop, HBITMAP mask, int w, int h) {
    HDC source = CreateCompatibleDC(back);
    HGDIOBJ old = SelectObject(source, desktop);
    BitBlt(back, 0, 0, w, h, source, 0, 0, SRCCOPY);
    SelectObject(source, mask);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const RECT hole{w / 4, h / 4, w * 3 / 4, h * 3 / 4};
    const RECT parts[] = {{0, 0, w, hole.top}, {0, hole.bottom, w, h}, {0, hole.top, hole.left, hole.bottom},
                          {hole.right, hole.top, w, hole.bottom}};
    for (const RECT& p : parts)
        AlphaBlend(back, p.left, p.top, p.right - p.left, p.bottom - p.top, source, p.left, p.top,
                   p.right - p.left, p.bottom - p.top, blend);
    SelectObject(source, old);
    DeleteDC(source);
    HBRUSH frame = CreateSolidBrush(RGB(0, 0xAE, 0xFF));
    FrameRect(back, &hole, frame);
    DeleteObject(frame);
    HDC windowDC = GetDC(window);
    BitBlt(windowDC, 0, 0, w, h, back, 0, 0, SRCCOPY);
    ReleaseDC(window, windowDC);
    GdiFlush();
}

}  // namespace

int wmain() {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CaptureProbe";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"CaptureProbe", L"", WS_POPUP | WS_VISIBLE, 0, 0, w, h, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    HDC screen = GetDC(nullptr);
    HDC back = CreateCompatibleDC(screen);
    HBITMAP backBitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldBack = SelectObject(back, backBitmap);
    HBITMAP mask = MakeMask(screen, w, h);
    std::vector<double> blits, paints;
    for (int run = 0; run < 7; ++run) {
        const double t0 = NowMs();
        HBITMAP desktop = CaptureDesktop(screen, w, h);
        GdiFlush();
        const double t1 = NowMs();
        PaintCycle(window, back, desktop, mask, w, h);
        const double t2 = NowMs();
        blits.push_back(t1 - t0);
        paints.push_back(t2 - t1);
        DeleteObject(desktop);
    }
    std::printf("bitblt %.1f paint %.1f\n", Median(blits), Median(paints));
    SelectObject(back, oldBack);
    DeleteObject(backBitmap);
    DeleteObject(mask);
    DeleteDC(back);
    ReleaseDC(nullptr, screen);
    DestroyWindow(window);
    return 0;
}
