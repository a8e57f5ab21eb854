// The windowless rich edit host: text services creation, formats, property bits and the
// ITextHost callbacks mapped onto the owner's window.
#include "uilib/richedit/TextHost.h"

#include "uilib/core/Handles.h"

#include <imm.h>
#include <oleauto.h>

namespace uilib {

namespace {

struct RichEditLibrary {
    PCreateTextServices create = nullptr;
    const IID* servicesIid = nullptr;
    const IID* hostIid = nullptr;
};

// riched20 stays loaded for the life of the process: text services may live until exit.
const RichEditLibrary& Library() {
    static const RichEditLibrary library = [] {
        RichEditLibrary lib;
        HMODULE module = LoadLibraryW(L"riched20.dll");
        if (module == nullptr) return lib;
        lib.create = reinterpret_cast<PCreateTextServices>(GetProcAddress(module, "CreateTextServices"));
        // The exported IIDs are the ones this riched20 answers to.
        lib.servicesIid = reinterpret_cast<const IID*>(GetProcAddress(module, "IID_ITextServices"));
        lib.hostIid = reinterpret_cast<const IID*>(GetProcAddress(module, "IID_ITextHost"));
        return lib;
    }();
    return library;
}

LONG TwipsFromPixels(LONG pixels, HWND hwnd) {
    uilib::WindowDC dc(hwnd);
    int dpi = dc ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 96;
    return MulDiv(pixels, 1440, dpi > 0 ? dpi : 96);
}

}  // namespace

CTextHost::CTextHost(ITextHostOwner& owner) : m_owner(owner) {}

CTextHost::~CTextHost() {
    if (m_services != nullptr) {
        m_services->OnTxInPlaceDeactivate();
        m_services->Release();
    }
    if (m_caretCreated) DestroyCaret();
}

bool CTextHost::Create(const TextHostStyle& style) {
    if (m_services != nullptr) return true;
    m_style = style;
    UpdateCharFormat();
    UpdateParaFormat();
    const RichEditLibrary& lib = Library();
    if (lib.create == nullptr || lib.servicesIid == nullptr) return false;
    IUnknown* unknown = nullptr;
    if (FAILED(lib.create(nullptr, this, &unknown)) || unknown == nullptr) return false;
    void* services = nullptr;
    HRESULT hr = unknown->QueryInterface(*lib.servicesIid, &services);
    unknown->Release();
    if (FAILED(hr) || services == nullptr) return false;
    m_services = static_cast<ITextServices*>(services);
    Send(EM_SETEVENTMASK, 0, ENM_CHANGE);
    Send(EM_SETTEXTMODE, style.rich ? TM_RICHTEXT : TM_PLAINTEXT);
    m_services->OnTxInPlaceActivate(&m_rcClient);
    return true;
}

void CTextHost::SetClientRect(const RECT& rc) {
    if (EqualRect(&rc, &m_rcClient)) return;
    m_rcClient = rc;
    if (m_services != nullptr) m_services->OnTxPropertyBitsChange(TXTBIT_CLIENTRECTCHANGE, TXTBIT_CLIENTRECTCHANGE);
}

void CTextHost::SetStyle(const TextHostStyle& style) {
    const TextHostStyle old = m_style;
    const DWORD oldBits = PropertyBits();
    m_style = style;
    DWORD mask = oldBits ^ PropertyBits();
    auto announce = [&mask](DWORD bit) { mask |= bit; };
    if (style.font != old.font || style.textColor != old.textColor) {
        UpdateCharFormat();
        announce(TXTBIT_CHARFORMATCHANGE);
    }
    if (style.align != old.align) {
        UpdateParaFormat();
        announce(TXTBIT_PARAFORMATCHANGE);
    }
    if (style.maxLength != old.maxLength) announce(TXTBIT_MAXLENGTHCHANGE);
    if (m_services == nullptr) return;
    if (style.rich != old.rich) Send(EM_SETTEXTMODE, style.rich ? TM_RICHTEXT : TM_PLAINTEXT);
    const DWORD changeBits = TXTBIT_CHARFORMATCHANGE | TXTBIT_PARAFORMATCHANGE | TXTBIT_MAXLENGTHCHANGE;
    if (mask != 0) m_services->OnTxPropertyBitsChange(mask, (PropertyBits() | changeBits) & mask);
}

DWORD CTextHost::PropertyBits() const {
    DWORD bits = 0;
    if (m_style.rich) bits |= TXTBIT_RICHTEXT;
    if (m_style.multiline) bits |= TXTBIT_MULTILINE;
    if (m_style.multiline && m_style.wordWrap) bits |= TXTBIT_WORDWRAP;
    if (m_style.readOnly) bits |= TXTBIT_READONLY;
    if (m_style.password) bits |= TXTBIT_USEPASSWORD;
    if (m_style.hideSelection) bits |= TXTBIT_HIDESELECTION;
    return bits;
}

void CTextHost::UpdateCharFormat() {
    LOGFONTW lf = {};
    HFONT font = m_style.font ? m_style.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    GetObjectW(font, sizeof lf, &lf);
    CHARFORMAT2W& cf = m_charFormat;
    cf = {};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_SIZE | CFM_OFFSET | CFM_FACE | CFM_CHARSET | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
                CFM_STRIKEOUT;
    cf.yHeight = TwipsFromPixels(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, m_owner.TextHostWindow());
    cf.crTextColor = m_style.textColor;
    if (lf.lfWeight >= FW_BOLD) cf.dwEffects |= CFE_BOLD;
    if (lf.lfItalic) cf.dwEffects |= CFE_ITALIC;
    if (lf.lfUnderline) cf.dwEffects |= CFE_UNDERLINE;
    if (lf.lfStrikeOut) cf.dwEffects |= CFE_STRIKEOUT;
    cf.bCharSet = lf.lfCharSet;
    cf.bPitchAndFamily = lf.lfPitchAndFamily;
    lstrcpynW(cf.szFaceName, lf.lfFaceName, LF_FACESIZE);
}

void CTextHost::UpdateParaFormat() {
    PARAFORMAT2& pf = m_paraFormat;
    pf = {};
    pf.cbSize = sizeof pf;
    pf.dwMask = PFM_ALL;
    pf.wAlignment = m_style.align;
    pf.cTabCount = 1;
    pf.rgxTabs[0] = lDefaultTab;
}

LRESULT CTextHost::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
    LRESULT result = 0;
    if (m_services != nullptr) m_services->TxSendMessage(msg, wParam, lParam, &result);
    return result;
}

