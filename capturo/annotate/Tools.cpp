// Look-ups in the tool and pen-size tables, and clamping.
#include "capturo/annotate/Tools.h"

#include <cwchar>

const tagToolInfo* FindToolByKind(int32_t kind) {
    for (const tagToolInfo& t : kTools) {
        if (t.kind == kind) return &t;
    }
    return nullptr;
}

const tagToolInfo* FindToolByOption(const wchar_t* option) {
    if (!option) return nullptr;
    for (const tagToolInfo& t : kTools) {
        if (wcscmp(t.option, option) == 0) return &t;
    }
    return nullptr;
}

const tagToolInfo* FindToolByCommand(UINT command) {
    for (const tagToolInfo& t : kTools) {
        if (t.command == command) return &t;
    }
    return nullptr;
}

const tagPenSize* FindPenSizeByWidth(int32_t width) {
    for (const tagPenSize& p : kPenSizes) {
        if (p.width == width) return &p;
    }
    return nullptr;
}

const tagPenSize* FindPenSizeByButton(const wchar_t* button) {
    if (!button) return nullptr;
    for (const tagPenSize& p : kPenSizes) {
        if (wcscmp(p.button, button) == 0) return &p;
    }
    return nullptr;
}

namespace {

LONG ClampCoordinate(LONG v, LONG low, LONG high, int32_t margin) {
    LONG out = v;
    if (v < low + margin) out = low + margin;
    if (v > high - margin) out = high - margin;
    return out;
}

}  // namespace

POINT ClampToSelection(POINT p, const RECT& selection, int32_t margin) {
    return POINT{ClampCoordinate(p.x, selection.left, selection.right, margin),
                 ClampCoordinate(p.y, selection.top, selection.bottom, margin)};
}
