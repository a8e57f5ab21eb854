// Geometry of the arrow (its six-point polygon) and of the brush stroke (its Bezier chain).
#pragma once

#include <windows.h>

#include <array>
#include <vector>

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
