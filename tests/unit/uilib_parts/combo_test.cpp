// Combo box in a real window: the skin's selected row, opening the drop-down, a pick by click.
#include <doctest.h>

#include "test_window.h"

namespace {

const char kSkin[] =
    "<Window size=\"300,300\"><VerticalLayout>"
    "<Combo name=\"cmbfontsize\" width=\"46\" height=\"20\" dropboxsize=\"0,140\" textpadding=\"4,0,4,0\""
    " itemhotbkcolor=\"#FF3C96D6\" itemselectedbkcolor=\"#FF3C96D6\" itemhottextcolor=\"#FFFFFFFF\" vscrollbar=\"true\">"
    "<ListLabelElement text=\"8\"/><ListLabelElement text=\"9\"/><ListLabelElement text=\"10\"/>"
    "<ListLabelElement text=\"11\"/><ListLabelElement text=\"12\"/><ListLabelElement text=\"14\" selected=\"true\"/>"
    "<ListLabelElement text=\"16\"/><ListLabelElement text=\"18\"/><ListLabelElement text=\"20\"/>"
    "<ListLabelElement text=\"22\"/>"
    "</Combo><Control/></VerticalLayout></Window>";

// Sends a click without running the message loop: a drop-down closed by focus taken away by
// another program (tests run in parallel) only closes once posted messages are pumped.
void ClickIn(HWND hwnd, POINT pt) {
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

}  // namespace

TEST_CASE("combo: the skin's selection, a click opens the drop-down, a pick sends itemselect") {
    TestWindow w(kSkin);
    auto* combo = w.Find<CComboUI>(L"cmbfontsize");
    CHECK(combo->GetInterface(L"Combo") == combo);
    REQUIRE(combo->GetCount() == 10);
    CHECK(combo->GetCurSel() == 5);
    CHECK(combo->GetText() == L"14");
    CHECK(w.Count(L"itemselect") == 0);

    const RECT& rc = combo->GetPos();
    ClickIn(w.hwnd, {rc.left + 10, rc.top + 10});
    REQUIRE(combo->IsDroppedDown());
    HWND drop = combo->GetDropDownWindow();
    REQUIRE(IsWindowVisible(drop));
    RECT dropRect, comboScreen = rc;
    GetWindowRect(drop, &dropRect);
    MapWindowPoints(w.hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&comboScreen), 2);
    CHECK(dropRect.top == comboScreen.bottom);
    CHECK(dropRect.left == comboScreen.left);
    CHECK(dropRect.right - dropRect.left == 46);
    CHECK(dropRect.bottom - dropRect.top == 140);

    // Ten rows do not fit in 140 pixels: the drop-down scrolls, and the selected row is in view.
    auto* layout = static_cast<CContainerUI*>(combo->GetItemAt(0)->GetParent());
    REQUIRE(layout != combo);
    CHECK(layout->GetScrollRange().cy > 0);
    RECT view = layout->GetPos(), selected = combo->GetItemAt(5)->GetPos();
    CHECK(selected.top >= view.top);
    CHECK(selected.bottom <= view.bottom);

    // Pick "9": scroll to the top first so it is on screen.
    layout->SetScrollPos({0, 0});
    UpdateWindow(drop);
    RECT nine = combo->GetItemAt(1)->GetPos();
    ClickIn(drop, {(nine.left + nine.right) / 2, (nine.top + nine.bottom) / 2});
    w.Pump();
    CHECK(w.Count(L"itemselect") == 1);
    CHECK(combo->GetText() == L"9");
    CHECK(combo->GetCurSel() == 1);
    CHECK_FALSE(combo->IsDroppedDown());
    CHECK_FALSE(IsWindow(drop));
    CHECK(combo->GetItemAt(1)->GetParent() == combo);
    CHECK(combo->GetItemAt(1)->GetManager() == &w.pm);

    // Selecting in code notifies too; the same row again does not.
    CHECK(combo->SelectItem(9));
    CHECK(combo->SelectItem(9));
    CHECK(w.Count(L"itemselect") == 2);
    CHECK(combo->GetText() == L"22");
    CHECK_FALSE(combo->SelectItem(10));

    // Opening and closing without a pick changes nothing.
    ClickIn(w.hwnd, {rc.left + 10, rc.top + 10});
    REQUIRE(combo->IsDroppedDown());
    SendMessageW(combo->GetDropDownWindow(), WM_KEYDOWN, VK_ESCAPE, 1);
    w.Pump();
    CHECK_FALSE(combo->IsDroppedDown());
    CHECK(combo->GetText() == L"22");
    CHECK(w.Count(L"itemselect") == 2);
}
