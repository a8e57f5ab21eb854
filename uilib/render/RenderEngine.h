// CRenderEngine: the drawing calls of the library — colour fills that honour ARGB alpha,
// rectangles, lines, GDI text in skin fonts and bitmap drawing with source, corners (nine
// parts), hole and fade. CRenderClip: a scoped clip region on a DC.
// Colours are 0xAARRGGBB. Threading: any thread may draw into its own DC; the image table
// lookups in DrawImageString belong to the manager's UI thread.
#pragma once

#include <windows.h>

#include "uilib/core/UIDefines.h"

// Limits drawing on hDC to a rectangle (optionally with round corners) until destruction,
// then restores the DC's previous clip.
class CRenderClip {
public:
    CRenderClip() = default;
    ~CRenderClip();
    CRenderClip(const CRenderClip&) = delete;
    CRenderClip& operator=(const CRenderClip&) = delete;

    RECT rcItem = {0, 0, 0, 0};
    HDC hDC = nullptr;
    HRGN hRgn = nullptr;
    HRGN hOldRgn = nullptr;

    // Clip = the DC's current clip ∩ rc.
    static void GenerateClip(HDC hDC, RECT rc, CRenderClip& clip);
    static void GenerateRoundClip(HDC hDC, RECT rc, RECT rcItem, int width, int height, CRenderClip& clip);
    // Temporarily back to the clip in force before this one (or to rc only), and again.
    static void UseOldClipBegin(HDC hDC, CRenderClip& clip);
    static void UseOldClipEnd(HDC hDC, CRenderClip& clip);
};

class CRenderEngine {
public:
    // Fills rc with an ARGB colour; alpha 255 is a plain fill, alpha below 255 blends
    // (0x4F000000 over white gives 0xB0B0B0), alpha 0 draws nothing.
    static void DrawColor(HDC hDC, const RECT& rc, DWORD color);
    static void DrawGradient(HDC hDC, const RECT& rc, DWORD dwFirst, DWORD dwSecond, bool bVertical, int nSteps);
    // A frame nSize pixels wide inside rc.
    static void DrawRect(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor);
    static void DrawRoundRect(HDC hDC, const RECT& rc, int width, int height, int nSize, DWORD dwPenColor);
    static void DrawLine(HDC hDC, const RECT& rc, int nSize, DWORD dwPenColor, int nStyle = PS_SOLID);
    // GDI DrawTextW with skin font iFont (-1 = default) and an ARGB colour (alpha ignored).
    // DT_CALCRECT measures into rc.
    static void DrawText(HDC hDC, CPaintManagerUI* pManager, RECT& rc, LPCTSTR pstrText, DWORD dwTextColor, int iFont, UINT uStyle);
    static SIZE GetTextSize(HDC hDC, CPaintManagerUI* pManager, LPCTSTR pstrText, int iFont, UINT uStyle);

    // Draws part rcBmpPart of a bitmap into rc, clipped to rcPaint. rcCorners: the fixed
    // borders of a nine-part stretch; bHole leaves the centre part out. Each of the nine parts
    // is one StretchBlt (opaque) or AlphaBlend (alpha, premultiplied). uFade < 255 blends the
    // whole image at that constant alpha. xtiled/ytiled tile the centre instead of stretching.
    static void DrawImage(HDC hDC, HBITMAP hBitmap, const RECT& rc, const RECT& rcPaint,
                          const RECT& rcBmpPart, const RECT& rcCorners, bool bAlpha,
                          BYTE uFade = 255, bool bHole = false, bool xtiled = false, bool ytiled = false);
    // Draws an image attribute string ("file='a.png' source='0,0,22,20' corner='2,2,2,2'",
    // or a bare registered name or file) into rc; pStrModify is a second attribute string
    // whose keys override the first. False when the image cannot be found.
    static bool DrawImageString(HDC hDC, CPaintManagerUI* pManager, const RECT& rc, const RECT& rcPaint,
                                LPCTSTR pStrImage, LPCTSTR pStrModify = nullptr);

    // A 32-bit top-down DIB section (pixels returned in *ppBits; may be null).
    static HBITMAP CreateARGB32Bitmap(HDC hDC, int cx, int cy, BYTE** ppBits);
};
