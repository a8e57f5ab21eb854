// Desktop snapshot and mask bitmaps. Failing GDI calls give an empty handle, which the
// window passes over (the session then shows nothing behind the mask).
#include "capturo/app/DesktopCapture.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "uilib/UILib.h"

namespace {

constexpr DWORD kCaptureRop = SRCCOPY | CAPTUREBLT;
constexpr DWORD kMaskColour = 0x4F000000;

// Captured pixels carry garbage in their alpha byte; the image is opaque, so set it.
void ForceOpaque(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    if (!GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS))
        return;
    for (DWORD& p : pixels)
        p |= 0xFF000000;
    SetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
}

}  // namespace

RECT GetScreenRect() {
    RECT screen{};
    GetWindowRect(GetDesktopWindow(), &screen);
    return screen;
}

uilib::BitmapHandle CaptureDesktopBitmap() {
    const RECT screen = GetScreenRect();
    const int width = screen.right - screen.left;
    const int height = screen.bottom - screen.top;
    const HWND desktop = GetDesktopWindow();
    uilib::WindowDC desktopDC(desktop);
    if (!desktopDC)
        return {};
    uilib::MemoryDC memory(desktopDC.Get());
    uilib::BitmapHandle bitmap(CreateCompatibleBitmap(desktopDC.Get(), width, height));
    if (!memory || !bitmap)
        return {};
    {
        uilib::ScopedSelect select(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, desktopDC.Get(), 0, 0, kCaptureRop);
    }
    ForceOpaque(memory.Get(), bitmap.Get(), width, height);
    return bitmap;
}

// Written pixel by pixel into a 32-bit DIB: GDI fills of a device bitmap do not keep the
// alpha byte under Wine, and the mask is nothing but its alpha.
uilib::BitmapHandle CreateMaskBitmap(HWND window) {
    const RECT screen = GetScreenRect();
    const int width = screen.right - screen.left;
    const int height = screen.bottom - screen.top;
    uilib::WindowDC windowDC(window);
    BYTE* bits = nullptr;
    uilib::BitmapHandle bitmap(CRenderEngine::CreateARGB32Bitmap(windowDC.Get(), width, height, &bits));
    if (!bitmap || !bits)
        return {};
    std::fill_n(reinterpret_cast<DWORD*>(bits), static_cast<size_t>(width) * height, kMaskColour);
    return bitmap;
}

std::wstring MaskAttributeText(const wchar_t* maskImageName, const SelectionInsets& in) {
    wchar_t text[260] = {};
    std::swprintf(text, 260, L"file='%ls' scale9='%d,%d,%d,%d' hole='true'", maskImageName, in.left, in.top,
                  in.right, in.bottom);
    return text;
}
