// Lists and their rows: selection kept by the owner, hot and selected looks drawn by the rows.
#include "uilib/controls/ListUI.h"

#include <algorithm>

#include "uilib/controls/ScrollBarUI.h"
#include "uilib/core/UIManager.h"
#include "uilib/core/ValueParse.h"
#include "uilib/render/RenderEngine.h"

namespace uilib {

bool SetListInfoAttribute(TListInfoUI& info, std::wstring_view name, std::wstring_view value) {
    struct ColorAttr { const wchar_t* name; DWORD TListInfoUI::*field; };
    static const ColorAttr colors[] = {
        {L"itemtextcolor", &TListInfoUI::dwTextColor},
        {L"itembkcolor", &TListInfoUI::dwBkColor},
        {L"itemhottextcolor", &TListInfoUI::dwHotTextColor},
        {L"itemhotbkcolor", &TListInfoUI::dwHotBkColor},
        {L"itemselectedtextcolor", &TListInfoUI::dwSelectedTextColor},
        {L"itemselectedbkcolor", &TListInfoUI::dwSelectedBkColor},
        {L"itemdisabledtextcolor", &TListInfoUI::dwDisabledTextColor},
    };
    for (const ColorAttr& c : colors) {
        if (name == c.name) {
            info.*c.field = ParseColorOr(value, info.*c.field);
            return true;
        }
    }
    RECT rc{};
    if (name == L"itemfont") {
        info.nFont = ParseIntOr(value, -1);
    } else if (name == L"itemheight") {
        info.nItemHeight = std::max(0, ParseIntOr(value, 0));
    } else if (name == L"itemtextpadding") {
        if (ParseRect(value, rc)) info.rcTextPadding = rc;
    } else if (name == L"itemalign") {
        info.uTextStyle &= ~UINT(DT_LEFT | DT_CENTER | DT_RIGHT);
        if (value.find(L"center") != std::wstring_view::npos) info.uTextStyle |= DT_CENTER;
        else if (value.find(L"right") != std::wstring_view::npos) info.uTextStyle |= DT_RIGHT;
        else info.uTextStyle |= DT_LEFT;
    } else {
        return false;
    }
    return true;
}

}  // namespace uilib

// ---- shared row state ----

DWORD CListItemState::StateBkColor(DWORD own) const {
    const TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    if (!info) return own;
    if (m_bSelected && info->dwSelectedBkColor) return info->dwSelectedBkColor;
    if (m_bHot && info->dwHotBkColor) return info->dwHotBkColor;
    return own ? own : info->dwBkColor;
}

DWORD CListItemState::StateTextColor(DWORD own) const {
    const TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    if (!info) return own;
    if (m_bSelected && info->dwSelectedTextColor) return info->dwSelectedTextColor;
    if (m_bHot && info->dwHotTextColor) return info->dwHotTextColor;
    return own ? own : info->dwTextColor;
}

void CListItemState::SelectThroughOwner(CControlUI& self) {
    if (m_pOwner) m_pOwner->SelectItem(m_iIndex, true);
    else SetSelectedState(true);
    self.Invalidate();
}

bool CListItemState::TrackHot(CControlUI& self, const TEventUI& event) {
    if (event.Type == UIEVENT_MOUSEENTER) {
        m_bHot = true;
    } else if (event.Type == UIEVENT_MOUSELEAVE) {
        // Moving onto one of the row's own parts is no leaving.
        m_bHot = self.IsVisible() && PtInRect(&self.GetPos(), event.ptMouse);
    } else {
        return false;
    }
    self.Invalidate();
    return true;
}

// ---- container rows ----

LPCTSTR CListContainerElementUI::GetClass() const { return L"ListContainerElementUI"; }

LPVOID CListContainerElementUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && wcscmp(pstrName, L"ListItem") == 0) return static_cast<IListItemUI*>(this);
    if (pstrName && wcscmp(pstrName, L"ListContainerElement") == 0) return static_cast<CListContainerElementUI*>(this);
    return CHorizontalLayoutUI::GetInterface(pstrName);
}

bool CListContainerElementUI::Select(bool bSelect) {
    if (m_pOwner) return m_pOwner->SelectItem(bSelect ? m_iIndex : -1);
    SetSelectedState(bSelect);
    return true;
}

void CListContainerElementUI::SetSelectedState(bool bSelected) {
    if (m_bSelected == bSelected) return;
    m_bSelected = bSelected;
    Invalidate();
}

