// A real skinned window under Wine: skin from a folder, clicks routed to Notify, capture while
// the button is held, timers, modal runs with their codes, Esc, images and painting.
#include <doctest.h>

#include <functional>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "uilib/UILib.h"

namespace {

std::wstring TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    std::wstring folder = std::wstring(base) + L"uilib_window_test\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    REQUIRE(f != INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(f, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(f);
}

std::string Utf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(size_t(n > 0 ? n - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, s.data(), n, nullptr, nullptr);
    return s;
}

// A 24-bit BMP file of one colour (0xRRGGBB).
std::string SolidBmp(int w, int h, DWORD rgb) {
    int stride = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    ih.biSize = sizeof(ih);
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + DWORD(stride * h);
    std::string out(reinterpret_cast<char*>(&fh), sizeof(fh));
    out.append(reinterpret_cast<char*>(&ih), sizeof(ih));
    std::string row(size_t(stride), '\0');
    for (int x = 0; x < w; ++x) {
        row[size_t(x * 3)] = char(rgb & 0xFF);
        row[size_t(x * 3 + 1)] = char((rgb >> 8) & 0xFF);
        row[size_t(x * 3 + 2)] = char((rgb >> 16) & 0xFF);
    }
    for (int y = 0; y < h; ++y) out += row;
    return out;
}

// Pumps this thread's messages (through the library's pre-filters) until done() or 5 s.
bool PumpUntil(const std::function<bool()>& done) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 5000) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!CPaintManagerUI::TranslateMessage(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
    return true;
}

// Records every event it gets.
class RecorderUI : public CControlUI {
public:
    LPCTSTR GetClass() const override { return L"Recorder"; }
    void DoEvent(TEventUI& event) override {
        events.push_back(event);
        CControlUI::DoEvent(event);
    }
    std::vector<TEventUI> events;
};

class TestWindow : public WindowImplBase {
public:
    explicit TestWindow(std::wstring skin) : skin_(std::move(skin)) {}
    std::vector<std::wstring> notes;
    std::vector<std::wstring> clicks;
    int inits = 0;
    bool finalMessage = false;

protected:
    LPCTSTR GetWindowClassName() const override { return L"UilibTestWindow"; }
    CDuiString GetSkinFile() override { return skin_.c_str(); }
    void InitWindow() override { ++inits; }
    void Notify(TNotifyUI& msg) override {
        notes.push_back(std::wstring(msg.sType.GetData()) + L":" + (msg.pSender ? msg.pSender->GetName().GetData() : L""));
        WindowImplBase::Notify(msg);
    }
    void OnClick(TNotifyUI& msg) override {
        clicks.push_back(msg.pSender->GetName().GetData());
        WindowImplBase::OnClick(msg);
    }
    bool ResponseDefaultKeyEvent(WPARAM key) override {
        if (key != VK_ESCAPE) return false;
        Close(2);
        return true;
    }
    CControlUI* CreateControl(LPCTSTR cls) override { return wcscmp(cls, L"Recorder") == 0 ? new RecorderUI : nullptr; }
    void OnFinalMessage(HWND) override { finalMessage = true; }

private:
    std::wstring skin_;
};

const wchar_t kSkin[] =
    L"<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    L"<Window size=\"200,120\" caption=\"0,0,0,30\">"
    L"<VerticalLayout name=\"root\" bkcolor=\"#FF00FF00\">"
    L"  <Button name=\"ok\" float=\"true\" pos=\"10,10,60,40\" tooltip=\"确定\"/>"
    L"  <Recorder name=\"rec\" float=\"true\" pos=\"100,10,150,40\"/>"
    L"  <Control name=\"picture\" float=\"true\" pos=\"10,60,30,80\" bkimage=\"red.bmp\"/>"
    L"  <Control name=\"missing\" float=\"true\" pos=\"40,60,60,80\" bkimage=\"file='scrollbar.bmp'\"/>"
    L"  <Button name=\"maxbtn\" float=\"true\" pos=\"160,0,180,20\"/>"
    L"  <Button name=\"restorebtn\" float=\"true\" pos=\"160,0,180,20\" visible=\"false\"/>"
    L"</VerticalLayout>"
    L"</Window>";

