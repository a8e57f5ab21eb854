// The text box's placement, growth and commit rules.
#include <doctest.h>

#include "capturo/annotate/TextBoxGeometry.h"

namespace {

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
doctest::String Show(const RECT& r) {
    return doctest::toString(r.left) + "," + doctest::toString(r.top) + "," + doctest::toString(r.right) + "," +
           doctest::toString(r.bottom);
}

const RECT kSelection{100, 100, 500, 400};

}  // namespace

TEST_CASE("tracking spans the drag in any direction") {
    CHECK(Same(TrackTextRect(POINT{300, 250}, POINT{150, 120}), RECT{150, 120, 300, 250}));
    CHECK(Same(TrackTextRect(POINT{150, 250}, POINT{300, 120}), RECT{150, 120, 300, 250}));
    CHECK(Same(TrackTextRect(POINT{150, 150}, POINT{150, 150}), RECT{150, 150, 150, 150}));
}

TEST_CASE("opening: clicks, minimum size and flips at the selection's edges") {
    struct Case { const char* name; RECT textRect; POINT start, end; RECT expected; };
    const Case cases[] = {
        {"click", {0, 0, 0, 0}, {200, 200}, {200, 200}, {200, 200, 230, 260}},
        {"click replaces an old rectangle", {10, 10, 90, 90}, {200, 200}, {200, 200}, {200, 200, 230, 260}},
        {"click near the right edge", {0, 0, 0, 0}, {480, 200}, {480, 200}, {450, 200, 480, 260}},
        {"click near the bottom edge", {0, 0, 0, 0}, {200, 380}, {200, 380}, {200, 320, 230, 380}},
        {"click in the corner", {0, 0, 0, 0}, {480, 380}, {480, 380}, {450, 320, 480, 380}},
        {"click just fitting", {0, 0, 0, 0}, {470, 340}, {470, 340}, {470, 340, 500, 400}},
        {"dragged box kept", {150, 150, 300, 250}, {150, 150}, {300, 250}, {150, 150, 300, 250}},
        {"small drag grows", {150, 150, 160, 170}, {150, 150}, {160, 170}, {150, 150, 180, 210}},
        {"thin drag at the right flips", {480, 150, 490, 300}, {480, 150}, {490, 300}, {450, 150, 480, 300}},
        {"drag after a commit keeps the old box", {200, 200, 230, 260}, {300, 300}, {320, 330}, {200, 200, 230, 260}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        const RECT got = OpenTextRect(c.textRect, c.start, c.end, kSelection);
        CAPTURE(Show(got));
        CHECK(Same(got, c.expected));
    }
}

TEST_CASE("growth while typing, shrinking while deleting") {
    struct Case {
        const char* name;
        RECT textRect;
        POINT caret;
        int fontIndex, comboSize, length, lastLength, lines;
        RECT expected;
        bool lineBreak, readOnly;
    };
    const Case cases[] = {
        {"caret far from the edges", {200, 200, 230, 260}, {205, 205}, 14, 14, 1, 0, 1, {200, 200, 230, 260}, false, false},
        {"caret near the box's right", {200, 200, 230, 260}, {206, 205}, 14, 14, 2, 1, 1, {200, 200, 254, 260}, false, false},
        {"caret one short of it", {200, 200, 230, 260}, {205, 205}, 14, 14, 2, 1, 1, {200, 200, 230, 260}, false, false},
        {"stops at the selection", {200, 200, 480, 260}, {470, 205}, 14, 14, 9, 8, 1, {200, 200, 500, 260}, false, false},
        {"line break near the selection", {200, 200, 500, 260}, {490, 205}, 14, 14, 9, 8, 1, {200, 200, 500, 260}, true, false},
        {"line break uses the font index", {400, 200, 490, 260}, {480, 205}, 22, 8, 3, 2, 1, {400, 200, 500, 260}, true, false},
        {"grows downward", {200, 200, 230, 260}, {205, 240}, 14, 14, 5, 4, 2, {200, 200, 230, 284}, false, false},
        {"bottom stops at the selection", {200, 200, 230, 390}, {205, 370}, 14, 14, 5, 4, 3, {200, 200, 230, 400}, false, false},
        {"deleting on one line narrows", {200, 200, 254, 260}, {230, 205}, 14, 14, 3, 4, 1, {200, 200, 247, 260}, false, false},
        {"half an odd font index", {200, 200, 254, 260}, {230, 205}, 9, 9, 3, 4, 1, {200, 200, 250, 260}, false, false},
        {"deleting lines lowers", {200, 200, 254, 320}, {205, 230}, 14, 14, 9, 10, 2, {200, 200, 254, 290}, false, false},
        {"caret low keeps the bottom", {200, 200, 254, 320}, {205, 270}, 14, 14, 9, 10, 2, {200, 200, 254, 320}, false, false},
        {"unchanged length", {200, 200, 254, 320}, {205, 270}, 14, 14, 9, 9, 2, {200, 200, 254, 320}, false, false},
        {"caret past the right", {200, 200, 500, 260}, {505, 205}, 14, 14, 9, 8, 1, {200, 200, 500, 260}, true, true},
        {"caret past the bottom", {200, 200, 300, 400}, {205, 401}, 14, 14, 9, 8, 5, {200, 200, 300, 400}, false, true},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        const tagTextGrowth g = GrowTextRect(tagTextGrowthInput{c.textRect, kSelection, c.caret, c.fontIndex,
                                                                c.comboSize, c.length, c.lastLength, c.lines});
        CAPTURE(Show(g.textRect));
        CHECK(Same(g.textRect, c.expected));
        CHECK(g.appendLineBreak == c.lineBreak);
        CHECK(g.makeReadOnly == c.readOnly);
    }
}

TEST_CASE("a committed box becomes a text item at its inset rectangle") {
    const tagPaintItem item = MakeTextItem(RECT{200, 200, 254, 284}, kTextBoxInset, 16, 0xFF3894E4, L"你好 ab");
    CHECK(item.kind == kKindText);
    CHECK(item.startX == 204);
    CHECK(item.startY == 202);
    CHECK(item.endX == 250);
    CHECK(item.endY == 282);
    CHECK(item.width == 16);
    CHECK(item.color == 0xFF3894E4);
    CHECK(item.text == L"你好 ab");
    CHECK(item.points.empty());
}
