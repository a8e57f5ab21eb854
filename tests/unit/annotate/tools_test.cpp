// CAnnotator over real skin controls and a fake capture window: tool choice and panels,
// styles, the press/move/release branches, undo, command 209 and the text commit.
#include <doctest.h>

#include <memory>
#include <vector>

#include "capturo/annotate/Annotator.h"
#include "capturo/annotate/Palette.h"
#include "capturo/annotate/TextBoxGeometry.h"
#include "capturo/annotate/ToolbarLayout.h"
#include "uilib/UILib.h"

namespace {

constexpr uint32_t kBlue = 0xFF3894E4;

// The window as the tools see it; commands go back to the annotator as the real one routes them.
class FakeWindow : public IAnnotationHost {
public:
    FakeWindow() {
        Add<CHorizontalLayoutUI>(L"menubuttoncontainer");
        Add<CVerticalLayoutUI>(L"pensizecontainer");
        Add<CVerticalLayoutUI>(L"fontsizecontainer");
        Add<CVerticalLayoutUI>(L"colorcontainer");
        Add<CButtonUI>(L"btnselectedcolor");
        Add<CControlUI>(L"cmbfontsize")->SetText(L"14");
        Add<CRichEditUI>(L"editText");
        for (const tagPenSize& size : kPenSizes) Add<COptionUI>(size.button);
        for (const tagToolInfo& tool : kTools) Add<COptionUI>(tool.option);
        for (const wchar_t* name : {L"undo", L"datatext", L"save", L"quit", L"done"}) Add<CButtonUI>(name);
        for (CControlUI* c : controls_) c->SetVisible(false);
        annotator.SetHost(this);
    }

    RECT GetScreenRect() const override { return RECT{0, 0, 1920, 1080}; }
    RECT GetSelectionRect() const override { return selection; }
    RECT GetCanvasRect() const override {
        return RECT{selection.left - 2, selection.top - 2, selection.right + 2, selection.bottom + 2};
    }
    void ResetSelection(bool keepFixed) override {
        ++resets;
        (void)keepFixed;
        annotator.toolActive = false;
        annotator.panelsShown = false;
        annotator.ClearItems();
    }
    void SendCommand(UINT id) override {
        commands.push_back(id);
        annotator.OnCommand(id, nullptr);
    }
    CControlUI* FindControl(const wchar_t* name) const override {
        for (CControlUI* c : controls_) {
            if (c->GetName() == name) return c;
        }
        return nullptr;
    }
    bool CursorIsCross() const override { return cross; }
    void Invalidate(const RECT* area, bool, bool) override {
        ++invalidations;
        wholeWindowInvalidated |= (area == nullptr);
        if (area) lastInvalidated = *area;
    }
    void StartRecognition() override { ++recognitions; }

    void Click(const wchar_t* name) {
        TNotifyUI msg;
        msg.sType = L"click";
        msg.pSender = FindControl(name);
        CHECK(annotator.OnClick(msg));
    }
    void Drag(POINT from, std::vector<POINT> through, POINT to) {
        annotator.OnLButtonDown(from);
        for (POINT p : through) annotator.OnMouseMove(p);
        annotator.OnMouseMove(to);
        annotator.OnLButtonUp(to);
    }
    bool Shown(const wchar_t* name) const { return FindControl(name)->IsVisible(); }

    CAnnotator annotator;
    RECT selection{100, 100, 500, 400};
    bool cross = true;
    int resets = 0;
    int recognitions = 0;
    int invalidations = 0;
    bool wholeWindowInvalidated = false;
    RECT lastInvalidated{};
    std::vector<UINT> commands;

private:
    template <typename T>
    T* Add(const wchar_t* name) {
        owned_.push_back(std::make_unique<T>());
        T* c = static_cast<T*>(owned_.back().get());
        c->SetName(name);
        controls_.push_back(c);
        return c;
    }
    std::vector<std::unique_ptr<CControlUI>> owned_;
    std::vector<CControlUI*> controls_;
};

std::unique_ptr<FakeWindow> MakeWindow() {
    auto w = std::make_unique<FakeWindow>();
    REQUIRE(w->annotator.BindControls());
    return w;
}

}  // namespace

