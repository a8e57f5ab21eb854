// The annotation state the capture window keeps for the tools. The selection code reads
// toolActive, buttonDown, panelsShown and the items; the tools' press, move and release
// branches (a later piece) own the rest.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "capturo/annotate/PaintItem.h"
#include "capturo/annotate/StyleSettings.h"

struct AnnotationState {
    bool toolbarHidden = false;
    int32_t currentTool = kKindNone;
    int32_t penWidth = 2;
    tagToolStyles styles;  // toolWidths and toolColors
    uint32_t currentColor = kDefaultColor;
    bool toolActive = false;
    bool readyForItem = true;
    bool buttonDown = false;
    POINT dragStart{};
    POINT dragEnd{};
    bool strokeStarted = false;
    RECT textRect{};
    bool placingText = false;
    bool panelsShown = false;
    std::wstring lastText;
    int lastTextLength = 0;
    PaintItemList items;
    std::unique_ptr<tagPaintItem> currentItem;

    void ClearItems() {
        items.clear();
        currentItem.reset();
    }
};
