// A real (hidden-from-nobody, popup) window with a paint manager and a skin from memory, for
// control tests: records notifications and sends mouse and key messages like a user would.
#pragma once

#include <doctest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "uilib/UILib.h"

class TestWindow : public INotifyUI {
public:
    struct Note {
        std::wstring type;
        std::wstring sender;
    };

    explicit TestWindow(const char* skinXml, int cx = 400, int cy = 300) {
        WNDCLASSW wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PartsTestWindow";
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        RegisterClassW(&wc);
        CPaintManagerUI::SetInstance(wc.hInstance);
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"test", WS_POPUP | WS_VISIBLE, 10, 10, cx, cy, nullptr, nullptr,
                               wc.hInstance, this);
        REQUIRE(hwnd != nullptr);
        pm.Init(hwnd);
        CDialogBuilder builder;
        CControlUI* root = builder.CreateFromMemory(skinXml, strlen(skinXml), nullptr, &pm);
        REQUIRE(root != nullptr);
        pm.AttachDialog(root);
        pm.AddNotifier(this);
        Layout();
    }

    ~TestWindow() override {
        pm.RemoveNotifier(this);
        DestroyWindow(hwnd);
    }

    void Notify(TNotifyUI& msg) override {
        notes.push_back({msg.sType.Str(), msg.pSender ? msg.pSender->GetName().Str() : std::wstring()});
    }

    int Count(const wchar_t* type) const {
        int n = 0;
        for (const Note& note : notes) n += note.type == type;
        return n;
    }

    template <typename T>
    T* Find(const wchar_t* name) {
        CControlUI* c = pm.FindControl(name);
        REQUIRE(c != nullptr);
        return static_cast<T*>(c);
    }

    // Lays the controls out and paints, as the first WM_PAINT would.
    void Layout() {
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
        Pump();
    }

    void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    void Click(POINT pt) {
        SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        Pump();
    }

    void Type(const wchar_t* text) {
        for (const wchar_t* p = text; *p; ++p) SendMessageW(hwnd, WM_CHAR, *p, 1);
        Pump();
    }

    void Key(WPARAM vk) {
        SendMessageW(hwnd, WM_KEYDOWN, vk, 1);
        SendMessageW(hwnd, WM_KEYUP, vk, 0xC0000001);
        Pump();
    }

    HWND hwnd = nullptr;
    CPaintManagerUI pm;
    std::vector<Note> notes;

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_NCCREATE) {
            auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        }
        auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA));
        LRESULT result = 0;
        if (self && self->hwnd == h && self->pm.GetPaintWindow() == h && self->pm.MessageHandler(msg, wParam, lParam, result))
            return result;
        return DefWindowProcW(h, msg, wParam, lParam);
    }
};
