// Colour, number, rectangle, attribute list and image attribute string parsing.
#include <doctest.h>

#include "uilib/core/ValueParse.h"
#include "uilib/image/ImageAttribute.h"

using namespace uilib;

TEST_CASE("colours in the skin's notations") {
    struct Case { const wchar_t* text; bool ok; DWORD color; };
    const Case cases[] = {
        {L"#FF00AEFF", true, 0xFF00AEFF},
        {L"#00AEFF", true, 0xFF00AEFF},
        {L"#ffffffff", true, 0xFFFFFFFF},
        {L"#FF0000", true, 0xFFFF0000},
        {L"0x4F000000", true, 0x4F000000},
        {L"0X80FFFFFF", true, 0x80FFFFFF},
        {L"255", true, 255},
        {L" #FFE9EEF5 ", true, 0xFFE9EEF5},
        {L"#FFF", false, 0},
        {L"#GG0000", false, 0},
        {L"red", false, 0},
        {L"", false, 0},
        {L"#123456789", false, 0},
    };
    for (const Case& c : cases) {
        CAPTURE(std::wstring(c.text).size());
        DWORD color = 0xDEADBEEF;
        CHECK(ParseColor(c.text, color) == c.ok);
        if (c.ok) CHECK(color == c.color);
    }
}

TEST_CASE("rectangles, sizes, integers and booleans") {
    RECT rc;
    REQUIRE(ParseRect(L"6,3,0,6", rc));
    CHECK(rc.left == 6); CHECK(rc.top == 3); CHECK(rc.right == 0); CHECK(rc.bottom == 6);
    REQUIRE(ParseRect(L"-2, 5", rc));
    CHECK(rc.left == -2); CHECK(rc.top == 5); CHECK(rc.right == 0);
    CHECK_FALSE(ParseRect(L"abc", rc));
    CHECK_FALSE(ParseRect(L"", rc));
    SIZE sz;
    REQUIRE(ParseSize(L"760,640", sz));
    CHECK(sz.cx == 760); CHECK(sz.cy == 640);
    int n = 0;
    CHECK(ParseInt(L"42", n)); CHECK(n == 42);
    CHECK_FALSE(ParseInt(L"4x2", n));
    CHECK_FALSE(ParseInt(L"", n));
    CHECK(ParseIntOr(L"99999999999999", 0) == 0x7FFFFFFF);
    CHECK(ParseBool(L"true")); CHECK(ParseBool(L"TRUE")); CHECK_FALSE(ParseBool(L"false", true));
    CHECK(ParseBool(L"maybe", true)); CHECK_FALSE(ParseBool(L"maybe", false));
}

TEST_CASE("attribute lists with nested quotes and entities") {
    auto list = ParseAttributeList(
        L"width=\"8\" showbutton1=&quot;false&quot; thumbnormalimage=\"file='scrollbarcopy.png' corner='2,2,2,2'\"");
    REQUIRE(list.size() == 3);
    CHECK(list[0].first == L"width"); CHECK(list[0].second == L"8");
    CHECK(list[1].first == L"showbutton1"); CHECK(list[1].second == L"false");
    CHECK(list[2].second == L"file='scrollbarcopy.png' corner='2,2,2,2'");
    CHECK(ParseAttributeList(L"width=\"8").empty());
    CHECK(ParseAttributeList(L"garbage").empty());
}

TEST_CASE("image attribute strings") {
    struct Case {
        const wchar_t* text;
        const wchar_t* file;
        RECT source, corner, dest;
        bool hasSource, hasDest, hole;
        BYTE fade;
    };
    const Case cases[] = {
        {L"desktopimage", L"desktopimage", {}, {}, {}, false, false, false, 255},
        {L"file='rectangle.png' source='0,20,22,40'", L"rectangle.png", {0, 20, 22, 40}, {}, {}, true, false, false, 255},
        {L"file='scrollbarcopy.png' corner='2,2,2,2'", L"scrollbarcopy.png", {}, {2, 2, 2, 2}, {}, false, false, false, 255},
        {L"file='desktopimagemask' scale9='10,20,30,40' hole='true'", L"desktopimagemask", {}, {10, 20, 30, 40}, {}, false, false, true, 255},
        {L"file='pensmall.png' source='0,0,22,22' dest='0,4,22,26'", L"pensmall.png", {0, 0, 22, 22}, {}, {0, 4, 22, 26}, true, true, false, 255},
        {L"file='a.png' fade='128' unknown='x' source='bad'", L"a.png", {}, {}, {}, false, false, false, 128},
        {L"file=\"b.png\" hole=\"false\"", L"b.png", {}, {}, {}, false, false, false, 255},
    };
    for (const Case& c : cases) {
        ImageAttribute attr;
        CHECK(ParseImageAttribute(c.text, attr));
        CHECK(attr.file == c.file);
        CHECK(attr.hasSource == c.hasSource);
        CHECK(attr.hasDest == c.hasDest);
        CHECK(attr.hole == c.hole);
        CHECK(attr.fade == c.fade);
        CHECK(EqualRect(&attr.source, &c.source));
        CHECK(EqualRect(&attr.corner, &c.corner));
        CHECK(EqualRect(&attr.dest, &c.dest));
    }
    ImageAttribute empty;
    CHECK_FALSE(ParseImageAttribute(L"   ", empty));
    CHECK_FALSE(ParseImageAttribute(L"source='0,0,1,1'", empty));
    // A modifier string overrides the keys it names and keeps the others.
    ImageAttribute modified;
    ParseImageAttribute(L"file='x.png' source='0,0,10,10'", modified);
    ParseImageAttribute(L"source='0,10,10,20'", modified);
    CHECK(modified.file == L"x.png");
    CHECK(modified.source.top == 10);
}
