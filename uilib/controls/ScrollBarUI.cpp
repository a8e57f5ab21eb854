// CScrollBarUI: geometry of buttons, rail and thumb; dragging, clicking and painting.
#include "uilib/controls/ScrollBarUI.h"

#include <algorithm>

#include "uilib/controls/ContainerUI.h"
#include "uilib/core/UIManager.h"
#include "uilib/core/ValueParse.h"
#include "uilib/render/RenderEngine.h"

namespace {

const int kDefaultThickness = 16;
const int kMinThumb = 8;

}  // namespace

CScrollBarUI::CScrollBarUI() {
    m_cxyFixed = {kDefaultThickness, kDefaultThickness};
}

LPCTSTR CScrollBarUI::GetClass() const { return L"ScrollBarUI"; }

LPVOID CScrollBarUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && _wcsicmp(pstrName, L"ScrollBar") == 0) return this;
    return CControlUI::GetInterface(pstrName);
}

CContainerUI* CScrollBarUI::GetOwner() const { return m_pOwner; }
void CScrollBarUI::SetOwner(CContainerUI* pOwner) { m_pOwner = pOwner; }
bool CScrollBarUI::IsHorizontal() const { return m_bHorizontal; }
void CScrollBarUI::SetHorizontal(bool bHorizontal) { m_bHorizontal = bHorizontal; }
int CScrollBarUI::GetScrollRange() const { return m_nRange; }

void CScrollBarUI::SetScrollRange(int nRange) {
    m_nRange = std::max(0, nRange);
    m_nScrollPos = std::min(m_nScrollPos, m_nRange);
    SetPos(m_rcItem, true);
}

int CScrollBarUI::GetScrollPos() const { return m_nScrollPos; }

void CScrollBarUI::SetScrollPos(int nPos) {
    nPos = std::max(0, std::min(nPos, m_nRange));
    if (nPos == m_nScrollPos) return;
    m_nScrollPos = nPos;
    SetPos(m_rcItem, true);
    Invalidate();
}

int CScrollBarUI::GetLineSize() const { return m_nLineSize; }
void CScrollBarUI::SetLineSize(int nSize) { if (nSize > 0) m_nLineSize = nSize; }
bool CScrollBarUI::GetShowButton1() const { return m_bShowButton1; }
void CScrollBarUI::SetShowButton1(bool bShow) { m_bShowButton1 = bShow; SetPos(m_rcItem, true); }
bool CScrollBarUI::GetShowButton2() const { return m_bShowButton2; }
void CScrollBarUI::SetShowButton2(bool bShow) { m_bShowButton2 = bShow; SetPos(m_rcItem, true); }
RECT CScrollBarUI::GetThumbRect() const { return m_rcThumb; }
RECT CScrollBarUI::GetButton1Rect() const { return m_rcButton1; }
RECT CScrollBarUI::GetButton2Rect() const { return m_rcButton2; }

void CScrollBarUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    // Work along the bar's own axis: "length" runs top to bottom (or left to right).
    int start = m_bHorizontal ? rc.left : rc.top;
    int end = m_bHorizontal ? rc.right : rc.bottom;
    int thickness = m_bHorizontal ? rc.bottom - rc.top : rc.right - rc.left;
    int b1 = m_bShowButton1 ? std::min(thickness, (end - start) / 2) : 0;
    int b2 = m_bShowButton2 ? std::min(thickness, (end - start) / 2) : 0;
    auto span = [&](int a, int b) {
        return m_bHorizontal ? RECT{a, rc.top, b, rc.bottom} : RECT{rc.left, a, rc.right, b};
    };
    m_rcButton1 = span(start, start + b1);
    m_rcButton2 = span(end - b2, end);
    int railStart = start + b1, railEnd = end - b2;
    int rail = std::max(0, railEnd - railStart);
    int view = m_bHorizontal ? (m_pOwner ? m_pOwner->GetWidth() : rail) : (m_pOwner ? m_pOwner->GetHeight() : rail);
    int thumb = m_nRange > 0 && view + m_nRange > 0 ? int((long long)rail * view / (view + m_nRange)) : rail;
    thumb = std::min(rail, std::max(kMinThumb, thumb));
    int travel = rail - thumb;
    int offset = m_nRange > 0 ? int((long long)travel * m_nScrollPos / m_nRange) : 0;
    m_rcThumb = span(railStart + offset, railStart + offset + thumb);
}

CScrollBarUI::Part CScrollBarUI::HitPart(POINT pt) const {
    if (::PtInRect(&m_rcThumb, pt)) return kThumb;
    if (m_bShowButton1 && ::PtInRect(&m_rcButton1, pt)) return kButton1;
    if (m_bShowButton2 && ::PtInRect(&m_rcButton2, pt)) return kButton2;
    if (!::PtInRect(&m_rcItem, pt)) return kNone;
    bool before = m_bHorizontal ? pt.x < m_rcThumb.left : pt.y < m_rcThumb.top;
    return before ? kRailBefore : kRailAfter;
}

void CScrollBarUI::ScrollOwnerTo(int nPos) {
    if (!m_pOwner) {
        SetScrollPos(nPos);
        return;
    }
    SIZE pos = m_pOwner->GetScrollPos();
    if (m_bHorizontal) pos.cx = nPos;
    else pos.cy = nPos;
    m_pOwner->SetScrollPos(pos);
}

