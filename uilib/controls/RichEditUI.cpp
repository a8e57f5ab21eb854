// The windowless rich edit control: attributes, text operations, painting and input routing.
#include "uilib/controls/RichEditUI.h"

#include "uilib/core/Handles.h"
#include "uilib/core/UIManager.h"
#include "uilib/core/ValueParse.h"
#include "uilib/render/RenderEngine.h"

namespace {

COLORREF ToColorRef(DWORD argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

RECT Deflate(RECT rc, const RECT& by) {
    rc.left += by.left;
    rc.top += by.top;
    rc.right -= by.right;
    rc.bottom -= by.bottom;
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    return rc;
}

bool CtrlDown() { return GetKeyState(VK_CONTROL) < 0; }

}  // namespace

CRichEditUI::CRichEditUI() {
    m_style.multiline = true;
    m_style.wordWrap = true;
    m_style.rich = false;
}

CRichEditUI::~CRichEditUI() {
    // The text services call back into this object while they shut down; let them go first.
    m_host.reset();
}

LPCTSTR CRichEditUI::GetClass() const { return L"RichEditUI"; }

LPVOID CRichEditUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && wcscmp(pstrName, L"RichEdit") == 0) return static_cast<CRichEditUI*>(this);
    return CControlUI::GetInterface(pstrName);
}

UINT CRichEditUI::GetControlFlags() const {
    return IsEnabled() ? UIFLAG_SETCURSOR | UIFLAG_TABSTOP | (m_bWantReturn ? UINT(UIFLAG_WANTRETURN) : 0u) : 0;
}

bool CRichEditUI::EnsureHost() {
    if (m_host) return m_host->IsCreated();
    m_host = std::make_unique<uilib::CTextHost>(static_cast<uilib::ITextHostOwner&>(*this));
    ApplyStyle();
    if (!m_host->Create(m_style)) return false;
    m_host->SetClientRect(TextRect());
    if (!m_sPendingText.IsEmpty()) m_host->SetText(m_sPendingText);
    m_sPendingText.Empty();
    return true;
}

void CRichEditUI::ApplyStyle() {
    m_style.font = m_pManager ? (m_iFont >= 0 ? m_pManager->GetFont(m_iFont) : m_pManager->GetDefaultFont()) : nullptr;
    m_style.textColor = ToColorRef(m_dwTextColor);
    if (m_host) m_host->SetStyle(m_style);
}

RECT CRichEditUI::TextRect() const {
    RECT rc = m_rcItem;
    if (m_nBorderSize > 0) rc = Deflate(rc, {m_nBorderSize, m_nBorderSize, m_nBorderSize, m_nBorderSize});
    return Deflate(Deflate(rc, m_rcInset), m_rcTextPadding);
}

