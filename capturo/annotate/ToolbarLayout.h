// Where the toolbar and the style panels go around the selection, and their hit test.
#pragma once

#include <windows.h>

#include "capturo/annotate/PaintItem.h"

// Fixed sizes of the toolbar and the panels in the skin.
inline constexpr SIZE kToolbarSize{330, 26};
inline constexpr SIZE kPenSizePanelSize{82, 38};
inline constexpr SIZE kFontSizePanelSize{85, 38};
inline constexpr SIZE kColorPanelSize{168, 38};
// Room needed beside the selection for the toolbar to sit outside it.
inline constexpr int kToolbarRoom = 32;

// Below the selection if 32 pixels are free under it, else above it, else inside at its top
// right. Right-aligned near the selection's right edge and never clamped to the screen.
RECT GetToolbarRect(const RECT& selection, const RECT& screen);

struct tagPanelLayout {
    bool fontPanel;     // the first panel is the font-size panel (text tool), else pen size
    RECT firstPanel;    // pen-size or font-size panel
    RECT colorPanel;
    RECT panelRect;     // area covered by both
};

// The panel row sits 2 pixels under the toolbar rectangle, wherever the toolbar is.
tagPanelLayout ComputePanelLayout(const RECT& toolbar, int32_t kind);

// Rectangles include their left and top edges and exclude the right and bottom ones.
inline bool RectContains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
