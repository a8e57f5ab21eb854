// Window shadow: its pixels, and the layered window following a real parent under Wine.
#include <doctest.h>
#include <windows.h>

#include "uilib/shadow/WndShadow.h"

namespace {

uint32_t Alpha(uint32_t px) { return px >> 24; }

struct TestWindow {
    HWND hwnd = nullptr;
    explicit TestWindow(const RECT& rc) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ShadowTestParent";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"parent", WS_POPUP | WS_VISIBLE, rc.left, rc.top,
                               rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~TestWindow() {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

RECT WindowRect(HWND h) {
    RECT rc{};
    GetWindowRect(h, &rc);
    return rc;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST_CASE("shadow: rectangle for size and offset") {
    struct Case { RECT parent; int size; POINT pos; RECT expected; } cases[] = {
        {{100, 100, 300, 200}, 5, {0, 0}, {95, 95, 305, 205}},
        {{100, 100, 300, 200}, 5, {2, -3}, {97, 92, 307, 202}},
        {{0, 0, 10, 10}, 0, {0, 0}, {0, 0, 10, 10}},
    };
    for (const Case& c : cases) CHECK(SameRect(uilib::ShadowRectFor(c.parent, c.size, c.pos), c.expected));
}

TEST_CASE("shadow: an image is stretched by its corners, its centre left out, alpha premultiplied") {
    uilib::ShadowImage image;
    image.width = image.height = 3;
    image.corner = {1, 1, 1, 1};
    // Corners, edges and centre each with their own alpha; colour pure white.
    const uint32_t a[9] = {10, 20, 30, 40, 50, 60, 70, 80, 90};
    for (uint32_t v : a) image.pixels.push_back((v << 24) | 0xFFFFFF);
    auto px = uilib::RenderImageShadow(image, 5, 4);
    REQUIRE(px.size() == 20);
    const uint32_t expected[4][5] = {
        {10, 20, 20, 20, 30}, {40, 0, 0, 0, 60}, {40, 0, 0, 0, 60}, {70, 80, 80, 80, 90}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            CAPTURE(x);
            CAPTURE(y);
            CHECK(Alpha(px[y * 5 + x]) == expected[y][x]);
            CHECK((px[y * 5 + x] & 0xFF) == expected[y][x]);  // white premultiplied = alpha
        }
}

TEST_CASE("shadow: the gradient is darkest under the window and fades outwards") {
    const int size = 5, cx = 30, cy = 20;
    auto px = uilib::RenderGradientShadow(RGB(255, 0, 0), 100, 5, size, cx, cy);
    REQUIRE(px.size() == size_t(cx * cy));
    CHECK(Alpha(px[10 * cx + 15]) == 100);
    CHECK(((px[10 * cx + 15] >> 16) & 0xFF) == 100);  // red channel premultiplied
    CHECK((px[10 * cx + 15] & 0xFFFF) == 0);
    CHECK(Alpha(px[0]) < 5);
    for (int x = 1; x <= size; ++x) CHECK(Alpha(px[10 * cx + x]) >= Alpha(px[10 * cx + x - 1]));
    CHECK(Alpha(px[10 * cx + 0]) < Alpha(px[10 * cx + size]));
    auto none = uilib::RenderGradientShadow(RGB(0, 0, 0), 0, 5, size, cx, cy);
    for (uint32_t p : none) REQUIRE(p == 0);
}

TEST_CASE("shadow: the layered window lies behind its parent and follows it") {
    REQUIRE(CWndShadow::Initialize(GetModuleHandleW(nullptr)));
    TestWindow parent({100, 100, 300, 200});
    REQUIRE(parent.hwnd);
    CWndShadow shadow;
    shadow.Create(parent.hwnd);
    CHECK(shadow.SetSize(5));
    CHECK(shadow.SetDarkness(25));
    CHECK_FALSE(shadow.SetSize(-1));
    CHECK_FALSE(shadow.SetPosition(6, 0));
    HWND s = shadow.GetHWND();
    REQUIRE(s != nullptr);
    LONG_PTR ex = GetWindowLongPtrW(s, GWL_EXSTYLE);
    CHECK((ex & WS_EX_LAYERED) != 0);
    CHECK((ex & WS_EX_TRANSPARENT) != 0);
    CHECK((ex & WS_EX_NOACTIVATE) != 0);
    CHECK(IsWindowVisible(s));
    CHECK(SameRect(WindowRect(s), {95, 95, 305, 205}));
    CHECK(GetWindow(parent.hwnd, GW_HWNDNEXT) == s);  // right behind the parent

    CHECK(shadow.SetPosition(2, 3));
    CHECK(SameRect(WindowRect(s), {97, 98, 307, 208}));

    SetWindowPos(parent.hwnd, nullptr, 400, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    CHECK(SameRect(WindowRect(s), {397, 298, 607, 408}));
    SetWindowPos(parent.hwnd, nullptr, 0, 0, 300, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    CHECK(SameRect(WindowRect(s), {397, 298, 707, 408}));

    struct Step { int show; bool visible; } steps[] = {
        {SW_MINIMIZE, false}, {SW_RESTORE, true}, {SW_MAXIMIZE, false}, {SW_RESTORE, true}, {SW_HIDE, false},
        {SW_SHOWNOACTIVATE, true}};
    for (const Step& step : steps) {
        CAPTURE(step.show);
        ShowWindow(parent.hwnd, step.show);
        Pump();
        CHECK(IsWindowVisible(s) == step.visible);
    }
    CHECK(SameRect(WindowRect(s), {397, 298, 707, 408}));

    DestroyWindow(parent.hwnd);
    CHECK_FALSE(IsWindow(s));
    CHECK(shadow.GetHWND() == nullptr);
}
