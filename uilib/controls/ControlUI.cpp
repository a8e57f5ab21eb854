// CControlUI: state, sizing, attributes, events and the five paint steps.
#include "uilib/controls/ControlUI.h"

#include "uilib/core/UIManager.h"
#include "uilib/core/ValueParse.h"
#include "uilib/render/RenderEngine.h"

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
    if (m_pManager) m_pManager->ReapObjects(this);
}

CDuiString CControlUI::GetName() const { return m_sName; }
void CControlUI::SetName(LPCTSTR pstrName) { m_sName = pstrName; }
LPCTSTR CControlUI::GetClass() const { return L"ControlUI"; }

LPVOID CControlUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && _wcsicmp(pstrName, L"Control") == 0) return this;
    return nullptr;
}

UINT CControlUI::GetControlFlags() const { return m_bHandCursor ? UINT(UIFLAG_SETCURSOR) : 0u; }

CPaintManagerUI* CControlUI::GetManager() const { return m_pManager; }

void CControlUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
    m_pManager = pManager;
    m_pParent = pParent;
    if (bInit) Init();
}

CControlUI* CControlUI::GetParent() const { return m_pParent; }

CControlUI* CControlUI::FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) {
    if ((uFlags & UIFIND_VISIBLE) && !IsVisible()) return nullptr;
    if ((uFlags & UIFIND_ENABLED) && !IsEnabled()) return nullptr;
    if ((uFlags & UIFIND_HITTEST) && (!m_bMouseEnabled || !::PtInRect(&m_rcItem, *static_cast<LPPOINT>(pData)))) return nullptr;
    return Proc(this, pData);
}

void CControlUI::Init() {
    DoInit();
}

void CControlUI::DoInit() {}

CDuiString CControlUI::GetText() const { return m_sText; }

void CControlUI::SetText(LPCTSTR pstrText) {
    if (m_sText == (pstrText ? pstrText : L"")) return;
    m_sText = pstrText;
    Invalidate();
}

CDuiString CControlUI::GetToolTip() const { return m_sToolTip; }
void CControlUI::SetToolTip(LPCTSTR pstrText) { m_sToolTip = pstrText; }

DWORD CControlUI::GetBkColor() const { return m_dwBackColor; }
void CControlUI::SetBkColor(DWORD dwBackColor) {
    if (m_dwBackColor == dwBackColor) return;
    m_dwBackColor = dwBackColor;
    Invalidate();
}

LPCTSTR CControlUI::GetBkImage() const { return m_sBkImage; }
void CControlUI::SetBkImage(LPCTSTR pStrImage) {
    if (m_sBkImage == (pStrImage ? pStrImage : L"")) return;
    m_sBkImage = pStrImage;
    Invalidate();
}

DWORD CControlUI::GetBorderColor() const { return m_dwBorderColor; }
void CControlUI::SetBorderColor(DWORD c) { m_dwBorderColor = c; Invalidate(); }
DWORD CControlUI::GetFocusBorderColor() const { return m_dwFocusBorderColor; }
void CControlUI::SetFocusBorderColor(DWORD c) { m_dwFocusBorderColor = c; Invalidate(); }
int CControlUI::GetBorderSize() const { return m_nBorderSize; }
void CControlUI::SetBorderSize(int nSize) { m_nBorderSize = nSize < 0 ? 0 : nSize; m_bBorderRect = false; Invalidate(); }
RECT CControlUI::GetBorderRect() const { return m_rcBorderSize; }
void CControlUI::SetBorderRect(RECT rc) { m_rcBorderSize = rc; m_bBorderRect = true; Invalidate(); }
SIZE CControlUI::GetBorderRound() const { return m_cxyBorderRound; }
void CControlUI::SetBorderRound(SIZE cxy) { m_cxyBorderRound = cxy; Invalidate(); }

bool CControlUI::DrawImage(HDC hDC, LPCTSTR pStrImage, LPCTSTR pStrModify) {
    return CRenderEngine::DrawImageString(hDC, m_pManager, m_rcItem, m_rcPaint, pStrImage, pStrModify);
}

const RECT& CControlUI::GetPos() const { return m_rcItem; }

