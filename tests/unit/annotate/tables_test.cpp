// Palette, pen sizes, tools, commands, the bitmap file layout and the file names.
#include <doctest.h>

#include "capturo/annotate/BitmapFile.h"
#include "capturo/annotate/Commands.h"
#include "capturo/annotate/ImageExport.h"
#include "capturo/annotate/Palette.h"
#include "capturo/annotate/StyleSettings.h"
#include "capturo/annotate/Tools.h"

TEST_CASE("palette index to colour and back") {
    struct Case { int index; uint32_t color; };
    const Case cases[] = {{1, 0xFF000000}, {2, 0xFF808080}, {3, 0xFF800000}, {4, 0xFFF7883A},
                          {5, 0xFF308430}, {6, 0xFF585AD3}, {7, 0xFF800080}, {8, 0xFF009999},
                          {9, 0xFFFFFFFF}, {10, 0xFFC0C0C0}, {11, 0xFFFB3838}, {12, 0xFFFFFF00},
                          {13, 0xFF99CC00}, {14, 0xFF3894E4}, {15, 0xFFF31BF3}, {16, 0xFF16DCDC}};
    for (const Case& c : cases) {
        CAPTURE(c.index);
        CHECK(PaletteColor(c.index) == c.color);
        CHECK(PaletteIndex(c.color) == c.index);
    }
}

TEST_CASE("palette: out-of-range indices are red, unknown colours are 14") {
    for (int index : {-1, 0, 17, 100, -2147483647 - 1, 2147483647}) {
        CAPTURE(index);
        CHECK(PaletteColor(index) == kDefaultColor);
    }
    for (uint32_t color : {0x00FB3838u, 0xFF123456u, 0u, 0x80000000u}) {
        CAPTURE(color);
        CHECK(PaletteIndex(color) == 14);
    }
    CHECK(PaletteIndex(kDefaultColor) == kDefaultColorIndex);
    CHECK(SwatchImageName(11) == L"11.png");
    CHECK(SwatchImageName(3) == L"3.png");
    CHECK(ToColorRef(0xFFFB3838) == 0x003838FBu);
}

TEST_CASE("pen sizes and their margins") {
    struct Case { const wchar_t* button; int width, margin; };
    const Case cases[] = {{L"btnsmallpen", 2, 3}, {L"btnmediumpen", 4, 4}, {L"btnlargepen", 8, 7}};
    for (const Case& c : cases) {
        const tagPenSize* byButton = FindPenSizeByButton(c.button);
        REQUIRE(byButton != nullptr);
        CHECK(byButton->width == c.width);
        CHECK(byButton->margin == c.margin);
        CHECK(FindPenSizeByWidth(c.width) == byButton);
    }
    for (int width : {0, 1, 3, 5, 16, -2}) CHECK(FindPenSizeByWidth(width) == nullptr);
    CHECK(FindPenSizeByButton(L"btnhugepen") == nullptr);
}

TEST_CASE("tools: option names, kinds and commands agree") {
    struct Case { const wchar_t* option; int kind; UINT command; };
    const Case cases[] = {{L"addrectangle", 1, 200}, {L"addellipse", 2, 201}, {L"addarrow", 3, 202},
                          {L"addbrush", 4, 203}, {L"addtext", 5, 204}};
    for (const Case& c : cases) {
        const tagToolInfo* t = FindToolByOption(c.option);
        REQUIRE(t != nullptr);
        CHECK(t->kind == c.kind);
        CHECK(t->command == c.command);
        CHECK(FindToolByKind(c.kind) == t);
        CHECK(FindToolByCommand(c.command) == t);
    }
    CHECK(FindToolByOption(L"undo") == nullptr);
    CHECK(FindToolByKind(0) == nullptr);
    CHECK(FindToolByCommand(kCmdUndo) == nullptr);
}

TEST_CASE("command table") {
    for (UINT id = kFirstCommand; id <= kLastCommand; ++id) {
        CAPTURE(id);
        CHECK(kCommands[id - kFirstCommand].id == id);
        CHECK(IsCaptureCommand(id));
    }
    CHECK_FALSE(IsCaptureCommand(199));
    CHECK_FALSE(IsCaptureCommand(212));
    CHECK(std::wstring(CommandMenuText(kCmdCopyAndExit)) == L"复制并退出截图");
    CHECK(std::wstring(CommandMenuText(kCmdToggleToolbar)) == kHideToolbarText);
    CHECK(CommandMenuText(212) == nullptr);
}

TEST_CASE("display depth to bits per pixel") {
    struct Case { int depth, bits; };
    const Case cases[] = {{0, 1}, {1, 1}, {2, 4}, {4, 4}, {5, 8}, {8, 8}, {15, 24}, {16, 24}, {24, 24}, {32, 24}};
    for (const Case& c : cases) {
        CAPTURE(c.depth);
        CHECK(BitsPerPixelForDepth(c.depth) == c.bits);
    }
}

