// GDI+ drawing of the five kinds of items. GDI+ failures are passed over: a failing call
// leaves an item partly drawn and drawing goes on with the next one.
#include "capturo/annotate/Rendering.h"

#include <gdiplus.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "capturo/annotate/ShapeGeometry.h"

namespace {

constexpr wchar_t kTextFamily[] = L"微软雅黑";

Gdiplus::Color ToColor(uint32_t argb) { return Gdiplus::Color(static_cast<Gdiplus::ARGB>(argb)); }

// Arrow and brush pens: solid, round ends, flat dashes.
void RoundOff(Gdiplus::Pen& pen) {
    pen.SetDashStyle(Gdiplus::DashStyleSolid);
    pen.SetDashOffset(0.0f);
    pen.SetStartCap(Gdiplus::LineCapRound);
    pen.SetEndCap(Gdiplus::LineCapRound);
    pen.SetDashCap(Gdiplus::DashCapFlat);
}

Gdiplus::Rect NormalisedRect(int startX, int startY, int endX, int endY) {
    return Gdiplus::Rect(std::min(startX, endX), std::min(startY, endY), std::abs(endX - startX),
                         std::abs(endY - startY));
}

// GenericSansSerif is null when the system has no such font (a bare Wine): check it.
std::unique_ptr<Gdiplus::Font> MakeFontFrom(const Gdiplus::FontFamily* family, float size) {
    if (!family || family->GetLastStatus() != Gdiplus::Ok) return nullptr;
    auto font = std::make_unique<Gdiplus::Font>(family, size, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    if (font->GetLastStatus() != Gdiplus::Ok) return nullptr;
    return font;
}

std::unique_ptr<Gdiplus::Font> MakeTextFont(float size) {
    Gdiplus::FontFamily preferred(kTextFamily);
    const bool installed = preferred.GetLastStatus() == Gdiplus::Ok;
    const Gdiplus::FontFamily* family = installed ? &preferred : Gdiplus::FontFamily::GenericSansSerif();
    auto font = MakeFontFrom(family, size);
    if (!font) font = MakeFontFrom(Gdiplus::FontFamily::GenericSansSerif(), size);
    return font;
}

}  // namespace

void DrawRectangleItem(Gdiplus::Graphics& g, int width, uint32_t color, int startX, int startY, int endX,
                       int endY) {
    Gdiplus::Pen pen(ToColor(color), static_cast<Gdiplus::REAL>(width));
    g.DrawRectangle(&pen, NormalisedRect(startX, startY, endX, endY));
}

void DrawEllipseItem(Gdiplus::Graphics& g, int width, uint32_t color, int startX, int startY, int endX,
                     int endY) {
    Gdiplus::Pen pen(ToColor(color), static_cast<Gdiplus::REAL>(width));
    g.DrawEllipse(&pen, NormalisedRect(startX, startY, endX, endY));
}

void DrawArrowItem(Gdiplus::Graphics& g, int width, uint32_t color, int startX, int startY, int endX,
                   int endY) {
    const std::array<POINT, 6> polygon = ComputeArrowPolygon(POINT{startX, startY}, POINT{endX, endY}, width);
    Gdiplus::Point points[6];
    for (size_t i = 0; i < polygon.size(); ++i) points[i] = Gdiplus::Point(polygon[i].x, polygon[i].y);
    Gdiplus::GraphicsPath path(Gdiplus::FillModeAlternate);
    path.AddPolygon(points, 6);
    Gdiplus::Pen pen(ToColor(color), static_cast<Gdiplus::REAL>(ArrowHeadForWidth(width).penWidth));
    RoundOff(pen);
    g.DrawPath(&pen, &path);
    Gdiplus::SolidBrush brush(ToColor(color));
    g.FillPath(&brush, &path);
}

namespace {

bool SegmentNear(const tagBezierF& b, const RECT& area, float reach) {
    const float xs[4] = {b.start.x, b.control1.x, b.control2.x, b.end.x};
    const float ys[4] = {b.start.y, b.control1.y, b.control2.y, b.end.y};
    const float left = *std::min_element(xs, xs + 4) - reach, right = *std::max_element(xs, xs + 4) + reach;
    const float top = *std::min_element(ys, ys + 4) - reach, bottom = *std::max_element(ys, ys + 4) + reach;
    return right >= area.left && left <= area.right && bottom >= area.top && top <= area.bottom;
}

// With `area`, pieces whose hull (grown by the pen) misses it are left out: they add no pixel
// there, and the breaks they leave lie outside it too.
void DrawBrushStroke(Gdiplus::Graphics& g, int width, uint32_t color, const std::vector<POINT>& points,
                     const RECT* area) {
    const tagBrushPath stroke = ComputeBrushPath(points);
    if (!stroke.drawn) return;
    const float reach = static_cast<float>(std::abs(width)) / 2.0f + 3.0f;
    Gdiplus::GraphicsPath path;
    const Gdiplus::PointF origin(stroke.origin.x, stroke.origin.y);
    path.AddLine(origin, origin);
    bool broken = false;
    for (const tagBezierF& b : stroke.segments) {
        if (area && !SegmentNear(b, *area, reach)) {
            broken = true;
            continue;
        }
        if (broken) path.StartFigure();
        broken = false;
        path.AddBezier(Gdiplus::PointF(b.start.x, b.start.y), Gdiplus::PointF(b.control1.x, b.control1.y),
                       Gdiplus::PointF(b.control2.x, b.control2.y), Gdiplus::PointF(b.end.x, b.end.y));
    }
    Gdiplus::Pen pen(ToColor(color), static_cast<Gdiplus::REAL>(width));
    RoundOff(pen);
    g.DrawPath(&pen, &path);
}

}  // namespace

void DrawBrushItem(Gdiplus::Graphics& g, int width, uint32_t color, const std::vector<POINT>& points) {
    DrawBrushStroke(g, width, color, points, nullptr);
}

void DrawTextItem(Gdiplus::Graphics& g, int size, uint32_t color, int startX, int startY, int endX, int endY,
                  const std::wstring& text) {
    std::unique_ptr<Gdiplus::Font> font = MakeTextFont(static_cast<Gdiplus::REAL>(size));
    if (!font) return;
    const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(startX - 3), static_cast<Gdiplus::REAL>(startY),
                                static_cast<Gdiplus::REAL>(endX - startX - 3),
                                static_cast<Gdiplus::REAL>(endY - startY));
    Gdiplus::SolidBrush brush(ToColor(color));
    Gdiplus::StringFormat format;
    g.DrawString(text.c_str(), static_cast<INT>(text.size()), font.get(), layout, &format, &brush);
}

