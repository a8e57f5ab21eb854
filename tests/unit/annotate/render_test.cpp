// Items drawn with GDI+ into 32-bit DIBs, checked at known pixels.
#include <doctest.h>

#include "capturo/annotate/Palette.h"
#include "capturo/annotate/Rendering.h"
#include "gdiplus_fixture.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0xFFFB3838;
constexpr uint32_t kBlue = 0xFF3894E4;
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t Rgb(uint32_t argb) { return argb & 0xFFFFFF; }

tagPaintItem Shape(int kind, int x0, int y0, int x1, int y1, int width, uint32_t color) {
    tagPaintItem item;
    item.kind = kind;
    item.startX = x0;
    item.startY = y0;
    item.endX = x1;
    item.endY = y1;
    item.width = width;
    item.color = color;
    return item;
}

tagPaintScene SceneOf(const PaintItemList& items) {
    tagPaintScene scene;
    scene.items = &items;
    scene.selection = RECT{0, 0, 200, 200};
    return scene;
}

DibCanvas Render(const PaintItemList& items, int w = 100, int h = 100) {
    TestGdiplus::Ensure();
    DibCanvas canvas(w, h, kWhite);
    DrawOn(canvas, [&](HDC dc) { DrawPaintItems(dc, SceneOf(items)); });
    return canvas;
}

}  // namespace

TEST_CASE("rectangle: outline of the normalised drag, either direction") {
    const DibCanvas forward = Render({Shape(kKindRectangle, 20, 10, 60, 50, 2, kRed)});
    const DibCanvas backward = Render({Shape(kKindRectangle, 60, 50, 20, 10, 2, kRed)});
    CHECK(forward.Pixels() == backward.Pixels());
    struct Case { int x, y; uint32_t rgb; };
    const Case cases[] = {{19, 30, Rgb(kRed)}, {20, 30, Rgb(kRed)}, {40, 10, Rgb(kRed)}, {60, 30, Rgb(kRed)},
                          {40, 30, kWhite},    {10, 30, kWhite},    {22, 30, kWhite},    {40, 53, kWhite}};
    for (const Case& c : cases) {
        CAPTURE(c.x);
        CAPTURE(c.y);
        CHECK(forward.Pixel(c.x, c.y) == c.rgb);
    }
}

TEST_CASE("ellipse: inscribed in the rectangle") {
    const DibCanvas canvas = Render({Shape(kKindEllipse, 20, 10, 80, 50, 4, kBlue)});
    CHECK(canvas.Pixel(50, 10) == Rgb(kBlue));  // top of the ellipse
    CHECK(canvas.Pixel(20, 30) == Rgb(kBlue));  // left end
    CHECK(canvas.Pixel(50, 30) == kWhite);      // inside
    CHECK(canvas.Pixel(22, 12) == kWhite);      // the rectangle's corner stays clear
}

TEST_CASE("arrow: filled head and shaft, thin at the tail") {
    const DibCanvas canvas = Render({Shape(kKindArrow, 10, 50, 90, 50, 8, kBlack)}, 100, 100);
    struct Case { int x, y; bool inked; };
    const Case cases[] = {
        {86, 50, true},  {75, 50, true},  {50, 50, true},  {73, 42, true},  {73, 58, true},   // tip, shaft, barbs
        {50, 44, false}, {50, 56, false}, {95, 50, false}, {30, 40, false}, {70, 35, false},  // around it
    };
    for (const Case& c : cases) {
        CAPTURE(c.x);
        CAPTURE(c.y);
        CHECK((canvas.Pixel(c.x, c.y) != kWhite) == c.inked);
    }
    CHECK(canvas.Pixel(80, 50) == Rgb(kBlack));
}

