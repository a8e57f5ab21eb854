// CControlUI: the base of every control — position, sizing rules, visibility, colours,
// images, text, tooltip, cursor, user data, events and painting.
// Threading: a control belongs to the UI thread of its paint manager; only that thread may
// touch it (Invalidate included).
//
// Subclasses usually override:
//   GetClass / GetInterface   — class name and interface lookup ("Button" → CButtonUI*);
//   SetAttribute              — their own skin attributes, then call the base;
//   DoEvent                   — their reaction to TEventUI, then the base for the rest;
//   SetPos / EstimateSize     — layout (containers arrange children in SetPos);
//   DoPaint                   — the whole paint, or the five steps PaintBkColor, PaintBkImage,
//                               PaintStatusImage, PaintText, PaintBorder that it calls in order;
//   GetControlFlags           — UIFLAG_SETCURSOR to receive UIEVENT_SETCURSOR, UIFLAG_TABSTOP;
//   Activate                  — what a click does; FindControl (containers);
//   DoInit                    — set-up once the control has its manager; it runs each time the
//                               control joins a tree (so it may run twice): keep it idempotent.
#pragma once

#include <windows.h>
#include <map>

#include "uilib/core/UIDefines.h"

class CControlUI {
public:
    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    // Identity.
    virtual CDuiString GetName() const;
    virtual void SetName(LPCTSTR pstrName);
    virtual LPCTSTR GetClass() const;
    virtual LPVOID GetInterface(LPCTSTR pstrName);
    virtual UINT GetControlFlags() const;

    // Tree.
    virtual CPaintManagerUI* GetManager() const;
    virtual void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true);
    virtual CControlUI* GetParent() const;
    virtual CControlUI* FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags);
    virtual void Init();
    virtual void DoInit();

    // Text and tooltip.
    virtual CDuiString GetText() const;
    virtual void SetText(LPCTSTR pstrText);
    virtual CDuiString GetToolTip() const;
    virtual void SetToolTip(LPCTSTR pstrText);

    // Colours (ARGB) and images (image attribute strings or registered names).
    DWORD GetBkColor() const;
    void SetBkColor(DWORD dwBackColor);
    LPCTSTR GetBkImage() const;
    void SetBkImage(LPCTSTR pStrImage);
    DWORD GetBorderColor() const;
    void SetBorderColor(DWORD dwBorderColor);
    DWORD GetFocusBorderColor() const;
    void SetFocusBorderColor(DWORD dwBorderColor);
    int GetBorderSize() const;
    void SetBorderSize(int nSize);
    RECT GetBorderRect() const;       // per-side border widths when set as "l,t,r,b"
    void SetBorderRect(RECT rc);
    SIZE GetBorderRound() const;
    void SetBorderRound(SIZE cxyRound);
    bool DrawImage(HDC hDC, LPCTSTR pStrImage, LPCTSTR pStrModify = nullptr);

    // Position and sizing. Positions are client coordinates of the paint window.
    virtual const RECT& GetPos() const;
    virtual void SetPos(RECT rc, bool bNeedInvalidate = true);
    virtual RECT GetPadding() const;
    virtual void SetPadding(RECT rcPadding);
    virtual SIZE GetFixedXY() const;          // float offset inside the parent
    virtual void SetFixedXY(SIZE szXY);
    virtual int GetFixedWidth() const;        // 0 = flexible
    virtual void SetFixedWidth(int cx);
    virtual int GetFixedHeight() const;
    virtual void SetFixedHeight(int cy);
    virtual int GetMinWidth() const;
    virtual void SetMinWidth(int cx);
    virtual int GetMaxWidth() const;
    virtual void SetMaxWidth(int cx);
    virtual int GetMinHeight() const;
    virtual void SetMinHeight(int cy);
    virtual int GetMaxHeight() const;
    virtual void SetMaxHeight(int cy);
    virtual int GetWidth() const;
    virtual int GetHeight() const;
    virtual int GetX() const;
    virtual int GetY() const;
    virtual bool IsFloat() const;
    virtual void SetFloat(bool bFloat = true);
    virtual SIZE EstimateSize(SIZE szAvailable);
    // The "pos" attribute of a floating control, relative to its parent's rectangle.
    RECT GetFloatPos() const;

    // State.
    virtual bool IsVisible() const;           // own flag and every parent's
    virtual void SetVisible(bool bVisible = true);
    virtual void SetInternVisible(bool bVisible = true);  // parents hiding their children
    virtual bool IsEnabled() const;
    virtual void SetEnabled(bool bEnable = true);
    virtual bool IsMouseEnabled() const;
    virtual void SetMouseEnabled(bool bEnable = true);
    virtual bool IsKeyboardEnabled() const;
    virtual void SetKeyboardEnabled(bool bEnable = true);
    virtual bool IsFocused() const;
    virtual void SetFocus();
    virtual bool Activate();

    // Cursor: "hand" asks for IDC_HAND over the control (any UIFLAG_SETCURSOR control).
    bool IsHandCursor() const;
    void SetHandCursor(bool bHand);

    // User data: a string and a number of the program's choosing.
    CDuiString GetUserData() const;
    void SetUserData(LPCTSTR pstrText);
    UINT_PTR GetTag() const;
    void SetTag(UINT_PTR pTag);

    // Repaint and relayout requests; harmless before the control joins a window.
    virtual void Invalidate();
    bool IsUpdateNeeded() const;
    virtual void NeedUpdate();
    virtual void NeedParentUpdate();

    // Events: Event hands the event to DoEvent (subclasses override DoEvent).
    void Event(TEventUI& event);
    virtual void DoEvent(TEventUI& event);

    // Skin attributes; unknown names and bad values are ignored.
    virtual void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue);
    void ApplyAttributeList(LPCTSTR pstrList);

    // Painting. pStopControl: painting stops once that control is reached (a layered
    // repaint up to a control); return false to stop the remaining siblings.
    virtual bool DoPaint(HDC hDC, const RECT& rcPaint, CControlUI* pStopControl);
    virtual void PaintBkColor(HDC hDC);
    virtual void PaintBkImage(HDC hDC);
    virtual void PaintStatusImage(HDC hDC);
    virtual void PaintText(HDC hDC);
    virtual void PaintBorder(HDC hDC);

    // Timers for this control (UIEVENT_TIMER with wParam = id).
    bool SetTimer(UINT nTimerID, UINT nElapse);
    void KillTimer(UINT nTimerID);

