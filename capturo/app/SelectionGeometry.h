// Pure geometry of the selection: insets <-> rectangles, the drag rectangle, the selection
// frame's handles and hit test, resizing with an anchor, moving, and the annotation limit.
#pragma once

#include <windows.h>

// Distances of the selection from the left, top, right and bottom screen edges.
struct SelectionInsets {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const SelectionInsets& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const SelectionInsets& o) const { return !(*this == o); }
};

// Parts of the selection frame, as hit codes: 0..8 row by row, 4 the interior.
enum FrameHitCode {
    kHitNone = -1,  // interior while a tool is active
    kHitTopLeft = 0,
    kHitTop = 1,
    kHitTopRight = 2,
    kHitLeft = 3,
    kHitMove = 4,
    kHitRight = 5,
    kHitBottomLeft = 6,
    kHitBottom = 7,
    kHitBottomRight = 8,
};

struct FrameHit {
    int code = kHitNone;
    LPCWSTR cursor = IDC_CROSS;
};

RECT SelectionRectFromInsets(const RECT& screen, const SelectionInsets& insets);
// A window's rectangle as insets, cut at the screen edges.
SelectionInsets InsetsFromRect(const RECT& screen, const RECT& rect);
// The rectangle spanned by two points in any order, cut at the screen edges.
SelectionInsets InsetsSpanning(const RECT& screen, POINT a, POINT b);
RECT GrowRect(const RECT& rect, int by);

bool IsResizeCode(int code);
// Handle n (0..8) of a frame control whose rectangle is `frame` and whose inset is `inset`;
// index 4 and anything outside 0..8 give an empty rectangle.
RECT GetHandleRect(const RECT& frame, int inset, int index);
FrameHit HitTestFrame(const RECT& frame, int inset, const RECT& screen, POINT p, bool toolActive);
// The corner of the selection that stays put while the part `code` is dragged.
POINT AnchorForHit(int code, const RECT& selection);
// Resizing by the part `code` to point p; edges that the part does not move keep their insets.
SelectionInsets ResizeSelection(const SelectionInsets& current, int code, POINT p, POINT anchor,
                                const RECT& screen);
// Moving by (dx, dy); an axis whose step would cross a screen edge does not move.
SelectionInsets MoveSelection(const SelectionInsets& current, int dx, int dy);
// Keeps every edge of `selection` at least 3 pixels outside the annotations' bounds.
RECT KeepClearOfItems(RECT selection, const RECT& itemsBounds);