TEST_CASE("brush: curve through the middle, not through the control point") {
    tagPaintItem stroke = Shape(kKindBrush, 0, 0, 0, 0, 4, kRed);
    stroke.points = {{10, 80}, {50, 10}, {90, 80}};
    const DibCanvas canvas = Render({stroke});
    CHECK(canvas.Pixel(50, 45) == Rgb(kRed));  // the quadratic's midpoint
    CHECK(canvas.Pixel(10, 80) == Rgb(kRed));  // round start
    CHECK(canvas.Pixel(90, 80) == Rgb(kRed));  // ends on the last sample
    CHECK(canvas.Pixel(50, 15) == kWhite);     // the control point is not on the stroke
    SUBCASE("one or two samples draw nothing") {
        tagPaintItem shortStroke = stroke;
        shortStroke.points.resize(2);
        CHECK(Render({shortStroke}).CountPixels(kWhite) == 100 * 100);
        shortStroke.points.resize(1);
        CHECK(Render({shortStroke}).CountPixels(kWhite) == 100 * 100);
    }
}

TEST_CASE("text: drawn inside its layout rectangle, wrapping at its width") {
    tagPaintItem text = Shape(kKindText, 13, 10, 83, 95, 20, kBlack);
    text.text = L"WW WW WW";
    const DibCanvas canvas = Render({text});
    int firstLine = 0, secondLine = 0, outside = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool inked = canvas.Pixel(x, y) != kWhite;
            const bool inside = x >= 10 && x < 77 && y >= 10 && y < 95;
            if (inked && !inside) ++outside;
            if (inked && inside && y < 33) ++firstLine;
            if (inked && inside && y >= 33) ++secondLine;
        }
    }
    CHECK(firstLine > 50);
    CHECK(secondLine > 50);  // "WW WW" does not fit on 67 pixels
    CHECK(outside == 0);
}

// Where "微软雅黑" is not installed (our Wine prefix) the generic sans-serif family draws it.
TEST_CASE("Chinese text is drawn in its colour, with the fallback family where needed") {
    tagPaintItem text = Shape(kKindText, 10, 10, 190, 60, 22, kBlue);
    text.text = L"中文";
    const DibCanvas canvas = Render({text}, 200, 100);
    CHECK(canvas.CountPixels(Rgb(kBlue)) > 20);
}

TEST_CASE("a later item covers an earlier one; bad widths and kinds stop nothing") {
    const DibCanvas covered = Render({Shape(kKindRectangle, 20, 20, 80, 80, 8, kRed),
                                      Shape(kKindRectangle, 20, 20, 80, 80, 8, kBlue)});
    CHECK(covered.Pixel(20, 50) == Rgb(kBlue));
    CHECK(covered.CountPixels(Rgb(kRed)) == 0);

    for (int badWidth : {0, -3, -100000}) {
        CAPTURE(badWidth);
        const DibCanvas canvas = Render({Shape(kKindRectangle, 10, 10, 30, 30, badWidth, kRed),
                                         Shape(kKindBrush, 10, 10, 30, 30, badWidth, kRed),
                                         Shape(kKindArrow, 10, 10, 30, 30, badWidth, kRed),
                                         Shape(0, 10, 10, 90, 90, 2, kRed), Shape(9, 10, 10, 90, 90, 2, kRed),
                                         Shape(kKindRectangle, 50, 50, 90, 90, 4, kBlue)});
        CHECK(canvas.Pixel(50, 70) == Rgb(kBlue));
        CHECK(canvas.Pixel(90, 60) == Rgb(kBlue));
    }
}

TEST_CASE("the item being drawn shows only while dragged with an extent inside the selection") {
    tagPaintItem current = Shape(kKindRectangle, 20, 20, 60, 60, 4, kBlue);
    struct Case { const char* name; bool buttonDown; RECT selection; POINT dragStart; POINT end; bool shown; };
    const Case cases[] = {
        {"dragging", true, {10, 10, 90, 90}, {20, 20}, {60, 60}, true},
        {"button up", false, {10, 10, 90, 90}, {20, 20}, {60, 60}, false},
        {"no extent yet", true, {10, 10, 90, 90}, {60, 60}, {60, 60}, false},
        {"end at zero", true, {0, 0, 90, 90}, {20, 20}, {0, 60}, false},
        {"end on the selection's edge", true, {10, 10, 60, 60}, {20, 20}, {60, 60}, true},
        {"end past the right edge", true, {10, 10, 59, 90}, {20, 20}, {60, 60}, false},
        {"start above the top edge", true, {10, 21, 90, 90}, {20, 20}, {60, 60}, false},
    };
    const PaintItemList items = {Shape(kKindRectangle, 20, 20, 60, 60, 4, kRed)};
    for (const Case& c : cases) {
        CAPTURE(c.name);
        current.endX = c.end.x;
        current.endY = c.end.y;
        tagPaintScene scene{&items, &current, c.buttonDown, c.selection, c.dragStart};
        CHECK(ShouldDrawCurrentItem(scene) == c.shown);
        TestGdiplus::Ensure();
        DibCanvas canvas(100, 100, kWhite);
        DrawOn(canvas, [&](HDC dc) { DrawPaintItems(dc, scene); });
        // Shown, it lies over the finished red one along the left edge they share.
        CHECK((canvas.Pixel(20, 40) == Rgb(kBlue)) == c.shown);
    }
    tagPaintScene none{&items, nullptr, true, {10, 10, 90, 90}, {20, 20}};
    CHECK_FALSE(ShouldDrawCurrentItem(none));
}

