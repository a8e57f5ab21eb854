// CLabelUI and CTextUI: text in a skin font, aligned inside the text padding.
#include "uilib/controls/LabelUI.h"

#include "uilib/core/Handles.h"
#include "uilib/core/UIManager.h"
#include "uilib/core/ValueParse.h"
#include "uilib/render/RenderEngine.h"

namespace {

// "align" words: left, center, right (horizontal) and top, vcenter, bottom (vertical).
UINT ApplyAlign(UINT style, std::wstring_view value) {
    if (value.find(L"left") != std::wstring_view::npos) style = (style & ~UINT(DT_CENTER | DT_RIGHT)) | DT_LEFT;
    if (value.find(L"center") != std::wstring_view::npos && value.find(L"vcenter") == std::wstring_view::npos)
        style = (style & ~UINT(DT_LEFT | DT_RIGHT)) | DT_CENTER;
    if (value.find(L"right") != std::wstring_view::npos) style = (style & ~UINT(DT_LEFT | DT_CENTER)) | DT_RIGHT;
    if (value.find(L"top") != std::wstring_view::npos) style = (style & ~UINT(DT_BOTTOM | DT_VCENTER)) | DT_TOP;
    if (value.find(L"vcenter") != std::wstring_view::npos) style = (style & ~UINT(DT_TOP | DT_BOTTOM)) | DT_VCENTER;
    if (value.find(L"bottom") != std::wstring_view::npos) style = (style & ~UINT(DT_TOP | DT_VCENTER)) | DT_BOTTOM;
    return style;
}

UINT SetFlag(UINT style, UINT flag, bool on) { return on ? (style | flag) : (style & ~flag); }

}  // namespace

CLabelUI::CLabelUI() = default;

LPCTSTR CLabelUI::GetClass() const { return L"LabelUI"; }

LPVOID CLabelUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && _wcsicmp(pstrName, L"Label") == 0) return this;
    return CControlUI::GetInterface(pstrName);
}

void CLabelUI::SetTextStyle(UINT uStyle) { m_uTextStyle = uStyle; Invalidate(); }
UINT CLabelUI::GetTextStyle() const { return m_uTextStyle; }
void CLabelUI::SetTextColor(DWORD c) { m_dwTextColor = c; Invalidate(); }
DWORD CLabelUI::GetTextColor() const { return m_dwTextColor; }
void CLabelUI::SetDisabledTextColor(DWORD c) { m_dwDisabledTextColor = c; Invalidate(); }
DWORD CLabelUI::GetDisabledTextColor() const { return m_dwDisabledTextColor; }
void CLabelUI::SetFont(int index) { m_iFont = index; Invalidate(); }
int CLabelUI::GetFont() const { return m_iFont; }
RECT CLabelUI::GetTextPadding() const { return m_rcTextPadding; }
void CLabelUI::SetTextPadding(RECT rc) { m_rcTextPadding = rc; Invalidate(); }
bool CLabelUI::IsAutoCalcWidth() const { return m_bAutoCalcWidth; }
void CLabelUI::SetAutoCalcWidth(bool bAuto) { m_bAutoCalcWidth = bAuto; NeedParentUpdate(); }

void CLabelUI::SetText(LPCTSTR pstrText) {
    CControlUI::SetText(pstrText);
    if (m_bAutoCalcWidth) NeedParentUpdate();
}

SIZE CLabelUI::EstimateSize(SIZE szAvailable) {
    if (!m_bAutoCalcWidth || !m_pManager) return CControlUI::EstimateSize(szAvailable);
    uilib::WindowDC screen(m_pManager->GetPaintWindow());
    SIZE text = CRenderEngine::GetTextSize(screen.Get(), m_pManager, m_sText, m_iFont, DT_SINGLELINE);
    return {text.cx + m_rcTextPadding.left + m_rcTextPadding.right, m_cxyFixed.cy};
}

void CLabelUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (!pstrName || !pstrValue) return;
    std::wstring_view name(pstrName), value(pstrValue);
    DWORD color;
    RECT rc;
    if (name == L"align" || name == L"valign") {
        SetTextStyle(ApplyAlign(m_uTextStyle, value));
    } else if (name == L"font") {
        SetFont(uilib::ParseIntOr(value, -1));
    } else if (name == L"textcolor") {
        if (uilib::ParseColor(value, color)) SetTextColor(color);
    } else if (name == L"disabledtextcolor") {
        if (uilib::ParseColor(value, color)) SetDisabledTextColor(color);
    } else if (name == L"textpadding") {
        if (uilib::ParseRect(value, rc)) SetTextPadding(rc);
    } else if (name == L"endellipsis") {
        SetTextStyle(SetFlag(m_uTextStyle, DT_END_ELLIPSIS, uilib::ParseBool(value)));
    } else if (name == L"wordbreak" || name == L"multiline") {
        bool on = uilib::ParseBool(value);
        SetTextStyle(SetFlag(SetFlag(m_uTextStyle, DT_WORDBREAK, on), DT_SINGLELINE, !on));
    } else if (name == L"singleline") {
        bool on = uilib::ParseBool(value);
        SetTextStyle(SetFlag(SetFlag(m_uTextStyle, DT_SINGLELINE, on), DT_WORDBREAK, !on));
    } else if (name == L"autocalcwidth") {
        SetAutoCalcWidth(uilib::ParseBool(value));
    } else {
        CControlUI::SetAttribute(pstrName, pstrValue);
    }
}

void CLabelUI::DrawLabelText(HDC hDC, DWORD dwColor) {
    if (m_sText.IsEmpty()) return;
    RECT rc = {m_rcItem.left + m_rcTextPadding.left, m_rcItem.top + m_rcTextPadding.top,
               m_rcItem.right - m_rcTextPadding.right, m_rcItem.bottom - m_rcTextPadding.bottom};
    UINT style = m_uTextStyle;
    // Wrapped text cannot centre vertically through DrawTextW: measure, then offset.
    if ((style & DT_WORDBREAK) && (style & (DT_VCENTER | DT_BOTTOM))) {
        RECT measure = rc;
        CRenderEngine::DrawText(hDC, m_pManager, measure, m_sText, dwColor, m_iFont, (style & ~UINT(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
        int h = measure.bottom - measure.top;
        int room = rc.bottom - rc.top - h;
        if (room > 0) rc.top += (style & DT_BOTTOM) ? room : room / 2;
    }
    CRenderEngine::DrawText(hDC, m_pManager, rc, m_sText, dwColor, m_iFont, style);
}

void CLabelUI::PaintText(HDC hDC) {
    DWORD text = m_dwTextColor ? m_dwTextColor : (m_pManager ? m_pManager->GetDefaultTextColor() : 0xFF000000);
    DWORD disabled = m_dwDisabledTextColor ? m_dwDisabledTextColor : (m_pManager ? m_pManager->GetDefaultDisabledColor() : 0xFFA7A6AA);
    DrawLabelText(hDC, IsEnabled() ? text : disabled);
}

CTextUI::CTextUI() { m_uTextStyle = DT_WORDBREAK; }

LPCTSTR CTextUI::GetClass() const { return L"TextUI"; }

LPVOID CTextUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && _wcsicmp(pstrName, L"Text") == 0) return this;
    return CLabelUI::GetInterface(pstrName);
}
