// Layout containers: CVerticalLayoutUI ("VerticalLayout", "VBox"), CHorizontalLayoutUI
// ("HorizontalLayout", "HBox") and CTabLayoutUI ("TabLayout", one page shown at a time,
// attribute "selectedid"). The measuring and arranging is done by uilib/layout.
// Threading: UI thread only.
#pragma once

#include "uilib/controls/ContainerUI.h"

class CVerticalLayoutUI : public CContainerUI {
public:
    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
};

class CHorizontalLayoutUI : public CContainerUI {
public:
    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
};

class CTabLayoutUI : public CContainerUI {
public:
    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;

    bool Add(CControlUI* pControl) override;
    bool AddAt(CControlUI* pControl, int iIndex) override;
    bool Remove(CControlUI* pControl) override;
    void RemoveAll() override;
    int GetCurSel() const;
    // Shows page iIndex and hides the others; false for an index out of range.
    virtual bool SelectItem(int iIndex);
    bool SelectItem(CControlUI* pControl);

    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;

private:
    int m_iCurSel = -1;
    int m_iInitialSel = 0;   // "selectedid": the page shown once it has been added
};