void CControlUI::SetPos(RECT rc, bool bNeedInvalidate) {
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    // A floating control keeps its place relative to the parent across relayouts.
    if (m_bFloat && m_pParent) {
        const RECT& parent = m_pParent->GetPos();
        m_rcFloatPos = {rc.left - parent.left, rc.top - parent.top, rc.right - parent.left, rc.bottom - parent.top};
        m_bHasFloatPos = true;
    }
    m_bUpdateNeeded = false;
    if (SameRect(rc, m_rcItem)) return;
    RECT old = m_rcItem;
    m_rcItem = rc;
    if (bNeedInvalidate && m_pManager && IsVisible()) {
        RECT both;
        ::UnionRect(&both, &old, &m_rcItem);
        m_pManager->Invalidate(both);
    }
}

RECT CControlUI::GetPadding() const { return m_rcPadding; }
void CControlUI::SetPadding(RECT rc) { m_rcPadding = rc; NeedParentUpdate(); }
SIZE CControlUI::GetFixedXY() const { return m_cXY; }
void CControlUI::SetFixedXY(SIZE szXY) {
    m_cXY = szXY;
    m_rcFloatPos = {szXY.cx, szXY.cy, szXY.cx + m_cxyFixed.cx, szXY.cy + m_cxyFixed.cy};
    m_bHasFloatPos = true;
    NeedParentUpdate();
}
int CControlUI::GetFixedWidth() const { return m_cxyFixed.cx; }
void CControlUI::SetFixedWidth(int cx) {
    if (cx < 0) return;
    m_cxyFixed.cx = cx;
    if (m_bHasFloatPos) m_rcFloatPos.right = m_rcFloatPos.left + cx;
    NeedParentUpdate();
}
int CControlUI::GetFixedHeight() const { return m_cxyFixed.cy; }
void CControlUI::SetFixedHeight(int cy) {
    if (cy < 0) return;
    m_cxyFixed.cy = cy;
    if (m_bHasFloatPos) m_rcFloatPos.bottom = m_rcFloatPos.top + cy;
    NeedParentUpdate();
}
int CControlUI::GetMinWidth() const { return m_cxyMin.cx; }
void CControlUI::SetMinWidth(int cx) { if (cx >= 0) { m_cxyMin.cx = cx; NeedParentUpdate(); } }
int CControlUI::GetMaxWidth() const { return m_cxyMax.cx; }
void CControlUI::SetMaxWidth(int cx) { if (cx >= 0) { m_cxyMax.cx = cx; NeedParentUpdate(); } }
int CControlUI::GetMinHeight() const { return m_cxyMin.cy; }
void CControlUI::SetMinHeight(int cy) { if (cy >= 0) { m_cxyMin.cy = cy; NeedParentUpdate(); } }
int CControlUI::GetMaxHeight() const { return m_cxyMax.cy; }
void CControlUI::SetMaxHeight(int cy) { if (cy >= 0) { m_cxyMax.cy = cy; NeedParentUpdate(); } }
int CControlUI::GetWidth() const { return m_rcItem.right - m_rcItem.left; }
int CControlUI::GetHeight() const { return m_rcItem.bottom - m_rcItem.top; }
int CControlUI::GetX() const { return m_rcItem.left; }
int CControlUI::GetY() const { return m_rcItem.top; }
bool CControlUI::IsFloat() const { return m_bFloat; }
void CControlUI::SetFloat(bool bFloat) {
    if (m_bFloat == bFloat) return;
    m_bFloat = bFloat;
    NeedParentUpdate();
}
SIZE CControlUI::EstimateSize(SIZE) { return m_cxyFixed; }
RECT CControlUI::GetFloatPos() const { return m_rcFloatPos; }

bool CControlUI::IsVisible() const { return m_bVisible && m_bInternVisible; }

void CControlUI::SetVisible(bool bVisible) {
    if (m_bVisible == bVisible) return;
    bool wasVisible = IsVisible();
    m_bVisible = bVisible;
    if (!bVisible && m_pManager && m_pManager->GetFocus() == this) m_pManager->SetFocus(nullptr);
    if (IsVisible() != wasVisible) {
        if (m_pManager) m_pManager->Invalidate(m_rcItem);
        NeedParentUpdate();
    }
}

void CControlUI::SetInternVisible(bool bVisible) {
    m_bInternVisible = bVisible;
    if (!bVisible && m_pManager && m_pManager->GetFocus() == this) m_pManager->SetFocus(nullptr);
}

