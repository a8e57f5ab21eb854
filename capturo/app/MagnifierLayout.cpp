// Pure layout of the magnifier panel and the size label.
#include "capturo/app/MagnifierLayout.h"

#include <cwchar>

RECT MagnifierPanelRect(POINT c, const MagnifierGeometry& g) {
    return RECT{c.x + 10, c.y + 30, c.x + 10 + g.panelWidth, c.y + 30 + g.panelHeight};
}

RECT MagnifierZoomRect(const RECT& p, const MagnifierGeometry& g) {
    return RECT{p.left, p.top, p.left + g.zoomWidth, p.top + g.zoomHeight};
}

RECT MagnifierSourceRect(POINT c, const MagnifierGeometry& g) {
    // The zoom area shows the source three times enlarged.
    const int hx = g.zoomWidth / 6;
    const int hy = g.zoomHeight / 6;
    return RECT{c.x - hx, c.y - hy, c.x + hx, c.y + hy};
}

std::wstring SelectionSizeText(const RECT& screen, const SelectionInsets& in) {
    wchar_t text[260];
    std::swprintf(text, 260, L"%d x %d", static_cast<int>(screen.right) - in.right - in.left,
                  static_cast<int>(screen.bottom) - in.bottom - in.top);
    return text;
}

std::wstring PixelColourText(COLORREF pixel, bool hex) {
    wchar_t text[260];
    const unsigned r = GetRValue(pixel), g = GetGValue(pixel), b = GetBValue(pixel);
    if (hex)
        std::swprintf(text, 260, L"RGB:#%02X%02X%02X", r, g, b);
    else
        std::swprintf(text, 260, L"RGB:(%d,%d,%d)", r, g, b);
    return text;
}

int SizeLabelWidth(size_t characters) {
    return static_cast<int>(static_cast<double>(characters) * 6.5 + 0.5);
}

POINT SizeLabelOrigin(const RECT& screen, const SelectionInsets& in) {
    const int top = screen.top + in.top;
    const int y = top - 20 > 0 ? top - 22 : top + 2;
    return POINT{static_cast<int>(screen.left) + in.left + 2, y};
}
