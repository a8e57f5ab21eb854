// The strips a selection change repaints: every changed pixel is inside them, little else is.
#include <doctest.h>

#include <vector>

#include "capturo/app/PartialPaint.h"
#include "capturo/app/SelectionGeometry.h"

namespace {

bool Inside(const std::vector<RECT>& areas, int x, int y) {
    for (const RECT& r : areas) {
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
            return true;
    }
    return false;
}

bool InHole(const RECT& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// What the frame draws for a selection: its 1-pixel line and the handles of the frame control
// (the selection grown by the inset 2).
bool Drawn(const RECT& sel, int x, int y) {
    const bool onLine = InHole(sel, x, y) && (x == sel.left || x == sel.right - 1 || y == sel.top || y == sel.bottom - 1);
    if (onLine)
        return true;
    const RECT frame = GrowRect(sel, 2);
    for (int n = 0; n < 9; ++n) {
        if (InHole(GetHandleRect(frame, 2, n), x, y))
            return true;
    }
    return false;
}

long Area(const std::vector<RECT>& areas) {
    long sum = 0;
    for (const RECT& r : areas)
        sum += long(r.right - r.left) * (r.bottom - r.top);
    return sum;
}

}  // namespace

// The areas against the box that one paint of their bounding rectangle would cover.
TEST_CASE("the strips hold every changed hole pixel and both frames, and stay small") {
    struct Case { RECT before, after; long maxArea; };
    const Case cases[] = {
        {{100, 100, 300, 200}, {100, 100, 340, 230}, 21000},  // bottom-right corner dragged; box 256 x 146
        {{100, 100, 300, 200}, {130, 90, 330, 190}, 30000},   // moved; box 246 x 126
        {{100, 100, 1900, 1000}, {100, 100, 1940, 1030}, 160000},  // a large one; box 1856 x 946
        {{100, 100, 300, 200}, {250, 150, 260, 160}, 60000},  // shrunk inside itself
    };
    for (const Case& c : cases) {
        const std::vector<RECT> areas = SelectionChangeAreas(c.before, c.after, kFrameReach);
        for (int y = -10; y < 1100; y += 1) {
            for (int x = -10; x < 2000; x += (y % 7 == 0 ? 1 : 5)) {
                const bool holeChanged = InHole(c.before, x, y) != InHole(c.after, x, y);
                const bool frameChanged = Drawn(c.before, x, y) != Drawn(c.after, x, y);
                if (holeChanged || frameChanged) {
                    CAPTURE(x);
                    CAPTURE(y);
                    REQUIRE(Inside(areas, x, y));
                }
            }
        }
        CHECK(Area(areas) <= c.maxArea);
    }
}

TEST_CASE("no change, no strips") {
    const RECT r{10, 20, 30, 40};
    CHECK(SelectionChangeAreas(r, r, kFrameReach).empty());
}
