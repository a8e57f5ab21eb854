// Desktop snapshot and mask bitmaps. Failing GDI calls give an empty handle, which the
// window passes over (the session then shows nothing behind the mask).
#include "capturo/app/DesktopCapture.h"

#include <algorithm>
#include <cwchar>

#include "uilib/UILib.h"

namespace {

constexpr DWORD kCaptureRop = SRCCOPY | CAPTUREBLT;
constexpr DWORD kMaskColour = 0x4F000000;

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
    uilib::ScopedSelect select(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, width, height, desktopDC.Get(), 0, 0, kCaptureRop);
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
