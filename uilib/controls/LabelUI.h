// CLabelUI ("Label"): one line of text in a skin font and colour; CTextUI ("Text"): the same
// with word wrap on by default. Attributes: "font" (id), "textcolor", "disabledtextcolor",
// "align" (left|center|right|top|vcenter|bottom, combinable), "valign", "textpadding",
// "wordbreak", "endellipsis", "singleline", "autocalcwidth". Threading: UI thread only.
#pragma once

#include "uilib/controls/ControlUI.h"

class CLabelUI : public CControlUI {
public:
    CLabelUI();

    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;

    void SetTextStyle(UINT uStyle);    // DT_* flags for DrawTextW
    UINT GetTextStyle() const;
    void SetTextColor(DWORD dwTextColor);
    DWORD GetTextColor() const;
    void SetDisabledTextColor(DWORD dwTextColor);
    DWORD GetDisabledTextColor() const;
    void SetFont(int index);           // a skin font id; -1 = the default font
    int GetFont() const;
    RECT GetTextPadding() const;
    void SetTextPadding(RECT rc);
    bool IsAutoCalcWidth() const;
    void SetAutoCalcWidth(bool bAuto);

    SIZE EstimateSize(SIZE szAvailable) override;
    void SetText(LPCTSTR pstrText) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintText(HDC hDC) override;

protected:
    // Draws m_sText with the given colour into the item rectangle less the text padding.
    void DrawLabelText(HDC hDC, DWORD dwColor);

    DWORD m_dwTextColor = 0;
    DWORD m_dwDisabledTextColor = 0;
    int m_iFont = -1;
    UINT m_uTextStyle = DT_VCENTER | DT_SINGLELINE;
    RECT m_rcTextPadding = {0, 0, 0, 0};
    bool m_bAutoCalcWidth = false;
};

class CTextUI : public CLabelUI {
public:
    CTextUI();
    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;
};
