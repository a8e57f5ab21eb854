// CButtonUI and COptionUI: state tracking, state images and the click / selection logic.
#include "uilib/controls/ButtonUI.h"

#include "uilib/core/UIManager.h"
#include "uilib/core/ValueParse.h"
#include "uilib/render/RenderEngine.h"

CButtonUI::CButtonUI() { m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_CENTER; }

LPCTSTR CButtonUI::GetClass() const { return L"ButtonUI"; }

LPVOID CButtonUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && _wcsicmp(pstrName, L"Button") == 0) return this;
    return CLabelUI::GetInterface(pstrName);
}

UINT CButtonUI::GetControlFlags() const {
    return (IsKeyboardEnabled() ? UINT(UIFLAG_TABSTOP) : 0u) | (m_bHandCursor && IsEnabled() ? UINT(UIFLAG_SETCURSOR) : 0u);
}

bool CButtonUI::Activate() {
    if (!CControlUI::Activate()) return false;
    // The window may delete this button while it handles the click: nothing after this.
    if (m_pManager) m_pManager->SendNotify(this, L"click");
    return true;
}

void CButtonUI::SetEnabled(bool bEnable) {
    CControlUI::SetEnabled(bEnable);
    if (!IsEnabled()) m_uButtonState = 0;
}

UINT CButtonUI::GetButtonState() const { return m_uButtonState; }

LPCTSTR CButtonUI::GetNormalImage() const { return m_sNormalImage; }
void CButtonUI::SetNormalImage(LPCTSTR s) { m_sNormalImage = s; Invalidate(); }
LPCTSTR CButtonUI::GetHotImage() const { return m_sHotImage; }
void CButtonUI::SetHotImage(LPCTSTR s) { m_sHotImage = s; Invalidate(); }
LPCTSTR CButtonUI::GetPushedImage() const { return m_sPushedImage; }
void CButtonUI::SetPushedImage(LPCTSTR s) { m_sPushedImage = s; Invalidate(); }
LPCTSTR CButtonUI::GetFocusedImage() const { return m_sFocusedImage; }
void CButtonUI::SetFocusedImage(LPCTSTR s) { m_sFocusedImage = s; Invalidate(); }
LPCTSTR CButtonUI::GetDisabledImage() const { return m_sDisabledImage; }
void CButtonUI::SetDisabledImage(LPCTSTR s) { m_sDisabledImage = s; Invalidate(); }
LPCTSTR CButtonUI::GetForeImage() const { return m_sForeImage; }
void CButtonUI::SetForeImage(LPCTSTR s) { m_sForeImage = s; Invalidate(); }
void CButtonUI::SetHotTextColor(DWORD c) { m_dwHotTextColor = c; }
DWORD CButtonUI::GetHotTextColor() const { return m_dwHotTextColor; }
void CButtonUI::SetPushedTextColor(DWORD c) { m_dwPushedTextColor = c; }
void CButtonUI::SetFocusedTextColor(DWORD c) { m_dwFocusedTextColor = c; }
void CButtonUI::SetHotBkColor(DWORD c) { m_dwHotBkColor = c; }

void CButtonUI::DoEvent(TEventUI& event) {
    if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
        CLabelUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
    case UIEVENT_SETFOCUS:
    case UIEVENT_KILLFOCUS:
        CLabelUI::DoEvent(event);
        return;
    case UIEVENT_KEYDOWN:
        if (IsKeyboardEnabled() && IsEnabled() && (event.chKey == VK_SPACE || event.chKey == VK_RETURN)) {
            Activate();
            return;
        }
        break;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
        if (::PtInRect(&m_rcItem, event.ptMouse) && IsEnabled()) {
            m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
            Invalidate();
        }
        return;
    case UIEVENT_MOUSEMOVE:
        if (m_uButtonState & UISTATE_CAPTURED) {
            UINT old = m_uButtonState;
            if (::PtInRect(&m_rcItem, event.ptMouse)) m_uButtonState |= UISTATE_PUSHED;
            else m_uButtonState &= ~UISTATE_PUSHED;
            if (old != m_uButtonState) Invalidate();
        }
        return;
    case UIEVENT_BUTTONUP:
        if (m_uButtonState & UISTATE_CAPTURED) {
            bool inside = ::PtInRect(&m_rcItem, event.ptMouse) != 0;
            m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
            if (!inside) m_uButtonState &= ~UISTATE_HOT;
            Invalidate();
            if (inside && IsEnabled()) Activate();
        }
        return;
    case UIEVENT_MOUSEENTER:
        if (IsEnabled()) {
            m_uButtonState |= UISTATE_HOT;
            Invalidate();
        }
        return;
    case UIEVENT_MOUSELEAVE:
        if (m_uButtonState & UISTATE_HOT) {
            m_uButtonState &= ~UISTATE_HOT;
            Invalidate();
        }
        return;
    case UIEVENT_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, m_bHandCursor ? IDC_HAND : IDC_ARROW));
        return;
    default:
        break;
    }
    CLabelUI::DoEvent(event);
}

void CButtonUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (!pstrName || !pstrValue) return;
    std::wstring_view name(pstrName), value(pstrValue);
    DWORD color;
    if (name == L"normalimage") SetNormalImage(pstrValue);
    else if (name == L"hotimage") SetHotImage(pstrValue);
    else if (name == L"pushedimage") SetPushedImage(pstrValue);
    else if (name == L"focusedimage") SetFocusedImage(pstrValue);
    else if (name == L"disabledimage") SetDisabledImage(pstrValue);
    else if (name == L"foreimage") SetForeImage(pstrValue);
    else if (name == L"hotforeimage") m_sHotForeImage = pstrValue;
    else if (name == L"hotbkcolor") { if (uilib::ParseColor(value, color)) m_dwHotBkColor = color; }
    else if (name == L"pushedbkcolor") { if (uilib::ParseColor(value, color)) m_dwPushedBkColor = color; }
    else if (name == L"hottextcolor") { if (uilib::ParseColor(value, color)) m_dwHotTextColor = color; }
    else if (name == L"pushedtextcolor") { if (uilib::ParseColor(value, color)) m_dwPushedTextColor = color; }
    else if (name == L"focusedtextcolor") { if (uilib::ParseColor(value, color)) m_dwFocusedTextColor = color; }
    else CLabelUI::SetAttribute(pstrName, pstrValue);
}

void CButtonUI::PaintText(HDC hDC) {
    DWORD color = m_dwTextColor ? m_dwTextColor : (m_pManager ? m_pManager->GetDefaultTextColor() : 0xFF000000);
    if (!IsEnabled()) color = m_dwDisabledTextColor ? m_dwDisabledTextColor : (m_pManager ? m_pManager->GetDefaultDisabledColor() : color);
    else if ((m_uButtonState & UISTATE_PUSHED) && m_dwPushedTextColor) color = m_dwPushedTextColor;
    else if ((m_uButtonState & UISTATE_HOT) && m_dwHotTextColor) color = m_dwHotTextColor;
    else if (IsFocused() && m_dwFocusedTextColor) color = m_dwFocusedTextColor;
    DrawLabelText(hDC, color);
}

void CButtonUI::PaintStatusImage(HDC hDC) {
    // The image of the current state, falling back to the normal one when it has none.
    bool drawn = false;
    if (!IsEnabled()) {
        drawn = !m_sDisabledImage.IsEmpty() && DrawImage(hDC, m_sDisabledImage);
    } else if (m_uButtonState & UISTATE_PUSHED) {
        if (m_dwPushedBkColor) CRenderEngine::DrawColor(hDC, m_rcPaint, m_dwPushedBkColor);
        drawn = !m_sPushedImage.IsEmpty() && DrawImage(hDC, m_sPushedImage);
    } else if (m_uButtonState & UISTATE_HOT) {
        if (m_dwHotBkColor) CRenderEngine::DrawColor(hDC, m_rcPaint, m_dwHotBkColor);
        drawn = !m_sHotImage.IsEmpty() && DrawImage(hDC, m_sHotImage);
    } else if (IsFocused()) {
        drawn = !m_sFocusedImage.IsEmpty() && DrawImage(hDC, m_sFocusedImage);
    }
    if (!drawn && !m_sNormalImage.IsEmpty()) DrawImage(hDC, m_sNormalImage);
    if (!IsEnabled()) return;
    if ((m_uButtonState & UISTATE_HOT) && !m_sHotForeImage.IsEmpty()) DrawImage(hDC, m_sHotForeImage);
    else if (!m_sForeImage.IsEmpty()) DrawImage(hDC, m_sForeImage);
}

// ---- COptionUI ----

COptionUI::~COptionUI() {
    if (!m_sGroupName.IsEmpty() && m_pManager) m_pManager->RemoveOptionGroup(m_sGroupName, this);
}

