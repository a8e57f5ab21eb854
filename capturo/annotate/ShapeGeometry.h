// Geometry of the arrow (its six-point polygon) and of the brush stroke (its Bezier chain).
#pragma once

#include <windows.h>

#include <array>
#include <vector>

struct tagPaintItem;

struct tagArrowHead {
    int penWidth;     // 1, 2 or 3
    int outerLength;  // A: tip to barb
    int innerLength;  // B: tip to the shaft's base corners
};

// Width 2 -> pen 1 (10/8), 4 -> pen 2 (18/16), anything else -> pen 3 (22/19).
tagArrowHead ArrowHeadForWidth(int width);

// Tail, inner+, outer+, tip, outer-, inner-. The tail must differ from the tip.
std::array<POINT, 6> ComputeArrowPolygon(POINT tail, POINT tip, int width);

struct tagPointF {
    float x;
    float y;
};

struct tagBezierF {
    tagPointF start;
    tagPointF control1;
    tagPointF control2;
    tagPointF end;
};

// Empty (no segments, drawn: false) for fewer than three samples. Otherwise the path
// begins with a zero-length line at p[0], then one cubic per sample after the first
// two, ending at the midpoints of successive samples and finally on the last sample.
struct tagBrushPath {
    bool drawn = false;
    tagPointF origin{0, 0};
    std::vector<tagBezierF> segments;
};

tagBrushPath ComputeBrushPath(const std::vector<POINT>& samples);

// The pixels an item can touch: its points' box grown by half the pen (or the arrow's head;
// text gets two more lines below its box) plus two pixels of antialiasing. Used to repaint
// only what changed and to skip items outside the painted area.
RECT ItemPaintBounds(const tagPaintItem& item);

// What appending the newest sample changes in a brush stroke: the last two pieces of the
// path, whose hull is the last four samples, grown like ItemPaintBounds.
RECT BrushTailBounds(const std::vector<POINT>& samples, int width);
