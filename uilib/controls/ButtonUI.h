// CButtonUI ("Button"): a label that tracks hot/pushed/focused/disabled states, draws the
// matching state image and sends "click" when released over itself.
// COptionUI ("Option", "CheckBox"): a button that stays selected; options sharing a "group"
// exclude each other; sends "selectchanged".
// Button attributes: "normalimage", "hotimage", "pushedimage", "focusedimage",
// "disabledimage", "foreimage", "hotforeimage", "hotbkcolor", "pushedbkcolor",
// "hottextcolor", "pushedtextcolor", "focusedtextcolor". Option adds "group", "selected",
// "selectedimage", "selectedhotimage", "selectedtextcolor", "selectedbkcolor".
// Threading: UI thread only.
#pragma once

#include "uilib/controls/LabelUI.h"

class CButtonUI : public CLabelUI {
public:
    CButtonUI();

    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;
    UINT GetControlFlags() const override;

    bool Activate() override;          // sends "click"
    void SetEnabled(bool bEnable = true) override;
    UINT GetButtonState() const;       // UISTATE_* bits

    LPCTSTR GetNormalImage() const;
    void SetNormalImage(LPCTSTR pStrImage);
    LPCTSTR GetHotImage() const;
    void SetHotImage(LPCTSTR pStrImage);
    LPCTSTR GetPushedImage() const;
    void SetPushedImage(LPCTSTR pStrImage);
    LPCTSTR GetFocusedImage() const;
    void SetFocusedImage(LPCTSTR pStrImage);
    LPCTSTR GetDisabledImage() const;
    void SetDisabledImage(LPCTSTR pStrImage);
    LPCTSTR GetForeImage() const;
    void SetForeImage(LPCTSTR pStrImage);
    void SetHotTextColor(DWORD dwColor);
    DWORD GetHotTextColor() const;
    void SetPushedTextColor(DWORD dwColor);
    void SetFocusedTextColor(DWORD dwColor);
    void SetHotBkColor(DWORD dwColor);

    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintText(HDC hDC) override;
    void PaintStatusImage(HDC hDC) override;

protected:
    UINT m_uButtonState = 0;
    CDuiString m_sNormalImage;
    CDuiString m_sHotImage;
    CDuiString m_sPushedImage;
    CDuiString m_sFocusedImage;
    CDuiString m_sDisabledImage;
    CDuiString m_sForeImage;
    CDuiString m_sHotForeImage;
    DWORD m_dwHotBkColor = 0;
    DWORD m_dwPushedBkColor = 0;
    DWORD m_dwHotTextColor = 0;
    DWORD m_dwPushedTextColor = 0;
    DWORD m_dwFocusedTextColor = 0;
};

class COptionUI : public CButtonUI {
public:
    ~COptionUI() override;

    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;

    bool Activate() override;          // selects (or toggles when not in a group)
    bool IsSelected() const;
    // Selecting one option of a group clears the others; sends "selectchanged" unless
    // bTriggerEvent is false.
    virtual void Selected(bool bSelected, bool bTriggerEvent = true);
    LPCTSTR GetGroup() const;
    void SetGroup(LPCTSTR pStrGroupName);
    LPCTSTR GetSelectedImage() const;
    void SetSelectedImage(LPCTSTR pStrImage);
    void SetSelectedTextColor(DWORD dwTextColor);
    void SetSelectedBkColor(DWORD dwBkColor);

    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintStatusImage(HDC hDC) override;
    void PaintText(HDC hDC) override;

protected:
    bool m_bSelected = false;
    CDuiString m_sGroupName;
    CDuiString m_sSelectedImage;
    CDuiString m_sSelectedHotImage;
    DWORD m_dwSelectedTextColor = 0;
    DWORD m_dwSelectedBkColor = 0;
};
