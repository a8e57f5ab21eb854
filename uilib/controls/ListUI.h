// Lists: CListUI ("List"), a vertical, scrollable stack of rows that keeps one selected;
// CListContainerElementUI ("ListContainerElement"), a row that is a container (its own skin
// file, built with CDialogBuilder); CListLabelElementUI ("ListLabelElement"), a row of text.
// List attributes: "itemfont", "itemalign" (left|center|right), "itemtextpadding",
// "itemtextcolor", "itembkcolor", "itemhotbkcolor", "itemhottextcolor",
// "itemselectedbkcolor", "itemselectedtextcolor", "itemdisabledtextcolor", "itemheight",
// plus the container's ("vscrollbar", "inset", "childpadding" …). Rows: "selected".
// Notifications: "itemselect" (wParam new index, lParam old), "itemclick", "itemactivate".
// Threading: UI thread only.
#pragma once

#include "uilib/controls/LabelUI.h"
#include "uilib/controls/LayoutUI.h"

// How an owner wants its rows drawn.
struct TListInfoUI {
    int nFont = -1;
    UINT uTextStyle = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    RECT rcTextPadding = {0, 0, 0, 0};
    int nItemHeight = 0;  // text rows: 0 = the font's height plus 8
    DWORD dwTextColor = 0xFF000000;
    DWORD dwBkColor = 0;
    DWORD dwHotTextColor = 0;
    DWORD dwHotBkColor = 0;
    DWORD dwSelectedTextColor = 0;
    DWORD dwSelectedBkColor = 0;
    DWORD dwDisabledTextColor = 0xFFA7A6AA;
};

class IListOwnerUI {
public:
    virtual ~IListOwnerUI() = default;
    virtual TListInfoUI* GetListInfo() = 0;
    virtual int GetCurSel() const = 0;
    // Selects row iIndex (-1: none); "itemselect" goes out when bNotify and the row changed.
    virtual bool SelectItem(int iIndex, bool bTakeFocus = false, bool bNotify = true) = 0;
    virtual CPaintManagerUI* GetOwnerManager() const = 0;  // where the owner's notifications go
    virtual CControlUI* GetOwnerControl() = 0;
};

// What every row offers its owner (GetInterface(L"ListItem")).
class IListItemUI {
public:
    virtual ~IListItemUI() = default;
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int iIndex) = 0;
    virtual IListOwnerUI* GetOwner() const = 0;
    virtual void SetOwner(IListOwnerUI* pOwner) = 0;
    virtual bool IsSelected() const = 0;
    virtual void SetSelectedState(bool bSelected) = 0;  // the look only; owners keep the truth
};

// Shared row state: owner, index, hot and selected flags, and their colours.
class CListItemState : public IListItemUI {
public:
    int GetIndex() const override { return m_iIndex; }
    void SetIndex(int iIndex) override { m_iIndex = iIndex; }
    IListOwnerUI* GetOwner() const override { return m_pOwner; }
    void SetOwner(IListOwnerUI* pOwner) override { m_pOwner = pOwner; }
    bool IsSelected() const override { return m_bSelected; }
    void SetSelectedState(bool bSelected) override { m_bSelected = bSelected; }

protected:
    // Background for the row's state, or `own` when the owner has no colour for it.
    DWORD StateBkColor(DWORD own) const;
    DWORD StateTextColor(DWORD own) const;
    // Asks the owner to select this row; returns whether the row still exists is not known.
    void SelectThroughOwner(CControlUI& self);
    bool TrackHot(CControlUI& self, const TEventUI& event);

    IListOwnerUI* m_pOwner = nullptr;
    int m_iIndex = -1;
    bool m_bSelected = false;
    bool m_bHot = false;
};

class CListContainerElementUI : public CHorizontalLayoutUI, public CListItemState {
public:
    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;
    bool Select(bool bSelect = true);   // through the owner, which sends "itemselect"

    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintBkColor(HDC hDC) override;
    void SetSelectedState(bool bSelected) override;
};

class CListLabelElementUI : public CLabelUI, public CListItemState {
public:
    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;
    bool Select(bool bSelect = true);

    SIZE EstimateSize(SIZE szAvailable) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintBkColor(HDC hDC) override;
    void PaintText(HDC hDC) override;
    void SetSelectedState(bool bSelected) override;
};

class CListUI : public CVerticalLayoutUI, public IListOwnerUI {
public:
    CListUI();

    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;
    UINT GetControlFlags() const override;

    bool AddAt(CControlUI* pControl, int iIndex) override;
    bool RemoveAt(int iIndex) override;
    void RemoveAll() override;

    TListInfoUI* GetListInfo() override;
    int GetCurSel() const override;
    bool SelectItem(int iIndex, bool bTakeFocus = false, bool bNotify = true) override;
    CPaintManagerUI* GetOwnerManager() const override;
    CControlUI* GetOwnerControl() override;
    // Scrolls the least distance that shows row iIndex whole (or its top when it is taller).
    void EnsureVisible(int iIndex);

    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

private:
    void Reindex(int from);

    TListInfoUI m_info;
    int m_iCurSel = -1;
};

namespace uilib {
// Applies one of the "item…" attributes to a list info; false when the name is not one of them.
bool SetListInfoAttribute(TListInfoUI& info, std::wstring_view name, std::wstring_view value);
}  // namespace uilib
