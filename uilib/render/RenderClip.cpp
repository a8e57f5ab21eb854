// CRenderClip: scoped clip regions.
#include "uilib/render/RenderEngine.h"

CRenderClip::~CRenderClip() {
    if (hDC) ::SelectClipRgn(hDC, hOldRgn);
    if (hOldRgn) ::DeleteObject(hOldRgn);
    if (hRgn) ::DeleteObject(hRgn);
}

namespace {

// The DC's current clip, or nullptr when it has none.
HRGN SaveClip(HDC hDC) {
    HRGN old = ::CreateRectRgn(0, 0, 0, 0);
    if (old && ::GetClipRgn(hDC, old) != 1) {
        ::DeleteObject(old);
        old = nullptr;
    }
    return old;
}

void Select(HDC hDC, HRGN rgn, CRenderClip& clip) {
    if (clip.hOldRgn) ::CombineRgn(rgn, rgn, clip.hOldRgn, RGN_AND);
    ::SelectClipRgn(hDC, rgn);
    clip.hRgn = rgn;
}

}  // namespace

void CRenderClip::GenerateClip(HDC hDC, RECT rc, CRenderClip& clip) {
    if (!hDC || clip.hDC) return;
    clip.hDC = hDC;
    clip.rcItem = rc;
    clip.hOldRgn = SaveClip(hDC);
    HRGN rgn = ::CreateRectRgnIndirect(&rc);
    if (rgn) Select(hDC, rgn, clip);
}

void CRenderClip::GenerateRoundClip(HDC hDC, RECT rc, RECT rcItem, int width, int height, CRenderClip& clip) {
    if (!hDC || clip.hDC) return;
    clip.hDC = hDC;
    clip.rcItem = rc;
    clip.hOldRgn = SaveClip(hDC);
    HRGN rect = ::CreateRectRgnIndirect(&rc);
    HRGN round = ::CreateRoundRectRgn(rcItem.left, rcItem.top, rcItem.right + 1, rcItem.bottom + 1, width, height);
    if (rect && round) ::CombineRgn(rect, rect, round, RGN_AND);
    if (round) ::DeleteObject(round);
    if (rect) Select(hDC, rect, clip);
}

void CRenderClip::UseOldClipBegin(HDC hDC, CRenderClip& clip) { ::SelectClipRgn(hDC, clip.hOldRgn); }

void CRenderClip::UseOldClipEnd(HDC hDC, CRenderClip& clip) { ::SelectClipRgn(hDC, clip.hRgn); }