void CScrollBarUI::DoEvent(TEventUI& event) {
    if (!IsEnabled()) return;
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK: {
        m_pushedPart = HitPart(event.ptMouse);
        m_ptLastMouse = event.ptMouse;
        m_nLastScrollPos = m_nScrollPos;
        int page = std::max(1, m_bHorizontal ? GetWidth() : GetHeight());
        if (m_pushedPart == kButton1) ScrollOwnerTo(m_nScrollPos - m_nLineSize);
        else if (m_pushedPart == kButton2) ScrollOwnerTo(m_nScrollPos + m_nLineSize);
        else if (m_pushedPart == kRailBefore) ScrollOwnerTo(m_nScrollPos - page);
        else if (m_pushedPart == kRailAfter) ScrollOwnerTo(m_nScrollPos + page);
        Invalidate();
        return;
    }
    case UIEVENT_BUTTONUP:
        m_pushedPart = kNone;
        Invalidate();
        return;
    case UIEVENT_MOUSEMOVE: {
        if (m_pushedPart == kThumb) {
            int rail = m_bHorizontal ? (m_rcButton2.left - m_rcButton1.right) : (m_rcButton2.top - m_rcButton1.bottom);
            int thumb = m_bHorizontal ? m_rcThumb.right - m_rcThumb.left : m_rcThumb.bottom - m_rcThumb.top;
            int travel = rail - thumb;
            int moved = m_bHorizontal ? event.ptMouse.x - m_ptLastMouse.x : event.ptMouse.y - m_ptLastMouse.y;
            if (travel > 0) ScrollOwnerTo(m_nLastScrollPos + int((long long)moved * m_nRange / travel));
            return;
        }
        Part hot = HitPart(event.ptMouse);
        if (hot != m_hotPart) { m_hotPart = hot; Invalidate(); }
        return;
    }
    case UIEVENT_MOUSELEAVE:
        m_hotPart = kNone;
        Invalidate();
        return;
    case UIEVENT_SCROLLWHEEL:
        if (m_pOwner) m_pOwner->DoEvent(event);
        return;
    default:
        break;
    }
}

void CScrollBarUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (!pstrName || !pstrValue) return;
    std::wstring_view name(pstrName);
    static const wchar_t* kParts[] = {L"button1", L"button2", L"thumb", L"rail", L"bk"};
    CDuiString* sets[] = {m_sButton1Images, m_sButton2Images, m_sThumbImages, m_sRailImages, m_sBkImages};
    static const wchar_t* kStates[] = {L"normalimage", L"hotimage", L"pushedimage", L"disabledimage"};
    for (size_t p = 0; p < 5; ++p) {
        std::wstring_view prefix(kParts[p]);
        if (name.substr(0, prefix.size()) != prefix) continue;
        std::wstring_view state = name.substr(prefix.size());
        for (size_t s = 0; s < 4; ++s) {
            if (state == kStates[s]) {
                sets[p][s] = pstrValue;
                Invalidate();
                return;
            }
        }
    }
    if (name == L"bkimage") {
        m_sBkImages[0] = pstrValue;
    } else if (name == L"showbutton1") {
        SetShowButton1(uilib::ParseBool(pstrValue, true));
    } else if (name == L"showbutton2") {
        SetShowButton2(uilib::ParseBool(pstrValue, true));
    } else if (name == L"range") {
        SetScrollRange(uilib::ParseIntOr(pstrValue, m_nRange));
    } else if (name == L"value") {
        SetScrollPos(uilib::ParseIntOr(pstrValue, m_nScrollPos));
    } else if (name == L"linesize") {
        SetLineSize(uilib::ParseIntOr(pstrValue, m_nLineSize));
    } else if (name == L"hor") {
        SetHorizontal(uilib::ParseBool(pstrValue, false));
    } else {
        CControlUI::SetAttribute(pstrName, pstrValue);
    }
}

UINT CScrollBarUI::StateOf(Part part) const {
    if (!IsEnabled()) return UISTATE_DISABLED;
    if (m_pushedPart == part) return UISTATE_PUSHED;
    if (m_hotPart == part) return UISTATE_HOT;
    return 0;
}

void CScrollBarUI::PaintPart(HDC hDC, const RECT& rc, Part part, const CDuiString images[4]) {
    if (rc.right <= rc.left || rc.bottom <= rc.top) return;
    UINT state = StateOf(part);
    int index = (state & UISTATE_DISABLED) ? 3 : (state & UISTATE_PUSHED) ? 2 : (state & UISTATE_HOT) ? 1 : 0;
    // A state without its own image falls back to the normal one; a missing file draws nothing.
    const CDuiString& image = images[index].IsEmpty() ? images[0] : images[index];
    if (!image.IsEmpty()) CRenderEngine::DrawImageString(hDC, m_pManager, rc, m_rcPaint, image);
}

bool CScrollBarUI::DoPaint(HDC hDC, const RECT& rcPaint, CControlUI*) {
    if (!::IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) return true;
    PaintBkColor(hDC);
    PaintPart(hDC, m_rcItem, kNone, m_sBkImages);
    if (m_bShowButton1) PaintPart(hDC, m_rcButton1, kButton1, m_sButton1Images);
    if (m_bShowButton2) PaintPart(hDC, m_rcButton2, kButton2, m_sButton2Images);
    if (m_nRange > 0) {
        PaintPart(hDC, m_rcThumb, kThumb, m_sThumbImages);
        PaintPart(hDC, m_rcThumb, kThumb, m_sRailImages);
    }
    PaintBorder(hDC);
    return true;
}
