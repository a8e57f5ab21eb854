// Arrow polygon, brush path, clamping, toolbar and panel rectangles, item bounds.
#include <doctest.h>

#include "capturo/annotate/PaintItem.h"
#include "capturo/annotate/ShapeGeometry.h"
#include "capturo/annotate/ToolbarLayout.h"
#include "capturo/annotate/Tools.h"

namespace {

bool Same(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }
bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
doctest::String Show(const RECT& r) {
    return doctest::toString(r.left) + "," + doctest::toString(r.top) + "," + doctest::toString(r.right) + "," +
           doctest::toString(r.bottom);
}

}  // namespace

TEST_CASE("arrow head lengths and pen by item width") {
    struct Case { int width, pen, outer, inner; };
    const Case cases[] = {{2, 1, 10, 8}, {4, 2, 18, 16}, {8, 3, 22, 19}, {5, 3, 22, 19}, {0, 3, 22, 19}, {-4, 3, 22, 19}};
    for (const Case& c : cases) {
        CAPTURE(c.width);
        const tagArrowHead h = ArrowHeadForWidth(c.width);
        CHECK(h.penWidth == c.pen);
        CHECK(h.outerLength == c.outer);
        CHECK(h.innerLength == c.inner);
    }
}

TEST_CASE("arrow polygon: tail, inner+, outer+, tip, outer-, inner-") {
    struct Case { POINT tail, tip; int width; POINT expected[6]; };
    const Case cases[] = {
        {{0, 0}, {100, 0}, 2, {{0, 0}, {92, -2}, {91, -5}, {100, 0}, {91, 5}, {92, 2}}},
        {{0, 0}, {100, 0}, 4, {{0, 0}, {84, -4}, {84, -9}, {100, 0}, {84, 9}, {84, 4}}},
        {{0, 0}, {100, 0}, 8, {{0, 0}, {81, -4}, {80, -11}, {100, 0}, {80, 11}, {81, 4}}},
        {{0, 0}, {100, 0}, 5, {{0, 0}, {81, -4}, {80, -11}, {100, 0}, {80, 11}, {81, 4}}},
        // Both cases land a hair under a whole number: the single-precision 30 degree turn
        // and truncation toward zero decide the pixel.
        {{200, 200}, {200, 100}, 8, {{200, 200}, {195, 118}, {188, 119}, {200, 100}, {211, 119}, {204, 118}}},
        {{10, 10}, {110, 110}, 4, {{10, 10}, {101, 96}, {105, 92}, {110, 110}, {92, 105}, {96, 101}}},
        {{300, 50}, {100, 150}, 2, {{300, 50}, {107, 148}, {109, 150}, {100, 150}, {105, 141}, {105, 144}}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.width);
        CAPTURE(c.tip.x);
        const std::array<POINT, 6> got = ComputeArrowPolygon(c.tail, c.tip, c.width);
        for (int i = 0; i < 6; ++i) {
            CAPTURE(i);
            CAPTURE(got[i].x);
            CAPTURE(got[i].y);
            CHECK(Same(got[i], c.expected[i]));
        }
    }
}

TEST_CASE("brush path: nothing below three samples") {
    CHECK_FALSE(ComputeBrushPath({}).drawn);
    CHECK_FALSE(ComputeBrushPath({{5, 5}}).drawn);
    CHECK_FALSE(ComputeBrushPath({{5, 5}, {9, 9}}).drawn);
}

