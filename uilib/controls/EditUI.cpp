// The single-line edit: the rich edit with one line, no wrapping and Enter as "return".
#include "uilib/controls/EditUI.h"

CEditUI::CEditUI() {
    SetMultiLine(false);
    SetWordWrap(false);
    SetWantReturn(false);
}

LPCTSTR CEditUI::GetClass() const { return L"EditUI"; }

LPVOID CEditUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && wcscmp(pstrName, L"Edit") == 0) return static_cast<CEditUI*>(this);
    return CRichEditUI::GetInterface(pstrName);
}