void CListContainerElementUI::DoEvent(TEventUI& event) {
    if (TrackHot(*this, event)) return;
    CPaintManagerUI* pm = m_pManager;
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
        if (!IsEnabled()) return;
        SelectThroughOwner(*this);
        if (pm) pm->SendNotify(this, L"itemclick");
        return;
    case UIEVENT_DBLCLICK:
        if (IsEnabled() && pm) pm->SendNotify(this, L"itemactivate");
        return;
    case UIEVENT_BUTTONUP:
        return;
    default:
        break;
    }
    CHorizontalLayoutUI::DoEvent(event);
}

void CListContainerElementUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (pstrName && wcscmp(pstrName, L"selected") == 0) SetSelectedState(uilib::ParseBool(pstrValue ? pstrValue : L""));
    else CHorizontalLayoutUI::SetAttribute(pstrName, pstrValue);
}

void CListContainerElementUI::PaintBkColor(HDC hDC) {
    DWORD color = StateBkColor(m_dwBackColor);
    if (color) CRenderEngine::DrawColor(hDC, m_rcPaint, color);
}

// ---- text rows ----

LPCTSTR CListLabelElementUI::GetClass() const { return L"ListLabelElementUI"; }

LPVOID CListLabelElementUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && wcscmp(pstrName, L"ListItem") == 0) return static_cast<IListItemUI*>(this);
    if (pstrName && wcscmp(pstrName, L"ListLabelElement") == 0) return static_cast<CListLabelElementUI*>(this);
    return CLabelUI::GetInterface(pstrName);
}

bool CListLabelElementUI::Select(bool bSelect) {
    if (m_pOwner) return m_pOwner->SelectItem(bSelect ? m_iIndex : -1);
    SetSelectedState(bSelect);
    return true;
}

void CListLabelElementUI::SetSelectedState(bool bSelected) {
    if (m_bSelected == bSelected) return;
    m_bSelected = bSelected;
    Invalidate();
}

SIZE CListLabelElementUI::EstimateSize(SIZE szAvailable) {
    if (m_cxyFixed.cy > 0) return CLabelUI::EstimateSize(szAvailable);
    const TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    int height = info && info->nItemHeight > 0 ? info->nItemHeight : 0;
    if (height == 0) {
        TFontInfo* font = m_pManager ? m_pManager->GetFontInfo(info ? info->nFont : m_iFont) : nullptr;
        height = (font ? font->tm.tmHeight : 14) + 8;
    }
    return {m_cxyFixed.cx, height};
}

void CListLabelElementUI::DoEvent(TEventUI& event) {
    if (TrackHot(*this, event)) return;
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
        return;
    case UIEVENT_BUTTONUP:
        // A press released over the row picks it, as in a drop-down.
        if (IsEnabled() && PtInRect(&m_rcItem, event.ptMouse)) {
            CPaintManagerUI* pm = m_pManager;
            SelectThroughOwner(*this);
            if (pm) pm->SendNotify(this, L"itemclick");
        }
        return;
    default:
        break;
    }
    CLabelUI::DoEvent(event);
}

void CListLabelElementUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (pstrName && wcscmp(pstrName, L"selected") == 0) SetSelectedState(uilib::ParseBool(pstrValue ? pstrValue : L""));
    else CLabelUI::SetAttribute(pstrName, pstrValue);
}

void CListLabelElementUI::PaintBkColor(HDC hDC) {
    DWORD color = StateBkColor(m_dwBackColor);
    if (color) CRenderEngine::DrawColor(hDC, m_rcPaint, color);
}

void CListLabelElementUI::PaintText(HDC hDC) {
    if (m_sText.IsEmpty()) return;
    const TListInfoUI* info = m_pOwner ? m_pOwner->GetListInfo() : nullptr;
    RECT padding = info ? info->rcTextPadding : m_rcTextPadding;
    RECT rc = {m_rcItem.left + padding.left, m_rcItem.top + padding.top, m_rcItem.right - padding.right,
               m_rcItem.bottom - padding.bottom};
    DWORD color = IsEnabled() ? StateTextColor(m_dwTextColor) : (info ? info->dwDisabledTextColor : m_dwDisabledTextColor);
    int font = info && info->nFont >= 0 ? info->nFont : m_iFont;
    UINT style = info ? info->uTextStyle : m_uTextStyle;
    CRenderEngine::DrawText(hDC, m_pManager, rc, m_sText, color, font, style | DT_NOPREFIX);
}

// ---- the list ----

CListUI::CListUI() { m_info.uTextStyle = DT_LEFT | DT_VCENTER | DT_SINGLELINE; }

LPCTSTR CListUI::GetClass() const { return L"ListUI"; }

