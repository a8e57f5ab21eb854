// The combo box and its drop-down window, which borrows the combo's rows while it is open.
#include "uilib/controls/ComboUI.h"

#include <algorithm>

#include "uilib/controls/ScrollBarUI.h"
#include "uilib/core/UIManager.h"
#include "uilib/core/ValueParse.h"
#include "uilib/core/WindowWnd.h"
#include "uilib/render/RenderEngine.h"

namespace {

IListItemUI* AsListItem(CControlUI* control) {
    return control ? static_cast<IListItemUI*>(control->GetInterface(L"ListItem")) : nullptr;
}

// Below the combo, or above it when the screen ends first.
RECT DropDownRect(const RECT& comboScreen, SIZE box, const RECT& work) {
    RECT rc = {comboScreen.left, comboScreen.bottom, comboScreen.left + box.cx, comboScreen.bottom + box.cy};
    if (rc.bottom > work.bottom && comboScreen.top - box.cy >= work.top) {
        rc.top = comboScreen.top - box.cy;
        rc.bottom = comboScreen.top;
    }
    return rc;
}

}  // namespace

// The drop-down: a popup with its own paint manager whose layout holds the combo's rows
// (not owning them) until it closes. It closes itself when it loses the focus.
class CComboWnd : public CWindowWnd, public INotifyUI {
public:
    explicit CComboWnd(CComboUI& owner) : m_owner(owner) {}

    bool Open() {
        CPaintManagerUI* ownerPm = m_owner.GetManager();
        if (!ownerPm) return false;
        RECT combo = m_owner.GetPos();
        MapWindowPoints(ownerPm->GetPaintWindow(), HWND_DESKTOP, reinterpret_cast<POINT*>(&combo), 2);
        SIZE box = m_owner.GetDropBoxSize();
        if (box.cx <= 0) box.cx = combo.right - combo.left;
        box.cy = std::min<LONG>(box.cy, ContentHeight() + 2);
        MONITORINFO mi = {sizeof mi};
        GetMonitorInfoW(MonitorFromRect(&combo, MONITOR_DEFAULTTONEAREST), &mi);
        RECT rc = DropDownRect(combo, box, mi.rcWork);
        if (!Create(ownerPm->GetPaintWindow(), nullptr, WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, rc))
            return false;
        ::ShowWindow(m_hWnd, SW_SHOW);
        ::SetFocus(m_hWnd);
        return true;
    }

    HWND Hwnd() const { return m_hWnd; }
    void Notify(TNotifyUI&) override {}

protected:
    LPCTSTR GetWindowClassName() const override { return L"ComboDropWnd"; }
    UINT GetClassStyle() const override { return CS_DBLCLKS | CS_DROPSHADOW; }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        switch (msg) {
        case WM_CREATE:
            Build();
            return 0;
        case WM_KILLFOCUS:
            if (reinterpret_cast<HWND>(wParam) != m_hWnd) PostMessageW(WM_CLOSE);
            break;
        case WM_KEYDOWN:
            if (OnKey(wParam)) return 0;
            break;
        default:
            break;
        }
        LRESULT result = 0;
        if (m_pm.GetPaintWindow() == m_hWnd && m_pm.MessageHandler(msg, wParam, lParam, result)) return result;
        return CWindowWnd::HandleMessage(msg, wParam, lParam);
    }

    void OnFinalMessage(HWND) override {
        // Rows go back to the combo before the layout that shows them is destroyed.
        if (m_layout) m_layout->RemoveAll();
        CPaintManagerUI* ownerPm = m_owner.GetManager();
        for (int i = 0; i < m_owner.GetCount(); ++i) m_owner.GetItemAt(i)->SetManager(ownerPm, &m_owner, false);
        m_owner.DropDownClosed();
        delete this;
    }

