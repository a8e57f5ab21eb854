// CComboUI ("Combo"): a drop-down list of text rows (ListLabelElement children). The closed
// combo shows the selected row's text over its state image; a click opens a popup window with
// its own paint manager that lends the rows and scrolls them. Attributes: "normalimage",
// "hotimage", "pushedimage", "focusedimage", "disabledimage", "textpadding", "font",
// "textcolor", "dropboxsize" (cx,cy; cx 0 = the combo's width), "vscrollbar" (in the
// drop-down), "dropbox" (an attribute list for the drop-down's layout), and the list's
// "item…" attributes. Sends "itemselect" (wParam new index, lParam old) and "dropdown".
// Threading: UI thread only.
#pragma once

#include "uilib/controls/ListUI.h"

class CComboWnd;

class CComboUI : public CContainerUI, public IListOwnerUI {
public:
    CComboUI();
    ~CComboUI() override;

    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;
    UINT GetControlFlags() const override;

    CDuiString GetText() const override;  // the selected row's text, "" with none
    bool AddAt(CControlUI* pControl, int iIndex) override;
    bool RemoveAt(int iIndex) override;
    void RemoveAll() override;

    TListInfoUI* GetListInfo() override;
    int GetCurSel() const override;
    // bTakeFocus marks a pick by the user in the drop-down, which then closes.
    bool SelectItem(int iIndex, bool bTakeFocus = false, bool bNotify = true) override;
    CPaintManagerUI* GetOwnerManager() const override;
    CControlUI* GetOwnerControl() override;

    bool Activate() override;            // opens the drop-down
    bool IsDroppedDown() const;
    HWND GetDropDownWindow() const;
    void CloseDropDown();
    SIZE GetDropBoxSize() const;
    void SetDropBoxSize(SIZE sz);
    bool IsDropScrollBar() const;
    LPCTSTR GetDropBoxAttributeList() const;
    RECT GetTextPadding() const;
    void SetTextPadding(RECT rc);
    UINT GetButtonState() const;

    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    CControlUI* FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) override;
    bool DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintStatusImage(HDC hDC) override;
    void PaintText(HDC hDC) override;

private:
    friend class CComboWnd;
    void Reindex(int from);
    void DropDownClosed();

    TListInfoUI m_info;
    int m_iCurSel = -1;
    CComboWnd* m_pWindow = nullptr;
    SIZE m_szDropBox = {0, 150};
    bool m_bDropScrollBar = false;
    CDuiString m_sDropBoxAttributes;
    RECT m_rcTextPadding = {0, 0, 0, 0};
    bool m_bItemPaddingSet = false;
    int m_iFont = -1;
    DWORD m_dwTextColor = 0;
    UINT m_uButtonState = 0;
    CDuiString m_sNormalImage;
    CDuiString m_sHotImage;
    CDuiString m_sPushedImage;
    CDuiString m_sFocusedImage;
    CDuiString m_sDisabledImage;
};
