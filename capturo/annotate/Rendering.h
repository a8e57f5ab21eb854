// Turns annotation items into pixels with GDI+: one item, the whole set over the selection,
// and the composed bitmap of the selection. UI thread only (the composition may also run on
// the recognition worker while the capture window is disabled).
#pragma once

#include <windows.h>

#include <string>

#include "capturo/annotate/PaintItem.h"
#include "uilib/core/Handles.h"

namespace Gdiplus {
class Graphics;
}

// Everything DrawPaintItems needs from the capture window.
struct tagPaintScene {
    const PaintItemList* items = nullptr;
    const tagPaintItem* currentItem = nullptr;  // the item being drawn, if any
    bool buttonDown = false;
    RECT selection{};
    POINT dragStart{};
};

void DrawRectangleItem(Gdiplus::Graphics& g, int width, uint32_t color, int startX, int startY, int endX,
                       int endY);
void DrawEllipseItem(Gdiplus::Graphics& g, int width, uint32_t color, int startX, int startY, int endX,
                     int endY);
void DrawArrowItem(Gdiplus::Graphics& g, int width, uint32_t color, int startX, int startY, int endX,
                   int endY);
void DrawBrushItem(Gdiplus::Graphics& g, int width, uint32_t color, const std::vector<POINT>& points);
void DrawTextItem(Gdiplus::Graphics& g, int size, uint32_t color, int startX, int startY, int endX, int endY,
                  const std::wstring& text);

// Kinds outside 1..5 draw nothing.
void DrawPaintItem(Gdiplus::Graphics& g, const tagPaintItem& item);

// The item being drawn shows only while the button is held, once it has an extent inside
// the selection (bounds included) and positive end coordinates.
bool ShouldDrawCurrentItem(const tagPaintScene& scene);

// Finished items in list order, then the current item on top when it should show.
void DrawPaintItems(HDC dc, const tagPaintScene& scene);

// Draws the items into the frozen desktop image itself, then copies `rect` out of it into a
// new bitmap that the caller owns. An empty bitmap handle when the rectangle is empty or GDI fails.
uilib::BitmapHandle ComposeSelectionBitmap(HBITMAP desktopImage, const tagPaintScene& scene, const RECT& rect);
