// Pure layout of the magnifier panel and the size label, and the texts they show.
#pragma once

#include <windows.h>
#include <string>

#include "capturo/app/SelectionGeometry.h"

struct MagnifierGeometry {
    int zoomWidth = 120;
    int zoomHeight = 85;
    int panelWidth = 120;
    int panelHeight = 130;
};

// The panel sits 10 pixels right of the cursor and 30 below; it never flips near an edge.
RECT MagnifierPanelRect(POINT cursor, const MagnifierGeometry& g);
RECT MagnifierZoomRect(const RECT& panel, const MagnifierGeometry& g);
// The pixels round the cursor that the zoom area enlarges (40 x 28 for the default sizes).
RECT MagnifierSourceRect(POINT cursor, const MagnifierGeometry& g);

// "W x H" of the selection.
std::wstring SelectionSizeText(const RECT& screen, const SelectionInsets& insets);
// "RGB:(r,g,b)" or, while Ctrl is held, "RGB:#RRGGBB"; `pixel` is a GDI colour value.
std::wstring PixelColourText(COLORREF pixel, bool hex);

constexpr int kSizeLabelHeight = 20;
int SizeLabelWidth(size_t characters);
// Just above the selection's top-left corner, or just inside it when there is no room above.
POINT SizeLabelOrigin(const RECT& screen, const SelectionInsets& insets);