bool CControlUI::IsEnabled() const { return m_bEnabled; }
void CControlUI::SetEnabled(bool bEnable) {
    if (m_bEnabled == bEnable) return;
    m_bEnabled = bEnable;
    Invalidate();
}
bool CControlUI::IsMouseEnabled() const { return m_bMouseEnabled; }
void CControlUI::SetMouseEnabled(bool bEnable) { m_bMouseEnabled = bEnable; }
bool CControlUI::IsKeyboardEnabled() const { return m_bKeyboardEnabled; }
void CControlUI::SetKeyboardEnabled(bool bEnable) { m_bKeyboardEnabled = bEnable; }
bool CControlUI::IsFocused() const { return m_bFocused; }
void CControlUI::SetFocus() { if (m_pManager) m_pManager->SetFocus(this); }
bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }

bool CControlUI::IsHandCursor() const { return m_bHandCursor; }
void CControlUI::SetHandCursor(bool bHand) { m_bHandCursor = bHand; }

CDuiString CControlUI::GetUserData() const { return m_sUserData; }
void CControlUI::SetUserData(LPCTSTR pstrText) { m_sUserData = pstrText; }
UINT_PTR CControlUI::GetTag() const { return m_pTag; }
void CControlUI::SetTag(UINT_PTR pTag) { m_pTag = pTag; }

void CControlUI::Invalidate() {
    if (m_pManager && IsVisible()) m_pManager->Invalidate(m_rcItem);
}

bool CControlUI::IsUpdateNeeded() const { return m_bUpdateNeeded; }

void CControlUI::NeedUpdate() {
    m_bUpdateNeeded = true;
    if (m_pManager) m_pManager->NeedUpdate();
}

void CControlUI::NeedParentUpdate() {
    if (m_pParent) m_pParent->NeedUpdate();
    else NeedUpdate();
}

void CControlUI::Event(TEventUI& event) { DoEvent(event); }

void CControlUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
    case UIEVENT_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, m_bHandCursor ? IDC_HAND : IDC_ARROW));
        return;
    case UIEVENT_SETFOCUS:
        m_bFocused = true;
        Invalidate();
        return;
    case UIEVENT_KILLFOCUS:
        m_bFocused = false;
        Invalidate();
        return;
    case UIEVENT_TIMER:
        if (m_pManager) m_pManager->SendNotify(this, L"timer", event.wParam, event.lParam);
        return;
    case UIEVENT_CONTEXTMENU:
        if (m_pManager) m_pManager->SendNotify(this, L"menu", event.wParam, event.lParam);
        return;
    default:
        break;
    }
    // Unhandled events bubble up, so a row sees the clicks on its parts.
    if (m_pParent) m_pParent->DoEvent(event);
}

void CControlUI::ApplyAttributeList(LPCTSTR pstrList) {
    if (!pstrList) return;
    for (const auto& [name, value] : uilib::ParseAttributeList(pstrList)) SetAttribute(name.c_str(), value.c_str());
}

void CControlUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (!pstrName || !pstrValue) return;
    std::wstring_view name(pstrName), value(pstrValue);
    RECT rc;
    SIZE sz;
    DWORD color;
    int n;
    if (name == L"pos") {
        if (uilib::ParseRect(value, rc)) {
            m_rcFloatPos = rc;
            m_bHasFloatPos = true;
            m_cXY = {rc.left, rc.top};
            if (rc.right > rc.left) m_cxyFixed.cx = rc.right - rc.left;
            if (rc.bottom > rc.top) m_cxyFixed.cy = rc.bottom - rc.top;
            NeedParentUpdate();
        }
    } else if (name == L"padding") {
        if (uilib::ParseRect(value, rc)) SetPadding(rc);
    } else if (name == L"bkcolor" || name == L"bkcolor1") {
        if (uilib::ParseColor(value, color)) SetBkColor(color);
    } else if (name == L"bordercolor") {
        if (uilib::ParseColor(value, color)) SetBorderColor(color);
    } else if (name == L"focusbordercolor") {
        if (uilib::ParseColor(value, color)) SetFocusBorderColor(color);
    } else if (name == L"bordersize") {
        if (value.find(L',') != std::wstring_view::npos) {
            if (uilib::ParseRect(value, rc)) SetBorderRect(rc);
        } else if (uilib::ParseInt(value, n)) {
            SetBorderSize(n);
        }
    } else if (name == L"borderround") {
        if (uilib::ParseSize(value, sz)) SetBorderRound(sz);
    } else if (name == L"bkimage") {
        SetBkImage(pstrValue);
    } else if (name == L"width") {
        if (uilib::ParseInt(value, n)) SetFixedWidth(n);
    } else if (name == L"height") {
        if (uilib::ParseInt(value, n)) SetFixedHeight(n);
    } else if (name == L"minwidth") {
        if (uilib::ParseInt(value, n)) SetMinWidth(n);
    } else if (name == L"minheight") {
        if (uilib::ParseInt(value, n)) SetMinHeight(n);
    } else if (name == L"maxwidth") {
        if (uilib::ParseInt(value, n)) SetMaxWidth(n);
    } else if (name == L"maxheight") {
        if (uilib::ParseInt(value, n)) SetMaxHeight(n);
    } else if (name == L"name") {
        SetName(pstrValue);
    } else if (name == L"text") {
        SetText(pstrValue);
    } else if (name == L"tooltip") {
        SetToolTip(pstrValue);
    } else if (name == L"userdata") {
        SetUserData(pstrValue);
    } else if (name == L"enabled") {
        SetEnabled(uilib::ParseBool(value, true));
    } else if (name == L"mouse") {
        SetMouseEnabled(uilib::ParseBool(value, true));
    } else if (name == L"keyboard") {
        SetKeyboardEnabled(uilib::ParseBool(value, true));
    } else if (name == L"visible") {
        SetVisible(uilib::ParseBool(value, true));
    } else if (name == L"float") {
        SetFloat(uilib::ParseBool(value, false));
    } else if (name == L"cursor") {
        SetHandCursor(value == L"hand");
    } else if (name == L"hand") {
        SetHandCursor(uilib::ParseBool(value, false));
    }
}

