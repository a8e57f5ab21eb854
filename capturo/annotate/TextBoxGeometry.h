// Pure rules of the text tool's box: placement by drag and click, growth while typing, and
// the item a commit makes.
#pragma once

#include <windows.h>

#include <string>

#include "capturo/annotate/PaintItem.h"

inline constexpr int kTextBoxMinWidth = 30;
inline constexpr int kTextBoxMinHeight = 60;
inline constexpr RECT kTextBoxInset{4, 2, 4, 2};

// The rectangle spanned by the drag start and the current point, ordered.
RECT TrackTextRect(POINT dragStart, POINT p);

// Where the box opens when the placing drag ends: a click gives a point, which grows to the
// minimum size; a box crossing the selection's right (bottom) edge flips to the left of
// (above) its first corner. The result is not clamped further.
RECT OpenTextRect(RECT textRect, POINT dragStart, POINT dragEnd, const RECT& selection);

struct tagTextGrowthInput {
    RECT textRect;
    RECT selection;
    POINT caret;        // window pixels
    int fontIndex;      // the box's font index, equal to its size in pixels
    int comboSize;      // the integer value of the font-size list's text
    int length;         // text length now, as the box counts it
    int lastLength;     // the length after the last handled change
    int lineCount;
};

struct tagTextGrowth {
    RECT textRect;
    bool appendLineBreak;  // the caret came within one font size of the selection's right edge
    bool makeReadOnly;     // the caret left the selection: undo the typing and lock the box
};

tagTextGrowth GrowTextRect(const tagTextGrowthInput& in);

// The text item of a committed box: its rectangle shrunk by the control's inset.
tagPaintItem MakeTextItem(const RECT& textRect, const RECT& inset, int fontSize, uint32_t color,
                          const std::wstring& text);
