// Rich edit control in a real window under Wine: typing, lines, positions, read-only, notifications.
#include <doctest.h>

#include "test_window.h"

namespace {

// Pixels of the window's client area drawn by the controls into a white 32-bit bitmap.
int DarkPixelsIn(TestWindow& w, const RECT& rc) {
    RECT client;
    GetClientRect(w.hwnd, &client);
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB};
    void* bits = nullptr;
    uilib::WindowDC screen(w.hwnd);
    uilib::BitmapHandle bitmap(CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    uilib::MemoryDC dc(screen.Get());
    REQUIRE(bits != nullptr);
    uilib::ScopedSelect select(dc.Get(), bitmap.Get());
    auto* px = static_cast<uint32_t*>(bits);
    std::fill(px, px + client.right * client.bottom, 0xFFFFFFFFu);
    SendMessageW(w.hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
    GdiFlush();
    int dark = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) dark += (px[y * client.right + x] & 0xFF) < 0x80;
    return dark;
}

const char kSkin[] =
    "<Window size=\"400,300\">"
    "<Font id=\"12\" name=\"Tahoma\" size=\"12\" shared=\"false\"/>"
    "<VerticalLayout>"
    "<RichEdit name=\"re\" height=\"100\" font=\"12\" inset=\"4,2,4,2\" textpadding=\"3,0,0,0\" bordersize=\"1\""
    " bordercolor=\"#FF0000\" multiline=\"true\" rich=\"false\"/>"
    "<RichEdit name=\"single\" height=\"24\" multiline=\"false\"/>"
    "<RichEdit name=\"narrow\" width=\"60\" height=\"100\" font=\"12\"/>"
    "</VerticalLayout></Window>";

}  // namespace

TEST_CASE("rich edit: typing, new lines, positions, caret and notifications") {
    TestWindow w(kSkin);
    auto* re = w.Find<CRichEditUI>(L"re");
    CHECK(re->GetInterface(L"RichEdit") == re);
    CHECK(re->GetFont() == 12);
    RECT inset = re->GetInset();
    CHECK(inset.left == 4);
    CHECK(inset.top == 2);
    CHECK(re->SetEventMask(re->GetEventMask() | ENM_CHANGE) == 0);
    re->SetFocus();
    w.notes.clear();
    const RECT& box = re->GetPos();
    RECT inside = {box.left + 2, box.top + 2, box.right - 2, box.bottom - 2};
    CHECK(DarkPixelsIn(w, inside) == 0);

    w.Type(L"ab");
    CHECK(re->GetText() == L"ab");
    CHECK(w.Count(L"textchanged") == 2);
    CHECK(re->GetLineCount() == 1);
    CHECK(DarkPixelsIn(w, inside) > 10);  // the text is drawn, over a transparent background

    w.Key(VK_RETURN);
    w.Type(L"c");
    CHECK(re->GetLineCount() == 2);
    CHECK(re->LineLength(0) == 2);
    CHECK(re->LineLength(1) == 1);
    CHECK(re->GetTextLength() == 4);  // "ab\rc"

    // Positions are window client coordinates inside the text rectangle (item, border, inset, padding).
    const RECT& item = re->GetPos();
    POINT first = re->PosFromChar(0), second = re->PosFromChar(3);
    CHECK(first.x >= item.left + 1 + 4 + 3);
    CHECK(first.x <= item.left + 1 + 4 + 3 + 2);
    CHECK(first.y >= item.top + 1 + 2);
    CHECK(first.y <= item.top + 1 + 2 + 2);
    CHECK(second.y > first.y + 8);
    CHECK(second.x == first.x);
    POINT caret{};
    REQUIRE(GetCaretPos(&caret));
    POINT end = re->PosFromChar(4);
    CHECK(caret.y == end.y);
    CHECK(caret.x >= end.x - 1);
    CHECK(caret.x <= end.x + 1);

    w.notes.clear();
    re->SetReadOnly(true);
    CHECK(re->IsReadOnly());
    w.Type(L"x");
    w.Key(VK_RETURN);
    CHECK(re->GetText() == L"ab\rc");
    CHECK(w.Count(L"textchanged") == 0);

    re->AppendText(L"yz");
    CHECK(re->GetText() == L"ab\rcyz");
    CHECK(w.Count(L"textchanged") == 1);
    re->SetReadOnly(false);
    w.Type(L"!");
    CHECK(re->GetText() == L"ab\rcyz!");

    w.notes.clear();
    re->SetText(L"hello");
    CHECK(w.Count(L"textchanged") == 1);
    CHECK(re->GetTextLength() == 5);
    CHECK(re->LineLength(0) == 5);

    // A click puts the caret before the character under the mouse.
    POINT third = re->PosFromChar(3);
    w.Click({third.x + 1, third.y + 4});
    long start = -1, stop = -1;
    re->GetSel(start, stop);
    CHECK(start == 3);
    CHECK(stop == 3);
    CHECK(re->IsFocused());

    re->SetEventMask(0);
    w.notes.clear();
    w.Type(L"q");
    CHECK(w.Count(L"textchanged") == 0);
    CHECK(re->GetText() == L"helqlo");

    // Characters from an input method arrive as WM_IME_CHAR and become ordinary characters.
    SendMessageW(w.hwnd, WM_IME_CHAR, L'中', 1);
    w.Pump();
    CHECK(re->GetText() == L"helq中lo");
}