private:
    int ContentHeight() {
        int height = 0;
        for (int i = 0; i < m_owner.GetCount(); ++i) {
            CControlUI* item = m_owner.GetItemAt(i);
            if (item->IsVisible()) height += item->EstimateSize({0, 0}).cy;
        }
        return height;
    }

    void Build() {
        m_pm.Init(m_hWnd);
        if (CPaintManagerUI* ownerPm = m_owner.GetManager()) {
            if (LPCTSTR bar = ownerPm->GetDefaultAttributeList(L"VScrollBar")) m_pm.AddDefaultAttributeList(L"VScrollBar", bar);
        }
        m_layout = new CVerticalLayoutUI;
        m_layout->SetManager(&m_pm, nullptr, true);
        m_layout->SetAutoDestroy(false);
        m_layout->SetBkColor(0xFFFFFFFF);
        if (m_owner.IsDropScrollBar()) m_layout->EnableScrollBar(true, false);
        if (LPCTSTR attributes = m_owner.GetDropBoxAttributeList()) m_layout->ApplyAttributeList(attributes);
        for (int i = 0; i < m_owner.GetCount(); ++i) m_layout->Add(m_owner.GetItemAt(i));
        m_pm.AttachDialog(m_layout);
        m_pm.AddNotifier(this);
        RECT client;
        GetClientRect(m_hWnd, &client);
        m_layout->SetPos(client, false);
        ScrollToSelection();
    }

    void ScrollToSelection() {
        CControlUI* item = m_layout ? m_layout->GetItemAt(m_owner.GetCurSel()) : nullptr;
        if (!item) return;
        RECT rc = item->GetPos(), view = m_layout->GetPos();
        SIZE pos = m_layout->GetScrollPos();
        if (rc.top < view.top) pos.cy -= view.top - rc.top;
        else if (rc.bottom > view.bottom) pos.cy += rc.bottom - view.bottom;
        else return;
        m_layout->SetScrollPos(pos);
    }

    bool OnKey(WPARAM key) {
        int count = m_owner.GetCount(), cur = m_owner.GetCurSel();
        switch (key) {
        case VK_ESCAPE:
        case VK_RETURN:
            PostMessageW(WM_CLOSE);
            return true;
        case VK_UP:
            if (cur > 0) m_owner.SelectItem(cur - 1);
            break;
        case VK_DOWN:
            if (cur + 1 < count) m_owner.SelectItem(cur + 1);
            break;
        default:
            return false;
        }
        ScrollToSelection();
        return true;
    }

    CComboUI& m_owner;
    CPaintManagerUI m_pm;
    CVerticalLayoutUI* m_layout = nullptr;  // owned by m_pm once attached
};

CComboUI::CComboUI() { m_info.uTextStyle = DT_LEFT | DT_VCENTER | DT_SINGLELINE; }

CComboUI::~CComboUI() {
    if (m_pWindow) {
        HWND hwnd = m_pWindow->Hwnd();
        m_pWindow = nullptr;
        DestroyWindow(hwnd);
    }
}

LPCTSTR CComboUI::GetClass() const { return L"ComboUI"; }

LPVOID CComboUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && wcscmp(pstrName, L"Combo") == 0) return static_cast<CComboUI*>(this);
    if (pstrName && wcscmp(pstrName, L"IListOwner") == 0) return static_cast<IListOwnerUI*>(this);
    return CContainerUI::GetInterface(pstrName);
}

UINT CComboUI::GetControlFlags() const { return IsEnabled() ? UIFLAG_TABSTOP | UIFLAG_SETCURSOR : 0; }

CDuiString CComboUI::GetText() const {
    CControlUI* item = GetItemAt(m_iCurSel);
    return item ? item->GetText() : CDuiString();
}

bool CComboUI::AddAt(CControlUI* pControl, int iIndex) {
    if (!CContainerUI::AddAt(pControl, iIndex)) return false;
    if (IListItemUI* item = AsListItem(pControl)) {
        item->SetOwner(this);
        if (iIndex <= m_iCurSel) ++m_iCurSel;
        Reindex(iIndex);
        if (item->IsSelected()) SelectItem(iIndex, false, false);  // a row built "selected"
    }
    return true;
}

bool CComboUI::RemoveAt(int iIndex) {
    if (m_pWindow) CloseDropDown();
    CControlUI* control = GetItemAt(iIndex);
    if (!control) return false;
    if (IListItemUI* item = AsListItem(control)) item->SetOwner(nullptr);
    if (!CContainerUI::RemoveAt(iIndex)) return false;
    if (iIndex == m_iCurSel) m_iCurSel = -1;
    else if (iIndex < m_iCurSel) --m_iCurSel;
    Reindex(iIndex);
    Invalidate();
    return true;
}

