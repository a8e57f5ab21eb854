// CWndShadow: a drop shadow for a top-level window — a layered popup behind it that follows it.
// The shadow's pixels come from pure functions (scale9 image or soft colour gradient) below.
// Threading: create and use it on the thread that owns the parent window.
// Error policy: failing Win32 calls leave the window without a shadow; nothing is raised.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "uilib/core/Handles.h"

namespace uilib {

// Straight-alpha BGRA pixels, top-down rows.
struct ShadowImage {
    std::vector<uint32_t> pixels;
    int width = 0;
    int height = 0;
    RECT corner = {0, 0, 0, 0};
};

// The shadow's geometry relative to the parent's window rectangle.
RECT ShadowRectFor(const RECT& parent, int size, POINT position);

// Premultiplied BGRA pixels of a cx × cy shadow: the image stretched by its corners, centre left out.
std::vector<uint32_t> RenderImageShadow(const ShadowImage& image, int cx, int cy);

// Premultiplied BGRA pixels of a cx × cy shadow whose inner part (size pixels in from every edge)
// lies under the window: full darkness there, fading to nothing at the outer edge. sharpness
// (1–20) makes the fall-off steeper.
std::vector<uint32_t> RenderGradientShadow(COLORREF color, unsigned darkness, unsigned sharpness, int size, int cx, int cy);

}  // namespace uilib

class CWndShadow {
public:
    CWndShadow() = default;
    ~CWndShadow();
    CWndShadow(const CWndShadow&) = delete;
    CWndShadow& operator=(const CWndShadow&) = delete;

    // Registers the shadow's window class; call once at start-up.
    static bool Initialize(HINSTANCE hInstance);

    // Puts the shadow behind `parent` and starts following it. A second call moves it to the new parent.
    void Create(HWND parent);
    bool SetSize(int size);              // pixels beyond the parent on every side, 0–64
    bool SetPosition(int x, int y);      // offset from the centred place, each within ±size
    bool SetDarkness(unsigned darkness); // 0–255, the gradient's strongest alpha
    bool SetSharpness(unsigned sharpness);
    bool SetColor(COLORREF color);
    // Straight-alpha BGRA pixels, copied; corner: the fixed borders of the nine-part stretch.
    bool SetImage(const void* bgraPixels, int width, int height, const RECT& corner);
    // Hides the shadow even while the parent shows (and shows it again).
    void Show(bool show);

    HWND GetHWND() const { return m_hWnd; }

private:
    static LRESULT CALLBACK ParentProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    void Detach();
    void Sync();                    // matches the parent's visibility, place and z-order
    void Redraw();                  // renders for the current size and hands it to the layered window
    void RaiseParentOverShadow();
    bool ShouldShow() const;

    HWND m_hWnd = nullptr;
    HWND m_hParent = nullptr;
    int m_nSize = 0;
    POINT m_ptOffset = {0, 0};
    unsigned m_nDarkness = 150;
    unsigned m_nSharpness = 5;
    COLORREF m_color = RGB(0, 0, 0);
    uilib::ShadowImage m_image;
    bool m_bShow = true;
    SIZE m_szRendered = {0, 0};
};
