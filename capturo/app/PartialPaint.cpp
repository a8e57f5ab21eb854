// Update-region bookkeeping for the capture window's partial repaints.
#include "capturo/app/PartialPaint.h"

#include <algorithm>

#include "capturo/app/SelectionGeometry.h"

namespace {

constexpr DWORD kMaxPieces = 12;

RECT Strip(int lo0, int lo1, int span0, int span1, bool vertical, int reach) {
    const int a = std::min(lo0, lo1) - reach, b = std::max(lo0, lo1) + reach;
    return vertical ? RECT{a, span0 - reach, b, span1 + reach} : RECT{span0 - reach, a, span1 + reach, b};
}

}  // namespace

std::vector<RECT> SelectionChangeAreas(const RECT& before, const RECT& after, int reach) {
    std::vector<RECT> areas;
    const int top = std::min(before.top, after.top), bottom = std::max(before.bottom, after.bottom);
    const int left = std::min(before.left, after.left), right = std::max(before.right, after.right);
    if (before.left != after.left)
        areas.push_back(Strip(before.left, after.left, top, bottom, true, reach));
    if (before.right != after.right)
        areas.push_back(Strip(before.right, after.right, top, bottom, true, reach));
    if (before.top != after.top)
        areas.push_back(Strip(before.top, after.top, left, right, false, reach));
    if (before.bottom != after.bottom)
        areas.push_back(Strip(before.bottom, after.bottom, left, right, false, reach));
    // The edge handles sit at the edges' midpoints, which move with the opposite edges too.
    const RECT frameBefore = GrowRect(before, 2), frameAfter = GrowRect(after, 2);
    for (int n : {kHitTop, kHitLeft, kHitRight, kHitBottom}) {
        const RECT a = GetHandleRect(frameBefore, 2, n), b = GetHandleRect(frameAfter, 2, n);
        if (!EqualRect(&a, &b)) {
            areas.push_back(GrowRect(a, 1));
            areas.push_back(GrowRect(b, 1));
        }
    }
    return areas;
}

SavedUpdateRegion::SavedUpdateRegion(HWND window) : window_(window), region_(CreateRectRgn(0, 0, 0, 0)) {
    if (region_ && GetUpdateRgn(window_, region_.Get(), FALSE) == ERROR)
        region_.Reset();
}

void SavedUpdateRegion::DiscardNewInvalidation() {
    if (!region_)
        return;
    ValidateRect(window_, nullptr);
    InvalidateRgn(window_, region_.Get(), FALSE);
}

void PaintUpdateRegionInPieces(HWND window, const std::function<void()>& paintOne) {
    uilib::RegionHandle region(CreateRectRgn(0, 0, 0, 0));
    if (!region || GetUpdateRgn(window, region.Get(), FALSE) != COMPLEXREGION) {
        paintOne();
        return;
    }
    const DWORD bytes = GetRegionData(region.Get(), 0, nullptr);
    std::vector<BYTE> buffer(bytes);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (!bytes || !GetRegionData(region.Get(), bytes, data) || data->rdh.nCount > kMaxPieces) {
        paintOne();
        return;
    }
    const RECT* pieces = reinterpret_cast<const RECT*>(data->Buffer);
    ValidateRect(window, nullptr);
    for (DWORD i = 0; i < data->rdh.nCount; ++i) {
        InvalidateRect(window, &pieces[i], FALSE);
        paintOne();
    }
}
