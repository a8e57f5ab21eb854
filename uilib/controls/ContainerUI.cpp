// CContainerUI: children, stacking layout, scroll bars, hit testing and painting of children.
#include "uilib/controls/ContainerUI.h"

#include <algorithm>

#include "uilib/controls/ScrollBarUI.h"
#include "uilib/core/UIManager.h"
#include "uilib/core/ValueParse.h"
#include "uilib/layout/Layout.h"
#include "uilib/render/RenderEngine.h"

namespace {

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

}  // namespace

CContainerUI::CContainerUI() = default;

CContainerUI::~CContainerUI() {
    RemoveAll();
    delete m_pVerticalScrollBar;
    delete m_pHorizontalScrollBar;
}

LPCTSTR CContainerUI::GetClass() const { return L"ContainerUI"; }

LPVOID CContainerUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && _wcsicmp(pstrName, L"Container") == 0) return this;
    return CControlUI::GetInterface(pstrName);
}

CControlUI* CContainerUI::GetItemAt(int iIndex) const {
    return iIndex >= 0 && iIndex < int(m_items.size()) ? m_items[size_t(iIndex)] : nullptr;
}

int CContainerUI::GetItemIndex(CControlUI* pControl) const {
    auto it = std::find(m_items.begin(), m_items.end(), pControl);
    return it == m_items.end() ? -1 : int(it - m_items.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* pControl, int iIndex) {
    int from = GetItemIndex(pControl);
    if (from < 0 || iIndex < 0 || iIndex >= GetCount()) return false;
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + iIndex, pControl);
    NeedUpdate();
    return true;
}

int CContainerUI::GetCount() const { return int(m_items.size()); }

bool CContainerUI::Add(CControlUI* pControl) { return AddAt(pControl, GetCount()); }

bool CContainerUI::AddAt(CControlUI* pControl, int iIndex) {
    if (!pControl || iIndex < 0 || iIndex > GetCount() || GetItemIndex(pControl) >= 0) return false;
    m_items.insert(m_items.begin() + iIndex, pControl);
    if (m_pManager) m_pManager->InitControls(pControl, this);
    else pControl->SetManager(nullptr, this, false);
    if (!IsVisible()) pControl->SetInternVisible(false);
    NeedUpdate();
    return true;
}

bool CContainerUI::Remove(CControlUI* pControl) {
    int index = GetItemIndex(pControl);
    return index >= 0 && RemoveAt(index);
}

bool CContainerUI::RemoveAt(int iIndex) {
    CControlUI* control = GetItemAt(iIndex);
    if (!control) return false;
    m_items.erase(m_items.begin() + iIndex);
    if (m_pManager) m_pManager->Invalidate(control->GetPos());
    if (m_bAutoDestroy) delete control;
    NeedUpdate();
    return true;
}

void CContainerUI::RemoveAll() {
    std::vector<CControlUI*> items;
    items.swap(m_items);
    if (m_bAutoDestroy) {
        for (CControlUI* c : items) delete c;
    }
    if (m_pVerticalScrollBar) m_pVerticalScrollBar->SetScrollPos(0);
    if (m_pHorizontalScrollBar) m_pHorizontalScrollBar->SetScrollPos(0);
    NeedUpdate();
}

void CContainerUI::SetAutoDestroy(bool bAuto) { m_bAutoDestroy = bAuto; }
bool CContainerUI::IsAutoDestroy() const { return m_bAutoDestroy; }

namespace {

CControlUI* CALLBACK MatchName(CControlUI* pThis, LPVOID pData) {
    return pThis->GetName() == static_cast<const wchar_t*>(pData) ? pThis : nullptr;
}

}  // namespace

CControlUI* CContainerUI::FindSubControl(LPCTSTR pstrSubControlName) {
    if (!pstrSubControlName || !*pstrSubControlName) return nullptr;
    for (CControlUI* child : m_items) {
        if (CControlUI* found = child->FindControl(MatchName, const_cast<wchar_t*>(pstrSubControlName), UIFIND_ALL)) return found;
    }
    return nullptr;
}

