// CScrollBarUI: a vertical or horizontal scroll bar owned by a container. Parts: two arrow
// buttons (showbutton1/showbutton2), the rail, the thumb and the background, each with
// normal/hot/pushed/disabled images; a part whose image cannot be found draws nothing.
// Threading: UI thread only.
#pragma once

#include "uilib/controls/ControlUI.h"

class CContainerUI;

class CScrollBarUI : public CControlUI {
public:
    CScrollBarUI();

    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;

    CContainerUI* GetOwner() const;
    void SetOwner(CContainerUI* pOwner);
    bool IsHorizontal() const;
    void SetHorizontal(bool bHorizontal = true);
    int GetScrollRange() const;
    void SetScrollRange(int nRange);
    int GetScrollPos() const;
    void SetScrollPos(int nPos);
    int GetLineSize() const;
    void SetLineSize(int nSize);
    bool GetShowButton1() const;
    void SetShowButton1(bool bShow);
    bool GetShowButton2() const;
    void SetShowButton2(bool bShow);

    // Geometry of the parts after SetPos (for tests and owner-drawn lists).
    RECT GetThumbRect() const;
    RECT GetButton1Rect() const;
    RECT GetButton2Rect() const;

    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    bool DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl) override;

private:
    enum Part { kNone, kButton1, kButton2, kThumb, kRailBefore, kRailAfter };
    Part HitPart(POINT pt) const;
    void ScrollOwnerTo(int nPos);
    void PaintPart(HDC hDC, const RECT& rc, Part part, const CDuiString images[4]);
    UINT StateOf(Part part) const;

    CContainerUI* m_pOwner = nullptr;
    bool m_bHorizontal = false;
    int m_nRange = 100;
    int m_nScrollPos = 0;
    int m_nLineSize = 8;
    bool m_bShowButton1 = true;
    bool m_bShowButton2 = true;
    RECT m_rcButton1 = {0, 0, 0, 0};
    RECT m_rcButton2 = {0, 0, 0, 0};
    RECT m_rcThumb = {0, 0, 0, 0};
    Part m_hotPart = kNone;
    Part m_pushedPart = kNone;
    POINT m_ptLastMouse = {0, 0};
    int m_nLastScrollPos = 0;

    // Index 0 normal, 1 hot, 2 pushed, 3 disabled.
    CDuiString m_sButton1Images[4];
    CDuiString m_sButton2Images[4];
    CDuiString m_sThumbImages[4];
    CDuiString m_sRailImages[4];
    CDuiString m_sBkImages[4];
};
