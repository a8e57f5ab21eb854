// One annotation item (tagPaintItem), the kinds of items, and the bounds of a list of items.
// Coordinates are window pixels of the full-screen capture window (equal to screen pixels).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The value 0 means "no tool"; an item itself always has a kind from 1 to 5.
enum PaintKind : int32_t {
    kKindNone = 0,
    kKindRectangle = 1,
    kKindEllipse = 2,
    kKindArrow = 3,
    kKindBrush = 4,
    kKindText = 5,
};

inline bool IsItemKind(int32_t kind) { return kind >= kKindRectangle && kind <= kKindText; }
// Kinds drawn with a pen whose width comes from the pen-size buttons.
inline bool IsPenKind(int32_t kind) { return kind >= kKindRectangle && kind <= kKindBrush; }

// For shapes start and end are the unordered drag points; for text they are an ordered
// rectangle (left, top, right, bottom). An item is a value: copies own their text and points.
struct tagPaintItem {
    int32_t startX = 0;
    int32_t startY = 0;
    int32_t endX = 0;
    int32_t endY = 0;
    int32_t kind = kKindNone;
    int32_t width = 0;   // pen width; for text the font size in pixels
    uint32_t color = 0;  // 0xAARRGGBB
    std::wstring text;
    std::vector<POINT> points;  // brush samples in the order recorded
};

using PaintItemList = std::vector<tagPaintItem>;

struct tagItemsBounds {
    int32_t minX = 0;
    int32_t minY = 0;
    int32_t maxX = 0;
    int32_t maxY = 0;
};

// Starts from the screen's far edges, so an empty list puts no limit on the selection frame.
// Brush items count every sample, other items both end points; pen width and text extent do not.
tagItemsBounds GetItemsBounds(const PaintItemList& items, const RECT& screen);