bool CRichEditUI::IsMultiLine() const { return m_style.multiline; }
void CRichEditUI::SetMultiLine(bool multiline) {
    m_style.multiline = multiline;
    ApplyStyle();
}
bool CRichEditUI::IsRich() const { return m_style.rich; }
void CRichEditUI::SetRich(bool rich) {
    m_style.rich = rich;
    ApplyStyle();
}
bool CRichEditUI::IsReadOnly() const { return m_style.readOnly; }
// EM_SETREADONLY is not honoured by every riched20; the property bit is.
void CRichEditUI::SetReadOnly(bool readOnly) {
    m_style.readOnly = readOnly;
    ApplyStyle();
}
bool CRichEditUI::IsWordWrap() const { return m_style.wordWrap; }
void CRichEditUI::SetWordWrap(bool wordWrap) {
    m_style.wordWrap = wordWrap;
    ApplyStyle();
}
bool CRichEditUI::IsWantReturn() const { return m_bWantReturn; }
void CRichEditUI::SetWantReturn(bool want) { m_bWantReturn = want; }
bool CRichEditUI::IsWantTab() const { return m_bWantTab; }
void CRichEditUI::SetWantTab(bool want) { m_bWantTab = want; }
void CRichEditUI::SetPassword(bool password) {
    m_style.password = password;
    ApplyStyle();
}
int CRichEditUI::GetFont() const { return m_iFont; }
void CRichEditUI::SetFont(int id) {
    m_iFont = id;
    ApplyStyle();
    Invalidate();
}
DWORD CRichEditUI::GetTextColor() const { return m_dwTextColor; }
void CRichEditUI::SetTextColor(DWORD argb) {
    m_dwTextColor = argb;
    ApplyStyle();
    Invalidate();
}
RECT CRichEditUI::GetTextPadding() const { return m_rcTextPadding; }
void CRichEditUI::SetTextPadding(RECT rc) {
    m_rcTextPadding = rc;
    if (m_host) m_host->SetClientRect(TextRect());
    Invalidate();
}
RECT CRichEditUI::GetInset() const { return m_rcInset; }
void CRichEditUI::SetInset(RECT rc) {
    m_rcInset = rc;
    if (m_host) m_host->SetClientRect(TextRect());
    Invalidate();
}
void CRichEditUI::SetAlign(WORD pfaAlign) {
    m_style.align = pfaAlign;
    ApplyStyle();
}
int CRichEditUI::GetLimitText() const { return static_cast<int>(m_style.maxLength); }
void CRichEditUI::SetLimitText(int chars) {
    m_style.maxLength = chars > 0 ? static_cast<DWORD>(chars) : 32 * 1024 * 1024;
    ApplyStyle();
}

LRESULT CRichEditUI::TxSendMessage(UINT msg, WPARAM wParam, LPARAM lParam) const {
    if (!const_cast<CRichEditUI*>(this)->EnsureHost()) return 0;
    return m_host->Send(msg, wParam, lParam);
}

template <typename F>
void CRichEditUI::ChangeText(F&& change) {
    if (!EnsureHost()) return;
    if (m_nChangeDepth > 0) {
        change();
        return;
    }
    m_bChangeSeen = false;
    const std::wstring before = m_host->GetText();
    ++m_nChangeDepth;
    change();
    --m_nChangeDepth;
    // Not every riched20 reports programmatic changes; the notification must not depend on it.
    bool changed = !m_bChangeSeen && m_host->GetText() != before;
    if (changed && (m_dwEventMask & ENM_CHANGE) && m_pManager) m_pManager->SendNotify(this, L"textchanged");
}

CDuiString CRichEditUI::GetText() const {
    if (!m_host || !m_host->IsCreated()) return m_sPendingText;
    return CDuiString(m_host->GetText());
}

void CRichEditUI::SetText(LPCTSTR pstrText) {
    if (!EnsureHost()) {
        m_sPendingText = pstrText;
        return;
    }
    ChangeText([&] { m_host->Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pstrText ? pstrText : L"")); });
    Invalidate();
}

long CRichEditUI::GetTextLength(DWORD flags) const {
    GETTEXTLENGTHEX info = {flags, 1200};
    return static_cast<long>(TxSendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&info), 0));
}

void CRichEditUI::EnsureLayout() const {
    if (!m_pManager || !m_pManager->GetRoot() || !IsVisible()) return;  // hidden parts are not laid out
    // Only a pending layout of this control or of a container above it can move or resize it.
    bool due = false;
    for (const CControlUI* c = this; c && !due; c = c->GetParent()) due = c->IsUpdateNeeded();
    if (!due) return;
    RECT client{};
    if (!GetClientRect(m_pManager->GetPaintWindow(), &client) || IsRectEmpty(&client)) return;
    m_pManager->GetRoot()->SetPos(client, false);
}

int CRichEditUI::GetLineCount() const {
    EnsureLayout();
    return static_cast<int>(TxSendMessage(EM_GETLINECOUNT, 0, 0));
}

