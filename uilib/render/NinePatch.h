// Splitting a bitmap part into nine pieces (fixed corners, stretched edges and centre) and
// cropping a piece to the area being painted. Pure geometry, no GDI calls.
#pragma once

#include <windows.h>
#include <vector>

namespace uilib {

struct ImagePiece {
    RECT dest;
    RECT source;
};

// The pieces of src drawn into dest with the given corner sizes; empty pieces are left out,
// and so is the centre when hole is true. Corners larger than dest are scaled down so the
// opposite corners never overlap.
std::vector<ImagePiece> SplitNinePatch(const RECT& dest, const RECT& src, const RECT& corners, bool hole);

// Crops a piece to clip. An axis drawn 1:1 is cropped exactly on both rectangles; a
// stretched axis is left whole (the DC clip cuts it). False when nothing of it is visible.
bool CropPiece(ImagePiece& piece, const RECT& clip);

}  // namespace uilib
