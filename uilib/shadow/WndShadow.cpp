// Drop shadow: pixel rendering (pure) and the layered window that follows its parent.
#include "uilib/shadow/WndShadow.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

namespace {

const wchar_t kShadowClass[] = L"UIShadowWnd";
HINSTANCE g_instance = nullptr;
constexpr UINT_PTR kSubclassId = 0x5AD0;
constexpr int kMaxSize = 64;

uint32_t Premultiply(uint32_t bgra) {
    uint32_t a = bgra >> 24;
    auto channel = [a](uint32_t c) { return (c * a + 127) / 255; };
    return (a << 24) | (channel((bgra >> 16) & 0xFF) << 16) | (channel((bgra >> 8) & 0xFF) << 8) | channel(bgra & 0xFF);
}

// Maps a destination coordinate to the source along one axis of a nine-part stretch.
int SourceCoord(int d, int destLen, int srcLen, int head, int tail) {
    head = std::clamp(head, 0, srcLen);
    tail = std::clamp(tail, 0, srcLen - head);
    if (head + tail >= destLen) {  // too small for the fixed borders: squeeze everything
        return std::min(srcLen - 1, static_cast<int>(static_cast<long long>(d) * srcLen / destLen));
    }
    if (d < head) return d;
    if (d >= destLen - tail) return srcLen - (destLen - d);
    int srcMid = srcLen - head - tail, destMid = destLen - head - tail;
    if (srcMid <= 0) return std::min(head, srcLen - 1);
    return head + static_cast<int>(static_cast<long long>(d - head) * srcMid / destMid);
}

bool InCentre(int d, int destLen, int head, int tail) { return d >= head && d < destLen - tail; }

// 0 inside the inner rectangle, growing to 1 at the outer edge.
double EdgeDistance(int x, int y, int size, int cx, int cy) {
    double dx = std::max({0, size - x, x - (cx - 1 - size)});
    double dy = std::max({0, size - y, y - (cy - 1 - size)});
    return std::min(1.0, std::sqrt(dx * dx + dy * dy) / (size + 1));
}

}  // namespace

namespace uilib {

RECT ShadowRectFor(const RECT& parent, int size, POINT position) {
    return {parent.left - size + position.x, parent.top - size + position.y, parent.right + size + position.x,
            parent.bottom + size + position.y};
}

std::vector<uint32_t> RenderImageShadow(const ShadowImage& image, int cx, int cy) {
    std::vector<uint32_t> out(static_cast<size_t>(std::max(cx, 0)) * std::max(cy, 0), 0);
    if (image.width <= 0 || image.height <= 0 || image.pixels.size() < size_t(image.width) * image.height) return out;
    const RECT& c = image.corner;
    bool corners = c.left + c.right < cx && c.top + c.bottom < cy;
    for (int y = 0; y < cy; ++y) {
        int sy = SourceCoord(y, cy, image.height, c.top, c.bottom);
        bool centreRow = InCentre(y, cy, c.top, c.bottom);
        for (int x = 0; x < cx; ++x) {
            if (corners && centreRow && InCentre(x, cx, c.left, c.right)) continue;
            int sx = SourceCoord(x, cx, image.width, c.left, c.right);
            out[size_t(y) * cx + x] = Premultiply(image.pixels[size_t(sy) * image.width + sx]);
        }
    }
    return out;
}

std::vector<uint32_t> RenderGradientShadow(COLORREF color, unsigned darkness, unsigned sharpness, int size, int cx,
                                           int cy) {
    std::vector<uint32_t> out(static_cast<size_t>(std::max(cx, 0)) * std::max(cy, 0), 0);
    darkness = std::min(darkness, 255u);
    double exponent = 1.0 + std::clamp(sharpness, 1u, 20u) / 5.0;
    uint32_t bgr = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            double fade = size > 0 ? std::pow(1.0 - EdgeDistance(x, y, size, cx, cy), exponent) : 1.0;
            uint32_t a = static_cast<uint32_t>(std::lround(darkness * fade));
            out[size_t(y) * cx + x] = Premultiply((a << 24) | bgr);
        }
    }
    return out;
}

}  // namespace uilib

bool CWndShadow::Initialize(HINSTANCE hInstance) {
    g_instance = hInstance;
    WNDCLASSEXW wc = {sizeof wc};
    if (GetClassInfoExW(hInstance, kShadowClass, &wc)) return true;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kShadowClass;
    return RegisterClassExW(&wc) != 0;
}

CWndShadow::~CWndShadow() { Detach(); }

void CWndShadow::Create(HWND parent) {
    Detach();
    if (!IsWindow(parent)) return;
    if (g_instance == nullptr) Initialize(GetModuleHandleW(nullptr));
    // Owned by the parent's owner, not the parent: an owned window always sits above its owner.
    HWND owner = GetWindow(parent, GW_OWNER);
    m_hWnd = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kShadowClass,
                             nullptr, WS_POPUP, 0, 0, 0, 0, owner, nullptr, g_instance, nullptr);
    if (m_hWnd == nullptr) return;
    m_hParent = parent;
    SetWindowSubclass(parent, ParentProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    m_szRendered = {0, 0};
    Sync();
}

void CWndShadow::Detach() {
    if (m_hParent != nullptr) RemoveWindowSubclass(m_hParent, ParentProc, kSubclassId);
    if (m_hWnd != nullptr) DestroyWindow(m_hWnd);
    m_hParent = nullptr;
    m_hWnd = nullptr;
}