int CRichEditUI::LineIndex(int line) const {
    EnsureLayout();
    return static_cast<int>(TxSendMessage(EM_LINEINDEX, line, 0));
}

int CRichEditUI::LineLength(int line) const {
    LPARAM index = line < 0 ? -1 : LineIndex(line);
    if (line >= 0 && index < 0) return 0;
    return static_cast<int>(TxSendMessage(EM_LINELENGTH, index, 0));
}

int CRichEditUI::LineFromChar(long index) const { return static_cast<int>(TxSendMessage(EM_EXLINEFROMCHAR, 0, index)); }

POINT CRichEditUI::PosFromChar(long index) const {
    EnsureLayout();
    POINTL pt = {0, 0};
    TxSendMessage(EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&pt), index);
    return {pt.x, pt.y};
}

long CRichEditUI::CharFromPos(POINT pt) const {
    EnsureLayout();
    POINTL ptl = {pt.x, pt.y};
    return static_cast<long>(TxSendMessage(EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&ptl)));
}

void CRichEditUI::SetSel(long start, long end) {
    CHARRANGE range = {start, end};
    TxSendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void CRichEditUI::SetSelAll() { SetSel(0, -1); }
void CRichEditUI::SetSelNone() { SetSel(-1, 0); }

void CRichEditUI::GetSel(long& start, long& end) const {
    CHARRANGE range = {0, 0};
    TxSendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    start = range.cpMin;
    end = range.cpMax;
}

CDuiString CRichEditUI::GetSelText() const {
    long start = 0, end = 0;
    GetSel(start, end);
    if (end <= start) return CDuiString();
    std::wstring buffer(static_cast<size_t>(end - start) + 1, L'\0');
    LRESULT n = TxSendMessage(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return CDuiString(buffer);
}

void CRichEditUI::ReplaceSel(LPCTSTR text, bool canUndo) {
    ChangeText([&] { m_host->Send(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text ? text : L"")); });
}

void CRichEditUI::AppendText(LPCTSTR text, bool canUndo) {
    ChangeText([&] {
        CHARRANGE end = {-1, -1};
        m_host->Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
        m_host->Send(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text ? text : L""));
    });
}

bool CRichEditUI::CanUndo() const { return TxSendMessage(EM_CANUNDO, 0, 0) != 0; }
bool CRichEditUI::Undo() {
    bool done = false;
    // Undo is the program's decision, so it works on a read-only box too (riched20 builds differ).
    bool readOnly = m_style.readOnly;
    if (readOnly) SetReadOnly(false);
    ChangeText([&] { done = m_host->Send(EM_UNDO) != 0; });
    if (readOnly) SetReadOnly(true);
    return done;
}
bool CRichEditUI::Redo() {
    bool done = false;
    ChangeText([&] { done = m_host->Send(EM_REDO) != 0; });
    return done;
}
void CRichEditUI::Clear() {
    ChangeText([&] { m_host->Send(WM_CLEAR); });
}
void CRichEditUI::Copy() { TxSendMessage(WM_COPY, 0, 0); }
void CRichEditUI::Cut() {
    if (!IsReadOnly()) ChangeText([&] { m_host->Send(WM_CUT); });
}
// Plain text comes straight from the clipboard: riched20's own paste needs OLE on the thread.
void CRichEditUI::Paste() {
    if (IsReadOnly() || !OpenClipboard(TextHostWindow())) return;
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        uilib::ScopedGlobalLock lock(data);
        if (lock.Get()) text = static_cast<const wchar_t*>(lock.Get());
    }
    CloseClipboard();
    if (!m_style.multiline) text = text.substr(0, text.find_first_of(L"\r\n"));
    if (!text.empty()) ReplaceSel(text.c_str(), true);
}

DWORD CRichEditUI::GetEventMask() const { return m_dwEventMask; }
DWORD CRichEditUI::SetEventMask(DWORD mask) {
    DWORD old = m_dwEventMask;
    m_dwEventMask = mask;
    return old;
}

