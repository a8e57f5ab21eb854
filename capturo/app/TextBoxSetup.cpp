// The text box's initial state.
#include "capturo/app/TextBoxSetup.h"

#include <cwchar>

#include "uilib/UILib.h"

void SetUpTextBox(CControlUI* textBox, CControlUI* fontSizeList) {
    textBox->SetVisible(false);
    textBox->SetEnabled(false);
#if __has_include("uilib/controls/RichEditUI.h")
    if (auto* edit = static_cast<CRichEditUI*>(textBox->GetInterface(L"RichEdit"))) {
        edit->SetEventMask(edit->GetEventMask() | ENM_CHANGE);
        edit->SetTextColor(0xFFFB3838);
        edit->SetFont(static_cast<int>(std::wcstol(fontSizeList->GetText().GetData(), nullptr, 10)));
    }
#else
    (void)fontSizeList;
#endif
}
