// "main.ini" through the private-profile functions: round trips, bad values, bad places.
#include <doctest.h>

#include "capturo/annotate/StyleSettings.h"
#include "gdiplus_fixture.h"

namespace {

constexpr uint32_t kBlue = 0xFF3894E4;

int ReadKey(const std::wstring& ini, const wchar_t* key) {
    return static_cast<int>(::GetPrivateProfileIntW(L"Info", key, -999, ini.c_str()));
}

// A fresh file per case; the profile functions cache nothing we rely on.
std::wstring FreshIni(const std::string& text) {
    const std::wstring path = TempPath(L"annotate_styles_test.ini");
    ::DeleteFileW(path.c_str());
    if (!text.empty()) WriteFileText(path, text);
    return path;
}

bool AllDefaults(const tagToolStyles& s) {
    for (int w : s.widths) if (w != 2) return false;
    for (uint32_t c : s.colors) if (c != kDefaultColor) return false;
    return true;
}

}  // namespace

TEST_CASE("first run without a file: red and width 2 everywhere") {
    tagToolStyles styles;
    styles.widths[0] = 8;
    styles.colors[4] = kBlue;
    LoadStyles(FreshIni(""), styles);
    CHECK(AllDefaults(styles));
}

TEST_CASE("the arrow made large and blue is saved as 14 and 8, the rest as 11 and 2") {
    const std::wstring ini = FreshIni("");
    tagToolStyles styles;
    LoadStyles(ini, styles);
    styles.colors[kKindArrow - 1] = kBlue;
    styles.widths[kKindArrow - 1] = 8;
    SaveStyles(ini, styles);
    struct Case { const wchar_t* key; int value; };
    const Case cases[] = {{L"RectangleColor", 11}, {L"EllipseColor", 11}, {L"ArrowColor", 14},
                          {L"BrushColor", 11},     {L"TextColor", 11},    {L"RectangleWidth", 2},
                          {L"EllipseWidth", 2},    {L"ArrowWidth", 8},    {L"BrushWidth", 2}};
    for (const Case& c : cases) {
        CAPTURE(doctest::toString(c.value));
        CHECK(ReadKey(ini, c.key) == c.value);
    }
    tagToolStyles back;
    LoadStyles(ini, back);
    for (int i = 0; i < 4; ++i) CHECK(back.widths[i] == styles.widths[i]);
    for (int i = 0; i < 5; ++i) CHECK(back.colors[i] == styles.colors[i]);
}

TEST_CASE("values read from the file") {
    struct Case { const char* name; std::string text; int kind; bool color; int64_t expected; int writtenBack; };
    const Case cases[] = {
        {"index 0 is red", "[Info]\r\nRectangleColor=0\r\n", kKindRectangle, true, kDefaultColor, 11},
        {"index 17 is red", "[Info]\r\nRectangleColor=17\r\n", kKindRectangle, true, kDefaultColor, 11},
        {"index 16 is cyan", "[Info]\r\nTextColor=16\r\n", kKindText, true, 0xFF16DCDC, 16},
        {"text is red", "[Info]\r\nEllipseColor=blue\r\n", kKindEllipse, true, kDefaultColor, 11},
        {"a huge index is red", "[Info]\r\nBrushColor=99999999999999999999\r\n", kKindBrush, true, kDefaultColor, 11},
        {"a negative index is red", "[Info]\r\nArrowColor=-14\r\n", kKindArrow, true, kDefaultColor, 11},
        {"width 5 kept", "[Info]\r\nBrushWidth=5\r\n", kKindBrush, false, 5, 5},
        {"width 3 kept", "[Info]\r\nArrowWidth=3\r\n", kKindArrow, false, 3, 3},
        {"width 0 kept", "[Info]\r\nEllipseWidth=0\r\n", kKindEllipse, false, 0, 0},
        {"negative width kept", "[Info]\r\nRectangleWidth=-7\r\n", kKindRectangle, false, -7, -7},
        {"garbage width reads 0", "[Info]\r\nArrowWidth=wide\r\n", kKindArrow, false, 0, 0},
        {"missing section", "[Other]\r\nArrowWidth=8\r\nArrowColor=14\r\n", kKindArrow, false, 2, 2},
        {"not an ini file", std::string("\x01\x02\xff\xfe garbage\r\n=\r\n[\r\n", 20), kKindArrow, false, 2, 2},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        const std::wstring ini = FreshIni(c.text);
        tagToolStyles styles;
        LoadStyles(ini, styles);
        if (c.color) {
            CHECK(styles.colors[c.kind - 1] == static_cast<uint32_t>(c.expected));
        } else {
            CHECK(styles.widths[c.kind - 1] == c.expected);
        }
        SaveStyles(ini, styles);
        const tagSettingsKey* key = nullptr;
        for (const tagSettingsKey& k : kSettingsKeys) {
            if (k.kind == c.kind && k.isColor == c.color) key = &k;
        }
        REQUIRE(key != nullptr);
        CHECK(ReadKey(ini, key->name) == c.writtenBack);
    }
}

TEST_CASE("saving leaves other keys alone and does not fail without a folder") {
    const std::wstring ini = FreshIni("[Info]\r\nFavourite=yes\r\n[Window]\r\nLeft=10\r\n");
    SaveStyles(ini, tagToolStyles{});
    wchar_t value[32] = {};
    ::GetPrivateProfileStringW(L"Info", L"Favourite", L"", value, 32, ini.c_str());
    CHECK(std::wstring(value) == L"yes");
    CHECK(::GetPrivateProfileIntW(L"Window", L"Left", 0, ini.c_str()) == 10);

    const std::wstring nowhere = TempPath(L"annotate_no_such_folder\\main.ini");
    SaveStyles(nowhere, tagToolStyles{});
    CHECK_FALSE(FileExists(nowhere));
    tagToolStyles styles;
    LoadStyles(nowhere, styles);
    CHECK(AllDefaults(styles));
    LoadStyles(L"", styles);
    SaveStyles(L"", styles);
    CHECK(AllDefaults(styles));
}
