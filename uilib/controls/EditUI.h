// CEditUI ("Edit"): a single-line text field — the windowless rich edit in plain-text,
// one-line form. Attributes as the rich edit's ("readonly", "text", "textcolor",
// "textpadding", "font", "maxchar", "password"); Enter sends "return". Threading: UI thread only.
#pragma once

#include "uilib/controls/RichEditUI.h"

class CEditUI : public CRichEditUI {
public:
    CEditUI();

    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;
};
