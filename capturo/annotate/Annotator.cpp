// Tool choice and styles, the toolbar and panels, undo, command 209 and the mouse branches.
#include "capturo/annotate/Annotator.h"

#include <cwchar>

#include "capturo/annotate/Palette.h"
#include "capturo/annotate/Rendering.h"
#include "capturo/annotate/ShapeGeometry.h"
#include "capturo/annotate/ToolbarLayout.h"
#include "uilib/UILib.h"

namespace {

constexpr wchar_t kColorButtonPrefix[] = L"btncolor";

bool SamePoint(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

RECT Union(const RECT& a, const RECT& b) {
    RECT r;
    ::UnionRect(&r, &a, &b);
    return r;
}

COptionUI* AsOption(CControlUI* c) { return c ? static_cast<COptionUI*>(c->GetInterface(L"Option")) : nullptr; }

bool Visible(const CControlUI* c) { return c && c->IsVisible(); }

}  // namespace

bool CAnnotator::BindControls() {
    if (!host_) return false;
    toolbar_ = host_->FindControl(L"menubuttoncontainer");
    penSizePanel_ = host_->FindControl(L"pensizecontainer");
    fontSizePanel_ = host_->FindControl(L"fontsizecontainer");
    colorPanel_ = host_->FindControl(L"colorcontainer");
    swatch_ = host_->FindControl(L"btnselectedcolor");
    fontSizeList_ = host_->FindControl(L"cmbfontsize");
    textBox_ = host_->FindControl(L"editText");
    return toolbar_ && penSizePanel_ && fontSizePanel_ && colorPanel_ && swatch_ && fontSizeList_ && textBox_;
}

POINT CAnnotator::Clamp(POINT p) const { return ClampToSelection(p, host_->GetSelectionRect(), penMargin); }

tagPaintScene CAnnotator::PaintScene() const {
    tagPaintScene scene;
    scene.items = &items;
    scene.currentItem = currentItem.get();
    scene.buttonDown = buttonDown;
    scene.selection = host_ ? host_->GetSelectionRect() : RECT{};
    scene.dragStart = dragStart;
    return scene;
}

void CAnnotator::ClearItems() {
    items.clear();
    currentItem.reset();
}

void CAnnotator::ResetTools() {
    for (CControlUI* c : {toolbar_, penSizePanel_, fontSizePanel_, colorPanel_, textBox_}) {
        if (c) c->SetVisible(false);
    }
    toolActive = false;
    panelsShown = false;
    for (const tagToolInfo& tool : kTools) {
        if (COptionUI* option = AsOption(host_->FindControl(tool.option))) option->Selected(false, false);
    }
    ClearItems();
}

// ---- tools ----

void CAnnotator::SelectTool(int32_t kind) {
    if (panelsShown && currentTool == kind) {
        panelsShown = false;
        ShowPanels(false, kind);
    } else {
        panelsShown = true;
        ShowPanels(true, kind);
    }
    toolActive = true;
    SetCurrentTool(kind);
}

void CAnnotator::SetCurrentTool(int32_t kind) {
    const int32_t old = currentTool;
    currentTool = kind;
    if (old == kKindText && kind != kKindText) CommitTextBox();
}

void CAnnotator::ApplyToolStyle(int32_t kind) {
    if (IsPenKind(kind)) {
        penWidth = styles.widths[kind - 1];
        currentColor = styles.colors[kind - 1];
    } else if (kind == kKindText) {
        currentColor = styles.colors[kKindText - 1];
    }
    // A width from the settings file that no button gives leaves the options and the margin.
    if (const tagPenSize* size = FindPenSizeByWidth(penWidth)) {
        if (COptionUI* option = AsOption(host_->FindControl(size->button))) option->Selected(true, true);
        penMargin = size->margin;
    }
    ShowColor();
}

void CAnnotator::ShowColor() {
    if (swatch_) {
        swatch_->SetBkColor(currentColor);
        swatch_->SetBkImage(SwatchImageName(PaletteIndex(currentColor)).c_str());
    }
    SetTextBoxColor();
}

void CAnnotator::ChoosePaletteColor(int index) {
    if (index < 1 || index > kPaletteSize) return;  // the skin gives every colour button an index
    currentColor = PaletteColor(index);
    if (swatch_) {
        swatch_->SetBkColor(currentColor);
        swatch_->SetBkImage(SwatchImageName(index).c_str());
    }
    SetTextBoxColor();
    if (IsItemKind(currentTool)) styles.colors[currentTool - 1] = currentColor;
}

void CAnnotator::ChoosePenSize(const tagPenSize& size) {
    penWidth = size.width;
    penMargin = size.margin;
    if (IsPenKind(currentTool)) styles.widths[currentTool - 1] = penWidth;
}

void CAnnotator::UndoLastItem() {
    if (items.empty()) {
        host_->ResetSelection(false);
        return;
    }
    items.pop_back();
    const RECT canvas = host_->GetCanvasRect();
    host_->Invalidate(&canvas, true, true);
}

// ---- toolbar and panels ----

void CAnnotator::PlaceToolbar() {
    if (toolbar_) toolbar_->SetPos(GetToolbarRect(host_->GetSelectionRect(), host_->GetScreenRect()));
    ShowPanels(panelsShown, currentTool);
}

void CAnnotator::ShowPanels(bool show, int32_t kind) {
    if (!penSizePanel_ || !fontSizePanel_ || !colorPanel_) return;
    if (!show) {
        for (CControlUI* c : {penSizePanel_, fontSizePanel_, colorPanel_}) c->SetVisible(false);
        return;
    }
    const tagPanelLayout layout =
        ComputePanelLayout(GetToolbarRect(host_->GetSelectionRect(), host_->GetScreenRect()), kind);
    CControlUI* first = layout.fontPanel ? fontSizePanel_ : penSizePanel_;
    CControlUI* other = layout.fontPanel ? penSizePanel_ : fontSizePanel_;
    other->SetVisible(false);
    first->SetPos(layout.firstPanel);
    first->SetVisible(true);
    colorPanel_->SetPos(layout.colorPanel);
    colorPanel_->SetVisible(true);
    panelRect = layout.panelRect;
}

bool CAnnotator::HitToolbarOrPanels(int x, int y) const {
    const POINT p{x, y};
    for (const CControlUI* c : {toolbar_, penSizePanel_, fontSizePanel_, colorPanel_}) {
        if (Visible(c) && RectContains(c->GetPos(), p)) return true;
    }
    return false;
}

void CAnnotator::ShowToolbarIfHidden() {
    if (!toolbar_ || toolbar_->IsVisible()) return;
    PlaceToolbar();
    toolbar_->SetVisible(true);
}

void CAnnotator::ToggleToolbar(HMENU contextMenu) {
    const wchar_t* text = nullptr;
    if (!toolbarHidden) {
        toolbarHidden = true;
        for (CControlUI* c : {toolbar_, penSizePanel_, fontSizePanel_, colorPanel_}) {
            if (c) c->SetVisible(false);
        }
        text = kShowToolbarText;
    } else {
        toolbarHidden = false;
        if (toolbar_) toolbar_->SetVisible(true);
        for (CControlUI* c : {penSizePanel_, fontSizePanel_, colorPanel_}) {
            if (c) c->SetVisible(false);
        }
        text = kHideToolbarText;
    }
    if (!contextMenu) return;
    const UINT entry = ::GetMenuItemID(contextMenu, kToggleToolbarMenuPosition);
    ::ModifyMenuW(contextMenu, entry, MF_BYCOMMAND | MF_STRING, kCmdToggleToolbar, text);
}

// ---- notifications and commands ----

bool CAnnotator::OnClick(TNotifyUI& msg) {
    if (!msg.pSender) return false;
    const CDuiString name = msg.pSender->GetName();
    if (const tagToolInfo* tool = FindToolByOption(name)) {
        host_->SendCommand(tool->command);
        ApplyToolStyle(tool->kind);
        return true;
    }
    static const struct { const wchar_t* button; UINT command; } kButtons[] = {
        {L"undo", kCmdUndo}, {L"save", kCmdSave}, {L"quit", kCmdExit}, {L"done", kCmdCopyAndExit}};
    for (const auto& b : kButtons) {
        if (name == b.button) {
            host_->SendCommand(b.command);
            return true;
        }
    }
    if (name == L"datatext") {
        host_->StartRecognition();
        return true;
    }
    if (const tagPenSize* size = FindPenSizeByButton(name)) {
        ChoosePenSize(*size);
        return true;
    }
    if (std::wcsncmp(name.GetData(), kColorButtonPrefix, 8) == 0) {
        ChoosePaletteColor(static_cast<int>(std::wcstol(msg.pSender->GetUserData().GetData(), nullptr, 10)));
        return true;
    }
    return false;
}

bool CAnnotator::OnNotify(TNotifyUI& msg) {
    if (!msg.pSender) return false;
    const CDuiString name = msg.pSender->GetName();
    if (msg.sType == L"itemselect" && name == L"cmbfontsize") {
        OnFontSizeSelected();
        return true;
    }
    if (msg.sType == L"textchanged" && name == L"editText") {
        OnTextChanged();
        return true;
    }
    return false;
}

bool CAnnotator::OnCommand(UINT id, HMENU contextMenu) {
    if (const tagToolInfo* tool = FindToolByCommand(id)) {
        SelectTool(tool->kind);
        return true;
    }
    if (id == kCmdUndo) {
        UndoLastItem();
        return true;
    }
    if (id == kCmdToggleToolbar) {
        ToggleToolbar(contextMenu);
        return true;
    }
    return false;
}

// ---- mouse ----

void CAnnotator::OnLButtonDown(POINT p) {
    buttonDown = true;
    if (!toolActive || !RectContains(host_->GetSelectionRect(), p) || !host_->CursorIsCross() || !readyForItem) return;
    readyForItem = false;
    dragStart = Clamp(p);
    auto item = std::make_unique<tagPaintItem>();
    item->kind = currentTool;
    item->width = penWidth;
    item->color = currentColor;
    item->startX = item->endX = dragStart.x;
    item->startY = item->endY = dragStart.y;
    currentItem = std::move(item);
    if (!strokeStarted && currentTool == kKindBrush) {
        dragEnd = dragStart;
        strokeStarted = true;
        currentItem->points.push_back(dragStart);
    }
    if (!RectContains(textRect, dragStart)) {
        CommitTextBox();
        if (currentTool == kKindText) placingText = true;
    }
}

void CAnnotator::OnMouseMove(POINT p) {
    if (!buttonDown || !currentItem || !host_->CursorIsCross()) return;
    const bool wasShown = ShouldDrawCurrentItem(PaintScene());
    const RECT before = ItemPaintBounds(*currentItem);
    p = Clamp(p);
    currentItem->endX = p.x;
    currentItem->endY = p.y;
    const bool brushing = currentTool == kKindBrush && strokeStarted;
    if (brushing) {
        dragEnd = p;
        currentItem->points.push_back(p);
    } else if (currentTool == kKindText && placingText) {
        TrackTextBox(p);
    }
    // Only the changed area is repainted: nothing else on the window can differ.
    const bool nowShown = ShouldDrawCurrentItem(PaintScene());
    if (brushing && wasShown == nowShown) {
        const RECT tail = BrushTailBounds(currentItem->points, currentItem->width);
        host_->Invalidate(&tail, true, false);
    } else {
        InvalidateChange(before, ItemPaintBounds(*currentItem));
    }
}

void CAnnotator::InvalidateChange(const RECT& before, const RECT& after) {
    const RECT area = Union(before, after);
    host_->Invalidate(&area, true, false);
}

void CAnnotator::OnLButtonUp(POINT p) {
    if (toolActive && host_->CursorIsCross()) {
        readyForItem = true;
        dragEnd = Clamp(p);
        if (!SamePoint(dragEnd, dragStart) && currentItem && currentItem->kind != kKindText) {
            const RECT before = ItemPaintBounds(*currentItem);
            currentItem->endX = dragEnd.x;
            currentItem->endY = dragEnd.y;
            items.push_back(*currentItem);
            currentItem.reset();
            InvalidateChange(before, ItemPaintBounds(items.back()));
        }
        if (currentTool == kKindBrush) strokeStarted = false;
        if (currentTool == kKindText) OpenTextBox();
    }
    ShowToolbarIfHidden();
    buttonDown = false;
}
