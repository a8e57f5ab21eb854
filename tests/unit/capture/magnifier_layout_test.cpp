// Tables of cases for the magnifier panel, its source area, the size label and the colour text.
#include <doctest.h>

#include "capturo/app/MagnifierLayout.h"

namespace {

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST_CASE("the panel follows the cursor and never flips") {
    const MagnifierGeometry g;
    struct Case { POINT c; RECT panel, zoom, source; };
    const Case cases[] = {
        {{100, 100}, {110, 130, 230, 260}, {110, 130, 230, 215}, {80, 86, 120, 114}},
        {{1910, 1070}, {1920, 1100, 2040, 1230}, {1920, 1100, 2040, 1185}, {1890, 1056, 1930, 1084}},
    };
    for (const Case& c : cases) {
        const RECT panel = MagnifierPanelRect(c.c, g);
        CHECK(Same(panel, c.panel));
        CHECK(Same(MagnifierZoomRect(panel, g), c.zoom));
        CHECK(Same(MagnifierSourceRect(c.c, g), c.source));
    }
}

TEST_CASE("size text, label width and label place") {
    const RECT screen{0, 0, 1920, 1080};
    SelectionInsets in;
    in.left = 100; in.top = 21; in.right = 454; in.bottom = 291;
    CHECK(SelectionSizeText(screen, in) == L"1366 x 768");
    CHECK(SizeLabelWidth(10) == 65);
    CHECK(SizeLabelWidth(7) == 46);
    struct Case { int top; int y; };
    const Case cases[] = {{21, -1}, {20, 22}, {0, 2}, {300, 278}};
    for (const Case& c : cases) {
        in.top = c.top;
        const POINT o = SizeLabelOrigin(screen, in);
        CHECK(o.x == 102);
        CHECK(o.y == c.y);
    }
}

TEST_CASE("colour text in decimal and, with Ctrl, hexadecimal") {
    struct Case { COLORREF pixel; bool hex; const wchar_t* want; };
    const Case cases[] = {
        {RGB(255, 0, 0), false, L"RGB:(255,0,0)"},
        {RGB(255, 0, 0), true, L"RGB:#FF0000"},
        {RGB(0x12, 0xAB, 0x05), true, L"RGB:#12AB05"},
        {RGB(0, 0, 0), false, L"RGB:(0,0,0)"},
    };
    for (const Case& c : cases)
        CHECK(PixelColourText(c.pixel, c.hex) == c.want);
}