void DrawPaintItem(Gdiplus::Graphics& g, const tagPaintItem& item) {
    switch (item.kind) {
    case kKindRectangle:
        DrawRectangleItem(g, item.width, item.color, item.startX, item.startY, item.endX, item.endY);
        break;
    case kKindEllipse:
        DrawEllipseItem(g, item.width, item.color, item.startX, item.startY, item.endX, item.endY);
        break;
    case kKindArrow:
        DrawArrowItem(g, item.width, item.color, item.startX, item.startY, item.endX, item.endY);
        break;
    case kKindBrush:
        DrawBrushItem(g, item.width, item.color, item.points);
        break;
    case kKindText:
        DrawTextItem(g, item.width, item.color, item.startX, item.startY, item.endX, item.endY, item.text);
        break;
    default:
        break;
    }
}

namespace {

bool InClosedRange(LONG v, LONG low, LONG high) { return v >= low && v <= high; }

}  // namespace

bool ShouldDrawCurrentItem(const tagPaintScene& scene) {
    const tagPaintItem* item = scene.currentItem;
    if (!item || !scene.buttonDown) return false;
    if (item->endX <= 0 || item->endY <= 0) return false;
    const RECT& s = scene.selection;
    if (!InClosedRange(item->startX, s.left, s.right) || !InClosedRange(item->endX, s.left, s.right)) return false;
    if (!InClosedRange(item->startY, s.top, s.bottom) || !InClosedRange(item->endY, s.top, s.bottom)) return false;
    return !(item->endX == scene.dragStart.x && item->endY == scene.dragStart.y);
}

