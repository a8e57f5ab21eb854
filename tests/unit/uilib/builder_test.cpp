// The builder on small skins: tree shape, attributes, defaults, fonts, custom tags, bad input;
// finding controls by name and by point after a layout pass.
#include <doctest.h>

#include <string>

#include "uilib/UILib.h"

namespace {

std::string Utf8(const wchar_t* text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string s(size_t(n > 0 ? n - 1 : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, s.data(), n, nullptr, nullptr);
    return s;
}

CControlUI* Build(CDialogBuilder& builder, const std::string& xml, CPaintManagerUI& pm, IDialogBuilderCallback* cb = nullptr) {
    return builder.CreateFromMemory(xml.data(), xml.size(), cb, &pm);
}

class CustomUI : public CControlUI {
public:
    LPCTSTR GetClass() const override { return L"Custom"; }
};

struct Callback : IDialogBuilderCallback {
    CControlUI* CreateControl(LPCTSTR cls) override { return wcscmp(cls, L"Custom") == 0 ? new CustomUI : nullptr; }
};

const wchar_t kSkin[] =
    L"<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    L"<Window size=\"360,180\" caption=\"0,0,0,120\" sizebox=\"4,4,4,4\" mininfo=\"200,100\" showshadow=\"true\" shadowsize=\"25\">"
    L"<Font id=\"0\" name=\"微软雅黑\" size=\"14\" default=\"true\"/>"
    L"<Font id=\"1\" name=\"微软雅黑\" size=\"16\"/>"
    L"<Default name=\"VScrollBar\" value=\"width=&quot;8&quot; showbutton1=&quot;false&quot;\"/>"
    L"<VerticalLayout name=\"root\" bkcolor=\"#FFFFFFFF\" bordersize=\"1\" bordercolor=\"#FFFFFFFF\">"
    L"  <HorizontalLayout name=\"header\" height=\"25\" bkcolor=\"#FF199D9B\" inset=\"15,5,0,0\" childvalign=\"vcenter\">"
    L"    <Text text=\"提示\" width=\"40\" textcolor=\"#FFFFFFFF\"/>"
    L"    <Control/>"
    L"    <Button name=\"closebtn\" width=\"20\" height=\"10\" tooltip=\"关闭\" cursor=\"hand\" bogus=\"1\" width2=\"x\"/>"
    L"  </HorizontalLayout>"
    L"  <Frobnicate name=\"unknown\"><Button name=\"insideunknown\"/></Frobnicate>"
    L"  <Custom name=\"custom\" height=\"20\" userdata=\"7\"/>"
    L"  <TabLayout name=\"maintab\" selectedid=\"1\" vscrollbar=\"true\">"
    L"    <VerticalLayout name=\"page0\"/><VerticalLayout name=\"page1\"/><VerticalLayout name=\"page2\"/>"
    L"  </TabLayout>"
    L"  <Progress name=\"progress\" height=\"10\" min=\"0\" max=\"100\" value=\"abc\"/>"
    L"  <Option name=\"o1\" group=\"g\" selected=\"true\" height=\"10\"/>"
    L"  <Option name=\"o2\" group=\"g\" height=\"10\"/>"
    L"</VerticalLayout>"
    L"</Window>";

}  // namespace

TEST_CASE("a skin builds into the expected tree with its attributes") {
    CPaintManagerUI pm;
    CDialogBuilder builder;
    Callback cb;
    CControlUI* root = Build(builder, Utf8(kSkin), pm, &cb);
    REQUIRE(root != nullptr);
    pm.AttachDialog(root);

    CHECK(root->GetName() == L"root");
    auto* box = static_cast<CContainerUI*>(root->GetInterface(L"Container"));
    REQUIRE(box != nullptr);
    // The unknown tag and its children are left out.
    CHECK(box->GetCount() == 6);
    CHECK(pm.FindControl(L"unknown") == nullptr);
    CHECK(pm.FindControl(L"insideunknown") == nullptr);
    CHECK(pm.FindControl(L"nosuchcontrol") == nullptr);

    CControlUI* header = pm.FindControl(L"header");
    REQUIRE(header != nullptr);
    CHECK(header->GetFixedHeight() == 25);
    CHECK(header->GetBkColor() == 0xFF199D9B);
    CHECK(static_cast<CContainerUI*>(header->GetInterface(L"Container"))->GetInset().left == 15);

    CControlUI* close = pm.FindControl(L"closebtn");
    REQUIRE(close != nullptr);
    CHECK(close->GetInterface(L"Button") != nullptr);
    CHECK(close->GetToolTip() == L"关闭");
    CHECK(close->IsHandCursor());
    CHECK(close->GetFixedWidth() == 20);
    CHECK(static_cast<CContainerUI*>(header->GetInterface(L"Container"))->FindSubControl(L"closebtn") == close);

    CControlUI* custom = pm.FindControl(L"custom");
    REQUIRE(custom != nullptr);
    CHECK(wcscmp(custom->GetClass(), L"Custom") == 0);
    CHECK(custom->GetUserData() == L"7");

    auto* tab = static_cast<CTabLayoutUI*>(pm.FindControl(L"maintab")->GetInterface(L"TabLayout"));
    REQUIRE(tab != nullptr);
    CHECK(tab->GetCurSel() == 1);
    CHECK_FALSE(pm.FindControl(L"page0")->IsVisible());
    CHECK(pm.FindControl(L"page1")->IsVisible());
    CHECK(tab->SelectItem(2));
    CHECK(pm.FindControl(L"page2")->IsVisible());
    CHECK_FALSE(pm.FindControl(L"page1")->IsVisible());
    CHECK_FALSE(tab->SelectItem(7));
    // The default list of vertical scroll bars was applied to the tab's bar.
    REQUIRE(tab->GetVerticalScrollBar() != nullptr);
    CHECK(tab->GetVerticalScrollBar()->GetFixedWidth() == 8);
    CHECK_FALSE(tab->GetVerticalScrollBar()->GetShowButton1());

    auto* progress = static_cast<CProgressUI*>(pm.FindControl(L"progress")->GetInterface(L"Progress"));
    REQUIRE(progress != nullptr);
    CHECK(progress->GetValue() == 0);
    progress->SetValue(40);
    CHECK(progress->GetValue() == 40);
    progress->SetValue(140);
    CHECK(progress->GetValue() == 40);

    auto* o1 = static_cast<COptionUI*>(pm.FindControl(L"o1")->GetInterface(L"Option"));
    auto* o2 = static_cast<COptionUI*>(pm.FindControl(L"o2")->GetInterface(L"Option"));
    CHECK(o1->IsSelected());
    o2->Selected(true);
    CHECK(o2->IsSelected());
    CHECK_FALSE(o1->IsSelected());

    // Window attributes and fonts.
    CHECK(pm.GetInitSize().cx == 360);
    CHECK(pm.GetCaptionRect().bottom == 120);
    CHECK(pm.GetSizeBox().left == 4);
    CHECK(pm.GetMinInfo().cy == 100);
    CHECK(std::wstring(pm.GetWindowAttribute(L"shadowsize")) == L"25");
    CHECK(pm.GetWindowAttribute(L"nosuch") == nullptr);
    REQUIRE(pm.GetFontInfo(1) != nullptr);
    CHECK(pm.GetFontInfo(1)->iSize == 16);
    CHECK(pm.GetDefaultFontInfo()->iSize == 14);
    CHECK(pm.GetFontInfo(100) == pm.GetDefaultFontInfo());
}

TEST_CASE("layout and finding controls by point") {
    CPaintManagerUI pm;
    CDialogBuilder builder;
    Callback cb;
    CControlUI* root = Build(builder, Utf8(kSkin), pm, &cb);
    REQUIRE(root != nullptr);
    pm.AttachDialog(root);
    root->SetPos({0, 0, 360, 180});

    CControlUI* header = pm.FindControl(L"header");
    CHECK(header->GetPos().top == 0);
    CHECK(header->GetPos().bottom == 25);
    CControlUI* close = pm.FindControl(L"closebtn");
    // Right end of the header, centred vertically in the 20 pixels below the inset.
    CHECK(close->GetPos().right == 360);
    CHECK(close->GetPos().left == 340);
    CHECK(close->GetPos().top == 10);
    POINT inside = {350, 12};
    CHECK(pm.FindControl(inside) == close);
    POINT onHeader = {100, 3};
    CHECK(pm.FindControl(onHeader) == header);
    close->SetVisible(false);
    CHECK(pm.FindControl(inside) == header);
    close->SetVisible(true);
    close->SetMouseEnabled(false);
    CHECK(pm.FindControl(inside) == header);
}

TEST_CASE("bad skins fail cleanly") {
    const char* bad[] = {
        "",
        "<Window><VerticalLayout></Window>",
        "<Window",
        "not xml at all",
        "<Window><Frobnicate/></Window>",
        "<Window><Font id=\"x\" size=\"big\"/></Window>",
    };
    for (const char* xml : bad) {
        CAPTURE(xml);
        CPaintManagerUI pm;
        CDialogBuilder builder;
        CHECK(builder.CreateFromMemory(xml, strlen(xml), nullptr, &pm) == nullptr);
        CHECK_FALSE(builder.GetLastErrorMessage().IsEmpty());
    }
    // Bad values are ignored, the control still builds.
    const char* odd = "<Window><Control width=\"abc\" bkcolor=\"#zz\" pos=\"1,2,x\" padding=\"\" height=\"-5\"/></Window>";
    CPaintManagerUI pm;
    CDialogBuilder builder;
    CControlUI* c = builder.CreateFromMemory(odd, strlen(odd), nullptr, &pm);
    REQUIRE(c != nullptr);
    CHECK(c->GetFixedWidth() == 0);
    CHECK(c->GetFixedHeight() == 0);
    CHECK(c->GetBkColor() == 0);
    delete c;
    // A missing skin file gives no control.
    CHECK(builder.Create(L"no-such-skin.xml", nullptr, &pm) == nullptr);
}

TEST_CASE("one builder makes many rows from the same skin") {
    const std::string row = Utf8(
        L"<Window><Font id=\"12\" name=\"微软雅黑\" size=\"12\" shared=\"true\"/>"
        L"<HorizontalLayout name=\"row\" height=\"30\"><Text name=\"Order\" font=\"100\" mouse=\"false\"/></HorizontalLayout></Window>");
    CPaintManagerUI pm;
    auto* list = new CVerticalLayoutUI;
    pm.AttachDialog(list);
    CDialogBuilder builder;
    CControlUI* first = builder.CreateFromMemory(row.data(), row.size(), nullptr, &pm);
    REQUIRE(first != nullptr);
    HFONT font = pm.GetFont(12);
    list->Add(first);
    for (int i = 0; i < 3; ++i) {
        CControlUI* next = builder.Create(nullptr, &pm);
        REQUIRE(next != nullptr);
        list->Add(next);
    }
    CHECK(list->GetCount() == 4);
    CHECK(pm.GetFont(12) == font);   // the shared font was kept, not replaced
    list->SetPos({0, 0, 100, 200});
    CHECK(list->GetItemAt(3)->GetPos().top == 90);
    CHECK(static_cast<CContainerUI*>(list->GetItemAt(2)->GetInterface(L"Container"))->FindSubControl(L"Order") != nullptr);
}

TEST_CASE("a list with a vertical scroll bar scrolls its rows") {
    CPaintManagerUI pm;
    auto* list = new CVerticalLayoutUI;
    pm.AttachDialog(list);
    list->EnableScrollBar(true, false);
    for (int i = 0; i < 10; ++i) {
        auto* row = new CControlUI;
        row->SetFixedHeight(30);
        list->Add(row);
    }
    list->SetPos({0, 0, 100, 100});
    CHECK(list->GetVerticalScrollBar()->IsVisible());
    CHECK(list->GetScrollRange().cy == 200);
    CHECK(list->GetItemAt(0)->GetPos().right == 100 - list->GetVerticalScrollBar()->GetFixedWidth());
    list->SetScrollPos({0, 60});
    CHECK(list->GetScrollPos().cy == 60);
    CHECK(list->GetItemAt(2)->GetPos().top == 0);
    list->SetScrollPos({0, 1000});
    CHECK(list->GetScrollPos().cy == 200);
    list->RemoveAll();
    list->SetPos({0, 0, 100, 100});
    CHECK_FALSE(list->GetVerticalScrollBar()->IsVisible());
    CHECK(list->GetScrollPos().cy == 0);
}