struct SkinFolder {
    SkinFolder() {
        folder = TempFolder();
        WriteBytes(folder + L"test.xml", Utf8(kSkin));
        WriteBytes(folder + L"broken.xml", "<Window><VerticalLayout>");
        WriteBytes(folder + L"red.bmp", SolidBmp(4, 4, 0xFF0000));
        WriteBytes(folder + L"shadow.xml", "<Window size=\"100,80\" showshadow=\"true\" shadowimage=\"red.bmp\" shadowcorner=\"1,1,1,1\" shadowsize=\"5\"><Control/></Window>");
        CPaintManagerUI::ClearResourceZip();
        CPaintManagerUI::SetResourcePath(folder.c_str());
    }
    std::wstring folder;
};

HWND CreateHidden(TestWindow& w) {
    return w.Create(nullptr, L"test", WS_POPUP, 0, 0, 0, 0, 0);
}

void Click(HWND hwnd, int x, int y, int upX, int upY) {
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(upX, upY));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(upX, upY));
}

}  // namespace

TEST_CASE("a click on a button reaches Notify and OnClick") {
    SkinFolder skin;
    TestWindow w(L"test.xml");
    HWND hwnd = CreateHidden(w);
    REQUIRE(hwnd != nullptr);
    CHECK(w.inits == 1);
    RECT rc;
    GetWindowRect(hwnd, &rc);
    CHECK(rc.right - rc.left == 200);
    CHECK(rc.bottom - rc.top == 120);
    CHECK(w.GetPaintManager().FindControl(L"nosuch") == nullptr);

    Click(hwnd, 20, 20, 22, 22);
    CHECK(PumpUntil([&] { return !w.clicks.empty(); }));
    REQUIRE(w.clicks.size() == 1);
    CHECK(w.clicks[0] == L"ok");
    auto has = [&](const wchar_t* note) { return std::find(w.notes.begin(), w.notes.end(), note) != w.notes.end(); };
    CHECK(has(L"windowinit:root"));
    CHECK(has(L"setfocus:ok"));
    CHECK(has(L"click:ok"));

    // Released outside the button: no click.
    w.clicks.clear();
    Click(hwnd, 20, 20, 120, 100);
    PostMessageW(hwnd, WM_NULL, 0, 0);
    CHECK(PumpUntil([&] { return w.GetPaintManager().GetCapturedControl() == nullptr; }));
    CHECK(PumpUntil([] { MSG m; return !PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE); }));
    CHECK(w.clicks.empty());
    DestroyWindow(hwnd);
    CHECK(w.finalMessage);
}

TEST_CASE("moves go to the pressed control while the button is held outside it") {
    SkinFolder skin;
    TestWindow w(L"test.xml");
    HWND hwnd = CreateHidden(w);
    REQUIRE(hwnd != nullptr);
    auto* rec = static_cast<RecorderUI*>(w.GetPaintManager().FindControl(L"rec"));
    REQUIRE(rec != nullptr);
    PostMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(110, 20));
    PostMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 100));
    PostMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 100));
    CHECK(PumpUntil([&] {
        return std::any_of(rec->events.begin(), rec->events.end(), [](const TEventUI& e) { return e.Type == UIEVENT_BUTTONUP; });
    }));
    bool movedOutside = std::any_of(rec->events.begin(), rec->events.end(), [](const TEventUI& e) {
        return e.Type == UIEVENT_MOUSEMOVE && e.ptMouse.x == 5 && e.ptMouse.y == 100;
    });
    CHECK(movedOutside);
    CHECK(std::any_of(rec->events.begin(), rec->events.end(), [](const TEventUI& e) { return e.Type == UIEVENT_BUTTONDOWN; }));
    DestroyWindow(hwnd);
}

TEST_CASE("control timers deliver timer events") {
    SkinFolder skin;
    TestWindow w(L"test.xml");
    HWND hwnd = CreateHidden(w);
    REQUIRE(hwnd != nullptr);
    auto* rec = static_cast<RecorderUI*>(w.GetPaintManager().FindControl(L"rec"));
    REQUIRE(rec->SetTimer(3, 10));
    CHECK(PumpUntil([&] {
        return std::any_of(rec->events.begin(), rec->events.end(), [](const TEventUI& e) { return e.Type == UIEVENT_TIMER && e.wParam == 3; });
    }));
    rec->KillTimer(3);
    DestroyWindow(hwnd);
}

