// CProgressUI: range, value and the partial fore image.
#include "uilib/controls/ProgressUI.h"

#include <algorithm>

#include "uilib/core/ValueParse.h"
#include "uilib/render/RenderEngine.h"

CProgressUI::CProgressUI() { m_uTextStyle = DT_SINGLELINE | DT_CENTER | DT_VCENTER; }

LPCTSTR CProgressUI::GetClass() const { return L"ProgressUI"; }

LPVOID CProgressUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && _wcsicmp(pstrName, L"Progress") == 0) return this;
    return CLabelUI::GetInterface(pstrName);
}

bool CProgressUI::IsHorizontal() const { return m_bHorizontal; }
void CProgressUI::SetHorizontal(bool b) { m_bHorizontal = b; Invalidate(); }
int CProgressUI::GetMinValue() const { return m_nMin; }
void CProgressUI::SetMinValue(int nMin) { m_nMin = nMin; Invalidate(); }
int CProgressUI::GetMaxValue() const { return m_nMax; }
void CProgressUI::SetMaxValue(int nMax) { m_nMax = nMax; Invalidate(); }
int CProgressUI::GetValue() const { return m_nValue; }

void CProgressUI::SetValue(int nValue) {
    if (nValue == m_nValue || nValue < m_nMin || nValue > m_nMax) return;
    m_nValue = nValue;
    Invalidate();
}

LPCTSTR CProgressUI::GetForeImage() const { return m_sForeImage; }
void CProgressUI::SetForeImage(LPCTSTR s) { m_sForeImage = s; Invalidate(); }

RECT CProgressUI::FilledRect(const RECT& rc, int nMin, int nMax, int nValue, bool bHorizontal) {
    RECT r = rc;
    if (nMax <= nMin) {
        if (bHorizontal) r.right = r.left;
        else r.top = r.bottom;
        return r;
    }
    long long v = std::max(nMin, std::min(nValue, nMax)) - nMin;
    long long span = (long long)nMax - nMin;
    if (bHorizontal) r.right = r.left + LONG((rc.right - rc.left) * v / span);
    else r.top = r.bottom - LONG((rc.bottom - rc.top) * v / span);
    return r;
}

void CProgressUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (!pstrName || !pstrValue) return;
    std::wstring_view name(pstrName), value(pstrValue);
    int n;
    if (name == L"foreimage") SetForeImage(pstrValue);
    else if (name == L"hor") SetHorizontal(uilib::ParseBool(value, true));
    else if (name == L"min") { if (uilib::ParseInt(value, n)) SetMinValue(n); }
    else if (name == L"max") { if (uilib::ParseInt(value, n)) SetMaxValue(n); }
    else if (name == L"value") { if (uilib::ParseInt(value, n)) m_nValue = std::max(m_nMin, std::min(n, m_nMax)); }
    else if (name == L"isstretchfore") m_bStretchForeImage = uilib::ParseBool(value, true);
    else CLabelUI::SetAttribute(pstrName, pstrValue);
}

void CProgressUI::PaintStatusImage(HDC hDC) {
    if (m_sForeImage.IsEmpty()) return;
    RECT filled = FilledRect(m_rcItem, m_nMin, m_nMax, m_nValue, m_bHorizontal);
    if (filled.right <= filled.left || filled.bottom <= filled.top) return;
    RECT paint;
    if (!::IntersectRect(&paint, &filled, &m_rcPaint)) return;
    if (m_bStretchForeImage) {
        CRenderEngine::DrawImageString(hDC, m_pManager, filled, paint, m_sForeImage);
        return;
    }
    // Unstretched: the image keeps its size and only the filled part of it shows.
    CRenderEngine::DrawImageString(hDC, m_pManager, m_rcItem, paint, m_sForeImage);
}