void CRichEditUI::DoInit() {
    CControlUI::DoInit();
    EnsureHost();
}

void CRichEditUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
    CControlUI::SetManager(pManager, pParent, bInit);
    ApplyStyle();
}

void CRichEditUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    if (m_host) m_host->SetClientRect(TextRect());
}

void CRichEditUI::SetVisible(bool bVisible) {
    CControlUI::SetVisible(bVisible);
    if (!IsVisible() && IsFocused() && m_pManager) m_pManager->SetFocus(nullptr);
}

void CRichEditUI::SetInternVisible(bool bVisible) {
    CControlUI::SetInternVisible(bVisible);
    if (!bVisible && IsFocused() && m_pManager) m_pManager->SetFocus(nullptr);
}

void CRichEditUI::SetEnabled(bool bEnable) {
    CControlUI::SetEnabled(bEnable);
    if (!bEnable && IsFocused() && m_pManager) m_pManager->SetFocus(nullptr);
}

void CRichEditUI::PaintText(HDC hDC) {
    if (!EnsureHost()) return;
    RECT text = TextRect(), clipRect;
    if (!IntersectRect(&clipRect, &text, &m_rcPaint)) return;
    CRenderClip clip;
    CRenderClip::GenerateClip(hDC, clipRect, clip);
    m_host->Draw(hDC, clipRect);
}

bool CRichEditUI::HandleKeyDown(const TEventUI& event) {
    const WPARAM key = event.wParam;
    if (key == VK_RETURN) {
        bool newLine = IsMultiLine() && (m_bWantReturn || (m_bWantCtrlReturn && CtrlDown()));
        if (!newLine) {
            if (m_pManager) m_pManager->SendNotify(this, L"return");
            return true;
        }
    }
    if (key == VK_TAB && !m_bWantTab) return false;
    if (CtrlDown()) {
        switch (key) {
        case 'A': SetSelAll(); return true;
        case 'C': Copy(); return true;
        case 'X': Cut(); return true;
        case 'V': Paste(); return true;
        case 'Z': Undo(); return true;
        case 'Y': Redo(); return true;
        default: break;
        }
    }
    ChangeText([&] { m_host->Handle(WM_KEYDOWN, key, event.lParam); });
    return true;
}

bool CRichEditUI::HandleMouse(const TEventUI& event) {
    LPARAM pos = MAKELPARAM(event.ptMouse.x, event.ptMouse.y);
    switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
        m_bCaptured = true;
        m_host->Handle(WM_LBUTTONDOWN, MK_LBUTTON, pos);
        return true;
    case UIEVENT_DBLCLICK:
        m_bCaptured = true;
        m_host->Handle(WM_LBUTTONDBLCLK, MK_LBUTTON, pos);
        return true;
    case UIEVENT_MOUSEMOVE:
        m_host->Handle(WM_MOUSEMOVE, m_bCaptured ? MK_LBUTTON : 0, pos);
        return m_bCaptured;
    case UIEVENT_BUTTONUP:
        if (!m_bCaptured) return false;
        m_bCaptured = false;
        m_host->Handle(WM_LBUTTONUP, 0, pos);
        return true;
    default:
        return false;
    }
}

