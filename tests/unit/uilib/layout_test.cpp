// Pure layout: vertical and horizontal stacks, fill, float, and the nine-part split.
#include <doctest.h>

#include "uilib/layout/Layout.h"
#include "uilib/render/NinePatch.h"

using namespace uilib;

namespace {

LayoutItem Item(int cx, int cy, RECT padding = {0, 0, 0, 0}) {
    LayoutItem it;
    it.size = {cx, cy};
    it.padding = padding;
    return it;
}

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

}  // namespace

TEST_CASE("vertical stack: fixed, flexible, padding, child padding, min and max") {
    struct Case {
        const char* name;
        std::vector<LayoutItem> items;
        StackParams params;
        std::vector<RECT> expected;
        SIZE required;
    };
    LayoutItem minFlex = Item(0, 0);
    minFlex.minSize = {0, 70};
    LayoutItem maxFlex = Item(0, 0);
    maxFlex.maxSize = {9999, 10};
    LayoutItem hidden = Item(0, 30);
    hidden.visible = false;
    LayoutItem floating = Item(20, 20);
    floating.isFloat = true;
    const Case cases[] = {
        {"fixed then flexible", {Item(0, 30), Item(0, 0)}, {{0, 0, 100, 100}}, {{0, 0, 100, 30}, {0, 30, 100, 100}}, {0, 100}},
        {"two flexible share", {Item(0, 0), Item(0, 0)}, {{0, 0, 50, 101}}, {{0, 0, 50, 51}, {0, 51, 50, 101}}, {0, 101}},
        {"padding and child padding", {Item(0, 20, {2, 3, 4, 5}), Item(0, 10)}, {{10, 10, 110, 110}, 7},
         {{12, 13, 106, 33}, {10, 45, 110, 55}}, {6, 45}},
        {"fixed width aligned centre", {Item(40, 10)}, {{0, 0, 100, 100}, 0, DT_CENTER}, {{30, 0, 70, 10}}, {40, 10}},
        {"fixed width aligned right", {Item(40, 10)}, {{0, 0, 100, 100}, 0, DT_RIGHT}, {{60, 0, 100, 10}}, {40, 10}},
        {"min height of a flexible item", {minFlex, Item(0, 0)}, {{0, 0, 10, 100}}, {{0, 0, 10, 70}, {0, 70, 10, 100}}, {0, 100}},
        {"max height of a flexible item", {maxFlex, Item(0, 0)}, {{0, 0, 10, 100}}, {{0, 0, 10, 10}, {0, 10, 10, 100}}, {0, 100}},
        {"hidden and floating items take no room", {hidden, floating, Item(0, 0)}, {{0, 0, 10, 50}},
         {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 10, 50}}, {0, 50}},
        {"bottom alignment", {Item(0, 10)}, {{0, 0, 10, 100}, 0, DT_LEFT, DT_BOTTOM}, {{0, 90, 10, 100}}, {0, 10}},
        {"scrolled", {Item(0, 60), Item(0, 60)}, {{0, 0, 10, 100}, 0, DT_LEFT, DT_TOP, {0, 25}},
         {{0, -25, 10, 35}, {0, 35, 10, 95}}, {0, 120}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        SIZE required;
        std::vector<RECT> out = ArrangeVertical(c.items, c.params, &required);
        REQUIRE(out.size() == c.expected.size());
        for (size_t i = 0; i < out.size(); ++i) {
            CAPTURE(i);
            CHECK(Same(out[i], c.expected[i]));
        }
        CHECK(required.cy == c.required.cy);
        CHECK(required.cx == c.required.cx);
    }
}

