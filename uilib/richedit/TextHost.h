// CTextHost: the ITextHost of a windowless rich edit (riched20's text services) drawn into a
// control's rectangle of a host window. The owner supplies the window, the rectangle, repaint,
// timers, focus and notifications. Threading: the host window's UI thread only.
// Error policy: Create returns false when riched20 or its text services are unavailable; every
// other call is then a harmless no-op.
#pragma once

#include <windows.h>
#include <richedit.h>
#include <textserv.h>

#include <string>

namespace uilib {

class ITextHostOwner {
public:
    virtual ~ITextHostOwner() = default;
    virtual HWND TextHostWindow() const = 0;
    virtual void TextHostInvalidate() = 0;
    virtual bool TextHostSetTimer(UINT id, UINT elapse) = 0;
    virtual void TextHostKillTimer(UINT id) = 0;
    virtual void TextHostSetCapture(bool capture) = 0;
    virtual void TextHostSetFocus() = 0;
    virtual bool TextHostHasFocus() const = 0;
    virtual void TextHostNotify(DWORD code, void* data) = 0;  // EN_* from the text services
};

// The look and behaviour the host reports to the text services.
struct TextHostStyle {
    HFONT font = nullptr;            // nullptr: the GUI default font
    COLORREF textColor = RGB(0, 0, 0);
    bool rich = false;
    bool multiline = true;
    bool wordWrap = true;
    bool readOnly = false;
    bool password = false;
    bool hideSelection = true;
    WORD align = PFA_LEFT;
    DWORD maxLength = 32 * 1024 * 1024;
};

class CTextHost final : public ITextHost {
public:
    explicit CTextHost(ITextHostOwner& owner);
    ~CTextHost();
    CTextHost(const CTextHost&) = delete;
    CTextHost& operator=(const CTextHost&) = delete;

    bool Create(const TextHostStyle& style);
    bool IsCreated() const { return m_services != nullptr; }
    ITextServices* Services() const { return m_services; }

    // The rectangle the text occupies, in host window client coordinates.
    void SetClientRect(const RECT& rc);
    const RECT& GetClientRect() const { return m_rcClient; }
    // Applies a new style; only the changed property bits and formats are announced.
    void SetStyle(const TextHostStyle& style);
    const TextHostStyle& GetStyle() const { return m_style; }

    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // True when the text services used the message.
    bool Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr);
    void Draw(HDC hdc, const RECT& rcPaint);
    void SetFocus(bool focus);
    bool CaretCreated() const { return m_caretCreated; }

    std::wstring GetText() const;
    void SetText(const wchar_t* text);

    // IUnknown: the host's life is its owner's; reference counts are only kept for form.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // ITextHost.
    HDC TxGetDC() override;
    INT TxReleaseDC(HDC hdc) override;
    WINBOOL TxShowScrollBar(INT fnBar, WINBOOL fShow) override;
    WINBOOL TxEnableScrollBar(INT fuSBFlags, INT fuArrowflags) override;
    WINBOOL TxSetScrollRange(INT fnBar, LONG nMinPos, INT nMaxPos, WINBOOL fRedraw) override;
    WINBOOL TxSetScrollPos(INT fnBar, INT nPos, WINBOOL fRedraw) override;
    void TxInvalidateRect(LPCRECT prc, WINBOOL fMode) override;
    void TxViewChange(WINBOOL fUpdate) override;
    WINBOOL TxCreateCaret(HBITMAP hbmp, INT xWidth, INT yHeight) override;
    WINBOOL TxShowCaret(WINBOOL fShow) override;
    WINBOOL TxSetCaretPos(INT x, INT y) override;
    WINBOOL TxSetTimer(UINT idTimer, UINT uTimeout) override;
    void TxKillTimer(UINT idTimer) override;
    void TxScrollWindowEx(INT dx, INT dy, LPCRECT lprcScroll, LPCRECT lprcClip, HRGN hrgnUpdate, LPRECT lprcUpdate,
                          UINT fuScroll) override;
    void TxSetCapture(WINBOOL fCapture) override;
    void TxSetFocus() override;
    void TxSetCursor(HCURSOR hcur, WINBOOL fText) override;
    WINBOOL TxScreenToClient(LPPOINT lppt) override;
    WINBOOL TxClientToScreen(LPPOINT lppt) override;
    HRESULT TxActivate(LONG* plOldState) override;
    HRESULT TxDeactivate(LONG lNewState) override;
    HRESULT TxGetClientRect(LPRECT prc) override;
    HRESULT TxGetViewInset(LPRECT prc) override;
    HRESULT TxGetCharFormat(const CHARFORMATW** ppCF) override;
    HRESULT TxGetParaFormat(const PARAFORMAT** ppPF) override;
    COLORREF TxGetSysColor(int nIndex) override;
    HRESULT TxGetBackStyle(TXTBACKSTYLE* pstyle) override;
    HRESULT TxGetMaxLength(DWORD* plength) override;
    HRESULT TxGetScrollBars(DWORD* pdwScrollBar) override;
    HRESULT TxGetPasswordChar(TCHAR* pch) override;
    HRESULT TxGetAcceleratorPos(LONG* pcp) override;
    HRESULT TxGetExtent(LPSIZEL lpExtent) override;
    HRESULT OnTxCharFormatChange(const CHARFORMATW* pcf) override;
    HRESULT OnTxParaFormatChange(const PARAFORMAT* ppf) override;
    HRESULT TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits) override;
    HRESULT TxNotify(DWORD iNotify, void* pv) override;
    HIMC TxImmGetContext() override;
    void TxImmReleaseContext(HIMC himc) override;
    HRESULT TxGetSelectionBarWidth(LONG* lSelBarWidth) override;

private:
    DWORD PropertyBits() const;
    void UpdateCharFormat();
    void UpdateParaFormat();

    ITextHostOwner& m_owner;
    ITextServices* m_services = nullptr;
    TextHostStyle m_style;
    RECT m_rcClient = {0, 0, 0, 0};
    CHARFORMAT2W m_charFormat = {};
    PARAFORMAT2 m_paraFormat = {};
    ULONG m_refs = 1;
    bool m_caretCreated = false;
};

}  // namespace uilib
