// List control in a real window: rows built from their own skin, heights, scrolling, selection.
#include <doctest.h>

#include "test_window.h"

namespace {

const char kSkin[] =
    "<Window size=\"300,200\"><VerticalLayout>"
    "<List name=\"list\" height=\"100\" vscrollbar=\"true\" itemhotbkcolor=\"#FFEEEEEE\" itemselectedbkcolor=\"#FF3C96D6\"/>"
    "<Control/>"
    "</VerticalLayout></Window>";

const char kRow[] =
    "<Window><Font id=\"14\" name=\"Tahoma\" size=\"14\" shared=\"true\"/>"
    "<ListContainerElement name=\"row\" height=\"30\"><HorizontalLayout>"
    "<Label name=\"Order\" width=\"40\"/><RichEdit name=\"EditData\" font=\"14\"/>"
    "</HorizontalLayout></ListContainerElement></Window>";

CListContainerElementUI* AddRow(TestWindow& w, CListUI* list, int n) {
    CDialogBuilder builder;
    auto* row = static_cast<CListContainerElementUI*>(builder.CreateFromMemory(kRow, sizeof kRow - 1, nullptr, &w.pm));
    REQUIRE(row != nullptr);
    REQUIRE(row->GetInterface(L"ListContainerElement") == row);
    REQUIRE(list->Add(row));
    row->FindSubControl(L"Order")->SetText(std::to_wstring(n).c_str());
    return row;
}

}  // namespace

TEST_CASE("list: rows, heights and the scroll position") {
    TestWindow w(kSkin);
    auto* list = w.Find<CListUI>(L"list");
    CHECK(list->GetInterface(L"List") == list);
    for (int n = 1; n <= 10; ++n) AddRow(w, list, n);
    w.Layout();
    REQUIRE(list->GetCount() == 10);
    const RECT listRect = list->GetPos();
    CHECK(list->GetScrollRange().cy == 300 - 100);
    CHECK(list->GetItemAt(2)->GetPos().top == listRect.top + 60);

    list->SetScrollPos({0, 60});
    w.Layout();
    CHECK(list->GetScrollPos().cy == 60);
    CHECK(list->GetItemAt(2)->GetPos().top == listRect.top);

    // A row that grows pushes the ones below it down.
    list->GetItemAt(0)->SetFixedHeight(54);
    list->SetScrollPos({0, 0});
    w.Layout();
    CHECK(list->GetItemAt(1)->GetPos().top == listRect.top + 54);
    CHECK(list->GetScrollRange().cy == 324 - 100);

    list->EnsureVisible(9);
    w.Layout();
    CHECK(list->GetScrollPos().cy == 224);
    CHECK(list->GetItemAt(9)->GetPos().bottom == listRect.bottom);
    list->EnsureVisible(0);
    CHECK(list->GetScrollPos().cy == 0);

    // Too far a position is clamped to the range.
    list->SetScrollPos({0, 5000});
    CHECK(list->GetScrollPos().cy == 224);
}

TEST_CASE("list: a row's rich edit measures lines at its real width before the first paint") {
    TestWindow w(kSkin);
    auto* list = w.Find<CListUI>(L"list");
    AddRow(w, list, 1);
    auto* row = AddRow(w, list, 2);
    auto* edit = static_cast<CRichEditUI*>(row->FindSubControl(L"EditData"));
    REQUIRE(edit != nullptr);
    for (const wchar_t* c = L"short text"; *c; ++c) edit->AppendText(std::wstring(1, *c).c_str());
    CHECK(edit->GetLineCount() == 1);
    POINT end = edit->PosFromChar(10);
    CHECK(end.y >= row->GetPos().top);
    CHECK(end.y < row->GetPos().bottom);
    CHECK(end.x > list->GetPos().left + 40);
}

TEST_CASE("list: a click selects its row, removal keeps the selection straight") {
    TestWindow w(kSkin);
    auto* list = w.Find<CListUI>(L"list");
    for (int n = 1; n <= 5; ++n) AddRow(w, list, n);
    w.Layout();
    CHECK(list->GetCurSel() == -1);
    RECT order = static_cast<CContainerUI*>(list->GetItemAt(1))->FindSubControl(L"Order")->GetPos();
    w.Click({(order.left + order.right) / 2, (order.top + order.bottom) / 2});
    CHECK(list->GetCurSel() == 1);
    CHECK(w.Count(L"itemselect") == 1);
    auto* row1 = static_cast<CListContainerElementUI*>(list->GetItemAt(1));
    CHECK(row1->IsSelected());

    CHECK(list->SelectItem(3));
    CHECK_FALSE(row1->IsSelected());
    CHECK(w.Count(L"itemselect") == 2);
    CHECK_FALSE(list->SelectItem(7));

    list->RemoveAt(0);
    CHECK(list->GetCurSel() == 2);
    CHECK(static_cast<CListContainerElementUI*>(list->GetItemAt(2))->GetIndex() == 2);
    list->RemoveAt(2);
    CHECK(list->GetCurSel() == -1);
    list->RemoveAll();
    CHECK(list->GetCount() == 0);
    CHECK(list->GetScrollPos().cy == 0);
}