TEST_CASE("rich edit: single line Enter notifies, narrow boxes wrap, undo takes typing back") {
    TestWindow w(kSkin);
    auto* single = w.Find<CRichEditUI>(L"single");
    single->SetFocus();
    w.Type(L"one");
    w.Key(VK_RETURN);
    CHECK(single->GetLineCount() == 1);
    CHECK(w.Count(L"return") == 1);
    CHECK(single->GetText() == L"one");

    auto* narrow = w.Find<CRichEditUI>(L"narrow");
    narrow->SetFocus();
    w.Type(L"wrap these words please");
    CHECK(narrow->GetLineCount() > 2);
    CHECK(narrow->CanUndo());
    narrow->SetReadOnly(true);  // the text box makes itself read-only, then takes the typing back
    CHECK(narrow->Undo());
    CHECK(narrow->GetTextLength() < 23);
    CHECK(narrow->IsReadOnly());
    w.Type(L"z");
    CHECK(narrow->GetText().Find(L'z') < 0);
    narrow->SetReadOnly(false);

    narrow->SetText(L"");
    narrow->AppendText(L"x\ry");
    CHECK(narrow->GetLineCount() == 2);
}

namespace {

// Holds Ctrl down in the thread's key state, as a real key press would.
struct CtrlHeld {
    CtrlHeld() { Set(0x80); }
    ~CtrlHeld() { Set(0); }
    static void Set(BYTE state) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = state;
        SetKeyboardState(keys);
    }
};

std::wstring ClipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        uilib::ScopedGlobalLock lock(h);
        if (lock.Get()) text = static_cast<const wchar_t*>(lock.Get());
    }
    CloseClipboard();
    return text;
}

}  // namespace

TEST_CASE("rich edit: Ctrl+A, C, X, V and Z from the keyboard") {
    TestWindow w(kSkin);
    auto* re = w.Find<CRichEditUI>(L"re");
    re->SetFocus();
    w.Type(L"hello");
    {
        CtrlHeld ctrl;
        w.Key('A');
        w.Key('C');
    }
    CHECK(re->GetSelText() == L"hello");
    CHECK(ClipboardText() == L"hello");
    re->SetSel(-1, -1);
    {
        CtrlHeld ctrl;
        w.Key('V');
    }
    CHECK(re->GetText() == L"hellohello");
    re->SetSel(0, 5);
    {
        CtrlHeld ctrl;
        w.Key('X');
    }
    CHECK(re->GetText() == L"hello");
    CHECK(ClipboardText() == L"hello");
    re->SetReadOnly(true);
    {
        CtrlHeld ctrl;
        w.Key('V');
    }
    CHECK(re->GetText() == L"hello");
    re->SetReadOnly(false);
    {
        CtrlHeld ctrl;
        w.Key('Z');
    }
    CHECK(re->GetText() != L"hello");
}