void CComboUI::RemoveAll() {
    if (m_pWindow) CloseDropDown();
    for (int i = 0; i < GetCount(); ++i) {
        if (IListItemUI* item = AsListItem(GetItemAt(i))) item->SetOwner(nullptr);
    }
    m_iCurSel = -1;
    CContainerUI::RemoveAll();
    Invalidate();
}

void CComboUI::Reindex(int from) {
    for (int i = std::max(0, from); i < GetCount(); ++i) {
        if (IListItemUI* item = AsListItem(GetItemAt(i))) item->SetIndex(i);
    }
}

TListInfoUI* CComboUI::GetListInfo() { return &m_info; }
int CComboUI::GetCurSel() const { return m_iCurSel; }
CPaintManagerUI* CComboUI::GetOwnerManager() const { return m_pManager; }
CControlUI* CComboUI::GetOwnerControl() { return this; }

bool CComboUI::SelectItem(int iIndex, bool bTakeFocus, bool bNotify) {
    if (iIndex < -1 || iIndex >= GetCount()) return false;
    IListItemUI* item = iIndex >= 0 ? AsListItem(GetItemAt(iIndex)) : nullptr;
    if (iIndex >= 0 && !item) return false;
    // A pick in the drop-down closes it; posted, as the pick arrives from inside its own dispatch.
    if (bTakeFocus && m_pWindow) ::PostMessageW(m_pWindow->Hwnd(), WM_CLOSE, 0, 0);
    if (iIndex == m_iCurSel) return true;
    int old = m_iCurSel;
    if (IListItemUI* previous = old >= 0 ? AsListItem(GetItemAt(old)) : nullptr) previous->SetSelectedState(false);
    m_iCurSel = iIndex;
    if (item) item->SetSelectedState(true);
    Invalidate();
    if (bNotify && m_pManager) m_pManager->SendNotify(this, L"itemselect", WPARAM(iIndex), LPARAM(old));
    return true;
}

bool CComboUI::Activate() {
    if (!CControlUI::Activate() || m_pWindow || !m_pManager) return false;
    m_pWindow = new CComboWnd(*this);
    if (!m_pWindow->Open()) {
        // A window that failed to be created never gets its final message.
        delete m_pWindow;
        m_pWindow = nullptr;
        return false;
    }
    m_pManager->SendNotify(this, L"dropdown");
    Invalidate();
    return true;
}

bool CComboUI::IsDroppedDown() const { return m_pWindow != nullptr; }
HWND CComboUI::GetDropDownWindow() const { return m_pWindow ? m_pWindow->Hwnd() : nullptr; }

void CComboUI::CloseDropDown() {
    if (m_pWindow) DestroyWindow(m_pWindow->Hwnd());
}

void CComboUI::DropDownClosed() {
    m_pWindow = nullptr;
    m_uButtonState &= ~UINT(UISTATE_PUSHED);
    Invalidate();
}

SIZE CComboUI::GetDropBoxSize() const { return m_szDropBox; }
void CComboUI::SetDropBoxSize(SIZE sz) { m_szDropBox = sz; }
bool CComboUI::IsDropScrollBar() const { return m_bDropScrollBar; }
LPCTSTR CComboUI::GetDropBoxAttributeList() const {
    return m_sDropBoxAttributes.IsEmpty() ? nullptr : m_sDropBoxAttributes.GetData();
}
RECT CComboUI::GetTextPadding() const { return m_rcTextPadding; }
void CComboUI::SetTextPadding(RECT rc) {
    m_rcTextPadding = rc;
    // The rows line their text up with the closed combo's unless told otherwise.
    if (!m_bItemPaddingSet) m_info.rcTextPadding = rc;
    Invalidate();
}
UINT CComboUI::GetButtonState() const { return m_uButtonState; }

// The rows are not laid out inside the combo; only the drop-down shows them.
void CComboUI::SetPos(RECT rc, bool bNeedInvalidate) { CControlUI::SetPos(rc, bNeedInvalidate); }

CControlUI* CComboUI::FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) {
    if (uFlags & UIFIND_HITTEST) return CControlUI::FindControl(Proc, pData, uFlags);
    return CContainerUI::FindControl(Proc, pData, uFlags);
}