TEST_CASE("choosing the engaged tool again hides its panels, a third time shows them") {
    auto w = MakeWindow();
    w->annotator.SelectTool(kKindArrow);
    CHECK(w->annotator.toolActive);
    CHECK(w->annotator.panelsShown);
    CHECK(w->Shown(L"pensizecontainer"));
    CHECK(w->Shown(L"colorcontainer"));
    CHECK_FALSE(w->Shown(L"fontsizecontainer"));
    w->annotator.SelectTool(kKindArrow);
    CHECK_FALSE(w->annotator.panelsShown);
    CHECK_FALSE(w->Shown(L"pensizecontainer"));
    CHECK_FALSE(w->Shown(L"colorcontainer"));
    w->annotator.SelectTool(kKindArrow);
    CHECK(w->annotator.panelsShown);
    CHECK(w->Shown(L"pensizecontainer"));
    w->annotator.SelectTool(kKindText);
    CHECK(w->annotator.panelsShown);
    CHECK(w->Shown(L"fontsizecontainer"));
    CHECK_FALSE(w->Shown(L"pensizecontainer"));
    const tagPanelLayout expected = ComputePanelLayout(GetToolbarRect(w->selection, w->GetScreenRect()), kKindText);
    CHECK(EqualRect(&w->annotator.panelRect, &expected.panelRect));
    CHECK(EqualRect(&w->FindControl(L"colorcontainer")->GetPos(), &expected.colorPanel));
}

TEST_CASE("a drag makes one clamped item; a release at the press point makes none") {
    auto w = MakeWindow();
    w->annotator.SelectTool(kKindRectangle);
    w->Click(L"btnlargepen");  // margin 7
    w->Drag(POINT{150, 150}, {{300, 300}}, POINT{900, 50});
    REQUIRE(w->annotator.items.size() == 1);
    const tagPaintItem& r = w->annotator.items[0];
    CHECK(r.kind == kKindRectangle);
    CHECK(r.width == 8);
    CHECK(r.color == kDefaultColor);
    CHECK(r.startX == 150);
    CHECK(r.endX == 493);
    CHECK(r.endY == 107);
    CHECK_FALSE(w->annotator.currentItem);
    CHECK_FALSE(w->wholeWindowInvalidated);

    for (int kind = kKindRectangle; kind <= kKindBrush; ++kind) {
        CAPTURE(kind);
        w->annotator.SelectTool(kind);
        w->Drag(POINT{200, 200}, {{250, 260}}, POINT{200, 200});
        CHECK(w->annotator.items.size() == 1);
    }
}

TEST_CASE("presses that start nothing: no tool, outside, not the cross, not ready") {
    auto w = MakeWindow();
    w->Drag(POINT{150, 150}, {}, POINT{300, 300});  // no tool engaged
    CHECK(w->annotator.items.empty());
    w->annotator.SelectTool(kKindEllipse);
    w->Drag(POINT{50, 50}, {}, POINT{300, 300});  // outside the selection
    CHECK(w->annotator.items.empty());
    w->Drag(POINT{500, 200}, {}, POINT{300, 300});  // on its right edge, excluded
    CHECK(w->annotator.items.empty());
    w->cross = false;  // a handle or the toolbar: another cursor shows
    w->Drag(POINT{150, 150}, {}, POINT{300, 300});
    CHECK(w->annotator.items.empty());
    w->cross = true;

    // A release where the cross does not show keeps readyForItem false...
    w->annotator.OnLButtonDown(POINT{150, 150});
    w->cross = false;
    w->annotator.OnLButtonUp(POINT{300, 300});
    CHECK_FALSE(w->annotator.readyForItem);
    w->cross = true;
    // ...so the next press starts nothing and the next release finishes the waiting item.
    w->annotator.OnLButtonDown(POINT{350, 350});
    w->annotator.OnLButtonUp(POINT{250, 260});
    REQUIRE(w->annotator.items.size() == 1);
    CHECK(w->annotator.items[0].startX == 150);
    CHECK(w->annotator.items[0].endX == 250);
    CHECK(w->annotator.items[0].endY == 260);
}

TEST_CASE("a brush stroke samples the press and every move, not the release") {
    auto w = MakeWindow();
    w->annotator.SelectTool(kKindBrush);
    w->annotator.OnLButtonDown(POINT{120, 130});
    CHECK(w->annotator.strokeStarted);
    w->invalidations = 0;
    for (POINT p : {POINT{130, 140}, POINT{140, 150}, POINT{600, 155}}) w->annotator.OnMouseMove(p);
    CHECK(w->invalidations == 3);
    CHECK_FALSE(w->wholeWindowInvalidated);
    CHECK(w->lastInvalidated.right - w->lastInvalidated.left < 400);  // the newest piece only
    w->annotator.OnLButtonUp(POINT{160, 170});
    CHECK_FALSE(w->annotator.strokeStarted);
    REQUIRE(w->annotator.items.size() == 1);
    const std::vector<POINT>& pts = w->annotator.items[0].points;
    REQUIRE(pts.size() == 4);
    CHECK(pts[0].x == 120);
    CHECK(pts[3].x == 496);  // clamped with the default margin 4
    CHECK(w->annotator.items[0].endX == 160);
}

