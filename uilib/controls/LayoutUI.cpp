// Vertical, horizontal and tab layouts: copy the children's sizing rules into the pure
// layout functions and apply the rectangles they return.
#include "uilib/controls/LayoutUI.h"

#include "uilib/controls/ScrollBarUI.h"
#include "uilib/core/UIManager.h"
#include "uilib/core/ValueParse.h"
#include "uilib/layout/Layout.h"

namespace {

using ArrangeFn = std::vector<RECT> (*)(const std::vector<uilib::LayoutItem>&, const uilib::StackParams&, SIZE*);

// Collects the stacked children, arranges them and returns the size they need.
SIZE ArrangeChildren(CContainerUI& box, const RECT& content, ArrangeFn arrange, UINT align, UINT valign, int childPadding) {
    std::vector<uilib::LayoutItem> items;
    items.reserve(size_t(box.GetCount()));
    SIZE available = {content.right - content.left, content.bottom - content.top};
    for (int i = 0; i < box.GetCount(); ++i) {
        CControlUI* child = box.GetItemAt(i);
        uilib::LayoutItem item;
        item.visible = child->IsVisible();
        item.isFloat = child->IsFloat();
        if (item.visible && !item.isFloat) {
            item.size = child->EstimateSize(available);
            item.minSize = {child->GetMinWidth(), child->GetMinHeight()};
            item.maxSize = {child->GetMaxWidth(), child->GetMaxHeight()};
            item.padding = child->GetPadding();
        }
        items.push_back(item);
    }
    uilib::StackParams params;
    params.content = content;
    params.childPadding = childPadding;
    params.align = align;
    params.valign = valign;
    params.scroll = box.GetScrollPos();
    SIZE required = {0, 0};
    std::vector<RECT> rects = arrange(items, params, &required);
    for (int i = 0; i < box.GetCount(); ++i) {
        if (items[size_t(i)].visible && !items[size_t(i)].isFloat) box.GetItemAt(i)->SetPos(rects[size_t(i)], true);
    }
    return required;
}

}  // namespace

LPCTSTR CVerticalLayoutUI::GetClass() const { return L"VerticalLayoutUI"; }

LPVOID CVerticalLayoutUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && _wcsicmp(pstrName, L"VerticalLayout") == 0) return this;
    return CContainerUI::GetInterface(pstrName);
}

void CVerticalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    RECT content = ContentRect();
    SIZE required = ArrangeChildren(*this, content, uilib::ArrangeVertical, m_iChildAlign, m_iChildVAlign, m_iChildPadding);
    for (int i = 0; i < GetCount(); ++i) {
        if (m_items[size_t(i)]->IsFloat()) SetFloatPos(i);
    }
    ProcessScrollBar(rc, required.cx, required.cy);
}

LPCTSTR CHorizontalLayoutUI::GetClass() const { return L"HorizontalLayoutUI"; }

LPVOID CHorizontalLayoutUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && _wcsicmp(pstrName, L"HorizontalLayout") == 0) return this;
    return CContainerUI::GetInterface(pstrName);
}

void CHorizontalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    RECT content = ContentRect();
    SIZE required = ArrangeChildren(*this, content, uilib::ArrangeHorizontal, m_iChildAlign, m_iChildVAlign, m_iChildPadding);
    for (int i = 0; i < GetCount(); ++i) {
        if (m_items[size_t(i)]->IsFloat()) SetFloatPos(i);
    }
    ProcessScrollBar(rc, required.cx, required.cy);
}

LPCTSTR CTabLayoutUI::GetClass() const { return L"TabLayoutUI"; }

LPVOID CTabLayoutUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && _wcsicmp(pstrName, L"TabLayout") == 0) return this;
    return CContainerUI::GetInterface(pstrName);
}

bool CTabLayoutUI::Add(CControlUI* pControl) { return AddAt(pControl, GetCount()); }

bool CTabLayoutUI::AddAt(CControlUI* pControl, int iIndex) {
    if (!CContainerUI::AddAt(pControl, iIndex)) return false;
    if (m_iCurSel >= 0 && iIndex <= m_iCurSel) ++m_iCurSel;
    if (m_iCurSel < 0 && iIndex == m_iInitialSel) {
        m_iCurSel = iIndex;
        return true;
    }
    pControl->SetVisible(false);
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* pControl) {
    int index = GetItemIndex(pControl);
    if (!CContainerUI::Remove(pControl)) return false;
    if (index == m_iCurSel) {
        m_iCurSel = -1;
        if (GetCount() > 0) SelectItem(0);
    } else if (index < m_iCurSel) {
        --m_iCurSel;
    }
    return true;
}

void CTabLayoutUI::RemoveAll() {
    m_iCurSel = -1;
    CContainerUI::RemoveAll();
}

int CTabLayoutUI::GetCurSel() const { return m_iCurSel; }

bool CTabLayoutUI::SelectItem(int iIndex) {
    if (iIndex < 0 || iIndex >= GetCount()) return false;
    if (iIndex == m_iCurSel) return true;
    int old = m_iCurSel;
    m_iCurSel = iIndex;
    for (int i = 0; i < GetCount(); ++i) m_items[size_t(i)]->SetVisible(i == iIndex);
    NeedUpdate();
    Invalidate();
    if (m_pManager) {
        m_pManager->SetFocus(nullptr);
        m_pManager->SendNotify(this, L"tabselect", WPARAM(m_iCurSel), LPARAM(old));
    }
    return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* pControl) {
    int index = GetItemIndex(pControl);
    return index >= 0 && SelectItem(index);
}

void CTabLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    StackChildren(ContentRect());
}

void CTabLayoutUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (pstrName && pstrValue && wcscmp(pstrName, L"selectedid") == 0) {
        int index = uilib::ParseIntOr(pstrValue, -1);
        if (index >= 0) m_iInitialSel = index;
        return;
    }
    CContainerUI::SetAttribute(pstrName, pstrValue);
}