bool CTextHost::Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    LRESULT r = 0;
    bool used = m_services != nullptr && m_services->TxSendMessage(msg, wParam, lParam, &r) == S_OK;
    if (result != nullptr) *result = r;
    return used;
}

void CTextHost::Draw(HDC hdc, const RECT& rcPaint) {
    if (m_services == nullptr) return;
    RECTL bounds = {m_rcClient.left, m_rcClient.top, m_rcClient.right, m_rcClient.bottom};
    RECT update = rcPaint;
    m_services->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, hdc, nullptr, &bounds, nullptr, &update, nullptr, 0,
                       TXTVIEW_ACTIVE);
}

void CTextHost::SetFocus(bool focus) {
    if (m_services == nullptr) return;
    Send(focus ? WM_SETFOCUS : WM_KILLFOCUS);
    if (!focus && m_caretCreated) {
        DestroyCaret();
        m_caretCreated = false;
    }
}

std::wstring CTextHost::GetText() const {
    std::wstring text;
    BSTR bstr = nullptr;
    if (m_services != nullptr && SUCCEEDED(m_services->TxGetText(&bstr)) && bstr != nullptr) {
        text.assign(bstr, SysStringLen(bstr));
        SysFreeString(bstr);
    }
    return text;
}

void CTextHost::SetText(const wchar_t* text) {
    if (m_services != nullptr) m_services->TxSetText(text ? text : L"");
}

