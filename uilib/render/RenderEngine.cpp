// CRenderEngine: fills, frames, text and bitmap drawing. Failing GDI calls are passed over:
// a bad handle or an empty rectangle simply draws nothing.
#include "uilib/render/RenderEngine.h"

#include <algorithm>

#include "uilib/core/Handles.h"
#include "uilib/core/UIManager.h"
#include "uilib/image/ImageAttribute.h"
#include "uilib/render/NinePatch.h"

namespace {

COLORREF ToColorRef(DWORD argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

bool IsEmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// One premultiplied pixel, stretched by AlphaBlend over the rectangle.
void BlendSolid(HDC hDC, const RECT& rc, DWORD argb) {
    BYTE* bits = nullptr;
    uilib::BitmapHandle pixel(CRenderEngine::CreateARGB32Bitmap(hDC, 1, 1, &bits));
    if (!pixel || !bits) return;
    BYTE a = BYTE(argb >> 24);
    bits[0] = BYTE((argb & 0xFF) * a / 255);
    bits[1] = BYTE(((argb >> 8) & 0xFF) * a / 255);
    bits[2] = BYTE(((argb >> 16) & 0xFF) * a / 255);
    bits[3] = a;
    uilib::MemoryDC mem(hDC);
    uilib::ScopedSelect select(mem.Get(), pixel.Get());
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::AlphaBlend(hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, mem.Get(), 0, 0, 1, 1, bf);
}

void BlitPiece(HDC hDC, HDC hMem, const RECT& d, const RECT& s, bool bAlpha, BYTE uFade) {
    int dw = d.right - d.left, dh = d.bottom - d.top, sw = s.right - s.left, sh = s.bottom - s.top;
    if (bAlpha || uFade < 255) {
        BLENDFUNCTION bf = {AC_SRC_OVER, 0, uFade, BYTE(bAlpha ? AC_SRC_ALPHA : 0)};
        ::AlphaBlend(hDC, d.left, d.top, dw, dh, hMem, s.left, s.top, sw, sh, bf);
    } else if (dw == sw && dh == sh) {
        ::BitBlt(hDC, d.left, d.top, dw, dh, hMem, s.left, s.top, SRCCOPY);
    } else {
        ::StretchBlt(hDC, d.left, d.top, dw, dh, hMem, s.left, s.top, sw, sh, SRCCOPY);
    }
}

// Tiles the source over the destination in whole source-sized steps on the tiled axes.
void TilePiece(HDC hDC, HDC hMem, const RECT& d, const RECT& s, bool bAlpha, BYTE uFade, bool xtiled, bool ytiled) {
    int sw = s.right - s.left, sh = s.bottom - s.top;
    int stepX = xtiled ? sw : d.right - d.left;
    int stepY = ytiled ? sh : d.bottom - d.top;
    if (stepX <= 0 || stepY <= 0) return;
    for (int y = d.top; y < d.bottom; y += stepY) {
        for (int x = d.left; x < d.right; x += stepX) {
            RECT dd = {x, y, std::min<LONG>(x + stepX, d.right), std::min<LONG>(y + stepY, d.bottom)};
            RECT ss = s;
            if (xtiled) ss.right = ss.left + (dd.right - dd.left);
            if (ytiled) ss.bottom = ss.top + (dd.bottom - dd.top);
            BlitPiece(hDC, hMem, dd, ss, bAlpha, uFade);
        }
    }
}

HPEN MakePen(int nSize, DWORD color, int nStyle) {
    LOGBRUSH lb = {BS_SOLID, ToColorRef(color), 0};
    return ::ExtCreatePen(PS_GEOMETRIC | DWORD(nStyle) | PS_ENDCAP_FLAT | PS_JOIN_MITER, DWORD(std::max(1, nSize)), &lb, 0, nullptr);
}

}  // namespace

HBITMAP CRenderEngine::CreateARGB32Bitmap(HDC hDC, int cx, int cy, BYTE** ppBits) {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (ppBits) *ppBits = static_cast<BYTE*>(bits);
    return bmp;
}

void CRenderEngine::DrawColor(HDC hDC, const RECT& rc, DWORD color) {
    BYTE alpha = BYTE(color >> 24);
    if (!hDC || alpha == 0 || IsEmptyRect(rc)) return;
    if (alpha < 255) {
        BlendSolid(hDC, rc, color);
        return;
    }
    ::SetBkColor(hDC, ToColorRef(color));
    ::ExtTextOutW(hDC, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

void CRenderEngine::DrawGradient(HDC hDC, const RECT& rc, DWORD dwFirst, DWORD dwSecond, bool bVertical, int) {
    if (!hDC || IsEmptyRect(rc)) return;
    auto channel = [](DWORD c, int shift) { return COLOR16((c >> shift & 0xFF) << 8); };
    TRIVERTEX v[2] = {{rc.left, rc.top, channel(dwFirst, 16), channel(dwFirst, 8), channel(dwFirst, 0), channel(dwFirst, 24)},
                      {rc.right, rc.bottom, channel(dwSecond, 16), channel(dwSecond, 8), channel(dwSecond, 0), channel(dwSecond, 24)}};
    GRADIENT_RECT g = {0, 1};
    ::GradientFill(hDC, v, 2, &g, 1, bVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

void CRenderEngine::DrawRect(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor) {
    if (!hDC || nSize <= 0 || IsEmptyRect(rc) || (dwPenColor >> 24) == 0) return;
    // Four filled bands keep the frame inside rc and honour alpha like DrawColor.
    int w = std::min<int>(nSize, (rc.right - rc.left + 1) / 2);
    int h = std::min<int>(nSize, (rc.bottom - rc.top + 1) / 2);
    DrawColor(hDC, {rc.left, rc.top, rc.right, rc.top + h}, dwPenColor);
    DrawColor(hDC, {rc.left, rc.bottom - h, rc.right, rc.bottom}, dwPenColor);
    DrawColor(hDC, {rc.left, rc.top + h, rc.left + w, rc.bottom - h}, dwPenColor);
    DrawColor(hDC, {rc.right - w, rc.top + h, rc.right, rc.bottom - h}, dwPenColor);
}

void CRenderEngine::DrawRoundRect(HDC hDC, const RECT& rc, int width, int height, int nSize, DWORD dwPenColor) {
    if (!hDC || nSize <= 0 || IsEmptyRect(rc)) return;
    uilib::PenHandle pen(MakePen(nSize, dwPenColor, PS_SOLID));
    uilib::ScopedSelect selectPen(hDC, pen.Get());
    uilib::ScopedSelect selectBrush(hDC, ::GetStockObject(HOLLOW_BRUSH));
    ::RoundRect(hDC, rc.left, rc.top, rc.right, rc.bottom, width, height);
}

void CRenderEngine::DrawLine(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor, int nStyle) {
    if (!hDC || nSize <= 0) return;
    uilib::PenHandle pen(MakePen(nSize, dwPenColor, nStyle));
    uilib::ScopedSelect selectPen(hDC, pen.Get());
    POINT old;
    ::MoveToEx(hDC, rc.left, rc.top, &old);
    ::LineTo(hDC, rc.right, rc.bottom);
    ::MoveToEx(hDC, old.x, old.y, nullptr);
}

void CRenderEngine::DrawText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCTSTR pstrText, DWORD dwTextColor, int iFont, UINT uStyle) {
    if (!hDC || !pstrText) return;
    HFONT font = pManager ? pManager->GetFont(iFont) : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    uilib::ScopedSelect selectFont(hDC, font);
    int oldMode = ::SetBkMode(hDC, TRANSPARENT);
    COLORREF oldColor = ::SetTextColor(hDC, ToColorRef(dwTextColor));
    ::DrawTextW(hDC, pstrText, -1, &rc, uStyle | DT_NOPREFIX);
    ::SetTextColor(hDC, oldColor);
    ::SetBkMode(hDC, oldMode);
}

SIZE CRenderEngine::GetTextSize(HDC hDC, CPaintManagerUI* pManager, LPCTSTR pstrText, int iFont, UINT uStyle) {
    RECT rc = {0, 0, 9999, 9999};
    if (!hDC || !pstrText) return {0, 0};
    HFONT font = pManager ? pManager->GetFont(iFont) : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    uilib::ScopedSelect selectFont(hDC, font);
    ::DrawTextW(hDC, pstrText, -1, &rc, uStyle | DT_CALCRECT | DT_NOPREFIX);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

void CRenderEngine::DrawImage(HDC hDC, HBITMAP hBitmap, const RECT& rc, const RECT& rcPaint, const RECT& rcBmpPart,
                              const RECT& rcCorners, bool bAlpha, BYTE uFade, bool bHole, bool xtiled, bool ytiled) {
    if (!hDC || !hBitmap || uFade == 0) return;
    RECT visible;
    if (!::IntersectRect(&visible, &rc, &rcPaint)) return;
    uilib::MemoryDC mem(hDC);
    if (!mem) return;
    uilib::ScopedSelect select(mem.Get(), hBitmap);
    for (uilib::ImagePiece& piece : uilib::SplitNinePatch(rc, rcBmpPart, rcCorners, bHole)) {
        bool centre = piece.dest.left == rc.left + rcCorners.left && piece.dest.top == rc.top + rcCorners.top &&
                      piece.dest.right == rc.right - rcCorners.right && piece.dest.bottom == rc.bottom - rcCorners.bottom;
        if ((xtiled || ytiled) && centre) {
            TilePiece(hDC, mem.Get(), piece.dest, piece.source, bAlpha, uFade, xtiled, ytiled);
            continue;
        }
        if (!uilib::CropPiece(piece, visible)) continue;
        BlitPiece(hDC, mem.Get(), piece.dest, piece.source, bAlpha, uFade);
    }
}

bool CRenderEngine::DrawImageString(HDC hDC, CPaintManagerUI* pManager, const RECT& rc, const RECT& rcPaint,
                                    LPCTSTR pStrImage, LPCTSTR pStrModify) {
    if (!hDC || !pManager || !pStrImage || !*pStrImage) return false;
    uilib::ImageAttribute attr;
    uilib::ParseImageAttribute(pStrImage, attr);
    if (pStrModify) uilib::ParseImageAttribute(pStrModify, attr);
    if (attr.file.empty()) return false;
    const TImageInfo* image = pManager->GetImageEx(attr.file.c_str(), attr.resType.empty() ? nullptr : attr.resType.c_str(), attr.mask);
    if (!image || !image->hBitmap) return false;

    RECT dest = rc;
    if (attr.hasDest) {
        dest = {rc.left + attr.dest.left, rc.top + attr.dest.top, rc.left + attr.dest.right, rc.top + attr.dest.bottom};
        if (dest.right > rc.right) dest.right = rc.right;
        if (dest.bottom > rc.bottom) dest.bottom = rc.bottom;
    }
    RECT source = {0, 0, image->nX, image->nY};
    if (attr.hasSource) {
        source = attr.source;
        source.right = std::min<LONG>(source.right, image->nX);
        source.bottom = std::min<LONG>(source.bottom, image->nY);
    }
    if (IsEmptyRect(dest) || IsEmptyRect(source)) return true;
    DrawImage(hDC, image->hBitmap, dest, rcPaint, source, attr.corner, image->bAlpha, attr.fade, attr.hole, attr.xtiled, attr.ytiled);
    return true;
}