TEST_CASE("modal runs return the code the window closed with") {
    SkinFolder skin;
    {
        TestWindow w(L"test.xml");
        REQUIRE(CreateHidden(w) != nullptr);
        w.PostMessageW(WM_CLOSE, 7, 0);
        CHECK(w.ShowModal() == 7);
        CHECK(w.GetHWND() == nullptr);
    }
    {
        TestWindow w(L"test.xml");
        HWND hwnd = CreateHidden(w);
        REQUIRE(hwnd != nullptr);
        PostMessageW(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
        CHECK(w.ShowModal() == 2);
    }
}

TEST_CASE("a skin that cannot be built fails the creation") {
    SkinFolder skin;
    TestWindow broken(L"broken.xml");
    CHECK(CreateHidden(broken) == nullptr);
    TestWindow missing(L"nosuch.xml");
    CHECK(CreateHidden(missing) == nullptr);
}

TEST_CASE("images from the skin, registered bitmaps and the painted picture") {
    SkinFolder skin;
    TestWindow w(L"test.xml");
    HWND hwnd = CreateHidden(w);
    REQUIRE(hwnd != nullptr);
    CPaintManagerUI& pm = w.GetPaintManager();
    const TImageInfo* red = pm.GetImageEx(L"red.bmp");
    REQUIRE(red != nullptr);
    CHECK(red->nX == 4);
    CHECK(red->nY == 4);
    CHECK(pm.GetImageEx(L"scrollbar.bmp") == nullptr);

    BYTE* bits = nullptr;
    HBITMAP blue = CRenderEngine::CreateARGB32Bitmap(nullptr, 8, 8, &bits);
    for (int i = 0; i < 64; ++i) reinterpret_cast<DWORD*>(bits)[i] = 0xFF0000FF;
    const TImageInfo* added = pm.AddImage(L"blueimage", blue, 8, 8, false, false);
    REQUIRE(added != nullptr);
    CHECK(pm.GetImage(L"blueimage") == added);
    pm.FindControl(L"missing")->SetBkImage(L"blueimage");

    // Paint the whole client into a DIB and look at a few pixels.
    BYTE* out = nullptr;
    uilib::BitmapHandle target(CRenderEngine::CreateARGB32Bitmap(nullptr, 200, 120, &out));
    uilib::MemoryDC dc(nullptr);
    {
        uilib::ScopedSelect select(dc.Get(), target.Get());
        SendMessageW(hwnd, WM_PRINTCLIENT, WPARAM(dc.Get()), PRF_CLIENT);
        GdiFlush();
    }
    auto at = [&](int x, int y) { return reinterpret_cast<DWORD*>(out)[y * 200 + x] & 0xFFFFFF; };
    CHECK(at(5, 5) == 0x00FF00);     // the root's background
    CHECK(at(15, 65) == 0xFF0000);   // red.bmp stretched over its control
    CHECK(at(45, 65) == 0x0000FF);   // the registered bitmap by name
    CHECK(pm.RemoveImage(L"blueimage"));
    CHECK(pm.GetImage(L"blueimage") == nullptr);
    CHECK_FALSE(pm.RemoveImage(L"blueimage"));
    DestroyWindow(hwnd);
}

TEST_CASE("maximising swaps the maximise and restore buttons") {
    SkinFolder skin;
    TestWindow w(L"test.xml");
    HWND hwnd = w.Create(nullptr, L"test", WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, 0);
    REQUIRE(hwnd != nullptr);
    CControlUI* maxButton = w.GetPaintManager().FindControl(L"maxbtn");
    CControlUI* restoreButton = w.GetPaintManager().FindControl(L"restorebtn");
    CHECK(maxButton->IsVisible());
    CHECK_FALSE(restoreButton->IsVisible());
    ShowWindow(hwnd, SW_MAXIMIZE);
    CHECK(PumpUntil([&] { return IsZoomed(hwnd) && restoreButton->IsVisible(); }));
    CHECK_FALSE(maxButton->IsVisible());
    ShowWindow(hwnd, SW_RESTORE);
    CHECK(PumpUntil([&] { return !IsZoomed(hwnd) && maxButton->IsVisible(); }));
    CHECK_FALSE(restoreButton->IsVisible());
    DestroyWindow(hwnd);
}

TEST_CASE("the skin's shadow follows the window") {
    SkinFolder skin;
    TestWindow w(L"shadow.xml");
    HWND hwnd = w.Create(nullptr, L"test", WS_POPUP, 0, 100, 100, 0, 0);
    REQUIRE(hwnd != nullptr);
#if __has_include("uilib/shadow/WndShadow.h")
    REQUIRE(w.GetShadow() != nullptr);
    HWND shadow = w.GetShadow()->GetHWND();
    REQUIRE(shadow != nullptr);
    w.ShowWindow(true, false);
    CHECK(PumpUntil([&] { return IsWindowVisible(shadow) != 0; }));
    RECT rc;
    GetWindowRect(shadow, &rc);
    CHECK(rc.right - rc.left == 110);
    CHECK(rc.bottom - rc.top == 90);
#endif
    DestroyWindow(hwnd);
}

TEST_CASE("keys go to the focused control; hovering shows the tooltip") {
    SkinFolder skin;
    TestWindow w(L"test.xml");
    HWND hwnd = w.Create(nullptr, L"test", WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, 0);
    REQUIRE(hwnd != nullptr);
    auto* rec = static_cast<RecorderUI*>(w.GetPaintManager().FindControl(L"rec"));
    rec->SetFocus();
    CHECK(w.GetPaintManager().GetFocus() == rec);
    PostMessageW(hwnd, WM_KEYDOWN, 'A', 0);
    PostMessageW(hwnd, WM_CHAR, L'好', 0);
    CHECK(PumpUntil([&] {
        return std::any_of(rec->events.begin(), rec->events.end(), [](const TEventUI& e) { return e.Type == UIEVENT_CHAR && e.chKey == L'好'; });
    }));
    CHECK(std::any_of(rec->events.begin(), rec->events.end(), [](const TEventUI& e) { return e.Type == UIEVENT_KEYDOWN && e.chKey == 'A'; }));
    // Focus moving away tells the old control.
    w.GetPaintManager().SetFocus(nullptr);
    CHECK(std::any_of(rec->events.begin(), rec->events.end(), [](const TEventUI& e) { return e.Type == UIEVENT_KILLFOCUS; }));
    CHECK(std::find(w.notes.begin(), w.notes.end(), L"killfocus:rec") != w.notes.end());

    PostMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    PostMessageW(hwnd, WM_MOUSEHOVER, 0, MAKELPARAM(20, 20));
    CHECK(PumpUntil([&] {
        HWND tip = w.GetPaintManager().GetToolTipWindow();
        return tip && IsWindowVisible(tip);
    }));
    CHECK(w.GetPaintManager().GetHotControl() == w.GetPaintManager().FindControl(L"ok"));
    DestroyWindow(hwnd);
}

namespace {

LRESULT CALLBACK PassThrough(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) { return DefSubclassProc(h, m, w, l); }

// Like a window that puts its own shadow on before the base builds the skin.
class OwnShadowWindow : public TestWindow {
public:
    OwnShadowWindow() : TestWindow(L"shadow.xml") {}

protected:
    LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override {
        SetWindowSubclass(m_hWnd, PassThrough, 1, 0);
        return TestWindow::OnCreate(uMsg, wParam, lParam, bHandled);
    }
    void OnFinalMessage(HWND hwnd) override { RemoveWindowSubclass(hwnd, PassThrough, 1); }
};

}  // namespace

TEST_CASE("a window with a shadow of its own gets no second one from the skin") {
    SkinFolder skin;
    OwnShadowWindow w;
    HWND hwnd = w.Create(nullptr, L"test", WS_POPUP, 0, 100, 100, 0, 0);
    REQUIRE(hwnd != nullptr);
    CHECK(w.GetShadow() == nullptr);
    DestroyWindow(hwnd);
}