TEST_CASE("brush path: quadratic pieces through the midpoints") {
    struct Seg { float x0, y0, x1, y1, x2, y2, x3, y3; };
    struct Case { std::vector<POINT> samples; std::vector<Seg> segments; };
    const Case cases[] = {
        // Three samples: one curve from p0 to p2 controlled by p1.
        {{{0, 0}, {10, 20}, {30, 0}}, {{0, 0, 20.f / 3, 40.f / 3, 50.f / 3, 40.f / 3, 30, 0}}},
        // Four: the first piece ends at the midpoint of p1 and p2, the last on p3.
        {{{0, 0}, {10, 20}, {31, 0}, {40, 40}},
         {{0, 0, 20.f / 3, 40.f / 3, 40.f / 3, 50.f / 3, 20, 10}, {20, 10, 82.f / 3, 10.f / 3, 34, 40.f / 3, 40, 40}}},
        // Midpoints round toward zero: (-3 + 0) / 2 is -1, not -2.
        {{{1, 1}, {-3, 1}, {0, -4}, {2, 2}, {4, 4}},
         {{1, 1, -5.f / 3, 1, -7.f / 3, 1.f / 3, -1, -1},
          {-1, -1, -1.f / 3, -3, 1.f / 3, -3, 1, -1},
          {1, -1, 5.f / 3, 1, 8.f / 3, 8.f / 3, 4, 4}}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.samples.size());
        const tagBrushPath path = ComputeBrushPath(c.samples);
        REQUIRE(path.drawn);
        CHECK(path.origin.x == float(c.samples[0].x));
        CHECK(path.origin.y == float(c.samples[0].y));
        REQUIRE(path.segments.size() == c.segments.size());
        for (size_t i = 0; i < c.segments.size(); ++i) {
            CAPTURE(i);
            const tagBezierF& b = path.segments[i];
            const Seg& e = c.segments[i];
            CHECK(b.start.x == doctest::Approx(e.x0));
            CHECK(b.start.y == doctest::Approx(e.y0));
            CHECK(b.control1.x == doctest::Approx(e.x1));
            CHECK(b.control1.y == doctest::Approx(e.y1));
            CHECK(b.control2.x == doctest::Approx(e.x2));
            CHECK(b.control2.y == doctest::Approx(e.y2));
            CHECK(b.end.x == doctest::Approx(e.x3));
            CHECK(b.end.y == doctest::Approx(e.y3));
        }
    }
}

TEST_CASE("brush path: a long stroke has n - 2 pieces ending on the last sample") {
    std::vector<POINT> samples;
    for (int i = 0; i < 500; ++i) samples.push_back(POINT{i, (i * 7) % 13});
    const tagBrushPath path = ComputeBrushPath(samples);
    REQUIRE(path.segments.size() == 498);
    CHECK(path.segments.back().end.x == 499.f);
    CHECK(path.segments.back().end.y == float((499 * 7) % 13));
    for (size_t i = 1; i < path.segments.size(); ++i) {
        CHECK(path.segments[i].start.x == path.segments[i - 1].end.x);
    }
}

TEST_CASE("clamping keeps points each pen's margin inside the selection") {
    const RECT sel{100, 50, 300, 250};
    struct Case { POINT p; int margin; POINT expected; };
    const Case cases[] = {
        {{150, 150}, 3, {150, 150}}, {{0, 0}, 3, {103, 53}},       {{999, 999}, 3, {297, 247}},
        {{0, 0}, 4, {104, 54}},      {{999, 999}, 4, {296, 246}},   {{0, 999}, 7, {107, 243}},
        {{999, 0}, 7, {293, 57}},    {{107, 243}, 7, {107, 243}},   {{106, 244}, 7, {107, 243}},
        {{100, 250}, 3, {103, 247}}, {{296, 53}, 3, {296, 53}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.margin);
        CAPTURE(c.p.x);
        CAPTURE(c.p.y);
        CHECK(Same(ClampToSelection(c.p, sel, c.margin), c.expected));
    }
    // Narrower than two margins: each bound tests the unclamped value, so a point left of
    // both bounds takes the left one and a point between them ends on the right one.
    CHECK(Same(ClampToSelection(POINT{0, 0}, RECT{10, 10, 16, 16}, 4), POINT{14, 14}));
    CHECK(Same(ClampToSelection(POINT{13, 13}, RECT{10, 10, 16, 16}, 4), POINT{12, 12}));
}