RECT CContainerUI::GetInset() const { return m_rcInset; }
void CContainerUI::SetInset(RECT rc) { m_rcInset = rc; NeedUpdate(); }
int CContainerUI::GetChildPadding() const { return m_iChildPadding; }
void CContainerUI::SetChildPadding(int iPadding) { m_iChildPadding = std::max(0, iPadding); NeedUpdate(); }
UINT CContainerUI::GetChildAlign() const { return m_iChildAlign; }
void CContainerUI::SetChildAlign(UINT iAlign) { m_iChildAlign = iAlign; NeedUpdate(); }
UINT CContainerUI::GetChildVAlign() const { return m_iChildVAlign; }
void CContainerUI::SetChildVAlign(UINT iVAlign) { m_iChildVAlign = iVAlign; NeedUpdate(); }
bool CContainerUI::IsMouseChildEnabled() const { return m_bMouseChildEnabled; }
void CContainerUI::SetMouseChildEnabled(bool bEnable) { m_bMouseChildEnabled = bEnable; }

SIZE CContainerUI::GetScrollPos() const {
    return {m_pHorizontalScrollBar ? m_pHorizontalScrollBar->GetScrollPos() : 0,
            m_pVerticalScrollBar ? m_pVerticalScrollBar->GetScrollPos() : 0};
}

SIZE CContainerUI::GetScrollRange() const {
    return {m_pHorizontalScrollBar && m_pHorizontalScrollBar->IsVisible() ? m_pHorizontalScrollBar->GetScrollRange() : 0,
            m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible() ? m_pVerticalScrollBar->GetScrollRange() : 0};
}

void CContainerUI::SetScrollPos(SIZE szPos) {
    SIZE range = GetScrollRange();
    SIZE old = GetScrollPos();
    szPos.cx = std::max(0L, std::min(szPos.cx, range.cx));
    szPos.cy = std::max(0L, std::min(szPos.cy, range.cy));
    if (szPos.cx == old.cx && szPos.cy == old.cy) return;
    if (m_pHorizontalScrollBar) m_pHorizontalScrollBar->SetScrollPos(szPos.cx);
    if (m_pVerticalScrollBar) m_pVerticalScrollBar->SetScrollPos(szPos.cy);
    SetPos(m_rcItem, true);
    Invalidate();
    if (m_pManager) m_pManager->SendNotify(this, L"scroll", WPARAM(szPos.cx), LPARAM(szPos.cy));
}

int CContainerUI::GetScrollStepSize() const { return m_nScrollStepSize; }
void CContainerUI::SetScrollStepSize(int nSize) { if (nSize > 0) m_nScrollStepSize = nSize; }

namespace {

int LineStep(int configured, CPaintManagerUI* pm) {
    if (configured > 0) return configured;
    TFontInfo* font = pm ? pm->GetDefaultFontInfo() : nullptr;
    return font ? font->tm.tmHeight + 8 : 20;
}

}  // namespace

void CContainerUI::LineUp() { SIZE p = GetScrollPos(); p.cy -= LineStep(m_nScrollStepSize, m_pManager); SetScrollPos(p); }
void CContainerUI::LineDown() { SIZE p = GetScrollPos(); p.cy += LineStep(m_nScrollStepSize, m_pManager); SetScrollPos(p); }
void CContainerUI::LineLeft() { SIZE p = GetScrollPos(); p.cx -= LineStep(m_nScrollStepSize, m_pManager); SetScrollPos(p); }
void CContainerUI::LineRight() { SIZE p = GetScrollPos(); p.cx += LineStep(m_nScrollStepSize, m_pManager); SetScrollPos(p); }
void CContainerUI::PageUp() { SIZE p = GetScrollPos(); p.cy -= std::max<int>(1, GetHeight() - m_rcInset.top - m_rcInset.bottom); SetScrollPos(p); }
void CContainerUI::PageDown() { SIZE p = GetScrollPos(); p.cy += std::max<int>(1, GetHeight() - m_rcInset.top - m_rcInset.bottom); SetScrollPos(p); }
void CContainerUI::HomeUp() { SIZE p = GetScrollPos(); p.cy = 0; SetScrollPos(p); }
void CContainerUI::EndDown() { SIZE p = GetScrollPos(); p.cy = GetScrollRange().cy; SetScrollPos(p); }

