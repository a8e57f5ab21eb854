// CPaintManagerUI: window attach, control tree bookkeeping, notifications, timers, fonts,
// images and default attributes. Lookups that find nothing return nullptr; nothing throws.
#include "uilib/core/UIManager.h"

#include <algorithm>
#include <mutex>

#include "uilib/controls/ControlUI.h"
#include "uilib/core/UIManagerImpl.h"

namespace uilib {

void RegisterManager(CPaintManagerUI* pm);
void UnregisterManager(CPaintManagerUI* pm);

SharedTables& Shared() {
    static SharedTables tables;
    return tables;
}

std::mutex& SharedLock() {
    static std::mutex lock;
    return lock;
}

namespace {

// Private message that delivers queued asynchronous notifications.
const UINT kAsyncNotifyMessage = WM_APP + 0x3F1;

}  // namespace

std::unique_ptr<FontEntry> MakeFont(LPCTSTR name, int size, bool bold, bool underline, bool italic) {
    LOGFONTW lf = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    if (name && *name) lstrcpynW(lf.lfFaceName, name, LF_FACESIZE);
    lf.lfCharSet = DEFAULT_CHARSET;
    if (size > 0) lf.lfHeight = -size;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = underline;
    lf.lfItalic = italic;
    auto entry = std::make_unique<FontEntry>();
    entry->owner.Reset(::CreateFontIndirectW(&lf));
    if (!entry->owner) return nullptr;
    entry->info.hFont = entry->owner.Get();
    entry->info.sFontName = lf.lfFaceName;
    entry->info.iSize = size;
    entry->info.bBold = bold;
    entry->info.bUnderline = underline;
    entry->info.bItalic = italic;
    WindowDC screen(nullptr);
    MemoryDC dc(screen.Get());
    ScopedSelect select(dc.Get(), entry->info.hFont);
    ::GetTextMetricsW(dc.Get(), &entry->info.tm);
    return entry;
}

}  // namespace uilib


CPaintManagerUI::CPaintManagerUI() : m_impl(std::make_unique<Impl>()) {}

CPaintManagerUI::~CPaintManagerUI() {
    uilib::UnregisterManager(this);
    RemoveAllTimers();
    if (m_impl->tooltip) ::DestroyWindow(m_impl->tooltip);
    // The tree goes before the tables it draws from; controls reap themselves through us.
    CControlUI* root = m_impl->root;
    m_impl->root = nullptr;
    delete root;
}

void CPaintManagerUI::Init(HWND hWnd) {
    if (!hWnd || m_impl->hwnd == hWnd) return;
    if (!m_impl->hwnd) uilib::RegisterManager(this);
    m_impl->hwnd = hWnd;
}

HWND CPaintManagerUI::GetPaintWindow() const { return m_impl->hwnd; }
HDC CPaintManagerUI::GetPaintDC() const { return m_impl->backDC.Get(); }
POINT CPaintManagerUI::GetMousePos() const { return m_impl->lastMouse; }