HRESULT CTextHost::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) return E_POINTER;
    const IID* hostIid = Library().hostIid;
    if (IsEqualIID(riid, IID_IUnknown) || (hostIid != nullptr && IsEqualIID(riid, *hostIid))) {
        *ppv = static_cast<ITextHost*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CTextHost::AddRef() { return ++m_refs; }
ULONG CTextHost::Release() { return m_refs > 1 ? --m_refs : 1; }

HDC CTextHost::TxGetDC() { return GetDC(m_owner.TextHostWindow()); }
INT CTextHost::TxReleaseDC(HDC hdc) { return ReleaseDC(m_owner.TextHostWindow(), hdc); }
WINBOOL CTextHost::TxShowScrollBar(INT, WINBOOL) { return FALSE; }
WINBOOL CTextHost::TxEnableScrollBar(INT, INT) { return FALSE; }
WINBOOL CTextHost::TxSetScrollRange(INT, LONG, INT, WINBOOL) { return FALSE; }
WINBOOL CTextHost::TxSetScrollPos(INT, INT, WINBOOL) { return FALSE; }
void CTextHost::TxInvalidateRect(LPCRECT, WINBOOL) { m_owner.TextHostInvalidate(); }
void CTextHost::TxViewChange(WINBOOL) { m_owner.TextHostInvalidate(); }

WINBOOL CTextHost::TxCreateCaret(HBITMAP hbmp, INT xWidth, INT yHeight) {
    if (!m_owner.TextHostHasFocus()) return FALSE;
    m_caretCreated = CreateCaret(m_owner.TextHostWindow(), hbmp, xWidth, yHeight) != FALSE;
    return m_caretCreated;
}

WINBOOL CTextHost::TxShowCaret(WINBOOL fShow) {
    if (!m_caretCreated) return FALSE;
    return fShow ? ShowCaret(m_owner.TextHostWindow()) : HideCaret(m_owner.TextHostWindow());
}

// The client rectangle is in window coordinates, so the caret lands where GetCaretPos expects it.
// An input method composes at the caret too.
WINBOOL CTextHost::TxSetCaretPos(INT x, INT y) {
    if (!m_caretCreated) return FALSE;
    HWND hwnd = m_owner.TextHostWindow();
    if (HIMC imc = ImmGetContext(hwnd)) {
        COMPOSITIONFORM form = {CFS_POINT, {x, y}, {0, 0, 0, 0}};
        ImmSetCompositionWindow(imc, &form);
        ImmReleaseContext(hwnd, imc);
    }
    return SetCaretPos(x, y);
}

WINBOOL CTextHost::TxSetTimer(UINT idTimer, UINT uTimeout) { return m_owner.TextHostSetTimer(idTimer, uTimeout); }
void CTextHost::TxKillTimer(UINT idTimer) { m_owner.TextHostKillTimer(idTimer); }
void CTextHost::TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) { m_owner.TextHostInvalidate(); }
void CTextHost::TxSetCapture(WINBOOL fCapture) { m_owner.TextHostSetCapture(fCapture != FALSE); }
void CTextHost::TxSetFocus() { m_owner.TextHostSetFocus(); }
void CTextHost::TxSetCursor(HCURSOR hcur, WINBOOL) { ::SetCursor(hcur); }
WINBOOL CTextHost::TxScreenToClient(LPPOINT lppt) { return ScreenToClient(m_owner.TextHostWindow(), lppt); }
WINBOOL CTextHost::TxClientToScreen(LPPOINT lppt) { return ClientToScreen(m_owner.TextHostWindow(), lppt); }
HRESULT CTextHost::TxActivate(LONG* plOldState) {
    if (plOldState) *plOldState = 0;
    return S_OK;
}
HRESULT CTextHost::TxDeactivate(LONG) { return S_OK; }

HRESULT CTextHost::TxGetClientRect(LPRECT prc) {
    *prc = m_rcClient;
    return S_OK;
}

HRESULT CTextHost::TxGetViewInset(LPRECT prc) {
    *prc = {0, 0, 0, 0};  // insets are already taken off the client rectangle
    return S_OK;
}

HRESULT CTextHost::TxGetCharFormat(const CHARFORMATW** ppCF) {
    *ppCF = reinterpret_cast<const CHARFORMATW*>(&m_charFormat);
    return S_OK;
}

HRESULT CTextHost::TxGetParaFormat(const PARAFORMAT** ppPF) {
    *ppPF = reinterpret_cast<const PARAFORMAT*>(&m_paraFormat);
    return S_OK;
}

COLORREF CTextHost::TxGetSysColor(int nIndex) { return GetSysColor(nIndex); }

HRESULT CTextHost::TxGetBackStyle(TXTBACKSTYLE* pstyle) {
    *pstyle = TXTBACK_TRANSPARENT;
    return S_OK;
}

HRESULT CTextHost::TxGetMaxLength(DWORD* plength) {
    *plength = m_style.maxLength;
    return S_OK;
}

HRESULT CTextHost::TxGetScrollBars(DWORD* pdwScrollBar) {
    *pdwScrollBar = m_style.multiline ? ES_AUTOVSCROLL : ES_AUTOHSCROLL;
    if (m_style.multiline && !m_style.wordWrap) *pdwScrollBar |= ES_AUTOHSCROLL;
    return S_OK;
}

HRESULT CTextHost::TxGetPasswordChar(TCHAR* pch) {
    *pch = L'*';
    return m_style.password ? S_OK : S_FALSE;
}

HRESULT CTextHost::TxGetAcceleratorPos(LONG* pcp) {
    *pcp = -1;
    return S_OK;
}

HRESULT CTextHost::TxGetExtent(LPSIZEL) { return E_NOTIMPL; }
HRESULT CTextHost::OnTxCharFormatChange(const CHARFORMATW*) { return S_OK; }
HRESULT CTextHost::OnTxParaFormatChange(const PARAFORMAT*) { return S_OK; }

HRESULT CTextHost::TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits) {
    *pdwBits = PropertyBits() & dwMask;
    return S_OK;
}

HRESULT CTextHost::TxNotify(DWORD iNotify, void* pv) {
    m_owner.TextHostNotify(iNotify, pv);
    return S_OK;
}

HIMC CTextHost::TxImmGetContext() { return ImmGetContext(m_owner.TextHostWindow()); }
void CTextHost::TxImmReleaseContext(HIMC himc) { ImmReleaseContext(m_owner.TextHostWindow(), himc); }

HRESULT CTextHost::TxGetSelectionBarWidth(LONG* lSelBarWidth) {
    *lSelBarWidth = 0;
    return S_OK;
}

}  // namespace uilib
