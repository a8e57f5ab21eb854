// Stack layout: fixed items take their size, flexible items share what is left (respecting
// their min and max), then the stack is aligned and offset by the scroll position.
#include "uilib/layout/Layout.h"

#include <algorithm>

namespace uilib {
namespace {

// The stack is computed along a "main" axis; the horizontal layout swaps the axes of every
// input and output so both share one implementation.
SIZE Swap(SIZE s) { return {s.cy, s.cx}; }
RECT Swap(const RECT& r) { return {r.top, r.left, r.bottom, r.right}; }

LayoutItem Swap(const LayoutItem& item) {
    LayoutItem s = item;
    s.size = Swap(item.size);
    s.minSize = Swap(item.minSize);
    s.maxSize = Swap(item.maxSize);
    s.padding = Swap(item.padding);
    return s;
}

int Clamp(int v, int lo, int hi) { return std::max(lo, std::min(v, std::max(lo, hi))); }

bool InStack(const LayoutItem& item) { return item.visible && !item.isFloat; }

// Main-axis sizes (cy in the unswapped vertical case) of every stacked item.
std::vector<int> MainSizes(const std::vector<LayoutItem>& items, int available, int childPadding) {
    std::vector<int> sizes(items.size(), 0);
    std::vector<bool> flexible(items.size(), false);
    int used = 0;
    int count = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        const LayoutItem& it = items[i];
        if (!InStack(it)) continue;
        if (count++ > 0) used += childPadding;
        used += it.padding.top + it.padding.bottom;
        if (it.size.cy > 0) {
            sizes[i] = Clamp(it.size.cy, it.minSize.cy, it.maxSize.cy);
            used += sizes[i];
        } else {
            flexible[i] = true;
        }
    }
    // Share the rest; an item clamped by its min or max leaves the pool and the rest is
    // shared again, so flexible neighbours absorb the difference.
    int remaining = std::max(0, available - used);
    for (bool changed = true; changed;) {
        changed = false;
        int pool = 0;
        for (size_t i = 0; i < items.size(); ++i) pool += flexible[i] ? 1 : 0;
        if (pool == 0) break;
        int share = remaining / pool;
        for (size_t i = 0; i < items.size(); ++i) {
            if (!flexible[i]) continue;
            int clamped = Clamp(share, items[i].minSize.cy, items[i].maxSize.cy);
            if (clamped != share) {
                sizes[i] = clamped;
                flexible[i] = false;
                remaining = std::max(0, remaining - clamped);
                changed = true;
            }
        }
        if (!changed) {
            int extra = remaining - share * pool;
            for (size_t i = 0; i < items.size(); ++i) {
                if (!flexible[i]) continue;
                sizes[i] = share + (extra-- > 0 ? 1 : 0);
            }
        }
    }
    return sizes;
}

// Cross-axis placement of one item inside [left, right).
void PlaceCross(const LayoutItem& it, int left, int right, UINT align, RECT& out) {
    int avail = right - left - it.padding.left - it.padding.right;
    int width = it.size.cx > 0 ? Clamp(it.size.cx, it.minSize.cx, it.maxSize.cx) : Clamp(avail, it.minSize.cx, it.maxSize.cx);
    int x = left + it.padding.left;
    if (it.size.cx > 0 && width < avail) {
        if (align & DT_CENTER) x += (avail - width) / 2;
        else if (align & DT_RIGHT) x += avail - width;
    }
    out.left = x;
    out.right = x + width;
}

std::vector<RECT> ArrangeMainAxis(const std::vector<LayoutItem>& items, const RECT& content, int childPadding,
                                  UINT crossAlign, UINT mainAlign, SIZE scroll, SIZE* required) {
    int available = content.bottom - content.top;
    std::vector<int> sizes = MainSizes(items, available, childPadding);
    int total = 0;
    int count = 0;
    int crossNeeded = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (!InStack(items[i])) continue;
        if (count++ > 0) total += childPadding;
        total += sizes[i] + items[i].padding.top + items[i].padding.bottom;
        int cross = std::max(items[i].size.cx, items[i].minSize.cx) + items[i].padding.left + items[i].padding.right;
        crossNeeded = std::max(crossNeeded, cross);
    }
    if (required) *required = {crossNeeded, total};

    int y = content.top - scroll.cy;
    if (total < available) {
        if (mainAlign & (DT_VCENTER | DT_CENTER)) y += (available - total) / 2;
        else if (mainAlign & (DT_BOTTOM | DT_RIGHT)) y += available - total;
    }
    std::vector<RECT> out(items.size(), RECT{0, 0, 0, 0});
    for (size_t i = 0; i < items.size(); ++i) {
        const LayoutItem& it = items[i];
        if (!InStack(it)) continue;
        y += it.padding.top;
        RECT& r = out[i];
        PlaceCross(it, content.left - scroll.cx, content.right - scroll.cx, crossAlign, r);
        r.top = y;
        r.bottom = y + sizes[i];
        y = r.bottom + it.padding.bottom + childPadding;
    }
    return out;
}

}  // namespace

std::vector<RECT> ArrangeVertical(const std::vector<LayoutItem>& items, const StackParams& p, SIZE* required) {
    return ArrangeMainAxis(items, p.content, p.childPadding, p.align, p.valign, p.scroll, required);
}

std::vector<RECT> ArrangeHorizontal(const std::vector<LayoutItem>& items, const StackParams& p, SIZE* required) {
    std::vector<LayoutItem> swapped;
    swapped.reserve(items.size());
    for (const auto& it : items) swapped.push_back(Swap(it));
    // Cross axis of a horizontal stack is vertical: its alignment comes from valign, and
    // the main axis alignment from align.
    UINT crossAlign = (p.valign & DT_VCENTER) ? DT_CENTER : (p.valign & DT_BOTTOM) ? DT_RIGHT : DT_LEFT;
    UINT mainAlign = (p.align & DT_CENTER) ? DT_VCENTER : (p.align & DT_RIGHT) ? DT_BOTTOM : DT_TOP;
    std::vector<RECT> out = ArrangeMainAxis(swapped, Swap(p.content), p.childPadding, crossAlign, mainAlign, Swap(p.scroll), required);
    for (auto& r : out) r = Swap(r);
    if (required) *required = Swap(*required);
    return out;
}

RECT ArrangeFill(const LayoutItem& it, const RECT& content) {
    RECT r = {content.left + it.padding.left, content.top + it.padding.top,
              content.right - it.padding.right, content.bottom - it.padding.bottom};
    int w = it.size.cx > 0 ? it.size.cx : r.right - r.left;
    int h = it.size.cy > 0 ? it.size.cy : r.bottom - r.top;
    r.right = r.left + Clamp(w, it.minSize.cx, it.maxSize.cx);
    r.bottom = r.top + Clamp(h, it.minSize.cy, it.maxSize.cy);
    return r;
}

RECT ArrangeFloat(const RECT& parent, const RECT& pos, SIZE fixed) {
    RECT r;
    r.left = parent.left + pos.left;
    r.top = parent.top + pos.top;
    r.right = pos.right > pos.left ? parent.left + pos.right : r.left + std::max(0L, fixed.cx);
    r.bottom = pos.bottom > pos.top ? parent.top + pos.bottom : r.top + std::max(0L, fixed.cy);
    return r;
}

}  // namespace uilib