LPCTSTR COptionUI::GetClass() const { return L"OptionUI"; }

LPVOID COptionUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && _wcsicmp(pstrName, L"Option") == 0) return this;
    return CButtonUI::GetInterface(pstrName);
}

void COptionUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
    if (m_pManager && m_pManager != pManager && !m_sGroupName.IsEmpty()) m_pManager->RemoveOptionGroup(m_sGroupName, this);
    CButtonUI::SetManager(pManager, pParent, bInit);
    if (bInit && pManager && !m_sGroupName.IsEmpty()) pManager->AddOptionGroup(m_sGroupName, this);
}

bool COptionUI::Activate() {
    if (!CControlUI::Activate()) return false;
    if (m_sGroupName.IsEmpty()) Selected(!m_bSelected);
    else Selected(true);
    // Clicks on options reach the window as "click" too, like the buttons of a toolbar.
    if (m_pManager) m_pManager->SendNotify(this, L"click");
    return true;
}

bool COptionUI::IsSelected() const { return m_bSelected; }

void COptionUI::Selected(bool bSelected, bool bTriggerEvent) {
    if (m_bSelected == bSelected) return;
    m_bSelected = bSelected;
    if (m_bSelected) m_uButtonState |= UISTATE_SELECTED;
    else m_uButtonState &= ~UISTATE_SELECTED;
    if (m_pManager && !m_sGroupName.IsEmpty() && m_bSelected) {
        if (std::vector<CControlUI*>* group = m_pManager->GetOptionGroup(m_sGroupName)) {
            std::vector<CControlUI*> others = *group;
            for (CControlUI* c : others) {
                auto* option = static_cast<COptionUI*>(c->GetInterface(L"Option"));
                if (option && option != this) option->Selected(false, bTriggerEvent);
            }
        }
    }
    Invalidate();
    if (bTriggerEvent && m_pManager) m_pManager->SendNotify(this, L"selectchanged");
}

LPCTSTR COptionUI::GetGroup() const { return m_sGroupName; }

void COptionUI::SetGroup(LPCTSTR pStrGroupName) {
    if (m_pManager && !m_sGroupName.IsEmpty()) m_pManager->RemoveOptionGroup(m_sGroupName, this);
    m_sGroupName = pStrGroupName;
    if (m_pManager && !m_sGroupName.IsEmpty()) m_pManager->AddOptionGroup(m_sGroupName, this);
}

LPCTSTR COptionUI::GetSelectedImage() const { return m_sSelectedImage; }
void COptionUI::SetSelectedImage(LPCTSTR s) { m_sSelectedImage = s; Invalidate(); }
void COptionUI::SetSelectedTextColor(DWORD c) { m_dwSelectedTextColor = c; }
void COptionUI::SetSelectedBkColor(DWORD c) { m_dwSelectedBkColor = c; }

void COptionUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (!pstrName || !pstrValue) return;
    std::wstring_view name(pstrName), value(pstrValue);
    DWORD color;
    if (name == L"group") SetGroup(pstrValue);
    else if (name == L"selected") Selected(uilib::ParseBool(value), false);
    else if (name == L"selectedimage") SetSelectedImage(pstrValue);
    else if (name == L"selectedhotimage") m_sSelectedHotImage = pstrValue;
    else if (name == L"selectedtextcolor") { if (uilib::ParseColor(value, color)) m_dwSelectedTextColor = color; }
    else if (name == L"selectedbkcolor") { if (uilib::ParseColor(value, color)) m_dwSelectedBkColor = color; }
    else CButtonUI::SetAttribute(pstrName, pstrValue);
}

void COptionUI::PaintStatusImage(HDC hDC) {
    if (m_bSelected) {
        if (m_dwSelectedBkColor) CRenderEngine::DrawColor(hDC, m_rcPaint, m_dwSelectedBkColor);
        if ((m_uButtonState & UISTATE_HOT) && !m_sSelectedHotImage.IsEmpty() && DrawImage(hDC, m_sSelectedHotImage)) return;
        if (!m_sSelectedImage.IsEmpty() && DrawImage(hDC, m_sSelectedImage)) return;
    }
    CButtonUI::PaintStatusImage(hDC);
}

void COptionUI::PaintText(HDC hDC) {
    if (m_bSelected && m_dwSelectedTextColor && IsEnabled()) {
        DrawLabelText(hDC, m_dwSelectedTextColor);
        return;
    }
    CButtonUI::PaintText(hDC);
}
