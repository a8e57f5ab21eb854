// Prints the time of a full repaint of a 1920 x 1080 selection holding 200 finished items
// (mixed kinds, brush strokes of 500 samples) and the time per mouse move of a brush stroke,
// once repainting only the changed piece and once the whole window.
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "capturo/annotate/Palette.h"
#include "capturo/annotate/Rendering.h"
#include "capturo/annotate/ShapeGeometry.h"
#include "uilib/core/Handles.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
const RECT kSelection{0, 0, kWidth, kHeight};

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

uilib::BitmapHandle MakeDib(HDC reference) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    uilib::BitmapHandle dib(::CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bits) std::fill_n(static_cast<uint32_t*>(bits), kWidth * kHeight, 0xFF507090u);
    return dib;
}

std::vector<POINT> RandomWalk(std::mt19937& rng, int count) {
    std::uniform_int_distribution<int> step(-6, 6);
    std::vector<POINT> points;
    POINT p{static_cast<LONG>(rng() % (kWidth - 200) + 100), static_cast<LONG>(rng() % (kHeight - 200) + 100)};
    for (int i = 0; i < count; ++i) {
        p.x = std::clamp<LONG>(p.x + step(rng), 10, kWidth - 10);
        p.y = std::clamp<LONG>(p.y + step(rng), 10, kHeight - 10);
        points.push_back(p);
    }
    return points;
}

PaintItemList MakeItems() {
    std::mt19937 rng(7);
    PaintItemList items;
    const int widths[] = {2, 4, 8};
    for (int i = 0; i < 200; ++i) {
        tagPaintItem item;
        item.kind = i % 5 + 1;
        item.width = item.kind == kKindText ? 16 : widths[i % 3];
        item.color = kPalette[i % kPaletteSize].color;
        item.startX = static_cast<int>(rng() % (kWidth - 300));
        item.startY = static_cast<int>(rng() % (kHeight - 200));
        item.endX = item.startX + 40 + static_cast<int>(rng() % 250);
        item.endY = item.startY + 30 + static_cast<int>(rng() % 150);
        if (item.kind == kKindText) item.text = L"标注 annotation 文字";
        if (item.kind == kKindBrush) item.points = RandomWalk(rng, 500);
        items.push_back(std::move(item));
    }
    return items;
}

// One paint as the window does it: the frozen image into the back buffer, then the items,
// both limited to `clip`.
void Repaint(HDC back, HDC desktop, const tagPaintScene& scene, const RECT& clip) {
    ::SelectClipRgn(back, nullptr);
    ::IntersectClipRect(back, clip.left, clip.top, clip.right, clip.bottom);
    ::BitBlt(back, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, desktop, clip.left, clip.top,
             SRCCOPY);
    DrawPaintItems(back, scene);
}

struct tagFigures {
    double average = 0;
    double worst = 0;
};

template <typename Fn>
tagFigures Measure(int rounds, Fn once) {
    tagFigures f;
    for (int i = 0; i < rounds; ++i) {
        const Clock::time_point start = Clock::now();
        once(i);
        const double ms = MillisecondsSince(start);
        f.average += ms / rounds;
        f.worst = std::max(f.worst, ms);
    }
    return f;
}

// GDI+ for the program's lifetime.
class GdiplusScope {
public:
    GdiplusScope() {
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
    }
    ~GdiplusScope() { if (token_) Gdiplus::GdiplusShutdown(token_); }
    GdiplusScope(const GdiplusScope&) = delete;
    GdiplusScope& operator=(const GdiplusScope&) = delete;
    bool Ok() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

}  // namespace

int wmain() {
    GdiplusScope gdiplus;
    if (!gdiplus.Ok()) return 1;
    uilib::WindowDC screen(nullptr);
    uilib::MemoryDC desktopDc(screen.Get()), backDc(screen.Get());
    uilib::BitmapHandle desktop = MakeDib(screen.Get()), back = MakeDib(screen.Get());
    uilib::ScopedSelect selectDesktop(desktopDc.Get(), desktop.Get());
    uilib::ScopedSelect selectBack(backDc.Get(), back.Get());

    const PaintItemList items = MakeItems();
    tagPaintScene scene;
    scene.items = &items;
    scene.selection = kSelection;
    const tagFigures full = Measure(5, [&](int) { Repaint(backDc.Get(), desktopDc.Get(), scene, kSelection); });
    std::printf("full repaint, 200 items at %dx%d: %.1f ms (worst %.1f)\n", kWidth, kHeight, full.average, full.worst);

    for (int kind = 1; kind <= 5; ++kind) {
        PaintItemList some;
        for (const tagPaintItem& item : items) if (item.kind == kind) some.push_back(item);
        tagPaintScene part = scene;
        part.items = &some;
        const tagFigures f = Measure(3, [&](int) { Repaint(backDc.Get(), desktopDc.Get(), part, kSelection); });
        std::printf("  of which kind %d alone (%zu items): %.1f ms\n", kind, some.size(), f.average);
    }
    std::mt19937 rng(11);
    const std::vector<POINT> path = RandomWalk(rng, 300);
    tagPaintItem stroke;
    stroke.kind = kKindBrush;
    stroke.width = 4;
    stroke.color = kDefaultColor;
    stroke.points = {path[0]};
    scene.currentItem = &stroke;
    scene.buttonDown = true;
    scene.dragStart = path[0];
    const auto move = [&](int i, bool narrowed) {
        const POINT p = path[static_cast<size_t>(i) % path.size()];
        stroke.points.push_back(p);
        stroke.endX = p.x;
        stroke.endY = p.y;
        const RECT clip = narrowed ? BrushTailBounds(stroke.points, stroke.width) : kSelection;
        Repaint(backDc.Get(), desktopDc.Get(), scene, clip);
    };
    {
        tagPaintScene itemsOnly = scene;
        itemsOnly.currentItem = nullptr;
        const RECT small{500, 500, 520, 520};
        const tagFigures f = Measure(10, [&](int) { Repaint(backDc.Get(), desktopDc.Get(), itemsOnly, small); });
        std::printf("200 items, painting a 20x20 area: %.2f ms\n", f.average);
        PaintItemList none;
        tagPaintScene strokeOnly = scene;
        strokeOnly.items = &none;
        stroke.points = path;
        stroke.endX = path.back().x;
        stroke.endY = path.back().y;
        const RECT atEnd{path.back().x - 10, path.back().y - 10, path.back().x + 10, path.back().y + 10};
        const tagFigures g = Measure(10, [&](int) { Repaint(backDc.Get(), desktopDc.Get(), strokeOnly, atEnd); });
        std::printf("a 300-sample stroke alone, 20x20 area at its end: %.2f ms\n", g.average);
        const tagFigures h = Measure(10, [&](int) { Repaint(backDc.Get(), desktopDc.Get(), strokeOnly, kSelection); });
        std::printf("a 300-sample stroke alone, whole window: %.2f ms\n", h.average);
        stroke.points = {path[0]};
    }
    const tagFigures narrow = Measure(300, [&](int i) { move(i, true); });
    std::printf("brush move, changed piece only: %.2f ms (worst %.2f), target 8 ms\n", narrow.average, narrow.worst);
    stroke.points = {path[0]};
    const tagFigures whole = Measure(20, [&](int i) { move(i, false); });
    std::printf("brush move, whole window: %.1f ms (worst %.1f)\n", whole.average, whole.worst);
    return 0;
}