bool CWndShadow::SetSize(int size) {
    if (size < 0 || size > kMaxSize) return false;
    m_nSize = size;
    m_ptOffset.x = std::clamp<int>(m_ptOffset.x, -size, size);
    m_ptOffset.y = std::clamp<int>(m_ptOffset.y, -size, size);
    m_szRendered = {0, 0};
    Sync();
    return true;
}

bool CWndShadow::SetPosition(int x, int y) {
    if (std::abs(x) > m_nSize || std::abs(y) > m_nSize) return false;
    m_ptOffset = {x, y};
    Sync();
    return true;
}

bool CWndShadow::SetDarkness(unsigned darkness) {
    if (darkness > 255) return false;
    m_nDarkness = darkness;
    m_szRendered = {0, 0};
    Sync();
    return true;
}

bool CWndShadow::SetSharpness(unsigned sharpness) {
    if (sharpness < 1 || sharpness > 20) return false;
    m_nSharpness = sharpness;
    m_szRendered = {0, 0};
    Sync();
    return true;
}

bool CWndShadow::SetColor(COLORREF color) {
    m_color = color & 0xFFFFFF;
    m_szRendered = {0, 0};
    Sync();
    return true;
}

bool CWndShadow::SetImage(const void* bgraPixels, int width, int height, const RECT& corner) {
    if (bgraPixels == nullptr || width <= 0 || height <= 0 || width > 4096 || height > 4096) return false;
    const auto* p = static_cast<const uint32_t*>(bgraPixels);
    m_image.pixels.assign(p, p + size_t(width) * height);
    m_image.width = width;
    m_image.height = height;
    m_image.corner = corner;
    m_szRendered = {0, 0};
    Sync();
    return true;
}

void CWndShadow::Show(bool show) {
    m_bShow = show;
    Sync();
}

bool CWndShadow::ShouldShow() const {
    return m_bShow && m_nSize > 0 && IsWindowVisible(m_hParent) && !IsIconic(m_hParent) && !IsZoomed(m_hParent);
}

void CWndShadow::Sync() {
    if (m_hWnd == nullptr || m_hParent == nullptr) return;
    if (!ShouldShow()) {
        ShowWindow(m_hWnd, SW_HIDE);
        return;
    }
    RECT parent{};
    GetWindowRect(m_hParent, &parent);
    RECT rc = uilib::ShadowRectFor(parent, m_nSize, m_ptOffset);
    SIZE size = {rc.right - rc.left, rc.bottom - rc.top};
    if (size.cx != m_szRendered.cx || size.cy != m_szRendered.cy) {
        m_szRendered = size;
        Redraw();
    }
    bool wasVisible = IsWindowVisible(m_hWnd) != FALSE;
    SetWindowPos(m_hWnd, m_hParent, rc.left, rc.top, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOSIZE);
    if (!wasVisible) RaiseParentOverShadow();
}

// A window being shown lands on top of the X stack under Wine whatever its place in the z-order,
// and only raises are carried over to X. So the shadow goes first for a moment, making the
// parent's raise a real change of order that lifts the parent over it.
void CWndShadow::RaiseParentOverShadow() {
    const UINT flags = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
    SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, flags);
    SetWindowPos(m_hParent, HWND_TOP, 0, 0, 0, 0, flags);
}

void CWndShadow::Redraw() {
    const SIZE size = m_szRendered;
    if (size.cx <= 0 || size.cy <= 0) return;
    std::vector<uint32_t> pixels = m_image.width > 0
                                       ? uilib::RenderImageShadow(m_image, size.cx, size.cy)
                                       : uilib::RenderGradientShadow(m_color, m_nDarkness, m_nSharpness, m_nSize,
                                                                     size.cx, size.cy);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB};
    void* bits = nullptr;
    uilib::WindowDC screen(nullptr);
    uilib::BitmapHandle bitmap(CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    uilib::MemoryDC memory(screen.Get());
    if (!bitmap || !memory || bits == nullptr) return;
    std::copy(pixels.begin(), pixels.end(), static_cast<uint32_t*>(bits));
    uilib::ScopedSelect select(memory.Get(), bitmap.Get());
    RECT parent{};
    GetWindowRect(m_hParent, &parent);
    RECT rc = uilib::ShadowRectFor(parent, m_nSize, m_ptOffset);
    POINT dst = {rc.left, rc.top}, src = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(m_hWnd, screen.Get(), &dst, const_cast<SIZE*>(&size), memory.Get(), &src, 0, &blend, ULW_ALPHA);
}

LRESULT CALLBACK CWndShadow::ParentProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<CWndShadow*>(data);
    switch (msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_SIZE: {
        LRESULT r = DefSubclassProc(hWnd, msg, wParam, lParam);
        self->Sync();
        return r;
    }
    case WM_SHOWWINDOW:
        // Sent before the visibility changes, so a hide is applied here and a show after it.
        if (!wParam && self->m_hWnd) ShowWindow(self->m_hWnd, SW_HIDE);
        break;
    case WM_NCDESTROY: {
        LRESULT r = DefSubclassProc(hWnd, msg, wParam, lParam);
        self->Detach();
        return r;
    }
    default:
        break;
    }
    return DefSubclassProc(hWnd, msg, wParam, lParam);
}