protected:
    CPaintManagerUI* m_pManager = nullptr;
    CControlUI* m_pParent = nullptr;
    CDuiString m_sName;
    CDuiString m_sText;
    CDuiString m_sToolTip;
    CDuiString m_sUserData;
    CDuiString m_sBkImage;
    UINT_PTR m_pTag = 0;

    RECT m_rcItem = {0, 0, 0, 0};
    RECT m_rcPaint = {0, 0, 0, 0};    // intersection of the paint and item rectangles during DoPaint
    RECT m_rcPadding = {0, 0, 0, 0};
    RECT m_rcFloatPos = {0, 0, 0, 0};
    SIZE m_cxyFixed = {0, 0};
    SIZE m_cxyMin = {0, 0};
    SIZE m_cxyMax = {9999, 9999};
    SIZE m_cXY = {0, 0};
    bool m_bHasFloatPos = false;

    bool m_bVisible = true;
    bool m_bInternVisible = true;
    bool m_bEnabled = true;
    bool m_bMouseEnabled = true;
    bool m_bKeyboardEnabled = true;
    bool m_bFocused = false;
    bool m_bFloat = false;
    bool m_bUpdateNeeded = true;
    bool m_bHandCursor = false;

    DWORD m_dwBackColor = 0;
    DWORD m_dwBorderColor = 0;
    DWORD m_dwFocusBorderColor = 0;
    int m_nBorderSize = 0;
    RECT m_rcBorderSize = {0, 0, 0, 0};
    bool m_bBorderRect = false;
    SIZE m_cxyBorderRound = {0, 0};
};