SIZE CPaintManagerUI::GetClientSize() const {
    RECT rc = {0, 0, 0, 0};
    if (m_impl->hwnd) ::GetClientRect(m_impl->hwnd, &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

SIZE CPaintManagerUI::GetInitSize() const { return m_impl->initSize; }
void CPaintManagerUI::SetInitSize(int cx, int cy) { m_impl->initSize = {cx, cy}; }
RECT CPaintManagerUI::GetSizeBox() const { return m_impl->sizeBox; }
void CPaintManagerUI::SetSizeBox(const RECT& rc) { m_impl->sizeBox = rc; }
RECT CPaintManagerUI::GetCaptionRect() const { return m_impl->caption; }
void CPaintManagerUI::SetCaptionRect(const RECT& rc) { m_impl->caption = rc; }
SIZE CPaintManagerUI::GetRoundCorner() const { return m_impl->roundCorner; }
void CPaintManagerUI::SetRoundCorner(int cx, int cy) { m_impl->roundCorner = {cx, cy}; }
SIZE CPaintManagerUI::GetMinInfo() const { return m_impl->minInfo; }
void CPaintManagerUI::SetMinInfo(int cx, int cy) { m_impl->minInfo = {std::max(0, cx), std::max(0, cy)}; }
SIZE CPaintManagerUI::GetMaxInfo() const { return m_impl->maxInfo; }
void CPaintManagerUI::SetMaxInfo(int cx, int cy) { m_impl->maxInfo = {std::max(0, cx), std::max(0, cy)}; }

void CPaintManagerUI::SetWindowAttribute(LPCTSTR name, LPCTSTR value) {
    if (name && value) m_impl->windowAttributes[name] = value;
}

LPCTSTR CPaintManagerUI::GetWindowAttribute(LPCTSTR name) const {
    if (!name) return nullptr;
    auto it = m_impl->windowAttributes.find(name);
    return it == m_impl->windowAttributes.end() ? nullptr : it->second.c_str();
}

void CPaintManagerUI::SetTransparent(int nOpacity) {
    m_impl->opacity = std::max(0, std::min(255, nOpacity));
    if (!m_impl->hwnd) return;
    LONG ex = ::GetWindowLongW(m_impl->hwnd, GWL_EXSTYLE);
    if (m_impl->opacity < 255) {
        ::SetWindowLongW(m_impl->hwnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(m_impl->hwnd, 0, BYTE(m_impl->opacity), LWA_ALPHA);
    } else if (ex & WS_EX_LAYERED) {
        ::SetWindowLongW(m_impl->hwnd, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
    }
}

void CPaintManagerUI::SetBackgroundTransparent(bool) {}

// ---- tree ----

bool CPaintManagerUI::AttachDialog(CControlUI* pControl) {
    if (!pControl) return false;
    CControlUI* old = m_impl->root;
    m_impl->root = nullptr;
    m_impl->focus = m_impl->hover = m_impl->eventClick = nullptr;
    delete old;
    m_impl->root = pControl;
    m_impl->layoutNeeded = true;
    InitControls(pControl);
    m_impl->LayoutIfNeeded();
    Invalidate();
    return true;
}

CControlUI* CPaintManagerUI::GetRoot() const { return m_impl->root; }

bool CPaintManagerUI::InitControls(CControlUI* pControl, CControlUI* pParent) {
    if (!pControl) return false;
    pControl->SetManager(this, pParent ? pParent : pControl->GetParent(), true);
    return true;
}

void CPaintManagerUI::ReapObjects(CControlUI* pControl) {
    Impl& d = *m_impl;
    if (d.focus == pControl) d.focus = nullptr;
    if (d.hover == pControl) d.hover = nullptr;
    if (d.eventClick == pControl) d.eventClick = nullptr;
    if (d.tooltipOwner == pControl) d.tooltipOwner = nullptr;
    if (d.root == pControl) d.root = nullptr;
    KillTimer(pControl);
    for (auto& group : d.optionGroups) {
        auto& v = group.second;
        v.erase(std::remove(v.begin(), v.end(), pControl), v.end());
    }
    for (auto& n : d.asyncNotify) {
        if (n.pSender == pControl) n.pSender = nullptr;
    }
}

namespace {

CControlUI* CALLBACK FindByName(CControlUI* pThis, LPVOID pData) {
    const wchar_t* name = static_cast<const wchar_t*>(pData);
    return pThis->GetName() == name ? pThis : nullptr;
}

CControlUI* CALLBACK FindByPoint(CControlUI* pThis, LPVOID pData) {
    const POINT* pt = static_cast<const POINT*>(pData);
    const RECT& rc = pThis->GetPos();
    return ::PtInRect(&rc, *pt) ? pThis : nullptr;
}

struct ClassQuery {
    const wchar_t* cls;
    int index;
};

CControlUI* CALLBACK FindByClass(CControlUI* pThis, LPVOID pData) {
    auto* q = static_cast<ClassQuery*>(pData);
    if (_wcsicmp(pThis->GetClass(), q->cls) != 0) return nullptr;
    return q->index-- == 0 ? pThis : nullptr;
}

}  // namespace

CControlUI* CPaintManagerUI::FindControl(POINT pt) const { return FindSubControlByPoint(m_impl->root, pt); }

CControlUI* CPaintManagerUI::FindControl(LPCTSTR pstrName) const { return FindSubControlByName(m_impl->root, pstrName); }

CControlUI* CPaintManagerUI::FindSubControlByPoint(CControlUI* pParent, POINT pt) const {
    if (!pParent) return nullptr;
    return pParent->FindControl(FindByPoint, &pt, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* pParent, LPCTSTR pstrName) const {
    if (!pParent || !pstrName || !*pstrName) return nullptr;
    return pParent->FindControl(FindByName, const_cast<wchar_t*>(pstrName), UIFIND_ALL);
}

CControlUI* CPaintManagerUI::FindSubControlByClass(CControlUI* pParent, LPCTSTR pstrClass, int iIndex) {
    if (!pParent || !pstrClass) return nullptr;
    ClassQuery q = {pstrClass, iIndex};
    return pParent->FindControl(FindByClass, &q, UIFIND_ALL);
}

void CPaintManagerUI::AddOptionGroup(LPCTSTR pStrGroupName, CControlUI* pControl) {
    if (!pStrGroupName || !pControl) return;
    auto& v = m_impl->optionGroups[pStrGroupName];
    if (std::find(v.begin(), v.end(), pControl) == v.end()) v.push_back(pControl);
}

std::vector<CControlUI*>* CPaintManagerUI::GetOptionGroup(LPCTSTR pStrGroupName) {
    if (!pStrGroupName) return nullptr;
    auto it = m_impl->optionGroups.find(pStrGroupName);
    return it == m_impl->optionGroups.end() ? nullptr : &it->second;
}

void CPaintManagerUI::RemoveOptionGroup(LPCTSTR pStrGroupName, CControlUI* pControl) {
    std::vector<CControlUI*>* v = GetOptionGroup(pStrGroupName);
    if (v) v->erase(std::remove(v->begin(), v->end(), pControl), v->end());
}

// ---- painting requests ----

void CPaintManagerUI::Invalidate() {
    if (m_impl->hwnd && ::IsWindow(m_impl->hwnd)) ::InvalidateRect(m_impl->hwnd, nullptr, FALSE);
}

void CPaintManagerUI::Invalidate(const RECT& rcItem) {
    if (rcItem.right <= rcItem.left || rcItem.bottom <= rcItem.top) return;
    if (m_impl->hwnd && ::IsWindow(m_impl->hwnd)) ::InvalidateRect(m_impl->hwnd, &rcItem, FALSE);
}

void CPaintManagerUI::NeedUpdate() {
    m_impl->layoutNeeded = true;
    // One pixel is enough to get a WM_PAINT; the layout pass then invalidates what moved.
    if (m_impl->hwnd && ::IsWindow(m_impl->hwnd)) {
        RECT pixel = {0, 0, 1, 1};
        ::InvalidateRect(m_impl->hwnd, &pixel, FALSE);
    }
}

bool CPaintManagerUI::IsUpdateNeeded() const { return m_impl->layoutNeeded; }

// ---- notifications ----

bool CPaintManagerUI::AddNotifier(INotifyUI* p) {
    if (!p || std::find(m_impl->notifiers.begin(), m_impl->notifiers.end(), p) != m_impl->notifiers.end()) return false;
    m_impl->notifiers.push_back(p);
    return true;
}

bool CPaintManagerUI::RemoveNotifier(INotifyUI* p) {
    auto& v = m_impl->notifiers;
    auto it = std::find(v.begin(), v.end(), p);
    if (it == v.end()) return false;
    v.erase(it);
    return true;
}

void CPaintManagerUI::SendNotify(TNotifyUI& msg, bool bAsync) {
    msg.ptMouse = m_impl->lastMouse;
    msg.dwTimestamp = ::GetTickCount();
    if (bAsync && m_impl->hwnd) {
        m_impl->asyncNotify.push_back(msg);
        ::PostMessageW(m_impl->hwnd, uilib::kAsyncNotifyMessage, 0, 0);
        return;
    }
    // A notifier may remove itself (or others) while being told.
    std::vector<INotifyUI*> notifiers = m_impl->notifiers;
    for (INotifyUI* n : notifiers) {
        if (std::find(m_impl->notifiers.begin(), m_impl->notifiers.end(), n) != m_impl->notifiers.end()) n->Notify(msg);
    }
}

void CPaintManagerUI::SendNotify(CControlUI* pControl, LPCTSTR pstrMessage, WPARAM wParam, LPARAM lParam, bool bAsync) {
    TNotifyUI msg;
    msg.pSender = pControl;
    msg.sType = pstrMessage;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg, bAsync);
}

namespace uilib {

// Delivers the queued asynchronous notifications (called from the message handler).
void FlushAsyncNotify(CPaintManagerUI& pm, std::vector<TNotifyUI>& queue) {
    std::vector<TNotifyUI> pending;
    pending.swap(queue);
    for (TNotifyUI& msg : pending) {
        if (msg.pSender) pm.SendNotify(msg, false);
    }
}

bool IsAsyncNotifyMessage(UINT msg) { return msg == kAsyncNotifyMessage; }

}  // namespace uilib

bool CPaintManagerUI::AddPreMessageFilter(IMessageFilterUI* p) {
    if (!p || std::find(m_impl->preFilters.begin(), m_impl->preFilters.end(), p) != m_impl->preFilters.end()) return false;
    m_impl->preFilters.push_back(p);
    return true;
}

bool CPaintManagerUI::RemovePreMessageFilter(IMessageFilterUI* p) {
    auto& v = m_impl->preFilters;
    auto it = std::find(v.begin(), v.end(), p);
    if (it == v.end()) return false;
    v.erase(it);
    return true;
}

bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI* p) {
    if (!p || std::find(m_impl->filters.begin(), m_impl->filters.end(), p) != m_impl->filters.end()) return false;
    m_impl->filters.push_back(p);
    return true;
}

bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* p) {
    auto& v = m_impl->filters;
    auto it = std::find(v.begin(), v.end(), p);
    if (it == v.end()) return false;
    v.erase(it);
    return true;
}

// ---- timers ----

bool CPaintManagerUI::SetTimer(CControlUI* pControl, UINT nTimerID, UINT uElapse) {
    if (!pControl || !m_impl->hwnd) return false;
    for (auto& t : m_impl->timers) {
        if (t.control == pControl && t.localId == nTimerID) {
            return ::SetTimer(m_impl->hwnd, t.winId, uElapse, nullptr) != 0;
        }
    }
    uilib::TimerEntry t{pControl, nTimerID, m_impl->nextTimerId++};
    if (!::SetTimer(m_impl->hwnd, t.winId, uElapse, nullptr)) return false;
    m_impl->timers.push_back(t);
    return true;
}

bool CPaintManagerUI::KillTimer(CControlUI* pControl, UINT nTimerID) {
    auto& v = m_impl->timers;
    for (auto it = v.begin(); it != v.end(); ++it) {
        if (it->control == pControl && it->localId == nTimerID) {
            if (m_impl->hwnd) ::KillTimer(m_impl->hwnd, it->winId);
            v.erase(it);
            return true;
        }
    }
    return false;
}

void CPaintManagerUI::KillTimer(CControlUI* pControl) {
    auto& v = m_impl->timers;
    for (auto it = v.begin(); it != v.end();) {
        if (it->control == pControl) {
            if (m_impl->hwnd) ::KillTimer(m_impl->hwnd, it->winId);
            it = v.erase(it);
        } else {
            ++it;
        }
    }
}

void CPaintManagerUI::RemoveAllTimers() {
    for (auto& t : m_impl->timers) {
        if (m_impl->hwnd) ::KillTimer(m_impl->hwnd, t.winId);
    }
    m_impl->timers.clear();
}

// ---- focus and capture ----

CControlUI* CPaintManagerUI::GetFocus() const { return m_impl->focus; }
CControlUI* CPaintManagerUI::GetHotControl() const { return m_impl->hover; }
CControlUI* CPaintManagerUI::GetCapturedControl() const { return m_impl->eventClick; }

void CPaintManagerUI::SetFocus(CControlUI* pControl) {
    Impl& d = *m_impl;
    if (d.hwnd && ::GetFocus() != d.hwnd) ::SetFocus(d.hwnd);
    if (pControl == d.focus) return;
    if (CControlUI* old = d.focus) {
        d.focus = nullptr;
        TEventUI event;
        event.Type = UIEVENT_KILLFOCUS;
        event.pSender = pControl;
        event.dwTimestamp = ::GetTickCount();
        old->Event(event);
        SendNotify(old, L"killfocus");
    }
    if (pControl && pControl->GetManager() == this && pControl->IsVisible() && pControl->IsEnabled()) {
        d.focus = pControl;
        TEventUI event;
        event.Type = UIEVENT_SETFOCUS;
        event.pSender = pControl;
        event.dwTimestamp = ::GetTickCount();
        pControl->Event(event);
        SendNotify(pControl, L"setfocus");
    }
}

void CPaintManagerUI::SetCapture() {
    if (m_impl->hwnd) ::SetCapture(m_impl->hwnd);
}

void CPaintManagerUI::ReleaseCapture() {
    if (m_impl->hwnd && ::GetCapture() == m_impl->hwnd) ::ReleaseCapture();
}

bool CPaintManagerUI::IsCaptured() const { return m_impl->hwnd && ::GetCapture() == m_impl->hwnd; }
