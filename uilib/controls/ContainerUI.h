// CContainerUI: a control that owns children, lays them out (stacked to its inset by
// default), scrolls them with optional scroll bars and routes hit tests and painting to them.
// Subclasses (layouts, lists) override SetPos to arrange children and usually call
// ProcessScrollBar with the size the children need. Children are deleted with the container
// unless SetAutoDestroy(false). Threading: UI thread only.
#pragma once

#include <vector>

#include "uilib/controls/ControlUI.h"

class CScrollBarUI;

class CContainerUI : public CControlUI {
public:
    CContainerUI();
    ~CContainerUI() override;

    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;

    // Children.
    CControlUI* GetItemAt(int iIndex) const;
    int GetItemIndex(CControlUI* pControl) const;
    bool SetItemIndex(CControlUI* pControl, int iIndex);
    int GetCount() const;
    virtual bool Add(CControlUI* pControl);
    virtual bool AddAt(CControlUI* pControl, int iIndex);
    virtual bool Remove(CControlUI* pControl);     // deletes it when auto-destroy is on
    virtual bool RemoveAt(int iIndex);
    virtual void RemoveAll();
    void SetAutoDestroy(bool bAuto);
    bool IsAutoDestroy() const;
    // A descendant by name, or nullptr.
    CControlUI* FindSubControl(LPCTSTR pstrSubControlName);

    // Layout attributes: "inset", "childpadding", "childalign" (left|center|right),
    // "childvalign" (top|vcenter|bottom), "vscrollbar", "hscrollbar", "vscrollbarstyle",
    // "hscrollbarstyle", "scrollstepsize", "mousechild".
    RECT GetInset() const;
    void SetInset(RECT rcInset);
    int GetChildPadding() const;
    void SetChildPadding(int iPadding);
    UINT GetChildAlign() const;        // DT_LEFT, DT_CENTER, DT_RIGHT
    void SetChildAlign(UINT iAlign);
    UINT GetChildVAlign() const;       // DT_TOP, DT_VCENTER, DT_BOTTOM
    void SetChildVAlign(UINT iVAlign);
    bool IsMouseChildEnabled() const;
    void SetMouseChildEnabled(bool bEnable = true);

    // Scrolling. Positions are in pixels of content; the range is content minus view.
    virtual SIZE GetScrollPos() const;
    virtual SIZE GetScrollRange() const;
    virtual void SetScrollPos(SIZE szPos);
    virtual void LineUp();
    virtual void LineDown();
    virtual void PageUp();
    virtual void PageDown();
    virtual void HomeUp();
    virtual void EndDown();
    virtual void LineLeft();
    virtual void LineRight();
    virtual void EnableScrollBar(bool bEnableVertical = true, bool bEnableHorizontal = false);
    virtual CScrollBarUI* GetVerticalScrollBar() const;
    virtual CScrollBarUI* GetHorizontalScrollBar() const;
    int GetScrollStepSize() const;
    void SetScrollStepSize(int nSize);

    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;
    CControlUI* FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) override;
    bool DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl) override;
    void DoEvent(TEventUI& event) override;
    void SetVisible(bool bVisible = true) override;
    void SetInternVisible(bool bVisible = true) override;
    void SetMouseEnabled(bool bEnable = true) override;

protected:
    // The rectangle left for children: the item rectangle less inset and shown scroll bars.
    RECT ContentRect() const;
    // Places floating children; every layout calls it for children with IsFloat().
    void SetFloatPos(int iIndex);
    // Shows, hides and sizes the scroll bars for content of cxRequired × cyRequired.
    virtual void ProcessScrollBar(RECT rc, int cxRequired, int cyRequired);
    // Positions every non-floating child on top of each other over the content rectangle.
    void StackChildren(const RECT& rcContent);

    std::vector<CControlUI*> m_items;
    RECT m_rcInset = {0, 0, 0, 0};
    int m_iChildPadding = 0;
    UINT m_iChildAlign = DT_LEFT;
    UINT m_iChildVAlign = DT_TOP;
    bool m_bAutoDestroy = true;
    bool m_bMouseChildEnabled = true;
    int m_nScrollStepSize = 0;
    CScrollBarUI* m_pVerticalScrollBar = nullptr;
    CScrollBarUI* m_pHorizontalScrollBar = nullptr;
};