TEST_CASE("bitmap file layout") {
    struct Case { int width, height, bits; uint32_t row, pixels, offset; };
    const Case cases[] = {
        {101, 10, 24, 304, 3040, 54}, {1, 1, 24, 4, 4, 54},        {4, 3, 24, 12, 36, 54},
        {100, 2, 24, 300, 600, 54},   {101, 10, 8, 104, 1040, 1078}, {101, 10, 1, 16, 160, 62},
        {7, 1, 4, 4, 4, 118},
    };
    for (const Case& c : cases) {
        CAPTURE(c.width);
        CAPTURE(c.bits);
        CHECK(BmpRowSize(c.width, c.bits) == c.row);
        const tagBmpLayout l = ComputeBmpLayout(c.width, c.height, c.bits);
        CHECK(l.pixelBytes == c.pixels);
        CHECK(l.file.bfType == 0x4D42);
        CHECK(l.file.bfOffBits == c.offset);
        CHECK(l.file.bfSize == c.offset + c.pixels);
        CHECK(l.file.bfReserved1 == 0);
        CHECK(l.file.bfReserved2 == 0);
        CHECK(l.info.biSize == 40);
        CHECK(l.info.biWidth == c.width);
        CHECK(l.info.biHeight == c.height);
        CHECK(l.info.biPlanes == 1);
        CHECK(l.info.biBitCount == c.bits);
        CHECK(l.info.biCompression == 0);
        CHECK(l.info.biSizeImage == 0);
        CHECK(l.info.biXPelsPerMeter == 0);
        CHECK(l.info.biClrUsed == 0);
    }
    static_assert(sizeof(BITMAPFILEHEADER) == 14 && sizeof(BITMAPINFOHEADER) == 40, "packed headers");
}

TEST_CASE("recognition picture name runs the time's fields together") {
    struct Case { WORD y, mo, d, h, mi, s; const wchar_t* name; };
    const Case cases[] = {{2019, 9, 3, 9, 5, 7, L"201993957.bmp"},
                          {2026, 12, 11, 14, 22, 56, L"20261211142256.bmp"},
                          {2020, 1, 1, 0, 0, 0, L"202011000.bmp"}};
    for (const Case& c : cases) {
        SYSTEMTIME t{};
        t.wYear = c.y;
        t.wMonth = c.mo;
        t.wDay = c.d;
        t.wHour = c.h;
        t.wMinute = c.mi;
        t.wSecond = c.s;
        CHECK(RecognitionImageName(t) == c.name);
    }
}

TEST_CASE("picture format by the ending of the name") {
    struct Case { const wchar_t* path; ImageFormat format; };
    const Case cases[] = {
        {L"C:\\a\\shot.png", ImageFormat::Png},   {L"C:\\a\\SHOT.PNG", ImageFormat::Png},
        {L"pic.jpg", ImageFormat::Jpeg},           {L"pic.JPEG", ImageFormat::Jpeg},
        {L"pic.jpeg", ImageFormat::Jpeg},          {L"pic.bmp", ImageFormat::Bmp},
        {L"pic.gif", ImageFormat::Bmp},            {L"png", ImageFormat::Bmp},
        {L"pic.png.txt", ImageFormat::Bmp},        {L"", ImageFormat::Bmp},
        {L"C:\\dir.png\\shot", ImageFormat::Bmp},  {L"pic.jp", ImageFormat::Bmp},
    };
    for (const Case& c : cases) {
        CAPTURE(doctest::toString(std::wstring(c.path).size()));
        CHECK(ImageFormatForPath(c.path) == c.format);
    }
}

TEST_CASE("settings file beside the executable") {
    CHECK(StylesFilePath(L"C:\\Program Files\\Capturo\\Capturo.exe") == L"C:\\Program Files\\Capturo\\main.ini");
    CHECK(StylesFilePath(L"C:\\Capturo.exe") == L"C:\\main.ini");
    CHECK(StylesFilePath(L"Capturo.exe") == L"");
    CHECK(StylesFilePath(L"") == L"");
}

TEST_CASE("settings keys: five colours then four widths, one per tool") {
    REQUIRE(std::size(kSettingsKeys) == 9);
    for (int i = 0; i < 5; ++i) {
        CHECK(kSettingsKeys[i].isColor);
        CHECK(kSettingsKeys[i].kind == i + 1);
    }
    for (int i = 5; i < 9; ++i) {
        CHECK_FALSE(kSettingsKeys[i].isColor);
        CHECK(kSettingsKeys[i].kind == i - 4);
    }
}