bool CControlUI::DoPaint(HDC hDC, const RECT& rcPaint, CControlUI*) {
    if (!::IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) return true;
    if (m_cxyBorderRound.cx > 0 || m_cxyBorderRound.cy > 0) {
        CRenderClip roundClip;
        CRenderClip::GenerateRoundClip(hDC, m_rcPaint, m_rcItem, m_cxyBorderRound.cx, m_cxyBorderRound.cy, roundClip);
        PaintBkColor(hDC);
        PaintBkImage(hDC);
        PaintStatusImage(hDC);
        PaintText(hDC);
        PaintBorder(hDC);
        return true;
    }
    PaintBkColor(hDC);
    PaintBkImage(hDC);
    PaintStatusImage(hDC);
    PaintText(hDC);
    PaintBorder(hDC);
    return true;
}

void CControlUI::PaintBkColor(HDC hDC) {
    if (m_dwBackColor) CRenderEngine::DrawColor(hDC, m_rcPaint, m_dwBackColor);
}

void CControlUI::PaintBkImage(HDC hDC) {
    if (!m_sBkImage.IsEmpty()) DrawImage(hDC, m_sBkImage);
}

void CControlUI::PaintStatusImage(HDC) {}
void CControlUI::PaintText(HDC) {}

void CControlUI::PaintBorder(HDC hDC) {
    DWORD color = (m_bFocused && m_dwFocusBorderColor) ? m_dwFocusBorderColor : m_dwBorderColor;
    if (!color) return;
    if (m_bBorderRect) {
        const RECT& r = m_rcItem;
        const RECT& b = m_rcBorderSize;
        if (b.left > 0) CRenderEngine::DrawColor(hDC, {r.left, r.top, r.left + b.left, r.bottom}, color);
        if (b.top > 0) CRenderEngine::DrawColor(hDC, {r.left, r.top, r.right, r.top + b.top}, color);
        if (b.right > 0) CRenderEngine::DrawColor(hDC, {r.right - b.right, r.top, r.right, r.bottom}, color);
        if (b.bottom > 0) CRenderEngine::DrawColor(hDC, {r.left, r.bottom - b.bottom, r.right, r.bottom}, color);
        return;
    }
    if (m_nBorderSize <= 0) return;
    if (m_cxyBorderRound.cx > 0 || m_cxyBorderRound.cy > 0) {
        CRenderEngine::DrawRoundRect(hDC, m_rcItem, m_cxyBorderRound.cx, m_cxyBorderRound.cy, m_nBorderSize, color);
    } else {
        CRenderEngine::DrawRect(hDC, m_rcItem, m_nBorderSize, color);
    }
}

bool CControlUI::SetTimer(UINT nTimerID, UINT nElapse) {
    return m_pManager && m_pManager->SetTimer(this, nTimerID, nElapse);
}

void CControlUI::KillTimer(UINT nTimerID) {
    if (m_pManager) m_pManager->KillTimer(this, nTimerID);
}
