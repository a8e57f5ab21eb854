// The capture window's overlay paint: the size label always, the magnifier panel while shown.
#include "capturo/app/ScrCaptureWnd.h"

#include "capturo/app/MagnifierUI.h"

RECT CScrCaptureWnd::GetMagnifierRect() const {
    POINT c{};
    GetCursorPos(&c);
    return MagnifierPanelRect(c, magnifierGeometry);
}

bool CScrCaptureWnd::PaintOverlay(HDC dc) {
    sizeText = SelectionSizeText(screenRect, insets);
    const POINT labelOrigin = SizeLabelOrigin(screenRect, insets);
    DrawSizeLabel(dc, sizeText, labelOrigin);
    lastLabelRect = RECT{labelOrigin.x, labelOrigin.y, labelOrigin.x + SizeLabelWidth(sizeText.size()),
                         labelOrigin.y + kSizeLabelHeight};
    if (!magnifierShown) {
        lastPanelRect = RECT{};
        return true;
    }
    POINT c{};
    GetCursorPos(&c);
    const RECT panel = MagnifierPanelRect(c, magnifierGeometry);
    const RECT zoom = MagnifierZoomRect(panel, magnifierGeometry);
    const RECT source = MagnifierSourceRect(c, magnifierGeometry);
    COLORREF pixel = 0;
    {
        uilib::WindowDC windowDC(m_hWnd);
        pixel = GetPixel(windowDC.Get(), c.x, c.y);
    }
    colorText = PixelColourText(pixel, GetKeyState(VK_CONTROL) < 0);
    lastPanelRect = panel;
    return DrawMagnifier(dc, colorText, panel, zoom, source, sizeText, hintText);
}

// Showing or hiding the panel repaints where it is or will be.
void CScrCaptureWnd::SetMagnifierShown(bool shown) {
    const bool changed = magnifierShown != shown;
    magnifierShown = shown;
    if (changed)
        RepaintMagnifier();
}

// The panel and the label are all that the magnifier draws, so only their old and new
// places need painting.
void CScrCaptureWnd::RepaintMagnifier() {
    if (!magnifier)
        return;
    m_pm.Invalidate(lastPanelRect);
    m_pm.Invalidate(lastLabelRect);
    if (magnifierShown)
        m_pm.Invalidate(GetMagnifierRect());
    const std::wstring text = SelectionSizeText(screenRect, insets);
    const POINT o = SizeLabelOrigin(screenRect, insets);
    m_pm.Invalidate(RECT{o.x, o.y, o.x + SizeLabelWidth(text.size()), o.y + kSizeLabelHeight});
}