bool CComboUI::DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl) {
    return CControlUI::DoPaint(hDC, rcPaint, pStopControl);
}

void CComboUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (!IsEnabled()) return;
        m_uButtonState |= UISTATE_PUSHED;
        Activate();
        return;
    case UIEVENT_BUTTONUP:
        if (!m_pWindow) m_uButtonState &= ~UINT(UISTATE_PUSHED);
        Invalidate();
        return;
    case UIEVENT_MOUSEENTER:
        m_uButtonState |= UISTATE_HOT;
        Invalidate();
        return;
    case UIEVENT_MOUSELEAVE:
        m_uButtonState &= ~UINT(UISTATE_HOT);
        Invalidate();
        return;
    case UIEVENT_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, IsHandCursor() ? IDC_HAND : IDC_ARROW));
        return;
    case UIEVENT_KEYDOWN:
        if (event.wParam == VK_UP && m_iCurSel > 0) SelectItem(m_iCurSel - 1);
        else if (event.wParam == VK_DOWN && m_iCurSel + 1 < GetCount()) SelectItem(m_iCurSel + 1);
        else if (event.wParam == VK_F4 || event.wParam == VK_SPACE) Activate();
        else break;
        return;
    default:
        break;
    }
    CControlUI::DoEvent(event);
}

void CComboUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    std::wstring_view name(pstrName ? pstrName : L""), value(pstrValue ? pstrValue : L"");
    RECT rc{};
    SIZE sz{};
    if (uilib::SetListInfoAttribute(m_info, name, value)) {
        if (name == L"itemtextpadding") m_bItemPaddingSet = true;
        Invalidate();
    }
    else if (name == L"normalimage") m_sNormalImage = pstrValue;
    else if (name == L"hotimage") m_sHotImage = pstrValue;
    else if (name == L"pushedimage") m_sPushedImage = pstrValue;
    else if (name == L"focusedimage") m_sFocusedImage = pstrValue;
    else if (name == L"disabledimage") m_sDisabledImage = pstrValue;
    else if (name == L"textpadding" && uilib::ParseRect(value, rc)) SetTextPadding(rc);
    else if (name == L"font") m_iFont = uilib::ParseIntOr(value, -1);
    else if (name == L"textcolor") m_dwTextColor = uilib::ParseColorOr(value, m_dwTextColor);
    else if (name == L"dropboxsize" && uilib::ParseSize(value, sz)) SetDropBoxSize(sz);
    else if (name == L"dropbox") m_sDropBoxAttributes = pstrValue;
    else if (name == L"vscrollbar") m_bDropScrollBar = uilib::ParseBool(value);
    else CContainerUI::SetAttribute(pstrName, pstrValue);
}

void CComboUI::PaintStatusImage(HDC hDC) {
    if (!IsEnabled() && !m_sDisabledImage.IsEmpty() && DrawImage(hDC, m_sDisabledImage)) return;
    if ((m_uButtonState & UISTATE_PUSHED) && !m_sPushedImage.IsEmpty() && DrawImage(hDC, m_sPushedImage)) return;
    if ((m_uButtonState & UISTATE_HOT) && !m_sHotImage.IsEmpty() && DrawImage(hDC, m_sHotImage)) return;
    if (IsFocused() && !m_sFocusedImage.IsEmpty() && DrawImage(hDC, m_sFocusedImage)) return;
    if (!m_sNormalImage.IsEmpty()) DrawImage(hDC, m_sNormalImage);
}

void CComboUI::PaintText(HDC hDC) {
    CDuiString text = GetText();
    if (text.IsEmpty()) return;
    RECT rc = {m_rcItem.left + m_rcTextPadding.left, m_rcItem.top + m_rcTextPadding.top,
               m_rcItem.right - m_rcTextPadding.right, m_rcItem.bottom - m_rcTextPadding.bottom};
    DWORD color = IsEnabled() ? (m_dwTextColor ? m_dwTextColor : m_info.dwTextColor) : m_info.dwDisabledTextColor;
    int font = m_iFont >= 0 ? m_iFont : m_info.nFont;
    CRenderEngine::DrawText(hDC, m_pManager, rc, text, color, font, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