TEST_CASE("undo removes the newest item; with none it returns to region selection") {
    auto w = MakeWindow();
    w->annotator.SelectTool(kKindRectangle);
    w->Drag(POINT{150, 150}, {}, POINT{200, 200});
    w->annotator.SelectTool(kKindArrow);
    w->Drag(POINT{250, 250}, {}, POINT{300, 300});
    w->Click(L"undo");
    REQUIRE(w->annotator.items.size() == 1);
    CHECK(w->annotator.items[0].kind == kKindRectangle);
    CHECK(w->resets == 0);
    w->Click(L"undo");
    CHECK(w->annotator.items.empty());
    w->Click(L"undo");
    CHECK(w->resets == 1);
    CHECK_FALSE(w->annotator.toolActive);
}

TEST_CASE("toolbar tools load their remembered styles; the context menu's do not") {
    auto w = MakeWindow();
    w->annotator.styles.colors[kKindRectangle - 1] = kBlue;
    w->annotator.styles.widths[kKindRectangle - 1] = 4;
    w->annotator.styles.colors[kKindText - 1] = kDefaultColor;
    w->Click(L"addrectangle");
    CHECK(w->commands.back() == kCmdAddRectangle);
    CHECK(w->annotator.currentTool == kKindRectangle);
    CHECK(w->annotator.currentColor == kBlue);
    CHECK(w->annotator.penWidth == 4);
    CHECK(w->annotator.penMargin == 4);
    CHECK(static_cast<COptionUI*>(w->FindControl(L"btnmediumpen"))->IsSelected());
    CHECK(w->FindControl(L"btnselectedcolor")->GetBkColor() == kBlue);
    CHECK(CDuiString(w->FindControl(L"btnselectedcolor")->GetBkImage()) == L"14.png");

    w->Click(L"addtext");
    CHECK(w->annotator.currentColor == kDefaultColor);
    CHECK(w->annotator.penWidth == 4);
    CHECK(CDuiString(w->FindControl(L"btnselectedcolor")->GetBkImage()) == L"11.png");
    CHECK(static_cast<CRichEditUI*>(w->FindControl(L"editText"))->GetTextColor() == kDefaultColor);

    w->SendCommand(kCmdAddEllipse);  // as from the menu: the text's red stays
    CHECK(w->annotator.currentTool == kKindEllipse);
    CHECK(w->annotator.currentColor == kDefaultColor);
}

TEST_CASE("a width that no button gives leaves the options and the margin") {
    auto w = MakeWindow();
    w->annotator.styles.widths[kKindBrush - 1] = 5;
    w->Click(L"btnlargepen");
    CHECK(w->annotator.penMargin == 7);
    w->Click(L"addbrush");
    CHECK(w->annotator.penWidth == 5);
    CHECK(w->annotator.penMargin == 7);
}

TEST_CASE("pen sizes and colours are remembered per tool") {
    auto w = MakeWindow();
    w->Click(L"addarrow");
    w->Click(L"btnlargepen");
    CButtonUI blue;
    blue.SetName(L"btncolorblue");
    blue.SetUserData(L"14");
    TNotifyUI msg;
    msg.sType = L"click";
    msg.pSender = &blue;
    CHECK(w->annotator.OnClick(msg));
    CHECK(w->annotator.currentColor == kBlue);
    CHECK(w->annotator.styles.colors[kKindArrow - 1] == kBlue);
    CHECK(w->annotator.styles.widths[kKindArrow - 1] == 8);
    CHECK(w->annotator.styles.colors[kKindRectangle - 1] == kDefaultColor);
    CHECK(CDuiString(w->FindControl(L"btnselectedcolor")->GetBkImage()) == L"14.png");
    blue.SetUserData(L"99");  // not a palette index: nothing changes
    CHECK(w->annotator.OnClick(msg));
    CHECK(w->annotator.currentColor == kBlue);
    w->Click(L"datatext");
    CHECK(w->recognitions == 1);
}

