// Pure geometry of the selection and its frame (no window, no GDI).
#include "capturo/app/SelectionGeometry.h"

#include <algorithm>

namespace {

constexpr int kEdgePriorityDistance = 20;  // a frame edge this close to the screen's wins over corners
constexpr int kItemClearance = 3;

bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

void SpanX(SelectionInsets& out, const RECT& screen, int x, int ax) {
    out.left = std::max(0, std::min(x, ax) - static_cast<int>(screen.left));
    out.right = std::max(0, static_cast<int>(screen.right) - std::max(x, ax));
}

void SpanY(SelectionInsets& out, const RECT& screen, int y, int ay) {
    out.top = std::max(0, std::min(y, ay) - static_cast<int>(screen.top));
    out.bottom = std::max(0, static_cast<int>(screen.bottom) - std::max(y, ay));
}

}  // namespace

RECT SelectionRectFromInsets(const RECT& screen, const SelectionInsets& in) {
    return RECT{screen.left + in.left, screen.top + in.top, screen.right - in.right, screen.bottom - in.bottom};
}

SelectionInsets InsetsFromRect(const RECT& screen, const RECT& r) {
    SelectionInsets out;
    out.left = std::max(0, static_cast<int>(r.left - screen.left));
    out.top = std::max(0, static_cast<int>(r.top - screen.top));
    out.right = std::max(0, static_cast<int>(screen.right - r.right));
    out.bottom = std::max(0, static_cast<int>(screen.bottom - r.bottom));
    return out;
}

SelectionInsets InsetsSpanning(const RECT& screen, POINT a, POINT b) {
    SelectionInsets out;
    SpanX(out, screen, a.x, b.x);
    SpanY(out, screen, a.y, b.y);
    return out;
}

RECT GrowRect(const RECT& r, int by) {
    return RECT{r.left - by, r.top - by, r.right + by, r.bottom + by};
}

bool IsResizeCode(int code) {
    return code >= kHitTopLeft && code <= kHitBottomRight && code != kHitMove;
}

RECT GetHandleRect(const RECT& f, int inset, int index) {
    const int cx = (f.left + f.right) / 2;
    const int cy = (f.top + f.bottom) / 2;
    const int h = (5 * inset) / 2;
    switch (index) {
    case kHitTopLeft: return RECT{f.left - h, f.top - h, f.left + h, f.top + h};
    case kHitTop: return RECT{cx, f.top - h, cx + h, f.top + h};
    case kHitTopRight: return RECT{f.right - h, f.top - h, f.right + h, f.top + h};
    case kHitLeft: return RECT{f.left - h, cy, f.left + h, cy + h};
    case kHitRight: return RECT{f.right - h, cy, f.right + h, cy + h};
    case kHitBottomLeft: return RECT{f.left - h, f.bottom - h, f.left + h, f.bottom + h};
    case kHitBottom: return RECT{cx, f.bottom - h, cx + h, f.bottom + h};
    case kHitBottomRight: return RECT{f.right - h, f.bottom - h, f.right + h, f.bottom + h};
    default: return RECT{0, 0, 0, 0};
    }
}

FrameHit HitTestFrame(const RECT& f, int inset, const RECT& screen, POINT p, bool toolActive) {
    int code = kHitNone;
    for (int n = kHitBottomRight; n >= kHitTopLeft; --n) {
        if (n != kHitMove && Contains(GetHandleRect(f, inset, n), p)) {
            code = n;
            break;
        }
    }
    const int w = 2 * inset;
    struct Band { RECT rect; bool nearScreenEdge; int code; };
    const Band bands[] = {
        {RECT{f.left, f.bottom - w, f.right, f.bottom}, screen.bottom - f.bottom < kEdgePriorityDistance, kHitBottom},
        {RECT{f.right - w, f.top, f.right, f.bottom}, screen.right - f.right < kEdgePriorityDistance, kHitRight},
        {RECT{f.left, f.top, f.left + w, f.bottom}, f.left - screen.left < kEdgePriorityDistance, kHitLeft},
        {RECT{f.left, f.top, f.right, f.top + w}, f.top - screen.top < kEdgePriorityDistance, kHitTop},
    };
    for (const Band& band : bands) {
        if ((code < 0 || band.nearScreenEdge) && Contains(band.rect, p))
            code = band.code;
    }
    static const LPCWSTR cursors[] = {IDC_SIZENWSE, IDC_SIZENS, IDC_SIZENESW, IDC_SIZEWE, IDC_SIZEALL,
                                      IDC_SIZEWE, IDC_SIZENESW, IDC_SIZENS, IDC_SIZENWSE};
    if (code < 0)
        return toolActive ? FrameHit{kHitNone, IDC_CROSS} : FrameHit{kHitMove, IDC_SIZEALL};
    return FrameHit{code, cursors[code]};
}

POINT AnchorForHit(int code, const RECT& sel) {
    switch (code) {
    case kHitTopLeft: case kHitTop: case kHitLeft: return POINT{sel.right, sel.bottom};
    case kHitTopRight: case kHitRight: return POINT{sel.left, sel.bottom};
    case kHitBottomLeft: case kHitBottom: return POINT{sel.right, sel.top};
    default: return POINT{sel.left, sel.top};
    }
}

SelectionInsets ResizeSelection(const SelectionInsets& current, int code, POINT p, POINT anchor,
                                const RECT& screen) {
    SelectionInsets out = current;
    const bool corner = code == kHitTopLeft || code == kHitTopRight || code == kHitBottomLeft ||
                        code == kHitBottomRight;
    if (corner || code == kHitLeft || code == kHitRight)
        SpanX(out, screen, p.x, anchor.x);
    if (corner || code == kHitTop || code == kHitBottom)
        SpanY(out, screen, p.y, anchor.y);
    return out;
}

SelectionInsets MoveSelection(const SelectionInsets& current, int dx, int dy) {
    SelectionInsets out = current;
    if (out.left + dx >= 0 && out.right - dx >= 0) {
        out.left += dx;
        out.right -= dx;
    }
    if (out.top + dy >= 0 && out.bottom - dy >= 0) {
        out.top += dy;
        out.bottom -= dy;
    }
    return out;
}

RECT KeepClearOfItems(RECT s, const RECT& b) {
    if (s.left + kItemClearance >= b.left) s.left = b.left - kItemClearance;
    if (s.top + kItemClearance >= b.top) s.top = b.top - kItemClearance;
    if (s.right - kItemClearance <= b.right) s.right = b.right + kItemClearance;
    if (s.bottom - kItemClearance <= b.bottom) s.bottom = b.bottom + kItemClearance;
    return s;
}
