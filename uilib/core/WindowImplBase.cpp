// WindowImplBase: skin loading and building on WM_CREATE, borderless frame handling,
// default buttons, Esc/Enter, the shadow the skin asks for.
#include "uilib/core/WindowImplBase.h"

#include <windowsx.h>

#include "uilib/builder/DialogBuilder.h"
#include "uilib/controls/ControlUI.h"
#include "uilib/core/ValueParse.h"
#include "uilib/image/ImageDecoder.h"
#include "uilib/shadow/WndShadow.h"

WindowImplBase::WindowImplBase() = default;

WindowImplBase::~WindowImplBase() {
    delete m_pShadow;
}

void WindowImplBase::InitWindow() {}

void WindowImplBase::Notify(TNotifyUI& msg) {
    if (msg.sType == L"click") OnClick(msg);
}

void WindowImplBase::OnClick(TNotifyUI& msg) {
    if (!msg.pSender) return;
    CDuiString name = msg.pSender->GetName();
    if (name == L"closebtn") Close(IDCLOSE);
    else if (name == L"minbtn") SendMessageW(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    else if (name == L"maxbtn") SendMessageW(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    else if (name == L"restorebtn") SendMessageW(WM_SYSCOMMAND, SC_RESTORE, 0);
}

CControlUI* WindowImplBase::CreateControl(LPCTSTR) { return nullptr; }

LRESULT WindowImplBase::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
    if (uMsg == WM_KEYDOWN && (wParam == VK_ESCAPE || wParam == VK_RETURN)) {
        bHandled = ResponseDefaultKeyEvent(wParam);
    }
    return 0;
}

CPaintManagerUI& WindowImplBase::GetPaintManager() { return m_pm; }
CControlUI* WindowImplBase::FindControl(LPCTSTR pstrName) const { return m_pm.FindControl(pstrName); }
CWndShadow* WindowImplBase::GetShadow() const { return m_pShadow; }

CDuiString WindowImplBase::GetSkinFolder() { return CDuiString(); }
UILIB_RESOURCETYPE WindowImplBase::GetResourceType() { return UILIB_FILE; }
CDuiString WindowImplBase::GetZIPFileName() { return CDuiString(); }
LPCTSTR WindowImplBase::GetResourceID() { return nullptr; }
LPCTSTR WindowImplBase::GetResourceTypeName() { return L"ZIPRES"; }
UINT WindowImplBase::GetClassStyle() const { return CS_DBLCLKS; }
void WindowImplBase::OnFinalMessage(HWND) {}

bool WindowImplBase::ResponseDefaultKeyEvent(WPARAM) { return false; }

LONG WindowImplBase::GetStyle() {
    LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
    return (style & ~WS_CAPTION) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
}

LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT lRes = 0;
    BOOL bHandled = TRUE;
    switch (uMsg) {
    case WM_CREATE: lRes = OnCreate(uMsg, wParam, lParam, bHandled); break;
    case WM_CLOSE: lRes = OnClose(uMsg, wParam, lParam, bHandled); break;
    case WM_DESTROY: lRes = OnDestroy(uMsg, wParam, lParam, bHandled); break;
    case WM_NCACTIVATE: lRes = OnNcActivate(uMsg, wParam, lParam, bHandled); break;
    case WM_NCCALCSIZE: lRes = OnNcCalcSize(uMsg, wParam, lParam, bHandled); break;
    case WM_NCPAINT: lRes = OnNcPaint(uMsg, wParam, lParam, bHandled); break;
    case WM_NCHITTEST: lRes = OnNcHitTest(uMsg, wParam, lParam, bHandled); break;
    case WM_GETMINMAXINFO: lRes = OnGetMinMaxInfo(uMsg, wParam, lParam, bHandled); break;
    case WM_SIZE: lRes = OnSize(uMsg, wParam, lParam, bHandled); break;
    case WM_SYSCOMMAND: lRes = OnSysCommand(uMsg, wParam, lParam, bHandled); break;
    case WM_KEYDOWN: lRes = OnKeyDown(uMsg, wParam, lParam, bHandled); break;
    default: bHandled = FALSE; break;
    }
    if (bHandled) return lRes;
    lRes = HandleCustomMessage(uMsg, wParam, lParam, bHandled);
    if (bHandled) return lRes;
    if (m_pm.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

bool WindowImplBase::LoadSkinSource() {
    switch (GetResourceType()) {
    case UILIB_ZIPRESOURCE: {
        LPCTSTR id = GetResourceID();
        if (!IS_INTRESOURCE(id)) return false;
        // Every window of a program shares one archive; load it once.
        if (CPaintManagerUI::HasResourceZip()) return true;
        return CPaintManagerUI::LoadResourceZip(CPaintManagerUI::GetInstance(), GetResourceTypeName(), UINT(reinterpret_cast<ULONG_PTR>(id)));
    }
    case UILIB_ZIP:
        if (CPaintManagerUI::HasResourceZip()) return true;
        return CPaintManagerUI::SetResourceZip(GetZIPFileName());
    case UILIB_FILE:
    case UILIB_RESOURCE:
    default:
        return true;
    }
}

bool WindowImplBase::BuildSkin() {
    if (!LoadSkinSource()) return false;
    CDuiString file = GetSkinFile();
    CDuiString folder = GetSkinFolder();
    if (GetResourceType() == UILIB_FILE && !CPaintManagerUI::HasResourceZip() && !folder.IsEmpty()) {
        if (folder.Right(1) != L"\\" && folder.Right(1) != L"/") folder += L"\\";
        file = folder + file;
    }
    CDialogBuilder builder;
    CControlUI* root = builder.Create(file, this, &m_pm);
    if (!root) return false;
    m_pm.AttachDialog(root);
    m_pm.AddNotifier(this);
    return true;
}

void WindowImplBase::CreateShadowFromSkin() {
    LPCTSTR show = m_pm.GetWindowAttribute(L"showshadow");
    if (!show || !uilib::ParseBool(show)) return;
    // A window that put its own shadow on in OnCreate has subclassed itself already.
    if (::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(StaticWindowProc)) return;
    m_pShadow = new CWndShadow;
    m_pShadow->Create(m_hWnd);
    auto attr = [this](const wchar_t* name) { LPCTSTR v = m_pm.GetWindowAttribute(name); return v ? v : L""; };
    int size = uilib::ParseIntOr(attr(L"shadowsize"), 0);
    if (size > 0) m_pShadow->SetSize(size);
    SIZE offset;
    if (uilib::ParseSize(attr(L"shadowposition"), offset)) m_pShadow->SetPosition(offset.cx, offset.cy);
    int darkness = uilib::ParseIntOr(attr(L"shadowdarkness"), -1);
    if (darkness >= 0) m_pShadow->SetDarkness(unsigned(darkness));
    DWORD color;
    if (uilib::ParseColor(attr(L"shadowcolor"), color)) m_pShadow->SetColor(RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF));
    std::vector<BYTE> bytes;
    uilib::DecodedImage image;
    if (*attr(L"shadowimage") && CPaintManagerUI::LoadResourceFile(attr(L"shadowimage"), bytes) &&
        uilib::DecodeImage(bytes.data(), bytes.size(), 0, image, false)) {
        RECT corner = {0, 0, 0, 0};
        uilib::ParseRect(attr(L"shadowcorner"), corner);
        m_pShadow->SetImage(image.bits, image.width, image.height, corner);
    }
}

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = TRUE;
    ::SetWindowLongW(m_hWnd, GWL_STYLE, GetStyle());
    m_pm.Init(m_hWnd);
    m_pm.AddPreMessageFilter(this);
    if (!BuildSkin()) return -1;
    SIZE init = m_pm.GetInitSize();
    if (init.cx > 0 && init.cy > 0) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, init.cx, init.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    } else {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    CreateShadowFromSkin();
    InitWindow();
    m_pm.SendNotify(m_pm.GetRoot(), L"windowinit");
    return 0;
}

LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::OnNcActivate(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
    if (::IsIconic(m_hWnd)) bHandled = FALSE;
    return wParam == 0 ? TRUE : FALSE;
}

LRESULT WindowImplBase::OnNcCalcSize(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    // The client fills the whole window: the skin draws its own frame.
    bHandled = TRUE;
    return 0;
}

LRESULT WindowImplBase::OnNcPaint(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = TRUE;
    return 0;
}

namespace {

// Controls that take the mouse keep it even inside the caption area.
bool TakesMouse(CControlUI* c) {
    if (!c) return false;
    static const wchar_t* kInteractive[] = {L"Button", L"Edit", L"RichEdit", L"Combo", L"List", L"ScrollBar", L"ListContainerElement"};
    for (const wchar_t* name : kInteractive) {
        if (c->GetInterface(name)) return true;
    }
    return (c->GetControlFlags() & UIFLAG_SETCURSOR) != 0;
}

}  // namespace

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
    bHandled = TRUE;
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(m_hWnd, &pt);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    if (!::IsZoomed(m_hWnd)) {
        RECT box = m_pm.GetSizeBox();
        bool top = pt.y < client.top + box.top, bottom = pt.y >= client.bottom - box.bottom;
        bool left = pt.x < client.left + box.left, right = pt.x >= client.right - box.right;
        if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
    }
    RECT caption = m_pm.GetCaptionRect();
    if (pt.x >= client.left + caption.left && pt.x < client.right - caption.right && pt.y >= caption.top && pt.y < caption.bottom) {
        if (!TakesMouse(m_pm.FindControl(pt))) return HTCAPTION;
    }
    return HTCLIENT;
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, BOOL& bHandled) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    MONITORINFO mi = {sizeof(mi)};
    if (::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &mi)) {
        // Maximised borderless windows fill the work area, not the whole monitor.
        info->ptMaxPosition = {mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top};
        info->ptMaxSize = {mi.rcWork.right - mi.rcWork.left, mi.rcWork.bottom - mi.rcWork.top};
    }
    SIZE minInfo = m_pm.GetMinInfo(), maxInfo = m_pm.GetMaxInfo();
    if (minInfo.cx > 0) info->ptMinTrackSize.x = minInfo.cx;
    if (minInfo.cy > 0) info->ptMinTrackSize.y = minInfo.cy;
    if (maxInfo.cx > 0) info->ptMaxTrackSize.x = maxInfo.cx;
    if (maxInfo.cy > 0) info->ptMaxTrackSize.y = maxInfo.cy;
    bHandled = FALSE;
    return 0;
}