TEST_CASE("composition: the selection cut out with its items, drawn into the desktop image") {
    TestGdiplus::Ensure();
    DibCanvas desktop(200, 150, 0x404040);
    const PaintItemList items = {Shape(kKindRectangle, 60, 50, 120, 90, 2, kRed)};
    tagPaintScene scene = SceneOf(items);
    const RECT selection{50, 40, 151, 110};
    uilib::BitmapHandle picture = ComposeSelectionBitmap(desktop.Bitmap(), scene, selection);
    REQUIRE(picture);
    int w = 0, h = 0;
    const std::vector<uint32_t> pixels = ReadPixels(picture.Get(), w, h);
    CHECK(w == 101);
    CHECK(h == 70);
    CHECK(pixels[(70 - 40) * w + (60 - 50)] == Rgb(kRed));   // left edge of the rectangle
    CHECK(pixels[(50 - 40) * w + (90 - 50)] == Rgb(kRed));   // its top edge
    CHECK(pixels[(70 - 40) * w + (90 - 50)] == 0x404040);    // its inside
    CHECK(pixels[0] == 0x404040);
    CHECK(desktop.Pixel(60, 70) == Rgb(kRed));  // the items stay in the frozen image
    CHECK_FALSE(ComposeSelectionBitmap(desktop.Bitmap(), scene, RECT{50, 40, 50, 110}));
    CHECK_FALSE(ComposeSelectionBitmap(nullptr, scene, selection));
}

TEST_CASE("painting a part of the window gives the same pixels there as a full paint") {
    tagPaintItem stroke = Shape(kKindBrush, 0, 0, 0, 0, 4, kBlue);
    stroke.points = {{5, 90}, {40, 40}, {60, 70}, {95, 5}};
    tagPaintItem text = Shape(kKindText, 50, 5, 98, 40, 16, kBlack);
    text.text = L"WW WW";
    tagPaintItem zigzag = Shape(kKindBrush, 0, 0, 0, 0, 8, kRed);
    for (int i = 0; i < 60; ++i) zigzag.points.push_back(POINT{5 + (i * 37) % 90, 5 + (i * 53) % 90});
    const PaintItemList items = {Shape(kKindArrow, 10, 10, 90, 90, 8, kRed), stroke, text,
                                 Shape(kKindEllipse, 0, 60, 30, 99, 2, kBlack), zigzag};
    const DibCanvas full = Render(items);
    for (const RECT& part : {RECT{35, 30, 70, 75}, RECT{0, 0, 12, 12}, RECT{88, 40, 100, 52}}) {
    CAPTURE(part.left);
    DibCanvas partial(100, 100, kWhite);
    DrawOn(partial, [&](HDC dc) {
        ::IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
        DrawPaintItems(dc, SceneOf(items));
    });
    int differing = 0, outsideInked = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool inside = x >= part.left && x < part.right && y >= part.top && y < part.bottom;
            if (inside && partial.Pixel(x, y) != full.Pixel(x, y)) ++differing;
            if (!inside && partial.Pixel(x, y) != kWhite) ++outsideInked;
        }
    }
    CHECK(differing == 0);
    CHECK(outsideInked == 0);
    }
    CHECK(full.CountPixels(kWhite) < 100 * 100 - 500);
}