void CContainerUI::EnableScrollBar(bool bEnableVertical, bool bEnableHorizontal) {
    auto make = [this](bool horizontal, const wchar_t* defaultsName) {
        auto* bar = new CScrollBarUI;
        bar->SetOwner(this);
        bar->SetHorizontal(horizontal);
        bar->SetManager(m_pManager, nullptr, false);
        bar->SetVisible(false);
        if (m_pManager) {
            if (LPCTSTR defaults = m_pManager->GetDefaultAttributeList(defaultsName)) bar->ApplyAttributeList(defaults);
        }
        return bar;
    };
    if (bEnableVertical && !m_pVerticalScrollBar) m_pVerticalScrollBar = make(false, L"VScrollBar");
    if (!bEnableVertical && m_pVerticalScrollBar) { delete m_pVerticalScrollBar; m_pVerticalScrollBar = nullptr; }
    if (bEnableHorizontal && !m_pHorizontalScrollBar) m_pHorizontalScrollBar = make(true, L"HScrollBar");
    if (!bEnableHorizontal && m_pHorizontalScrollBar) { delete m_pHorizontalScrollBar; m_pHorizontalScrollBar = nullptr; }
    NeedUpdate();
}

CScrollBarUI* CContainerUI::GetVerticalScrollBar() const { return m_pVerticalScrollBar; }
CScrollBarUI* CContainerUI::GetHorizontalScrollBar() const { return m_pHorizontalScrollBar; }

RECT CContainerUI::ContentRect() const {
    RECT rc = {m_rcItem.left + m_rcInset.left, m_rcItem.top + m_rcInset.top, m_rcItem.right - m_rcInset.right, m_rcItem.bottom - m_rcInset.bottom};
    if (m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible()) rc.right -= m_pVerticalScrollBar->GetFixedWidth();
    if (m_pHorizontalScrollBar && m_pHorizontalScrollBar->IsVisible()) rc.bottom -= m_pHorizontalScrollBar->GetFixedHeight();
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    return rc;
}

void CContainerUI::SetFloatPos(int iIndex) {
    CControlUI* child = GetItemAt(iIndex);
    if (!child || !child->IsVisible()) return;
    SIZE fixed = {child->GetFixedWidth(), child->GetFixedHeight()};
    child->SetPos(uilib::ArrangeFloat(m_rcItem, child->GetFloatPos(), fixed), true);
}

void CContainerUI::StackChildren(const RECT& rcContent) {
    SIZE scroll = GetScrollPos();
    int cxNeeded = 0, cyNeeded = 0;
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* child = m_items[size_t(i)];
        if (!child->IsVisible()) continue;
        if (child->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        uilib::LayoutItem item;
        item.size = child->EstimateSize({rcContent.right - rcContent.left, rcContent.bottom - rcContent.top});
        item.minSize = {child->GetMinWidth(), child->GetMinHeight()};
        item.maxSize = {child->GetMaxWidth(), child->GetMaxHeight()};
        item.padding = child->GetPadding();
        RECT rc = uilib::ArrangeFill(item, rcContent);
        ::OffsetRect(&rc, -scroll.cx, -scroll.cy);
        child->SetPos(rc, true);
        cxNeeded = std::max<int>(cxNeeded, rc.right - rc.left + item.padding.left + item.padding.right);
        cyNeeded = std::max<int>(cyNeeded, rc.bottom - rc.top + item.padding.top + item.padding.bottom);
    }
    ProcessScrollBar(m_rcItem, cxNeeded, cyNeeded);
}

void CContainerUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    StackChildren(ContentRect());
}

