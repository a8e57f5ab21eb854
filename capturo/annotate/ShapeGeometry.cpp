// Arrow polygon and brush path, computed exactly as the drawing code draws them.
#include "capturo/annotate/ShapeGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "capturo/annotate/PaintItem.h"

namespace {

// The angles are fixed to the last bit: the 30 degree turn uses float(pi/6) with its cosine
// and sine rounded to float; the 15 degree turn is computed in double.
constexpr double kAngle30 = 0.5235987901687622;
constexpr double kAngle15 = 0.2617993833333333;

struct tagVec {
    double x;
    double y;
};

tagVec Rotate(tagVec d, double c, double s) { return tagVec{c * d.x - s * d.y, s * d.x + c * d.y}; }

POINT Offset(POINT tip, double length, tagVec dir, double norm) {
    return POINT{static_cast<LONG>(tip.x + length * dir.x / norm),
                 static_cast<LONG>(tip.y + length * dir.y / norm)};
}

}  // namespace

tagArrowHead ArrowHeadForWidth(int width) {
    if (width == 2) return tagArrowHead{1, 10, 8};
    if (width == 4) return tagArrowHead{2, 18, 16};
    return tagArrowHead{3, 22, 19};
}

std::array<POINT, 6> ComputeArrowPolygon(POINT tail, POINT tip, int width) {
    const tagArrowHead head = ArrowHeadForWidth(width);
    const tagVec d{static_cast<double>(tail.x - tip.x), static_cast<double>(tail.y - tip.y)};
    const double c30 = static_cast<float>(std::cos(kAngle30));
    const double s30 = static_cast<float>(std::sin(kAngle30));
    const double c15 = std::cos(kAngle15);
    const double s15 = std::sin(kAngle15);
    const tagVec plus30 = Rotate(d, c30, s30);
    const tagVec minus30 = Rotate(d, c30, -s30);
    const tagVec plus15 = Rotate(d, c15, s15);
    const tagVec minus15 = Rotate(d, c15, -s15);
    const double lengthPlus = std::hypot(plus30.x, plus30.y);
    const double lengthMinus = std::hypot(minus30.x, minus30.y);
    return {tail,
            Offset(tip, head.innerLength, plus15, lengthPlus),
            Offset(tip, head.outerLength, plus30, lengthPlus),
            tip,
            Offset(tip, head.outerLength, minus30, lengthMinus),
            Offset(tip, head.innerLength, minus15, lengthMinus)};
}

namespace {

tagPointF ToPointF(POINT p) { return tagPointF{static_cast<float>(p.x), static_cast<float>(p.y)}; }

// Integer midpoint, rounding toward zero like the C division.
tagPointF Midpoint(POINT a, POINT b) {
    return tagPointF{static_cast<float>((a.x + b.x) / 2), static_cast<float>((a.y + b.y) / 2)};
}

// Raises the quadratic q, s, e to a cubic, in single precision.
tagBezierF QuadraticAsCubic(tagPointF q, tagPointF s, tagPointF e) {
    return tagBezierF{q,
                      {(q.x + 2.0f * s.x) / 3.0f, (q.y + 2.0f * s.y) / 3.0f},
                      {(e.x + 2.0f * s.x) / 3.0f, (e.y + 2.0f * s.y) / 3.0f},
                      e};
}

}  // namespace

tagBrushPath ComputeBrushPath(const std::vector<POINT>& samples) {
    tagBrushPath path;
    const size_t n = samples.size();
    if (n < 3) return path;
    path.drawn = true;
    path.origin = ToPointF(samples[0]);
    tagPointF q = path.origin;
    for (size_t i = 0; i + 3 <= n; ++i) {
        const tagPointF s = ToPointF(samples[i + 1]);
        const tagPointF e = (i + 3 < n) ? Midpoint(samples[i + 1], samples[i + 2]) : ToPointF(samples[i + 2]);
        path.segments.push_back(QuadraticAsCubic(q, s, e));
        q = e;
    }
    return path;
}

namespace {

constexpr int kAntialiasRoom = 2;

RECT BoxOf(const POINT* first, const POINT* last) {
    RECT r{first->x, first->y, first->x, first->y};
    for (const POINT* p = first; p != last; ++p) {
        r.left = std::min(r.left, p->x);
        r.top = std::min(r.top, p->y);
        r.right = std::max(r.right, p->x);
        r.bottom = std::max(r.bottom, p->y);
    }
    return r;
}

RECT Grown(RECT r, int by) {
    // right and bottom exclusive, hence the extra pixel
    return RECT{r.left - by, r.top - by, r.right + by + 1, r.bottom + by + 1};
}

int PenReach(int width) { return std::abs(width) / 2 + 1 + kAntialiasRoom; }

}  // namespace

RECT ItemPaintBounds(const tagPaintItem& item) {
    if (item.kind == kKindBrush) {
        if (item.points.empty()) return RECT{0, 0, 0, 0};
        return Grown(BoxOf(item.points.data(), item.points.data() + item.points.size()), PenReach(item.width));
    }
    const POINT ends[2] = {{item.startX, item.startY}, {item.endX, item.endY}};
    const RECT box = BoxOf(ends, ends + 2);
    // Wrapped text may run below its box where the drawing does not clip it: allow two lines.
    if (item.kind == kKindText) {
        return Grown(RECT{box.left - 3, box.top, box.right, box.bottom + 2 * std::abs(item.width)}, kAntialiasRoom);
    }
    if (item.kind == kKindArrow) {
        const tagArrowHead head = ArrowHeadForWidth(item.width);
        return Grown(box, head.outerLength + head.penWidth + kAntialiasRoom);
    }
    return Grown(box, PenReach(item.width));
}

RECT BrushTailBounds(const std::vector<POINT>& samples, int width) {
    if (samples.empty()) return RECT{0, 0, 0, 0};
    const size_t from = samples.size() > 4 ? samples.size() - 4 : 0;
    return Grown(BoxOf(samples.data() + from, samples.data() + samples.size()), PenReach(width));
}
