// The text tool's box: setup, placement, growth while typing, font size and commit.
#include <cwchar>

#include "capturo/annotate/Annotator.h"
#include "capturo/annotate/ShapeGeometry.h"
#include "capturo/annotate/TextBoxGeometry.h"
#include "uilib/UILib.h"

CRichEditUI* CAnnotator::Edit() const {
    return textBox_ ? static_cast<CRichEditUI*>(textBox_->GetInterface(L"RichEdit")) : nullptr;
}

int CAnnotator::FontSizeFromList() const {
    return fontSizeList_ ? static_cast<int>(std::wcstol(fontSizeList_->GetText().GetData(), nullptr, 10)) : 0;
}

void CAnnotator::SetTextBoxColor() {
    if (CRichEditUI* edit = Edit()) edit->SetTextColor(currentColor);
}

void CAnnotator::SetUpTextBox() {
    CRichEditUI* edit = Edit();
    if (!edit) return;
    edit->SetEventMask(edit->GetEventMask() | ENM_CHANGE);
    edit->SetVisible(false);
    edit->SetEnabled(false);
    edit->SetTextColor(kDefaultColor);
    edit->SetFont(FontSizeFromList());
}

void CAnnotator::MoveTextBox() {
    if (textBox_) textBox_->SetPos(textRect, true);
}

void CAnnotator::TrackTextBox(POINT p) {
    textRect = TrackTextRect(dragStart, p);
    MoveTextBox();
}

void CAnnotator::OpenTextBox() {
    CRichEditUI* edit = Edit();
    if (!edit) return;
    if (placingText) {
        textRect = OpenTextRect(textRect, dragStart, dragEnd, host_->GetSelectionRect());
        MoveTextBox();
    }
    placingText = false;
    edit->SetEnabled(true);
    edit->SetVisible(true);
    edit->SetReadOnly(false);
    edit->SetFocus();
}

void CAnnotator::OnFontSizeSelected() {
    if (CRichEditUI* edit = Edit()) edit->SetFont(FontSizeFromList());
}

void CAnnotator::OnTextChanged() {
    CRichEditUI* edit = Edit();
    if (!edit || !edit->IsFocused()) return;
    const CDuiString text = edit->GetText();
    if (text.Str() == lastText) return;
    POINT caret{};
    ::GetCaretPos(&caret);
    const tagTextGrowth growth = GrowTextRect(tagTextGrowthInput{
        textRect, host_->GetSelectionRect(), caret, edit->GetFont(), FontSizeFromList(), text.GetLength(),
        lastTextLength, edit->GetLineCount()});
    if (growth.appendLineBreak) edit->AppendText(L"\r", false);
    textRect = growth.textRect;
    if (growth.makeReadOnly) {
        edit->SetReadOnly(true);
        edit->Undo();
    }
    MoveTextBox();
    lastText = edit->GetText().Str();
    lastTextLength = static_cast<int>(edit->GetTextLength());
}

void CAnnotator::CommitTextBox() {
    CRichEditUI* edit = Edit();
    if (!edit) return;
    const CDuiString text = edit->GetText();
    if (!text.IsEmpty()) {
        items.push_back(MakeTextItem(textRect, edit->GetInset(), FontSizeFromList(), currentColor, text.Str()));
        currentItem.reset();
        const RECT area = ItemPaintBounds(items.back());
        host_->Invalidate(&area, true, false);
        edit->SetText(L"");
        lastText.clear();
        lastTextLength = 0;
    }
    if (currentTool != kKindText) edit->SetVisible(false);
}
