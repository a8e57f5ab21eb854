// Single-line edit: made from its tag, one line only, Enter notifies, read-only from the skin.
#include <doctest.h>

#include "test_window.h"

namespace {

const char kSkin[] =
    "<Window size=\"300,100\"><VerticalLayout>"
    "<Edit name=\"msg_edit\" height=\"26\" readonly=\"true\" text=\"只读\" bkcolor=\"#FFFFFFFF\" textpadding=\"10,0,10,0\"/>"
    "<Edit name=\"line\" height=\"26\"/>"
    "</VerticalLayout></Window>";

}  // namespace

TEST_CASE("edit: one line, Enter sends return, the read-only skin attribute holds") {
    TestWindow w(kSkin);
    auto* readOnly = w.Find<CEditUI>(L"msg_edit");
    CHECK(readOnly->GetInterface(L"Edit") == readOnly);
    CHECK(readOnly->IsReadOnly());
    CHECK(readOnly->GetText() == L"只读");
    readOnly->SetFocus();
    w.Type(L"x");
    CHECK(readOnly->GetText() == L"只读");

    auto* line = w.Find<CEditUI>(L"line");
    CHECK_FALSE(line->IsMultiLine());
    line->SetFocus();
    w.Type(L"ab");
    w.Key(VK_RETURN);
    w.Type(L"c");
    CHECK(line->GetText() == L"abc");
    CHECK(line->GetLineCount() == 1);
    CHECK(w.Count(L"return") == 1);
    line->SetText(L"");
    CHECK(line->GetTextLength() == 0);
}
