// Repainting only what a selection change touches. The library invalidates whole controls
// (the mask covers the screen), so a change of the insets replaces that with the strips that
// really differ, and WM_PAINT paints the update region piece by piece instead of its bounding
// box (two thin strips at opposite edges would otherwise repaint everything between them).
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "uilib/core/Handles.h"

// Pixels the frame's line and handles reach beyond the selection: 2 of inset and 5 of half
// a handle, and one to spare.
constexpr int kFrameReach = 8;

// The strips between the old and the new position of each edge, grown by `reach`: together
// they hold every pixel where the mask's hole, the frame line or the handles differ.
std::vector<RECT> SelectionChangeAreas(const RECT& before, const RECT& after, int reach);

// The window's pending update region, kept across a change whose own invalidation is replaced.
class SavedUpdateRegion {
public:
    explicit SavedUpdateRegion(HWND window);
    // Drops every invalidation made since construction, keeping what was pending before.
    void DiscardNewInvalidation();

private:
    HWND window_;
    uilib::RegionHandle region_;
};

// Splits the update region into its rectangles and hands each to `paintOne` as the only
// invalid area; falls back to one paint when the region has many pieces.
void PaintUpdateRegionInPieces(HWND window, const std::function<void()>& paintOne);
