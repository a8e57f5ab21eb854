// The magnifier control and its GDI drawing (size label, enlarged pixels, crosshair, texts).
#include "capturo/app/MagnifierUI.h"

#include <cwchar>

#include "capturo/app/MagnifierLayout.h"
#include "capturo/app/ScrCaptureWnd.h"

namespace {

constexpr DWORD kLabelBackground = 0x4F000000;
constexpr DWORD kPanelBackground = 0x4F0E0E0E;
constexpr COLORREF kCrosshairColour = 0xFFC64C;
constexpr COLORREF kZoomFrameColour = 0x333333;

uilib::FontHandle MakeLabelFont() {
    return uilib::FontHandle(CreateFontW(18, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"微软雅黑"));
}

void WriteText(HDC dc, int x, int y, const std::wstring& text) {
    TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

}  // namespace

LPVOID CMagnifierUI::GetInterface(LPCTSTR name) {
    if (std::wcscmp(name, L"Magnifier") == 0)
        return this;
    return CControlUI::GetInterface(name);
}

bool CMagnifierUI::DoPaint(HDC dc, const RECT& paint, CControlUI* stop) {
    RECT area{};
    if (!IntersectRect(&area, &paint, &m_rcItem))
        return true;
    CRenderClip clip;
    CRenderClip::GenerateClip(dc, area, clip);
    if (!CControlUI::DoPaint(dc, paint, stop))
        return false;
    return CScrCaptureWnd::GetInstance()->PaintOverlay(dc);
}

bool DrawSizeLabel(HDC dc, const std::wstring& sizeText, POINT origin) {
    const int width = SizeLabelWidth(sizeText.size());
    uilib::MemoryDC memory(dc);
    uilib::BitmapHandle bitmap(CreateCompatibleBitmap(dc, width, kSizeLabelHeight));
    uilib::FontHandle font = MakeLabelFont();
    if (!memory || !bitmap)
        return true;
    uilib::ScopedSelect selectBitmap(memory.Get(), bitmap.Get());
    CRenderEngine::DrawColor(memory.Get(), RECT{0, 0, width, kSizeLabelHeight}, kLabelBackground);
    uilib::ScopedSelect selectFont(memory.Get(), font.Get());
    SetTextColor(memory.Get(), RGB(255, 255, 255));
    SetBkMode(memory.Get(), TRANSPARENT);
    WriteText(memory.Get(), 0, 2, sizeText);
    BitBlt(dc, origin.x, origin.y, width, kSizeLabelHeight, memory.Get(), 0, 0, SRCCOPY);
    return true;
}

bool DrawMagnifier(HDC dc, const std::wstring& colourText, const RECT& panel, const RECT& zoom,
                   const RECT& source, const std::wstring& sizeText, const std::wstring& hintText) {
    const int pw = panel.right - panel.left, ph = panel.bottom - panel.top;
    const int zw = zoom.right - zoom.left, zh = zoom.bottom - zoom.top;
    uilib::MemoryDC memory(dc);
    uilib::BitmapHandle bitmap(CreateCompatibleBitmap(dc, pw, ph));
    if (!memory || !bitmap)
        return true;
    uilib::ScopedSelect selectBitmap(memory.Get(), bitmap.Get());
    CRenderEngine::DrawColor(memory.Get(), RECT{0, 0, pw, ph}, kPanelBackground);
    SetStretchBltMode(memory.Get(), COLORONCOLOR);
    StretchBlt(memory.Get(), 0, 0, zw, zh, dc, source.left, source.top, source.right - source.left,
               source.bottom - source.top, SRCCOPY | CAPTUREBLT);
    {
        uilib::PenHandle cross(CreatePen(PS_SOLID, 4, kCrosshairColour));
        uilib::ScopedSelect selectPen(memory.Get(), cross.Get());
        Line(memory.Get(), zw / 2, 0, zw / 2, zh - 2);
        Line(memory.Get(), 0, zh / 2, zw, zh / 2);
    }
    {
        uilib::PenHandle frame(CreatePen(PS_SOLID, 2, kZoomFrameColour));
        uilib::ScopedSelect selectPen(memory.Get(), frame.Get());
        Line(memory.Get(), 0, 0, zw, 0);
        Line(memory.Get(), 0, 0, 0, zh);
        Line(memory.Get(), 0, zh, zw, zh);
        Line(memory.Get(), zw, 0, zw, zh);
    }
    uilib::FontHandle font = MakeLabelFont();
    uilib::ScopedSelect selectFont(memory.Get(), font.Get());
    SetTextColor(memory.Get(), RGB(255, 255, 255));
    SetBkMode(memory.Get(), TRANSPARENT);
    WriteText(memory.Get(), 5, zh + 2, colourText);
    WriteText(memory.Get(), 5, zh + 15, sizeText);
    WriteText(memory.Get(), 5, zh + 28, hintText);
    SetStretchBltMode(dc, COLORONCOLOR);
    BitBlt(dc, panel.left, panel.top, pw, ph, memory.Get(), 0, 0, SRCCOPY);
    return true;
}
