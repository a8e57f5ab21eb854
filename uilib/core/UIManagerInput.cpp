// CPaintManagerUI message routing: painting through the back buffer, mouse (hover, capture
// while a button is held, wheel, cursor), keyboard to the focused control, tooltips and
// timers. Controls may be deleted by the notifications they send, so no control pointer is
// used after the event that may have removed it.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "uilib/controls/ControlUI.h"
#include "uilib/core/UIManager.h"
#include "uilib/core/UIManagerImpl.h"
#include "uilib/render/RenderEngine.h"

namespace uilib {
void FlushAsyncNotify(CPaintManagerUI& pm, std::vector<TNotifyUI>& queue);
bool IsAsyncNotifyMessage(UINT msg);
}

namespace {

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

void Deliver(CControlUI* control, int type, POINT pt, WPARAM wParam, LPARAM lParam, wchar_t key = 0) {
    if (!control) return;
    TEventUI event;
    event.Type = type;
    event.pSender = control;
    event.ptMouse = pt;
    event.wParam = wParam;
    event.lParam = lParam;
    event.chKey = key;
    event.dwTimestamp = ::GetTickCount();
    WORD keys = 0;
    if (::GetKeyState(VK_CONTROL) < 0) keys |= MK_CONTROL;
    if (::GetKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
    event.wKeyState = keys;
    control->Event(event);
}

}  // namespace

void CPaintManagerUI::Impl::EnsureBackBuffer(int cx, int cy) {
    if (backDC && backBitmap && backSize.cx >= cx && backSize.cy >= cy) return;
    uilib::WindowDC screen(hwnd);
    // Grow only: a shrinking window keeps its buffer, so resizing does not reallocate.
    SIZE size = {std::max<LONG>(cx, backSize.cx), std::max<LONG>(cy, backSize.cy)};
    uilib::BitmapHandle bitmap(::CreateCompatibleBitmap(screen.Get(), std::max<LONG>(1, size.cx), std::max<LONG>(1, size.cy)));
    if (!bitmap) return;
    if (!backDC) backDC = uilib::MemoryDC(screen.Get());
    ::SelectObject(backDC.Get(), bitmap.Get());
    backBitmap = std::move(bitmap);
    backSize = size;
}

void CPaintManagerUI::Impl::LayoutIfNeeded() {
    if (!root || !hwnd) return;
    if (!layoutNeeded && !root->IsUpdateNeeded()) return;
    layoutNeeded = false;
    RECT client;
    ::GetClientRect(hwnd, &client);
    root->SetPos(client, true);
}

bool CPaintManagerUI::PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    std::vector<IMessageFilterUI*> filters = m_impl->preFilters;
    for (IMessageFilterUI* f : filters) {
        bool handled = false;
        LRESULT r = f->MessageHandler(uMsg, wParam, lParam, handled);
        if (handled) {
            lRes = r;
            return true;
        }
    }
    return false;
}