TEST_CASE("toolbar below, above or inside the selection") {
    const RECT screen{0, 0, 1920, 1080};
    struct Case { const char* name; RECT sel; RECT expected; };
    const Case cases[] = {
        {"below", {100, 100, 600, 400}, {268, 406, 598, 432}},
        {"just room below", {100, 100, 600, 1048}, {268, 1054, 598, 1080}},
        {"above", {100, 100, 600, 1049}, {268, 68, 598, 94}},
        {"just room above", {100, 32, 600, 1060}, {268, 0, 598, 26}},
        {"inside", {100, 31, 600, 1060}, {262, 41, 592, 67}},
        {"full screen", {0, 0, 1920, 1080}, {1582, 10, 1912, 36}},
        {"narrow at the left edge", {10, 100, 110, 300}, {-222, 306, 108, 332}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        const RECT got = GetToolbarRect(c.sel, screen);
        CAPTURE(Show(got));
        CHECK(Same(got, c.expected));
    }
}

TEST_CASE("panels two pixels under the toolbar, font panel for the text tool") {
    const RECT toolbar{268, 406, 598, 432};
    struct Case { int kind; bool font; RECT first; RECT color; RECT all; };
    const Case cases[] = {
        {kKindText, true, {268, 434, 353, 472}, {353, 434, 521, 472}, {268, 434, 521, 472}},
        {kKindRectangle, false, {268, 434, 350, 472}, {350, 434, 518, 472}, {268, 434, 518, 472}},
        {kKindEllipse, false, {268, 434, 350, 472}, {350, 434, 518, 472}, {268, 434, 518, 472}},
        {kKindArrow, false, {268, 434, 350, 472}, {350, 434, 518, 472}, {268, 434, 518, 472}},
        {kKindBrush, false, {268, 434, 350, 472}, {350, 434, 518, 472}, {268, 434, 518, 472}},
        {kKindNone, false, {268, 434, 350, 472}, {350, 434, 518, 472}, {268, 434, 518, 472}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.kind);
        const tagPanelLayout l = ComputePanelLayout(toolbar, c.kind);
        CHECK(l.fontPanel == c.font);
        CHECK(Same(l.firstPanel, c.first));
        CHECK(Same(l.colorPanel, c.color));
        CHECK(Same(l.panelRect, c.all));
    }
    // Above the selection the panels still hang under the toolbar, over the selection.
    const tagPanelLayout above = ComputePanelLayout(RECT{268, 68, 598, 94}, kKindArrow);
    CHECK(above.firstPanel.top == 96);
}

TEST_CASE("items bounds") {
    const RECT screen{0, 0, 1920, 1080};
    SUBCASE("an empty list leaves the screen's far edges") {
        const tagItemsBounds b = GetItemsBounds({}, screen);
        CHECK(b.minX == 1920);
        CHECK(b.minY == 1080);
        CHECK(b.maxX == 0);
        CHECK(b.maxY == 0);
    }
    SUBCASE("shapes count both points, brushes every sample, widths nothing") {
        PaintItemList items(3);
        items[0] = tagPaintItem{300, 200, 250, 260, kKindRectangle, 8, 0};
        items[1].kind = kKindBrush;
        items[1].startX = items[1].startY = items[1].endX = items[1].endY = 5;  // ignored for brushes
        items[1].points = {{400, 210}, {420, 500}, {410, 205}};
        items[2] = tagPaintItem{600, 300, 700, 350, kKindText, 14, 0};
        const tagItemsBounds b = GetItemsBounds(items, screen);
        CHECK(b.minX == 250);
        CHECK(b.minY == 200);
        CHECK(b.maxX == 700);
        CHECK(b.maxY == 500);
    }
}

TEST_CASE("repaint bounds of items and of a brush stroke's newest piece") {
    struct Case { const char* name; tagPaintItem item; RECT expected; };
    tagPaintItem brush;
    brush.kind = kKindBrush;
    brush.width = 8;
    brush.points = {{50, 60}, {10, 20}, {30, 90}};
    const Case cases[] = {
        {"rectangle", tagPaintItem{60, 50, 20, 10, kKindRectangle, 4}, {15, 5, 66, 56}},
        {"ellipse, small pen", tagPaintItem{20, 10, 60, 50, kKindEllipse, 2}, {16, 6, 65, 55}},
        {"arrow, large head", tagPaintItem{10, 50, 90, 50, kKindArrow, 8}, {-17, 23, 118, 78}},
        {"text", tagPaintItem{100, 100, 200, 160, kKindText, 14}, {95, 98, 203, 191}},
        {"brush", brush, {3, 13, 58, 98}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        const RECT got = ItemPaintBounds(c.item);
        CAPTURE(Show(got));
        CHECK(Same(got, c.expected));
    }
    std::vector<POINT> samples = {{0, 0}, {500, 500}, {10, 10}, {12, 30}, {20, 14}, {25, 16}};
    const RECT tail = BrushTailBounds(samples, 4);
    CAPTURE(Show(tail));
    CHECK(Same(tail, RECT{5, 5, 31, 36}));
    CHECK(Same(BrushTailBounds({}, 4), RECT{0, 0, 0, 0}));
}
