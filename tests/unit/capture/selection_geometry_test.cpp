// Tables of cases for the selection's insets, handles, hit test, resize, move and item limit.
#include <doctest.h>

#include "capturo/app/SelectionGeometry.h"

namespace {

const RECT kScreen{0, 0, 1920, 1080};

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

SelectionInsets In(int l, int t, int r, int b) {
    SelectionInsets s;
    s.left = l; s.top = t; s.right = r; s.bottom = b;
    return s;
}

}  // namespace

TEST_CASE("window rectangles become insets cut at the screen edge") {
    struct Case { RECT window; SelectionInsets want; };
    const Case cases[] = {
        {{100, 200, 740, 680}, In(100, 200, 1180, 400)},
        {{-8, -8, 1928, 1088}, In(0, 0, 0, 0)},           // a maximised window
        {{1800, 1000, 2500, 1500}, In(1800, 1000, 0, 0)}, // reaching beyond the screen
        {{0, 0, 1920, 1080}, In(0, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        CHECK(InsetsFromRect(kScreen, c.window) == c.want);
        const RECT back = SelectionRectFromInsets(kScreen, c.want);
        CHECK(back.left >= 0);
        CHECK(back.right <= 1920);
    }
}

TEST_CASE("a drag spans both points in any direction and is cut at the edges") {
    struct Case { POINT a, b; SelectionInsets want; };
    const Case cases[] = {
        {{100, 100}, {300, 250}, In(100, 100, 1620, 830)},
        {{300, 250}, {100, 100}, In(100, 100, 1620, 830)},
        {{300, 100}, {100, 250}, In(100, 100, 1620, 830)},
        {{500, 500}, {-40, 2000}, In(0, 500, 1420, 0)},
        {{50, 60}, {50, 90}, In(50, 60, 1870, 990)},  // zero pixels wide
    };
    for (const Case& c : cases)
        CHECK(InsetsSpanning(kScreen, c.a, c.b) == c.want);
}

TEST_CASE("handle rectangles: corners centred, edge handles start at the midpoint") {
    const RECT frame{98, 98, 302, 202};  // selection 100,100,300,200 grown by the inset 2
    struct Case { int index; RECT want; };
    const Case cases[] = {
        {0, {93, 93, 103, 103}}, {1, {200, 93, 205, 103}}, {2, {297, 93, 307, 103}},
        {3, {93, 150, 103, 155}}, {4, {0, 0, 0, 0}}, {5, {297, 150, 307, 155}},
        {6, {93, 197, 103, 207}}, {7, {200, 197, 205, 207}}, {8, {297, 197, 307, 207}},
        {9, {0, 0, 0, 0}}, {-1, {0, 0, 0, 0}},
    };
    for (const Case& c : cases)
        CHECK(Same(GetHandleRect(frame, 2, c.index), c.want));
}

TEST_CASE("hit test: handles, bands, interior, and edge priority near the screen edge") {
    const RECT frame{98, 98, 302, 202};
    const RECT nearEdge{-2, 98, 302, 202};  // left edge at the screen's left edge
    struct Case { RECT frame; POINT p; bool tool; int code; LPCWSTR cursor; };
    const Case cases[] = {
        {frame, {99, 99}, false, kHitTopLeft, IDC_SIZENWSE},
        {frame, {202, 99}, false, kHitTop, IDC_SIZENS},
        {frame, {198, 99}, false, kHitTop, IDC_SIZENS},       // top band left of the handle
        {frame, {300, 100}, false, kHitTopRight, IDC_SIZENESW},
        {frame, {100, 152}, false, kHitLeft, IDC_SIZEWE},
        {frame, {100, 140}, false, kHitLeft, IDC_SIZEWE},     // left band above the handle
        {frame, {200, 150}, false, kHitMove, IDC_SIZEALL},
        {frame, {200, 150}, true, kHitNone, IDC_CROSS},
        {frame, {300, 152}, true, kHitRight, IDC_SIZEWE},
        {frame, {99, 201}, false, kHitBottomLeft, IDC_SIZENESW},
        {frame, {250, 200}, false, kHitBottom, IDC_SIZENS},
        {frame, {301, 201}, false, kHitBottomRight, IDC_SIZENWSE},
        {nearEdge, {0, 100}, false, kHitLeft, IDC_SIZEWE},    // the band beats the corner handle
        {nearEdge, {0, 200}, false, kHitLeft, IDC_SIZEWE},
    };
    for (const Case& c : cases) {
        const FrameHit hit = HitTestFrame(c.frame, 2, kScreen, c.p, c.tool);
        CAPTURE(c.p.x);
        CAPTURE(c.p.y);
        CHECK(hit.code == c.code);
        CHECK(hit.cursor == c.cursor);
    }
}

TEST_CASE("resize keeps the anchor, flips past it, and moves only the part's edges") {
    const SelectionInsets start = In(100, 100, 1620, 880);  // 100,100,300,200
    const RECT sel = SelectionRectFromInsets(kScreen, start);
    struct Case { int code; POINT p; RECT want; };
    const Case cases[] = {
        {kHitBottomRight, {400, 260}, {100, 100, 400, 260}},
        {kHitTopLeft, {50, 40}, {50, 40, 300, 200}},
        {kHitTopLeft, {350, 250}, {300, 200, 350, 250}},  // flipped past the opposite corner
        {kHitTop, {999, 20}, {100, 20, 300, 200}},
        {kHitRight, {500, 999}, {100, 100, 500, 200}},
        {kHitLeft, {400, 5}, {300, 100, 400, 200}},
        {kHitBottomLeft, {-50, 1500}, {0, 100, 300, 1080}},
    };
    for (const Case& c : cases) {
        const POINT anchor = AnchorForHit(c.code, sel);
        const SelectionInsets out = ResizeSelection(start, c.code, c.p, anchor, kScreen);
        CAPTURE(c.code);
        CHECK(Same(SelectionRectFromInsets(kScreen, out), c.want));
    }
}

TEST_CASE("a move stops short of a screen edge on that axis only") {
    struct Case { SelectionInsets from; int dx, dy; SelectionInsets want; };
    const Case cases[] = {
        {In(100, 100, 1620, 880), 10, -20, In(110, 80, 1610, 900)},
        {In(5, 100, 1715, 880), -10, 7, In(5, 107, 1715, 873)},   // x refused, y moves
        {In(100, 3, 1620, 977), 4, -4, In(104, 3, 1616, 977)},    // y refused
        {In(100, 100, 0, 880), 1, 0, In(100, 100, 0, 880)},
        {In(100, 100, 0, 880), -1, 0, In(99, 100, 1, 880)},
    };
    for (const Case& c : cases)
        CHECK(MoveSelection(c.from, c.dx, c.dy) == c.want);
}

TEST_CASE("the selection keeps 3 pixels clear of the annotations") {
    const RECT items{200, 150, 260, 190};
    const RECT none{1920, 1080, 0, 0};  // no items: the inverted screen
    struct Case { RECT sel, bounds, want; };
    const Case cases[] = {
        {{100, 100, 300, 200}, items, {100, 100, 300, 200}},
        {{199, 100, 300, 200}, items, {197, 100, 300, 200}},
        {{100, 149, 258, 191}, items, {100, 147, 263, 193}},
        {{100, 100, 300, 200}, none, {100, 100, 300, 200}},
        {{1918, 100, 1919, 200}, none, {1917, 100, 1919, 200}},
    };
    for (const Case& c : cases)
        CHECK(Same(KeepClearOfItems(c.sel, c.bounds), c.want));
}
