// Pure measure-and-arrange over rectangles: how containers place their children.
// No windows, no controls: the containers copy each child's sizing rules into LayoutItem
// and apply the rectangles that come back.
#pragma once

#include <windows.h>
#include <vector>

namespace uilib {

struct LayoutItem {
    SIZE size = {0, 0};        // the estimated size; 0 on an axis = flexible on that axis
    SIZE minSize = {0, 0};
    SIZE maxSize = {9999, 9999};
    RECT padding = {0, 0, 0, 0};
    bool visible = true;
    bool isFloat = false;      // floating items are placed by ArrangeFloat, not in the stack
};

struct StackParams {
    RECT content = {0, 0, 0, 0};   // the container less its inset (and scroll bars)
    int childPadding = 0;          // gap between neighbouring items
    UINT align = DT_LEFT;          // cross-axis alignment of a vertical stack, or main-axis of a horizontal one
    UINT valign = DT_TOP;
    SIZE scroll = {0, 0};          // content scroll offset, subtracted from every rectangle
};

// Result rectangles are parallel to the items; invisible and floating items get an empty
// rectangle. *required receives the extent of the arranged stack (padding included): more
// than the content rectangle only when the fixed items do not fit.
std::vector<RECT> ArrangeVertical(const std::vector<LayoutItem>& items, const StackParams& params, SIZE* required = nullptr);
std::vector<RECT> ArrangeHorizontal(const std::vector<LayoutItem>& items, const StackParams& params, SIZE* required = nullptr);
// One item filling the content rectangle less its padding, keeping a fixed size at the
// top-left (plain containers and tab pages).
RECT ArrangeFill(const LayoutItem& item, const RECT& content);
// A floating item: pos is relative to the parent's top-left corner; a missing right or
// bottom (pos.right <= pos.left) takes the fixed width or height.
RECT ArrangeFloat(const RECT& parent, const RECT& pos, SIZE fixed);

}  // namespace uilib
