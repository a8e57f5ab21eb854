// Nine-part image geometry.
#include "uilib/render/NinePatch.h"

#include <algorithm>

namespace uilib {
namespace {

bool IsEmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// Shrinks two opposite corner sizes to fit length, keeping their proportion.
void FitCorners(LONG& a, LONG& b, LONG length) {
    a = std::max(0L, a);
    b = std::max(0L, b);
    if (a + b <= length || a + b == 0) return;
    LONG na = LONG((long long)a * length / (a + b));
    b = length - na;
    a = na;
}

// Crops [d0, d1) to [c0, c1) and shifts [s0, s1) alike when the axis is 1:1.
bool CropAxis(LONG& d0, LONG& d1, LONG& s0, LONG& s1, LONG c0, LONG c1) {
    if (d1 <= c0 || d0 >= c1) return false;
    if (d1 - d0 != s1 - s0) return true;
    if (d0 < c0) { s0 += c0 - d0; d0 = c0; }
    if (d1 > c1) { s1 -= d1 - c1; d1 = c1; }
    return true;
}

}  // namespace

std::vector<ImagePiece> SplitNinePatch(const RECT& dest, const RECT& src, const RECT& corners, bool hole) {
    std::vector<ImagePiece> pieces;
    if (IsEmptyRect(dest) || IsEmptyRect(src)) return pieces;
    RECT sc = corners;  // corners in the source
    FitCorners(sc.left, sc.right, src.right - src.left);
    FitCorners(sc.top, sc.bottom, src.bottom - src.top);
    RECT dc = sc;       // corners in the destination
    FitCorners(dc.left, dc.right, dest.right - dest.left);
    FitCorners(dc.top, dc.bottom, dest.bottom - dest.top);

    const LONG dx[4] = {dest.left, dest.left + dc.left, dest.right - dc.right, dest.right};
    const LONG dy[4] = {dest.top, dest.top + dc.top, dest.bottom - dc.bottom, dest.bottom};
    const LONG sx[4] = {src.left, src.left + sc.left, src.right - sc.right, src.right};
    const LONG sy[4] = {src.top, src.top + sc.top, src.bottom - sc.bottom, src.bottom};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            if (hole && row == 1 && col == 1) continue;
            ImagePiece p{{dx[col], dy[row], dx[col + 1], dy[row + 1]}, {sx[col], sy[row], sx[col + 1], sy[row + 1]}};
            if (IsEmptyRect(p.dest) || IsEmptyRect(p.source)) continue;
            pieces.push_back(p);
        }
    }
    return pieces;
}

bool CropPiece(ImagePiece& p, const RECT& clip) {
    return CropAxis(p.dest.left, p.dest.right, p.source.left, p.source.right, clip.left, clip.right) &&
           CropAxis(p.dest.top, p.dest.bottom, p.source.top, p.source.bottom, clip.top, clip.bottom);
}

}  // namespace uilib