void CRichEditUI::DoEvent(TEventUI& event) {
    bool usable = IsEnabled() && EnsureHost();
    switch (event.Type) {
    case UIEVENT_SETCURSOR:
        if (usable && PtInRect(&m_rcItem, event.ptMouse)) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_IBEAM));
            return;
        }
        break;
    case UIEVENT_SETFOCUS:
        CControlUI::DoEvent(event);
        if (usable) m_host->SetFocus(true);
        return;
    case UIEVENT_KILLFOCUS:
        if (m_host) m_host->SetFocus(false);
        m_bCaptured = false;
        CControlUI::DoEvent(event);
        return;
    case UIEVENT_TIMER:
        if (m_host) m_host->Handle(WM_TIMER, event.wParam, 0);
        return;
    case UIEVENT_KEYDOWN:
        if (usable && HandleKeyDown(event)) return;
        break;
    case UIEVENT_KEYUP:
        if (usable) m_host->Handle(WM_KEYUP, event.wParam, event.lParam);
        return;
    case UIEVENT_CHAR:
        // Control characters are keys handled on key-down (Enter, Ctrl+letters); only Tab and
        // Backspace go on as characters.
        if (usable && (event.chKey >= 0x20 || event.chKey == L'\b' || (event.chKey == L'\t' && m_bWantTab)))
            ChangeText([&] { m_host->Handle(WM_CHAR, event.wParam, event.lParam); });
        return;
    default:
        if (usable && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND && HandleMouse(event)) return;
        break;
    }
    CControlUI::DoEvent(event);
}

void CRichEditUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    std::wstring_view name(pstrName ? pstrName : L""), value(pstrValue ? pstrValue : L"");
    RECT rc{};
    if (name == L"multiline") SetMultiLine(uilib::ParseBool(value, true));
    else if (name == L"rich") SetRich(uilib::ParseBool(value));
    else if (name == L"readonly") SetReadOnly(uilib::ParseBool(value));
    else if (name == L"wordwrap") SetWordWrap(uilib::ParseBool(value, true));
    else if (name == L"wantreturn") SetWantReturn(uilib::ParseBool(value, true));
    else if (name == L"wanttab") SetWantTab(uilib::ParseBool(value));
    else if (name == L"wantctrlreturn") m_bWantCtrlReturn = uilib::ParseBool(value);
    else if (name == L"password") SetPassword(uilib::ParseBool(value));
    else if (name == L"font") SetFont(uilib::ParseIntOr(value, -1));
    else if (name == L"textcolor") SetTextColor(uilib::ParseColorOr(value, m_dwTextColor));
    else if (name == L"textpadding" && uilib::ParseRect(value, rc)) SetTextPadding(rc);
    else if (name == L"inset" && uilib::ParseRect(value, rc)) SetInset(rc);
    else if (name == L"maxchar") SetLimitText(uilib::ParseIntOr(value, 0));
    else if (name == L"align") {
        if (value.find(L"center") != std::wstring_view::npos) SetAlign(PFA_CENTER);
        else if (value.find(L"right") != std::wstring_view::npos) SetAlign(PFA_RIGHT);
        else SetAlign(PFA_LEFT);
    } else CControlUI::SetAttribute(pstrName, pstrValue);
}

HWND CRichEditUI::TextHostWindow() const { return m_pManager ? m_pManager->GetPaintWindow() : nullptr; }
void CRichEditUI::TextHostInvalidate() { Invalidate(); }
bool CRichEditUI::TextHostSetTimer(UINT id, UINT elapse) { return CControlUI::SetTimer(id, elapse); }
void CRichEditUI::TextHostKillTimer(UINT id) { CControlUI::KillTimer(id); }
void CRichEditUI::TextHostSetCapture(bool capture) {
    if (!m_pManager) return;
    if (capture) m_pManager->SetCapture();
    else m_pManager->ReleaseCapture();
}
void CRichEditUI::TextHostSetFocus() { SetFocus(); }
bool CRichEditUI::TextHostHasFocus() const { return IsFocused(); }

void CRichEditUI::TextHostNotify(DWORD code, void*) {
    if (code != EN_CHANGE) return;
    if (m_nChangeDepth > 0) {
        if (m_bChangeSeen) return;  // one notification per change, however many pieces it had
        m_bChangeSeen = true;
    }
    if ((m_dwEventMask & ENM_CHANGE) && m_pManager) m_pManager->SendNotify(this, L"textchanged");
}
