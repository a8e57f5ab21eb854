// CMagnifierUI: a control over the whole window that draws the size label and the magnifier
// panel through the capture window's overlay paint. Its drawing helpers are free functions.
// UI thread only.
#pragma once

#include <string>

#include "uilib/UILib.h"

class CMagnifierUI : public CControlUI {
public:
    ~CMagnifierUI() override = default;
    LPCTSTR GetClass() const override { return L"Magnifier"; }
    LPVOID GetInterface(LPCTSTR name) override;
    bool DoPaint(HDC dc, const RECT& paint, CControlUI* stop) override;
};

// The selection's size in a dark box at `origin` (label height 20, width from the text).
bool DrawSizeLabel(HDC dc, const std::wstring& sizeText, POINT origin);
// The panel: the source area enlarged into the zoom area with a crosshair and frame, then
// the colour, size and hint lines; drawn at the panel's place.
bool DrawMagnifier(HDC dc, const std::wstring& colourText, const RECT& panel, const RECT& zoom,
                   const RECT& source, const std::wstring& sizeText, const std::wstring& hintText);
