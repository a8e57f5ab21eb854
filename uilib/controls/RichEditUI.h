// CRichEditUI ("RichEdit"): a windowless rich edit drawn transparently over its background.
// Attributes: "multiline", "rich", "readonly", "wordwrap", "wantreturn", "wanttab",
// "wantctrlreturn", "font" (skin font id), "textcolor", "textpadding", "inset", "align"
// (left|center|right), "maxchar", "password", "text". Sends "textchanged" (when the event mask
// holds ENM_CHANGE), "return" (Enter in a single-line box) and, through the manager,
// "setfocus"/"killfocus". Positions (caret, PosFromChar) are client coordinates of the window.
// "textchanged" is sent from inside the text services: a handler must not delete the control
// (post or send an asynchronous notification for that). Threading: UI thread only.
#pragma once

#include <memory>

#include "uilib/controls/ControlUI.h"
#include "uilib/richedit/TextHost.h"

class CRichEditUI : public CControlUI, private uilib::ITextHostOwner {
public:
    CRichEditUI();
    ~CRichEditUI() override;

    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;
    UINT GetControlFlags() const override;

    bool IsMultiLine() const;
    void SetMultiLine(bool multiline);
    bool IsRich() const;
    void SetRich(bool rich);
    bool IsReadOnly() const;
    void SetReadOnly(bool readOnly);
    bool IsWordWrap() const;
    void SetWordWrap(bool wordWrap);
    bool IsWantReturn() const;
    void SetWantReturn(bool want);
    bool IsWantTab() const;
    void SetWantTab(bool want);
    void SetPassword(bool password);
    int GetFont() const;                 // the skin font id given to SetFont (-1: default)
    void SetFont(int id);
    DWORD GetTextColor() const;          // ARGB
    void SetTextColor(DWORD argb);
    RECT GetTextPadding() const;
    void SetTextPadding(RECT rc);
    RECT GetInset() const;               // the "inset" attribute, taken off like the padding
    void SetInset(RECT rc);
    void SetAlign(WORD pfaAlign);
    int GetLimitText() const;
    void SetLimitText(int chars);

    CDuiString GetText() const override;
    void SetText(LPCTSTR pstrText) override;
    long GetTextLength(DWORD flags = GTL_DEFAULT) const;
    int GetLineCount() const;
    int LineLength(int line) const;      // characters in line `line` (0-based), -1: the caret's line
    int LineIndex(int line) const;       // character index where line `line` starts
    int LineFromChar(long index) const;
    POINT PosFromChar(long index) const; // window client coordinates of the character's top left
    long CharFromPos(POINT pt) const;

    void SetSel(long start, long end);   // end -1: to the end of the text
    void SetSelAll();
    void SetSelNone();
    void GetSel(long& start, long& end) const;
    CDuiString GetSelText() const;
    void ReplaceSel(LPCTSTR text, bool canUndo = false);
    void AppendText(LPCTSTR text, bool canUndo = false);
    bool CanUndo() const;
    bool Undo();
    bool Redo();
    void Clear();
    void Copy();
    void Cut();
    void Paste();
    DWORD GetEventMask() const;
    DWORD SetEventMask(DWORD mask);      // returns the previous mask
    LRESULT TxSendMessage(UINT msg, WPARAM wParam, LPARAM lParam) const;

    void DoInit() override;
    void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void SetVisible(bool bVisible = true) override;
    void SetInternVisible(bool bVisible = true) override;
    void SetEnabled(bool bEnable = true) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintText(HDC hDC) override;

protected:
    RECT TextRect() const;               // item rectangle less border, inset and text padding
    void ApplyStyle();
    bool EnsureHost();
    // Lays the window out when it is due, so that lines and positions are measured at the
    // control's real width even before the first paint (rows added to a hidden window).
    void EnsureLayout() const;
    bool HandleKeyDown(const TEventUI& event);
    bool HandleMouse(const TEventUI& event);
    // Runs a change and makes sure exactly one "textchanged" follows it when changes are watched.
    template <typename F>
    void ChangeText(F&& change);

private:
    HWND TextHostWindow() const override;
    void TextHostInvalidate() override;
    bool TextHostSetTimer(UINT id, UINT elapse) override;
    void TextHostKillTimer(UINT id) override;
    void TextHostSetCapture(bool capture) override;
    void TextHostSetFocus() override;
    bool TextHostHasFocus() const override;
    void TextHostNotify(DWORD code, void* data) override;

    std::unique_ptr<uilib::CTextHost> m_host;
    uilib::TextHostStyle m_style;
    CDuiString m_sPendingText;           // text set before the host exists
    int m_iFont = -1;
    DWORD m_dwTextColor = 0xFF000000;
    RECT m_rcTextPadding = {0, 0, 0, 0};
    RECT m_rcInset = {0, 0, 0, 0};
    DWORD m_dwEventMask = 0;
    bool m_bWantReturn = true;
    bool m_bWantTab = false;
    bool m_bWantCtrlReturn = false;
    bool m_bCaptured = false;
    int m_nChangeDepth = 0;
    bool m_bChangeSeen = false;
};
