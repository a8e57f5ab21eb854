// CWindowWnd: class registration, creation, the static window procedure and modal runs.
// No exception leaves the window procedure: a throwing handler falls back to DefWindowProc.
#include "uilib/core/WindowWnd.h"

#include "uilib/core/UIManager.h"

CWindowWnd::CWindowWnd() = default;

CWindowWnd::~CWindowWnd() {
    // A window still alive must not call into a destroyed object.
    if (m_hWnd && ::IsWindow(m_hWnd)) ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
}

HWND CWindowWnd::GetHWND() const { return m_hWnd; }
CWindowWnd::operator HWND() const { return m_hWnd; }

LPCTSTR CWindowWnd::GetSuperClassName() const { return nullptr; }
UINT CWindowWnd::GetClassStyle() const { return 0; }

bool CWindowWnd::RegisterWindowClass() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = GetClassStyle();
    wc.lpfnWndProc = StaticWindowProc;
    wc.hInstance = CPaintManagerUI::GetInstance();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = GetWindowClassName();
    if (::RegisterClassExW(&wc)) return true;
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CWindowWnd::Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, int x, int y, int cx, int cy, HMENU hMenu) {
    if (m_hWnd && ::IsWindow(m_hWnd)) return m_hWnd;
    if (!RegisterWindowClass()) return nullptr;
    HWND hwnd = ::CreateWindowExW(dwExStyle, GetWindowClassName(), pstrName ? pstrName : L"", dwStyle, x, y, cx, cy,
                                  hwndParent, hMenu, CPaintManagerUI::GetInstance(), this);
    if (!hwnd) m_hWnd = nullptr;
    return hwnd;
}

HWND CWindowWnd::Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, const RECT& rc, HMENU hMenu) {
    return Create(hwndParent, pstrName, dwStyle, dwExStyle, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, hMenu);
}

HWND CWindowWnd::CreateDuiWindow(HWND hwndParent, LPCTSTR pstrWindowName, DWORD dwStyle, DWORD dwExStyle) {
    return Create(hwndParent, pstrWindowName, dwStyle, dwExStyle, 0, 0, 0, 0, nullptr);
}

void CWindowWnd::ShowWindow(bool bShow, bool bTakeFocus) {
    if (!m_hWnd || !::IsWindow(m_hWnd)) return;
    ::ShowWindow(m_hWnd, bShow ? (bTakeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

UINT CWindowWnd::ShowModal() {
    HWND hwnd = m_hWnd;
    if (!hwnd || !::IsWindow(hwnd)) return UINT(-1);
    HWND owner = ::GetWindow(hwnd, GW_OWNER);
    ::ShowWindow(hwnd, SW_SHOWNORMAL);
    if (owner) ::EnableWindow(owner, FALSE);
    // The object may be deleted by its final message inside the loop: only locals below.
    UINT result = 0;
    MSG msg = {};
    bool quit = false;
    while (::IsWindow(hwnd)) {
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            quit = true;
            break;
        }
        if (msg.message == WM_CLOSE && msg.hwnd == hwnd) {
            result = UINT(msg.wParam);
            if (owner) {
                ::EnableWindow(owner, TRUE);
                ::SetFocus(owner);
            }
        }
        if (!CPaintManagerUI::TranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (owner) ::EnableWindow(owner, TRUE);
    if (quit) ::PostQuitMessage(int(msg.wParam));
    return result;
}

void CWindowWnd::Close(UINT nRet) {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::PostMessageW(m_hWnd, WM_CLOSE, WPARAM(nRet), 0);
}

void CWindowWnd::CenterWindow() {
    if (!m_hWnd || !::IsWindow(m_hWnd)) return;
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (!owner) owner = ::GetParent(m_hWnd);
    MONITORINFO mi = {sizeof(mi)};
    ::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &mi);
    RECT area = mi.rcWork;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &area);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int x = area.left + (area.right - area.left - w) / 2;
    int y = area.top + (area.bottom - area.top - h) / 2;
    // Keep the window on its monitor's work area.
    if (x + w > mi.rcWork.right) x = mi.rcWork.right - w;
    if (y + h > mi.rcWork.bottom) y = mi.rcWork.bottom - h;
    if (x < mi.rcWork.left) x = mi.rcWork.left;
    if (y < mi.rcWork.top) y = mi.rcWork.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::SetIcon(UINT nRes) {
    if (!m_hWnd) return;
    HINSTANCE inst = CPaintManagerUI::GetInstance();
    // LR_SHARED: the system owns the icons, so nothing needs freeing later.
    HANDLE big = ::LoadImageW(inst, MAKEINTRESOURCEW(nRes), IMAGE_ICON, ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), LR_SHARED);
    HANDLE small = ::LoadImageW(inst, MAKEINTRESOURCEW(nRes), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    if (big) ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (small) ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void CWindowWnd::ResizeClient(int cx, int cy) {
    if (!m_hWnd) return;
    RECT rc;
    if (!::GetClientRect(m_hWnd, &rc)) return;
    if (cx != -1) rc.right = cx;
    if (cy != -1) rc.bottom = cy;
    ::AdjustWindowRectEx(&rc, DWORD(::GetWindowLongW(m_hWnd, GWL_STYLE)), ::GetMenu(m_hWnd) != nullptr, DWORD(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)));
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

LRESULT CWindowWnd::SendMessageW(UINT uMsg, WPARAM wParam, LPARAM lParam) { return ::SendMessageW(m_hWnd, uMsg, wParam, lParam); }
LRESULT CWindowWnd::PostMessageW(UINT uMsg, WPARAM wParam, LPARAM lParam) { return ::PostMessageW(m_hWnd, uMsg, wParam, lParam); }

LRESULT CWindowWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(m_hWnd, uMsg, wParam, lParam);
}

void CWindowWnd::OnFinalMessage(HWND) {}

LRESULT CALLBACK CWindowWnd::StaticWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    CWindowWnd* self = nullptr;
    if (uMsg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<LPCREATESTRUCTW>(lParam);
        self = static_cast<CWindowWnd*>(cs->lpCreateParams);
        if (self) {
            self->m_hWnd = hWnd;
            ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    } else {
        self = reinterpret_cast<CWindowWnd*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    }
    if (!self) return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    if (uMsg == WM_NCDESTROY) {
        LRESULT r = ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        self->m_hWnd = nullptr;
        try {
            self->OnFinalMessage(hWnd);
        } catch (...) {
        }
        return r;
    }
    try {
        return self->HandleMessage(uMsg, wParam, lParam);
    } catch (...) {
        return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    }
}