namespace {

// An item wholly outside the area being painted would add no pixel, so it is not drawn: a
// brush move repaints a few pixels and should not pay for every other item.
bool TouchesClip(const tagPaintItem& item, bool clipped, const RECT& clip) {
    if (!clipped) return true;
    const RECT bounds = ItemPaintBounds(item);
    RECT common;
    return ::IntersectRect(&common, &bounds, &clip) != FALSE;
}

void PrepareGraphics(Gdiplus::Graphics& g) {
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
}

void DrawClipped(Gdiplus::Graphics& g, const tagPaintItem& item, bool clipped, const RECT& clip) {
    if (clipped && item.kind == kKindBrush) {
        DrawBrushStroke(g, item.width, item.color, item.points, &clip);
    } else {
        DrawPaintItem(g, item);
    }
}

void DrawScene(Gdiplus::Graphics& g, const tagPaintScene& scene, bool clipped, const RECT& clip) {
    if (scene.items) {
        for (const tagPaintItem& item : *scene.items) {
            if (TouchesClip(item, clipped, clip)) DrawClipped(g, item, clipped, clip);
        }
    }
    if (ShouldDrawCurrentItem(scene)) DrawClipped(g, *scene.currentItem, clipped, clip);
}

LONG Area(const RECT& r) { return (r.right - r.left) * (r.bottom - r.top); }

// The surface of the bitmap selected into `dc`, empty for a DC without one.
RECT SurfaceOf(HDC dc) {
    BITMAP desc{};
    HGDIOBJ bitmap = ::GetCurrentObject(dc, OBJ_BITMAP);
    if (!bitmap || ::GetObjectW(bitmap, sizeof(desc), &desc) != sizeof(desc)) return RECT{0, 0, 0, 0};
    return RECT{0, 0, desc.bmWidth, desc.bmHeight};
}

// GDI+ on a DC works over each item's whole extent; for a small area (a brush move) it is far
// cheaper to draw into a copy of just that area, shifted by whole pixels, and copy it back.
bool DrawThroughSmallBuffer(HDC dc, const tagPaintScene& scene, const RECT& clip) {
    const RECT surface = SurfaceOf(dc);
    if (Area(surface) == 0 || Area(clip) * 4 > Area(surface)) return false;
    const int width = clip.right - clip.left;
    const int height = clip.bottom - clip.top;
    uilib::MemoryDC buffer(dc);
    uilib::BitmapHandle pixels(::CreateCompatibleBitmap(dc, width, height));
    if (!buffer || !pixels) return false;
    uilib::ScopedSelect select(buffer.Get(), pixels.Get());
    ::BitBlt(buffer.Get(), 0, 0, width, height, dc, clip.left, clip.top, SRCCOPY);
    {
        Gdiplus::Graphics g(buffer.Get());
        PrepareGraphics(g);
        g.TranslateTransform(static_cast<Gdiplus::REAL>(-clip.left), static_cast<Gdiplus::REAL>(-clip.top));
        DrawScene(g, scene, true, clip);
    }
    ::BitBlt(dc, clip.left, clip.top, width, height, buffer.Get(), 0, 0, SRCCOPY);
    return true;
}

}  // namespace

void DrawPaintItems(HDC dc, const tagPaintScene& scene) {
    RECT clip{};
    const int clipKind = ::GetClipBox(dc, &clip);
    if (clipKind == NULLREGION) return;
    const bool clipped = clipKind != ERROR;
    if (clipped && DrawThroughSmallBuffer(dc, scene, clip)) return;
    Gdiplus::Graphics g(dc);
    PrepareGraphics(g);
    if (clipped) {
        g.SetClip(Gdiplus::Rect(clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top));
    }
    DrawScene(g, scene, clipped, clip);
}

uilib::BitmapHandle ComposeSelectionBitmap(HBITMAP desktopImage, const tagPaintScene& scene, const RECT& rect) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (!desktopImage || width <= 0 || height <= 0) return {};
    uilib::WindowDC screen(nullptr);
    uilib::MemoryDC source(screen.Get());
    uilib::MemoryDC target(screen.Get());
    if (!source || !target) return {};
    uilib::ScopedSelect selectDesktop(source.Get(), desktopImage);
    DrawPaintItems(source.Get(), scene);
    uilib::BitmapHandle result(::CreateCompatibleBitmap(source.Get(), width, height));
    if (!result) return {};
    {
        uilib::ScopedSelect selectResult(target.Get(), result.Get());
        ::BitBlt(target.Get(), 0, 0, width, height, source.Get(), rect.left, rect.top, SRCCOPY | CAPTUREBLT);
    }
    return result;
}