bool CPaintManagerUI::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
    Impl& d = *m_impl;
    if (!d.hwnd) return false;
    {
        std::vector<IMessageFilterUI*> filters = d.filters;
        for (IMessageFilterUI* f : filters) {
            bool handled = false;
            LRESULT r = f->MessageHandler(uMsg, wParam, lParam, handled);
            if (handled) {
                lRes = r;
                return true;
            }
        }
    }
    // Hidden windows get no WM_PAINT: lay out before anything hit-tests the tree.
    if ((uMsg >= WM_MOUSEFIRST && uMsg <= WM_MOUSELAST) || uMsg == WM_SETCURSOR || uMsg == WM_MOUSEHOVER) d.LayoutIfNeeded();
    if (uilib::IsAsyncNotifyMessage(uMsg)) {
        uilib::FlushAsyncNotify(*this, d.asyncNotify);
        lRes = 0;
        return true;
    }

    switch (uMsg) {
    case WM_ERASEBKGND:
        lRes = 1;
        return true;

    case WM_PAINT: {
        d.LayoutIfNeeded();
        // The update region, not just its bounding box, limits the back-buffer drawing: a
        // few separate strips cost their own area only.
        uilib::RegionHandle update(::CreateRectRgn(0, 0, 0, 0));
        bool hasRegion = update && ::GetUpdateRgn(d.hwnd, update.Get(), FALSE) > NULLREGION;
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(d.hwnd, &ps);
        if (d.root && dc) {
            RECT client;
            ::GetClientRect(d.hwnd, &client);
            d.EnsureBackBuffer(client.right, client.bottom);
            if (d.backDC) {
                d.inPaint = true;
                ::SelectClipRgn(d.backDC.Get(), hasRegion ? update.Get() : nullptr);
                {
                    CRenderClip clip;
                    CRenderClip::GenerateClip(d.backDC.Get(), ps.rcPaint, clip);
                    d.root->DoPaint(d.backDC.Get(), ps.rcPaint, nullptr);
                }
                ::SelectClipRgn(d.backDC.Get(), nullptr);
                d.inPaint = false;
                ::BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                         ps.rcPaint.bottom - ps.rcPaint.top, d.backDC.Get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
            }
        }
        ::EndPaint(d.hwnd, &ps);
        lRes = 0;
        return true;
    }

    case WM_PRINTCLIENT: {
        if (!d.root) return false;
        d.LayoutIfNeeded();
        RECT client;
        ::GetClientRect(d.hwnd, &client);
        d.root->DoPaint(reinterpret_cast<HDC>(wParam), client, nullptr);
        lRes = 0;
        return true;
    }

    case WM_SIZE:
        if (d.root) {
            d.layoutNeeded = true;
            d.LayoutIfNeeded();
        }
        Invalidate();
        if (d.focus) Deliver(d.focus, UIEVENT_WINDOWSIZE, d.lastMouse, wParam, lParam);
        return false;

    case WM_TIMER:
        for (const auto& t : d.timers) {
            if (t.winId == wParam) {
                Deliver(t.control, UIEVENT_TIMER, d.lastMouse, t.localId, lParam);
                lRes = 0;
                return true;
            }
        }
        return false;

    case WM_MOUSEMOVE: {
        if (!d.mouseTracking) {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_HOVER | TME_LEAVE, d.hwnd, 400};
            ::TrackMouseEvent(&tme);
            d.mouseTracking = true;
        }
        POINT pt = PointOf(lParam);
        d.lastMouse = pt;
        CControlUI* newHover = FindControl(pt);
        if (newHover && newHover->GetManager() != this) newHover = nullptr;
        if (newHover != d.hover) {
            if (d.tooltip) ::SendMessageW(d.tooltip, TTM_TRACKACTIVATE, FALSE, 0);
            CControlUI* old = d.hover;
            d.hover = newHover;
            if (old) Deliver(old, UIEVENT_MOUSELEAVE, pt, wParam, lParam);
            if (d.hover) Deliver(d.hover, UIEVENT_MOUSEENTER, pt, wParam, lParam);
            // A new control under the mouse gets its own hover timer.
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_HOVER | TME_LEAVE, d.hwnd, 400};
            ::TrackMouseEvent(&tme);
        }
        if (d.eventClick) Deliver(d.eventClick, UIEVENT_MOUSEMOVE, pt, wParam, lParam);
        else if (d.hover) Deliver(d.hover, UIEVENT_MOUSEMOVE, pt, wParam, lParam);
        return false;
    }

    case WM_MOUSELEAVE: {
        d.mouseTracking = false;
        if (d.tooltip) ::SendMessageW(d.tooltip, TTM_TRACKACTIVATE, FALSE, 0);
        if (d.hover && !d.eventClick) {
            CControlUI* old = d.hover;
            d.hover = nullptr;
            Deliver(old, UIEVENT_MOUSELEAVE, d.lastMouse, wParam, lParam);
        }
        return false;
    }

    case WM_MOUSEHOVER: {
        d.mouseTracking = false;
        POINT pt = PointOf(lParam);
        CControlUI* control = FindControl(pt);
        if (!control || control != d.hover) return false;
        Deliver(control, UIEVENT_MOUSEHOVER, pt, wParam, lParam);
        if (d.hover == control) ShowToolTip(control, pt);
        return false;
    }

    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        POINT pt = PointOf(lParam);
        d.lastMouse = pt;
        if (d.tooltip) ::SendMessageW(d.tooltip, TTM_TRACKACTIVATE, FALSE, 0);
        CControlUI* control = FindControl(pt);
        if (!control || control->GetManager() != this) return false;
        d.eventClick = control;
        SetFocus(control);
        if (d.eventClick != control) return false;  // focus handlers removed it
        SetCapture();
        Deliver(control, uMsg == WM_LBUTTONDOWN ? UIEVENT_BUTTONDOWN : UIEVENT_DBLCLICK, pt, wParam, lParam);
        return false;
    }

    case WM_LBUTTONUP: {
        POINT pt = PointOf(lParam);
        d.lastMouse = pt;
        CControlUI* control = d.eventClick;
        d.eventClick = nullptr;
        ReleaseCapture();
        if (control) Deliver(control, UIEVENT_BUTTONUP, pt, wParam, lParam);
        return false;
    }

    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
        POINT pt = PointOf(lParam);
        d.lastMouse = pt;
        CControlUI* control = FindControl(pt);
        if (!control || control->GetManager() != this) return false;
        Deliver(control, uMsg == WM_RBUTTONDOWN ? UIEVENT_RBUTTONDOWN : UIEVENT_RBUTTONUP, pt, wParam, lParam);
        return false;
    }

    case WM_CONTEXTMENU: {
        POINT pt = PointOf(lParam);
        ::ScreenToClient(d.hwnd, &pt);
        CControlUI* control = FindControl(pt);
        if (control) Deliver(control, UIEVENT_CONTEXTMENU, pt, wParam, lParam);
        return false;
    }

    case WM_CAPTURECHANGED:
        // Capture taken away (a menu, another window): end the press without a click.
        if (d.eventClick && reinterpret_cast<HWND>(lParam) != d.hwnd) {
            CControlUI* control = d.eventClick;
            d.eventClick = nullptr;
            Deliver(control, UIEVENT_BUTTONUP, POINT{-10000, -10000}, 0, 0);
        }
        return false;

    case WM_MOUSEWHEEL: {
        POINT pt = PointOf(lParam);
        ::ScreenToClient(d.hwnd, &pt);
        d.lastMouse = pt;
        CControlUI* control = FindControl(pt);
        if (!control || control->GetManager() != this) return false;
        int delta = GET_WHEEL_DELTA_WPARAM(wParam);
        Deliver(control, UIEVENT_SCROLLWHEEL, pt, MAKEWPARAM(delta < 0 ? SB_LINEDOWN : SB_LINEUP, 0), lParam);
        lRes = 0;
        return true;
    }

    case WM_SETCURSOR: {
        if (LOWORD(lParam) != HTCLIENT) return false;
        POINT pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(d.hwnd, &pt);
        CControlUI* control = d.eventClick ? d.eventClick : FindControl(pt);
        if (!control || !(control->GetControlFlags() & UIFLAG_SETCURSOR)) return false;
        Deliver(control, UIEVENT_SETCURSOR, pt, wParam, lParam);
        lRes = TRUE;
        return true;
    }

    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_CHAR: {
        if (!d.focus) return false;
        int type = uMsg == WM_KEYDOWN ? UIEVENT_KEYDOWN : uMsg == WM_KEYUP ? UIEVENT_KEYUP : uMsg == WM_CHAR ? UIEVENT_CHAR : UIEVENT_SYSKEY;
        Deliver(d.focus, type, d.lastMouse, wParam, lParam, wchar_t(wParam));
        return false;
    }

    case WM_KILLFOCUS:
        if (d.tooltip) ::SendMessageW(d.tooltip, TTM_TRACKACTIVATE, FALSE, 0);
        return false;

    default:
        return false;
    }
}

void CPaintManagerUI::ShowToolTip(CControlUI* control, POINT pt) {
    Impl& d = *m_impl;
    CDuiString text = control->GetToolTip();
    if (text.IsEmpty()) return;
    if (!d.tooltip) {
        d.tooltip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, d.hwnd, nullptr,
                                      CPaintManagerUI::GetInstance(), nullptr);
        if (!d.tooltip) return;
        TOOLINFOW ti = {};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        ti.hwnd = d.hwnd;
        ti.lpszText = const_cast<wchar_t*>(L"");
        ::SendMessageW(d.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        ::SendMessageW(d.tooltip, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    TOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    ti.hwnd = d.hwnd;
    ti.lpszText = const_cast<wchar_t*>(text.GetData());
    ::SendMessageW(d.tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    POINT screen = pt;
    ::ClientToScreen(d.hwnd, &screen);
    ::SendMessageW(d.tooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x + 12, screen.y + 20));
    ::SendMessageW(d.tooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    d.tooltipOwner = control;
}

HWND CPaintManagerUI::GetToolTipWindow() const { return m_impl->tooltip; }