void WindowImplBase::SwapMaximiseButtons() {
    CControlUI* maxButton = m_pm.FindControl(L"maxbtn");
    CControlUI* restoreButton = m_pm.FindControl(L"restorebtn");
    bool zoomed = ::IsZoomed(m_hWnd) != 0;
    if (maxButton) maxButton->SetVisible(!zoomed);
    if (restoreButton) restoreButton->SetVisible(zoomed);
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
    SIZE round = m_pm.GetRoundCorner();
    if (wParam != SIZE_MINIMIZED && (round.cx > 0 || round.cy > 0)) {
        RECT rc;
        ::GetWindowRect(m_hWnd, &rc);
        ::OffsetRect(&rc, -rc.left, -rc.top);
        HRGN rgn = ::CreateRoundRectRgn(rc.left, rc.top, rc.right + 1, rc.bottom + 1, round.cx, round.cy);
        // The window owns the region once SetWindowRgn succeeds.
        if (rgn && !::SetWindowRgn(m_hWnd, rgn, TRUE)) ::DeleteObject(rgn);
    }
    if (wParam != SIZE_MINIMIZED) SwapMaximiseButtons();
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) {
    bHandled = TRUE;
    LRESULT r = CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    if (m_hWnd && ::IsWindow(m_hWnd)) SwapMaximiseButtons();
    return r;
}

LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}
