// The five drawing tools, the three pen sizes, and the clamping of recorded points.
#pragma once

#include <windows.h>

#include "capturo/annotate/Commands.h"
#include "capturo/annotate/PaintItem.h"

struct tagToolInfo {
    PaintKind kind;
    const wchar_t* option;   // toolbar option in the group "penstyle"
    UINT command;            // the command that selects it
    const wchar_t* tooltip;
};

inline constexpr int kToolCount = 5;
inline constexpr tagToolInfo kTools[kToolCount] = {
    {kKindRectangle, L"addrectangle", kCmdAddRectangle, L"矩形工具"},
    {kKindEllipse, L"addellipse", kCmdAddEllipse, L"椭圆工具"},
    {kKindArrow, L"addarrow", kCmdAddArrow, L"箭头工具"},
    {kKindBrush, L"addbrush", kCmdAddBrush, L"画刷工具"},
    {kKindText, L"addtext", kCmdAddText, L"文字工具"},
};

// nullptr when the kind or the name is not a tool.
const tagToolInfo* FindToolByKind(int32_t kind);
const tagToolInfo* FindToolByOption(const wchar_t* option);
const tagToolInfo* FindToolByCommand(UINT command);

struct tagPenSize {
    const wchar_t* button;  // option in the group "pensize"
    int32_t width;          // penWidth
    int32_t margin;         // penMargin: distance kept from the selection edges
};

inline constexpr tagPenSize kPenSizes[] = {
    {L"btnsmallpen", 2, 3},
    {L"btnmediumpen", 4, 4},
    {L"btnlargepen", 8, 7},
};

inline constexpr int32_t kDefaultPenWidth = 2;
inline constexpr int32_t kDefaultPenMargin = 4;

// nullptr for a width that no button gives (a value from the settings file, say).
const tagPenSize* FindPenSizeByWidth(int32_t width);
const tagPenSize* FindPenSizeByButton(const wchar_t* button);

// Keeps a recorded point `margin` pixels inside the selection. Each bound tests the
// unclamped value, which only matters for a selection narrower than two margins.
POINT ClampToSelection(POINT p, const RECT& selection, int32_t margin);
