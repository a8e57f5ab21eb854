// CAnnotator: the annotation state of one capture window and the tools that change it:
// tool choice and styles, the toolbar and panels, the press/move/release branches, undo,
// command 209 and the text box. UI thread only; it reaches the window through IAnnotationHost.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "capturo/annotate/AnnotationHost.h"
#include "capturo/annotate/PaintItem.h"
#include "capturo/annotate/StyleSettings.h"
#include "capturo/annotate/Tools.h"

class CControlUI;
class CRichEditUI;
struct TNotifyUI;
struct tagPaintScene;

class CAnnotator {
public:
    explicit CAnnotator(IAnnotationHost* host = nullptr) : host_(host) {}
    void SetHost(IAnnotationHost* host) { host_ = host; }

    // Finds the toolbar, panels, swatch, font-size list and text box; false if one is missing.
    bool BindControls();
    // The text box's initial state: change notifications, hidden, disabled, red, font 14.
    void SetUpTextBox();

    // ---- tools ----
    void SelectTool(int32_t kind);
    void SetCurrentTool(int32_t kind);
    void ApplyToolStyle(int32_t kind);
    void UndoLastItem();
    void ChoosePaletteColor(int index);
    void ChoosePenSize(const tagPenSize& size);

    // ---- toolbar and panels ----
    void PlaceToolbar();
    void ShowPanels(bool show, int32_t kind);
    bool HitToolbarOrPanels(int x, int y) const;
    // The release step that brings a hidden toolbar back.
    void ShowToolbarIfHidden();
    // Command 209: hide or show the toolbar and switch the menu entry's text.
    void ToggleToolbar(HMENU contextMenu);

    // ---- notifications from the skin; true when the name was one of ours ----
    bool OnClick(TNotifyUI& msg);
    bool OnNotify(TNotifyUI& msg);
    // Commands 200..205 and 209; false for the others, which end or reset the session.
    bool OnCommand(UINT id, HMENU contextMenu);

    // ---- mouse branches once the region is fixed ----
    void OnLButtonDown(POINT p);
    void OnMouseMove(POINT p);
    void OnLButtonUp(POINT p);

    // ---- text box ----
    void TrackTextBox(POINT p);
    void OpenTextBox();
    void CommitTextBox();
    void OnTextChanged();
    void OnFontSizeSelected();

    // The tools' part of going back to region selection: toolbar, panels and text box hidden,
    // no tool engaged, tool options cleared, items emptied. Styles, the current tool and the
    // text box's content and place stay.
    void ResetTools();

    // What DrawPaintItems and the composition need.
    tagPaintScene PaintScene() const;
    void ClearItems();

    // ---- state, named as the capture window's description names it ----
    bool toolbarHidden = false;
    int32_t currentTool = kKindNone;
    bool toolActive = false;
    bool panelsShown = false;
    int32_t penWidth = kDefaultPenWidth;
    int32_t penMargin = kDefaultPenMargin;
    uint32_t currentColor = kDefaultColor;
    tagToolStyles styles;  // toolWidths and toolColors
    bool readyForItem = true;
    bool buttonDown = false;
    POINT dragStart{};
    POINT dragEnd{};
    bool strokeStarted = false;
    RECT panelRect{};
    RECT textRect{};
    bool placingText = false;
    std::wstring lastText;
    int lastTextLength = 0;
    PaintItemList items;
    std::unique_ptr<tagPaintItem> currentItem;

private:
    POINT Clamp(POINT p) const;
    void ShowColor();
    void SetTextBoxColor();
    int FontSizeFromList() const;
    void InvalidateChange(const RECT& before, const RECT& after);
    void MoveTextBox();
    CRichEditUI* Edit() const;

    IAnnotationHost* host_ = nullptr;
    CControlUI* toolbar_ = nullptr;
    CControlUI* penSizePanel_ = nullptr;
    CControlUI* fontSizePanel_ = nullptr;
    CControlUI* colorPanel_ = nullptr;
    CControlUI* swatch_ = nullptr;
    CControlUI* fontSizeList_ = nullptr;
    CControlUI* textBox_ = nullptr;
};