TEST_CASE("horizontal stack: toolbar row of fixed buttons with left padding") {
    // Like the capture toolbar: 22 × 20 buttons with 6 pixels on their left, in a row 26 high.
    std::vector<LayoutItem> items = {Item(22, 20, {6, 0, 0, 0}), Item(22, 20, {6, 0, 0, 0}), Item(1, 20, {6, 3, 0, 6}), Item(52, 20, {6, 0, 0, 0})};
    StackParams p;
    p.content = {100, 203, 430, 226};
    std::vector<RECT> out = ArrangeHorizontal(items, p);
    CHECK(Same(out[0], {106, 203, 128, 223}));
    CHECK(Same(out[1], {134, 203, 156, 223}));
    CHECK(Same(out[2], {162, 206, 163, 226}));
    CHECK(Same(out[3], {169, 203, 221, 223}));
    // Flexible spacers share the rest and centre what lies between them.
    std::vector<LayoutItem> centred = {Item(0, 0), Item(72, 22), Item(0, 0)};
    p.content = {0, 0, 172, 30};
    p.valign = DT_VCENTER;
    out = ArrangeHorizontal(centred, p);
    CHECK(Same(out[0], {0, 0, 50, 30}));
    CHECK(Same(out[1], {50, 4, 122, 26}));
    CHECK(Same(out[2], {122, 0, 172, 30}));
}

TEST_CASE("fill and float placement") {
    LayoutItem fixed = Item(30, 60, {1, 2, 0, 0});
    RECT r = ArrangeFill(fixed, {10, 10, 200, 200});
    CHECK(Same(r, {11, 12, 41, 72}));
    r = ArrangeFill(Item(0, 0, {2, 2, 2, 2}), {0, 0, 100, 50});
    CHECK(Same(r, {2, 2, 98, 48}));
    // pos relative to the parent; a missing right/bottom takes the fixed size.
    CHECK(Same(ArrangeFloat({100, 50, 500, 400}, {9, 5, 29, 25}, {0, 0}), {109, 55, 129, 75}));
    CHECK(Same(ArrangeFloat({100, 50, 500, 400}, {10, 3, 0, 0}, {20, 18}), {110, 53, 130, 71}));
    CHECK(Same(ArrangeFloat({0, 0, 500, 400}, {0, 0, 0, 0}, {0, 0}), {0, 0, 0, 0}));
}

TEST_CASE("nine-part split with and without the hole") {
    RECT dest = {0, 0, 100, 80}, src = {0, 0, 100, 80}, corners = {10, 20, 30, 40};
    std::vector<ImagePiece> all = SplitNinePatch(dest, src, corners, false);
    CHECK(all.size() == 9);
    std::vector<ImagePiece> holed = SplitNinePatch(dest, src, corners, true);
    REQUIRE(holed.size() == 8);
    RECT centre = {10, 20, 70, 40};
    for (const ImagePiece& p : holed) {
        RECT overlap;
        CHECK_FALSE(IntersectRect(&overlap, &p.dest, &centre));
        // The mask is as large as the control: every piece maps one to one.
        CHECK(Same(p.dest, p.source));
    }
    // Corners of 0 on one side leave those pieces out entirely.
    CHECK(SplitNinePatch(dest, src, {0, 0, 0, 0}, false).size() == 1);
    CHECK(SplitNinePatch(dest, src, {0, 0, 0, 0}, true).empty());
    // Stretching keeps the corners and stretches the middle.
    std::vector<ImagePiece> stretched = SplitNinePatch({0, 0, 200, 30}, {0, 0, 20, 30}, {5, 0, 5, 0}, false);
    REQUIRE(stretched.size() == 3);
    CHECK(Same(stretched[1].dest, {5, 0, 195, 30}));
    CHECK(Same(stretched[1].source, {5, 0, 15, 30}));
}

TEST_CASE("cropping a piece to the painted area") {
    ImagePiece oneToOne = {{0, 0, 100, 100}, {0, 0, 100, 100}};
    REQUIRE(CropPiece(oneToOne, {20, 30, 50, 60}));
    CHECK(Same(oneToOne.dest, {20, 30, 50, 60}));
    CHECK(Same(oneToOne.source, {20, 30, 50, 60}));
    ImagePiece stretched = {{0, 0, 200, 100}, {0, 0, 10, 100}};
    REQUIRE(CropPiece(stretched, {20, 30, 50, 60}));
    CHECK(Same(stretched.dest, {0, 30, 200, 60}));
    CHECK(Same(stretched.source, {0, 30, 10, 60}));
    ImagePiece outside = {{0, 0, 10, 10}, {0, 0, 10, 10}};
    CHECK_FALSE(CropPiece(outside, {20, 20, 30, 30}));
}