TEST_CASE("command 209 hides and shows the toolbar and switches its menu entry") {
    auto w = MakeWindow();
    HMENU menu = ::CreatePopupMenu();
    for (UINT i = 0; i < 11; ++i) ::AppendMenuW(menu, MF_STRING, 300 + i, L"x");
    ::AppendMenuW(menu, MF_STRING, kCmdToggleToolbar, kHideToolbarText);
    w->annotator.SelectTool(kKindArrow);
    w->annotator.ShowToolbarIfHidden();
    CHECK(w->Shown(L"menubuttoncontainer"));
    wchar_t text[64] = {};
    CHECK(w->annotator.OnCommand(kCmdToggleToolbar, menu));
    CHECK_FALSE(w->Shown(L"menubuttoncontainer"));
    CHECK_FALSE(w->Shown(L"colorcontainer"));
    ::GetMenuStringW(menu, kCmdToggleToolbar, text, 64, MF_BYCOMMAND);
    CHECK(std::wstring(text) == kShowToolbarText);
    CHECK(w->annotator.OnCommand(kCmdToggleToolbar, menu));
    CHECK(w->Shown(L"menubuttoncontainer"));
    CHECK_FALSE(w->Shown(L"colorcontainer"));
    ::GetMenuStringW(menu, kCmdToggleToolbar, text, 64, MF_BYCOMMAND);
    CHECK(std::wstring(text) == kHideToolbarText);
    CHECK(w->annotator.panelsShown);  // the panels come back with the next placement
    ::DestroyMenu(menu);

    // A release brings a hidden toolbar back without touching the flag.
    w->annotator.OnCommand(kCmdToggleToolbar, nullptr);
    w->annotator.OnLButtonUp(POINT{10, 10});
    CHECK(w->Shown(L"menubuttoncontainer"));
    CHECK(w->annotator.toolbarHidden);
    CHECK(w->annotator.HitToolbarOrPanels(GetToolbarRect(w->selection, w->GetScreenRect()).left + 1,
                                          GetToolbarRect(w->selection, w->GetScreenRect()).top + 1));
    CHECK_FALSE(w->annotator.HitToolbarOrPanels(300, 300));
    CHECK(w->annotator.OnCommand(kCmdUndo, nullptr));
    CHECK_FALSE(w->annotator.OnCommand(kCmdCopyAndExit, nullptr));
}

TEST_CASE("the text box's text becomes an item at its inset rectangle when a press lands outside") {
    auto w = MakeWindow();
    auto* edit = static_cast<CRichEditUI*>(w->FindControl(L"editText"));
    w->annotator.SelectTool(kKindText);
    w->annotator.OnLButtonDown(POINT{200, 200});
    CHECK(w->annotator.placingText);
    w->annotator.OnLButtonUp(POINT{200, 200});
    const RECT opened{200, 200, 230, 260};
    CHECK(EqualRect(&w->annotator.textRect, &opened));
    CHECK(edit->IsVisible());
    edit->SetText(L"标注");
    w->annotator.OnLButtonDown(POINT{210, 210});  // inside the box: commits nothing
    w->annotator.OnLButtonUp(POINT{210, 210});
    CHECK(w->annotator.items.empty());
    w->annotator.OnLButtonDown(POINT{300, 300});
    REQUIRE(w->annotator.items.size() == 1);
    const tagPaintItem& t = w->annotator.items[0];
    CHECK(t.kind == kKindText);
    CHECK(t.text == L"标注");
    CHECK(t.width == 14);
    CHECK(t.startX == 200 + edit->GetInset().left);
    CHECK(t.endY == 260 - edit->GetInset().bottom);
    CHECK_FALSE(w->annotator.currentItem);
    CHECK(edit->GetText().IsEmpty());
    w->annotator.OnLButtonUp(POINT{300, 300});

    edit->SetText(L"abc");
    w->annotator.SelectTool(kKindArrow);  // leaving the text tool commits and hides the box
    CHECK(w->annotator.items.size() == 2);
    CHECK_FALSE(edit->IsVisible());
    w->annotator.SelectTool(kKindText);
    w->annotator.SelectTool(kKindArrow);  // an empty box makes no item
    CHECK(w->annotator.items.size() == 2);
}

TEST_CASE("going back to region selection resets the tools but keeps the styles") {
    auto w = MakeWindow();
    w->Click(L"addarrow");
    static_cast<COptionUI*>(w->FindControl(L"addarrow"))->Selected(true, false);
    w->Click(L"btnlargepen");
    w->annotator.ShowToolbarIfHidden();
    w->Drag(POINT{150, 150}, {}, POINT{250, 250});
    w->annotator.ResetTools();
    CHECK_FALSE(w->annotator.toolActive);
    CHECK_FALSE(w->annotator.panelsShown);
    CHECK(w->annotator.items.empty());
    CHECK_FALSE(w->Shown(L"menubuttoncontainer"));
    CHECK_FALSE(w->Shown(L"pensizecontainer"));
    CHECK_FALSE(static_cast<COptionUI*>(w->FindControl(L"addarrow"))->IsSelected());
    CHECK(w->annotator.currentTool == kKindArrow);
    CHECK(w->annotator.penWidth == 8);
    CHECK(w->annotator.styles.widths[kKindArrow - 1] == 8);
}