void CContainerUI::ProcessScrollBar(RECT rc, int cxRequired, int cyRequired) {
    bool relayout = false;
    if (m_pVerticalScrollBar) {
        int view = rc.bottom - rc.top - m_rcInset.top - m_rcInset.bottom;
        if (cyRequired > view && view > 0) {
            if (!m_pVerticalScrollBar->IsVisible()) { m_pVerticalScrollBar->SetVisible(true); relayout = true; }
            m_pVerticalScrollBar->SetScrollRange(cyRequired - view);
            int width = m_pVerticalScrollBar->GetFixedWidth();
            m_pVerticalScrollBar->SetPos({rc.right - m_rcInset.right - width, rc.top + m_rcInset.top, rc.right - m_rcInset.right, rc.bottom - m_rcInset.bottom}, true);
        } else if (m_pVerticalScrollBar->IsVisible()) {
            m_pVerticalScrollBar->SetVisible(false);
            m_pVerticalScrollBar->SetScrollRange(0);
            m_pVerticalScrollBar->SetScrollPos(0);
            relayout = true;
        }
    }
    if (m_pHorizontalScrollBar) {
        int view = rc.right - rc.left - m_rcInset.left - m_rcInset.right;
        if (cxRequired > view && view > 0) {
            if (!m_pHorizontalScrollBar->IsVisible()) { m_pHorizontalScrollBar->SetVisible(true); relayout = true; }
            m_pHorizontalScrollBar->SetScrollRange(cxRequired - view);
            int height = m_pHorizontalScrollBar->GetFixedHeight();
            m_pHorizontalScrollBar->SetPos({rc.left + m_rcInset.left, rc.bottom - m_rcInset.bottom - height, rc.right - m_rcInset.right, rc.bottom - m_rcInset.bottom}, true);
        } else if (m_pHorizontalScrollBar->IsVisible()) {
            m_pHorizontalScrollBar->SetVisible(false);
            m_pHorizontalScrollBar->SetScrollRange(0);
            m_pHorizontalScrollBar->SetScrollPos(0);
            relayout = true;
        }
    }
    // The content width changed with the bar; one more pass places the children again
    // (bars are already decided, so this does not recurse further).
    if (relayout) {
        Invalidate();
        SetPos(m_rcItem, true);
    }
}

void CContainerUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (!pstrName || !pstrValue) return;
    std::wstring_view name(pstrName), value(pstrValue);
    RECT rc;
    int n;
    if (name == L"inset") {
        if (uilib::ParseRect(value, rc)) SetInset(rc);
    } else if (name == L"childpadding") {
        if (uilib::ParseInt(value, n)) SetChildPadding(n);
    } else if (name == L"childalign") {
        SetChildAlign(value == L"center" ? DT_CENTER : value == L"right" ? DT_RIGHT : DT_LEFT);
    } else if (name == L"childvalign") {
        SetChildVAlign(value == L"vcenter" ? DT_VCENTER : value == L"bottom" ? DT_BOTTOM : DT_TOP);
    } else if (name == L"mousechild") {
        SetMouseChildEnabled(uilib::ParseBool(value, true));
    } else if (name == L"vscrollbar") {
        EnableScrollBar(uilib::ParseBool(value, false), m_pHorizontalScrollBar != nullptr);
    } else if (name == L"hscrollbar") {
        EnableScrollBar(m_pVerticalScrollBar != nullptr, uilib::ParseBool(value, false));
    } else if (name == L"vscrollbarstyle") {
        EnableScrollBar(true, m_pHorizontalScrollBar != nullptr);
        m_pVerticalScrollBar->ApplyAttributeList(pstrValue);
    } else if (name == L"hscrollbarstyle") {
        EnableScrollBar(m_pVerticalScrollBar != nullptr, true);
        m_pHorizontalScrollBar->ApplyAttributeList(pstrValue);
    } else if (name == L"scrollstepsize") {
        if (uilib::ParseInt(value, n)) SetScrollStepSize(n);
    } else {
        CControlUI::SetAttribute(pstrName, pstrValue);
    }
}

void CContainerUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
    for (CControlUI* child : m_items) child->SetManager(pManager, this, bInit);
    if (m_pVerticalScrollBar) m_pVerticalScrollBar->SetManager(pManager, nullptr, false);
    if (m_pHorizontalScrollBar) m_pHorizontalScrollBar->SetManager(pManager, nullptr, false);
    CControlUI::SetManager(pManager, pParent, bInit);
}

CControlUI* CContainerUI::FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) {
    if ((uFlags & UIFIND_VISIBLE) && !IsVisible()) return nullptr;
    if ((uFlags & UIFIND_ENABLED) && !IsEnabled()) return nullptr;
    bool hitTest = (uFlags & UIFIND_HITTEST) != 0;
    if (hitTest) {
        const POINT& pt = *static_cast<LPPOINT>(pData);
        if (!::PtInRect(&m_rcItem, pt)) return nullptr;
        if (!m_bMouseChildEnabled) return m_bMouseEnabled ? Proc(this, pData) : nullptr;
        for (CScrollBarUI* bar : {m_pVerticalScrollBar, m_pHorizontalScrollBar}) {
            if (bar && bar->IsVisible()) {
                if (CControlUI* found = bar->FindControl(Proc, pData, uFlags)) return found;
            }
        }
    } else if (CControlUI* self = Proc(this, pData)) {
        return self;
    }
    RECT content = ContentRect();
    auto visit = [&](CControlUI* child) -> CControlUI* {
        if (hitTest && !child->IsFloat() && !::PtInRect(&content, *static_cast<LPPOINT>(pData))) return nullptr;
        return child->FindControl(Proc, pData, uFlags);
    };
    if (uFlags & UIFIND_TOP_FIRST) {
        for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
            if (CControlUI* found = visit(*it)) return found;
        }
    } else {
        for (CControlUI* child : m_items) {
            if (CControlUI* found = visit(child)) return found;
        }
    }
    if (hitTest && m_bMouseEnabled) return Proc(this, pData);
    return nullptr;
}

bool CContainerUI::DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl) {
    RECT visible;
    if (!::IntersectRect(&visible, &rcPaint, &m_rcItem)) return true;
    CRenderClip clip;
    CRenderClip::GenerateClip(hDC, visible, clip);
    CControlUI::DoPaint(hDC, rcPaint, pStopControl);

    RECT content = ContentRect();
    for (CControlUI* child : m_items) {
        if (child == pStopControl) return false;
        if (!child->IsVisible()) continue;
        RECT tmp;
        if (!::IntersectRect(&tmp, &visible, &child->GetPos())) continue;
        if (!child->IsFloat() && !Contains(content, child->GetPos())) {
            RECT clipped;
            if (!::IntersectRect(&clipped, &tmp, &content)) continue;
            CRenderClip childClip;
            CRenderClip::GenerateClip(hDC, clipped, childClip);
            if (!child->DoPaint(hDC, clipped, pStopControl)) return false;
            continue;
        }
        if (!child->DoPaint(hDC, visible, pStopControl)) return false;
    }
    for (CScrollBarUI* bar : {m_pVerticalScrollBar, m_pHorizontalScrollBar}) {
        if (bar && bar->IsVisible()) bar->DoPaint(hDC, visible, pStopControl);
    }
    return true;
}

void CContainerUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_SCROLLWHEEL && m_pVerticalScrollBar && m_pVerticalScrollBar->IsVisible() && m_pVerticalScrollBar->IsEnabled()) {
        if (LOWORD(event.wParam) == SB_LINEUP) LineUp();
        else LineDown();
        return;
    }
    CControlUI::DoEvent(event);
}

void CContainerUI::SetVisible(bool bVisible) {
    if (m_bVisible == bVisible) return;
    CControlUI::SetVisible(bVisible);
    for (CControlUI* child : m_items) child->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool bVisible) {
    CControlUI::SetInternVisible(bVisible);
    for (CControlUI* child : m_items) child->SetInternVisible(IsVisible());
}

void CContainerUI::SetMouseEnabled(bool bEnable) {
    CControlUI::SetMouseEnabled(bEnable);
}
