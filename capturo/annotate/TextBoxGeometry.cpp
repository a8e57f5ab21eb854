// Text box placement and growth rules.
#include "capturo/annotate/TextBoxGeometry.h"

#include <algorithm>

RECT TrackTextRect(POINT dragStart, POINT p) {
    return RECT{std::min(dragStart.x, p.x), std::min(dragStart.y, p.y), std::max(dragStart.x, p.x),
                std::max(dragStart.y, p.y)};
}

RECT OpenTextRect(RECT r, POINT dragStart, POINT dragEnd, const RECT& selection) {
    if (dragEnd.x == dragStart.x && dragEnd.y == dragStart.y) {
        r = RECT{dragStart.x, dragStart.y, dragStart.x, dragStart.y};
    }
    if (r.right - r.left < kTextBoxMinWidth) r.right = r.left + kTextBoxMinWidth;
    if (r.bottom - r.top < kTextBoxMinHeight) r.bottom = r.top + kTextBoxMinHeight;
    const LONG w = r.right - r.left;
    const LONG h = r.bottom - r.top;
    if (r.right > selection.right) {
        r.right = r.left;
        r.left -= w;
    }
    if (r.bottom > selection.bottom) {
        r.bottom = r.top;
        r.top -= h;
    }
    return r;
}

namespace {

void GrowEdges(const tagTextGrowthInput& in, RECT& r) {
    const int g = in.comboSize + 10;
    if (r.right + g > in.selection.right) {
        r.right = in.selection.right;
    } else if (in.caret.x + g >= r.right) {
        r.right += g;
    }
    if (r.bottom + g > in.selection.bottom) {
        r.bottom = in.selection.bottom;
    } else if (in.caret.y + g >= r.bottom) {
        r.bottom += g;
    }
}

void ShrinkEdges(const tagTextGrowthInput& in, RECT& r) {
    if (in.lineCount <= 1) {
        r.right -= in.fontIndex / 2;
    } else if (in.caret.y + 60 < r.bottom) {
        r.bottom -= 30;
    }
}

}  // namespace

tagTextGrowth GrowTextRect(const tagTextGrowthInput& in) {
    tagTextGrowth out{in.textRect, false, false};
    if (in.length > in.lastLength) {
        out.appendLineBreak = in.caret.x + in.fontIndex > in.selection.right;
        GrowEdges(in, out.textRect);
    } else if (in.length < in.lastLength) {
        ShrinkEdges(in, out.textRect);
    }
    out.makeReadOnly = in.caret.x > in.selection.right || in.caret.y > in.selection.bottom;
    return out;
}

tagPaintItem MakeTextItem(const RECT& textRect, const RECT& inset, int fontSize, uint32_t color,
                          const std::wstring& text) {
    tagPaintItem item;
    item.kind = kKindText;
    item.startX = textRect.left + inset.left;
    item.startY = textRect.top + inset.top;
    item.endX = textRect.right - inset.right;
    item.endY = textRect.bottom - inset.bottom;
    item.width = fontSize;
    item.color = color;
    item.text = text;
    return item;
}
