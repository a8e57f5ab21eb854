// Toolbar and panel rectangles.
#include "capturo/annotate/ToolbarLayout.h"

RECT GetToolbarRect(const RECT& selection, const RECT& screen) {
    const LONG spaceBelow = screen.bottom - selection.bottom;
    const LONG spaceAbove = selection.top - screen.top;
    if (spaceBelow >= kToolbarRoom) {
        return RECT{selection.right - 332, selection.bottom + 6, selection.right - 2, selection.bottom + 32};
    }
    if (spaceAbove >= kToolbarRoom) {
        return RECT{selection.right - 332, selection.top - 32, selection.right - 2, selection.top - 6};
    }
    return RECT{selection.right - 338, selection.top + 10, selection.right - 8, selection.top + 36};
}

namespace {

RECT RectAt(LONG x, LONG y, SIZE size) { return RECT{x, y, x + size.cx, y + size.cy}; }

}  // namespace

tagPanelLayout ComputePanelLayout(const RECT& toolbar, int32_t kind) {
    tagPanelLayout layout{};
    layout.fontPanel = (kind == kKindText);
    const LONG y0 = toolbar.top + 2 + kToolbarSize.cy;
    const SIZE first = layout.fontPanel ? kFontSizePanelSize : kPenSizePanelSize;
    layout.firstPanel = RectAt(toolbar.left, y0, first);
    layout.colorPanel = RectAt(toolbar.left + first.cx, y0, SIZE{kColorPanelSize.cx, first.cy});
    layout.panelRect = RECT{layout.firstPanel.left, layout.firstPanel.top, layout.colorPanel.right,
                            layout.firstPanel.bottom};
    return layout;
}
