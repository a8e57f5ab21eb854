// Bounds of the annotation items.
#include "capturo/annotate/PaintItem.h"

#include <algorithm>

namespace {

void Widen(tagItemsBounds& b, int32_t x, int32_t y) {
    b.minX = std::min(b.minX, x);
    b.minY = std::min(b.minY, y);
    b.maxX = std::max(b.maxX, x);
    b.maxY = std::max(b.maxY, y);
}

}  // namespace

tagItemsBounds GetItemsBounds(const PaintItemList& items, const RECT& screen) {
    tagItemsBounds b{screen.right, screen.bottom, screen.left, screen.top};
    for (const tagPaintItem& item : items) {
        if (item.kind == kKindBrush) {
            for (const POINT& p : item.points) Widen(b, p.x, p.y);
        } else {
            Widen(b, item.startX, item.startY);
            Widen(b, item.endX, item.endY);
        }
    }
    return b;
}