LPVOID CListUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && wcscmp(pstrName, L"List") == 0) return static_cast<CListUI*>(this);
    if (pstrName && wcscmp(pstrName, L"IListOwner") == 0) return static_cast<IListOwnerUI*>(this);
    return CVerticalLayoutUI::GetInterface(pstrName);
}

UINT CListUI::GetControlFlags() const { return UIFLAG_TABSTOP; }

namespace {

IListItemUI* AsListItem(CControlUI* control) {
    return control ? static_cast<IListItemUI*>(control->GetInterface(L"ListItem")) : nullptr;
}

}  // namespace

bool CListUI::AddAt(CControlUI* pControl, int iIndex) {
    if (!CVerticalLayoutUI::AddAt(pControl, iIndex)) return false;
    if (IListItemUI* item = AsListItem(pControl)) {
        item->SetOwner(this);
        if (iIndex <= m_iCurSel) ++m_iCurSel;
        Reindex(iIndex);
        if (item->IsSelected()) SelectItem(iIndex, false, false);  // a row built "selected"
    }
    return true;
}

bool CListUI::RemoveAt(int iIndex) {
    CControlUI* control = GetItemAt(iIndex);
    if (!control) return false;
    if (IListItemUI* item = AsListItem(control)) item->SetOwner(nullptr);
    if (!CVerticalLayoutUI::RemoveAt(iIndex)) return false;
    if (iIndex == m_iCurSel) m_iCurSel = -1;
    else if (iIndex < m_iCurSel) --m_iCurSel;
    Reindex(iIndex);
    return true;
}

void CListUI::RemoveAll() {
    for (int i = 0; i < GetCount(); ++i) {
        if (IListItemUI* item = AsListItem(GetItemAt(i))) item->SetOwner(nullptr);
    }
    m_iCurSel = -1;
    CVerticalLayoutUI::RemoveAll();
}

void CListUI::Reindex(int from) {
    for (int i = std::max(0, from); i < GetCount(); ++i) {
        if (IListItemUI* item = AsListItem(GetItemAt(i))) item->SetIndex(i);
    }
}

TListInfoUI* CListUI::GetListInfo() { return &m_info; }
int CListUI::GetCurSel() const { return m_iCurSel; }
CPaintManagerUI* CListUI::GetOwnerManager() const { return m_pManager; }
CControlUI* CListUI::GetOwnerControl() { return this; }

bool CListUI::SelectItem(int iIndex, bool /*bTakeFocus: a clicked row has the focus already*/, bool bNotify) {
    if (iIndex < -1 || iIndex >= GetCount()) return false;
    IListItemUI* item = iIndex >= 0 ? AsListItem(GetItemAt(iIndex)) : nullptr;
    if (iIndex >= 0 && !item) return false;
    if (iIndex == m_iCurSel) return true;
    int old = m_iCurSel;
    if (IListItemUI* previous = old >= 0 ? AsListItem(GetItemAt(old)) : nullptr) previous->SetSelectedState(false);
    m_iCurSel = iIndex;
    if (item) {
        item->SetSelectedState(true);
        if (m_pManager) EnsureVisible(iIndex);
    }
    if (bNotify && m_pManager) m_pManager->SendNotify(this, L"itemselect", WPARAM(iIndex), LPARAM(old));
    return true;
}

void CListUI::EnsureVisible(int iIndex) {
    CControlUI* control = GetItemAt(iIndex);
    if (!control) return;
    if (IsUpdateNeeded()) SetPos(m_rcItem, false);
    RECT item = control->GetPos(), view = ContentRect();
    SIZE pos = GetScrollPos();
    if (item.top < view.top) pos.cy -= view.top - item.top;
    else if (item.bottom > view.bottom) pos.cy += std::min(item.bottom - view.bottom, item.top - view.top);
    else return;
    SetScrollPos(pos);
}

void CListUI::DoEvent(TEventUI& event) {
    if (event.Type == UIEVENT_KEYDOWN && GetCount() > 0) {
        int next = m_iCurSel;
        switch (event.wParam) {
        case VK_UP: next = std::max(0, m_iCurSel - 1); break;
        case VK_DOWN: next = std::min(GetCount() - 1, m_iCurSel + 1); break;
        case VK_HOME: next = 0; break;
        case VK_END: next = GetCount() - 1; break;
        default: break;
        }
        if (next != m_iCurSel) {
            SelectItem(next);
            return;
        }
    }
    CVerticalLayoutUI::DoEvent(event);
}

void CListUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (pstrName && uilib::SetListInfoAttribute(m_info, pstrName, pstrValue ? pstrValue : L"")) Invalidate();
    else CVerticalLayoutUI::SetAttribute(pstrName, pstrValue);
}
