// The library's pure steps besides parsing: ANSI conversion, BMP reading, picture preparation,
// the order of the engine search and shell quoting.
#include <doctest.h>

#include "Ansi.h"
#include "Engine.h"
#include "GreyImage.h"
#include "Preprocess.h"
#include "Runner.h"

#include <windows.h>

#include <set>

using namespace textsight;

namespace {

char DefaultCharacter(unsigned codePage) {
    CPINFO info{};
    REQUIRE(GetCPInfo(codePage, &info));
    return static_cast<char>(info.DefaultChar[0]);
}

// A BMP file in memory: 24 or 32 bits, bottom-up or top-down, pixels given top row first as RGB.
std::vector<uint8_t> MakeBmp(int w, int h, int bits, bool bottomUp, const std::vector<uint32_t>& rgb) {
    size_t stride = (size_t(w) * bits / 8 + 3) & ~size_t(3);
    std::vector<uint8_t> f(54 + stride * h, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            f[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    f[0] = 'B', f[1] = 'M';
    put32(2, static_cast<uint32_t>(f.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, static_cast<uint32_t>(bottomUp ? h : -h));
    f[26] = 1, f[28] = static_cast<uint8_t>(bits);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t c = rgb[size_t(y) * w + x];
            uint8_t* p = &f[54 + stride * (bottomUp ? h - 1 - y : y) + size_t(x) * bits / 8];
            p[0] = c & 0xFF, p[1] = (c >> 8) & 0xFF, p[2] = (c >> 16) & 0xFF;
        }
    return f;
}

} // namespace

TEST_CASE("UTF-8 text becomes ANSI text; what a code page lacks becomes its default character") {
    struct {
        const char* utf8;
        unsigned codePage;
        std::string expected;
    } cases[] = {
        {"Open file", 1252, "Open file"},
        {"café", 1252, "caf\xE9"},
        {"文件", 936, "\xCE\xC4\xBC\xFE"},
        {"打开 Windows", 936, "\xB4\xF2\xBF\xAA Windows"},
        {"文件", 1252, std::string(2, DefaultCharacter(1252))},
        {"€", 1252, "\x80"},
        {"한", 936, std::string(1, DefaultCharacter(936))},
        {"", 936, ""},
    };
    for (auto& c : cases) {
        CAPTURE(c.utf8);
        CAPTURE(c.codePage);
        CHECK(Utf8ToCodePage(c.utf8, c.codePage) == c.expected);
    }
}

TEST_CASE("BMP pictures are read as luminance, rows top first") {
    const std::vector<uint32_t> rgb = {0xFFFFFF, 0x000000, 0xFF0000, 0x0000FF};
    const uint8_t expected[] = {255, 0, 76, 28};
    struct {
        int bits;
        bool bottomUp;
    } layouts[] = {{24, true}, {24, false}, {32, true}, {32, false}};
    for (auto& l : layouts) {
        CAPTURE(l.bits);
        CAPTURE(l.bottomUp);
        std::vector<uint8_t> file = MakeBmp(2, 2, l.bits, l.bottomUp, rgb);
        GreyImage image;
        REQUIRE(DecodeBmp(file.data(), file.size(), image));
        REQUIRE(image.width == 2);
        REQUIRE(image.height == 2);
        for (int i = 0; i < 4; ++i)
            CHECK(image.pixels[i] == expected[i]);
    }
}

TEST_CASE("files that are not a readable BMP are refused") {
    std::vector<uint8_t> good = MakeBmp(3, 3, 24, true, std::vector<uint32_t>(9, 0x808080));
    std::vector<uint8_t> truncated(good.begin(), good.end() - 4);
    std::vector<uint8_t> eightBit = good;
    eightBit[28] = 8;
    std::vector<uint8_t> notBmp = good;
    notBmp[0] = 'X';
    std::vector<uint8_t> zeroWide = good;
    zeroWide[18] = 0;
    for (const auto& f : {truncated, eightBit, notBmp, zeroWide, std::vector<uint8_t>(10, 'B')}) {
        GreyImage image;
        CHECK_FALSE(DecodeBmp(f.data(), f.size(), image));
    }
}

TEST_CASE("grey BMPs written for the engine read back") {
    GreyImage image(5, 3);
    for (size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = static_cast<uint8_t>(i * 17);
    std::vector<uint8_t> file = EncodeGreyBmp(image);
    CHECK(file.size() == 14 + 40 + 1024 + 8 * 3);
    // Row 0 is stored last, bottom-up; its first pixel is value 0.
    CHECK(file[14 + 40 + 1024 + 8 * 2] == 0);
    CHECK(file[14 + 40 + 1024] == 10 * 17);
}

TEST_CASE("light text on a dark panel and dark text on white both end dark on white") {
    // Left half: a dark panel with light strokes; right half: white with dark strokes.
    GreyImage image(128, 64, 255);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            image.At(x, y) = 35;
    for (int y = 20; y < 40; ++y)
        for (int x : {10, 11, 30, 31, 74, 75, 100, 101})
            image.At(x, y) = x < 64 ? 230 : 20;
    NormaliseTiles(image, 32);
    struct {
        int x, y;
        bool dark;
    } probes[] = {{5, 5, false},    {10, 30, true}, {31, 25, true},  {20, 30, false},
                  {120, 60, false}, {74, 30, true}, {101, 35, true}, {90, 30, false}};
    for (auto& p : probes) {
        CAPTURE(p.x);
        CAPTURE(p.y);
        if (p.dark)
            CHECK(image.At(p.x, p.y) < 60);
        else
            CHECK(image.At(p.x, p.y) > 200);
    }
}

TEST_CASE("thin long rules are whitened; glyph strokes and filled areas stay") {
    GreyImage image(100, 60, 255);
    auto fill = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                image.At(x, y) = 0;
    };
    fill(0, 2, 100, 3);   // a separator, 1 px thick
    fill(5, 10, 7, 40);   // a button's side, 2 px thick and 30 px high
    fill(20, 10, 22, 26); // a glyph's stem, 16 px high
    fill(30, 20, 48, 22); // a glyph's bar, 18 px long
    fill(60, 10, 95, 50); // a filled area
    RemoveRules(image, 30, 20);
    struct {
        int x, y;
        bool ink;
    } probes[] = {{50, 2, false}, {6, 25, false}, {21, 15, true},
                  {40, 21, true}, {70, 30, true}, {60, 10, true}};
    for (auto& p : probes) {
        CAPTURE(p.x);
        CAPTURE(p.y);
        CHECK((image.At(p.x, p.y) < 128) == p.ink);
    }
}

TEST_CASE("bands of text are counted across blank rows, with the tallest one's height") {
    struct {
        std::vector<std::pair<int, int>> inkRows; // [from, to) ranges
        int count, tallest;
    } cases[] = {{{}, 0, 0},
                 {{{5, 15}}, 1, 10},
                 {{{5, 15}, {16, 20}}, 1, 15},
                 {{{5, 15}, {17, 20}}, 2, 10},
                 {{{0, 3}, {10, 12}, {20, 30}}, 3, 10}};
    for (auto& c : cases) {
        GreyImage image(10, 40, 255);
        for (auto [from, to] : c.inkRows)
            for (int y = from; y < to; ++y)
                image.At(4, y) = 0;
        TextBands bands = FindTextBands(image);
        CHECK(bands.count == c.count);
        CHECK(bands.tallest == c.tallest);
    }
}

TEST_CASE("enlargement keeps flat areas, blends edges and adds a white margin") {
    GreyImage image(2, 1);
    image.pixels = {0, 255};
    GreyImage big = Upscale(image, 3.0);
    REQUIRE(big.width == 6);
    REQUIRE(big.height == 3);
    CHECK(big.At(0, 0) == 0);
    CHECK(big.At(5, 2) == 255);
    CHECK(big.At(2, 1) > 0);
    CHECK(big.At(2, 1) < big.At(3, 1));
    GreyImage framed = AddBorder(image, 4);
    CHECK(framed.width == 10);
    CHECK(framed.At(0, 0) == 255);
    CHECK(framed.At(4, 4) == 0);
}

TEST_CASE("small pictures are enlarged fully, big ones less, none shrunk") {
    PipelineOptions o;
    o.smallTextScale = 3.0;
    o.maxEnginePixels = 9000000;
    CHECK(ChooseScale(400, 300, o) == doctest::Approx(3.0));
    CHECK(ChooseScale(2000, 1000, o) == doctest::Approx(2.1213).epsilon(0.001));
    CHECK(ChooseScale(6000, 4000, o) == doctest::Approx(1.0));
}

TEST_CASE("the engine is searched beside the library, in the ini, the registry, the PATH, then on the host") {
    struct Case {
        const char* name;
        std::set<std::wstring> windowsFiles, unixFiles;
        std::wstring iniEngine;
        bool exclusive, onWine;
        std::wstring expected;
        bool expectUnix;
    };
    const std::wstring bundled = L"C:\\App\\tesseract\\tesseract.exe";
    const std::wstring configured = L"D:\\OCR\\tesseract.exe";
    const std::wstring installed = L"C:\\Program Files\\Tesseract-OCR\\tesseract.exe";
    const std::wstring onPath = L"C:\\bin\\tesseract.exe";
    Case cases[] = {
        {"bundled first",
         {bundled, configured, installed},
         {L"/usr/bin/tesseract"},
         L"D:\\OCR",
         false,
         true,
         bundled,
         false},
        {"ini folder next", {configured, installed}, {}, L"D:\\OCR", false, true, configured, false},
        {"ini program path", {configured}, {}, configured, false, false, configured, false},
        {"ini path missing: registry", {installed}, {}, L"D:\\Nowhere", false, false, installed, false},
        {"PATH before the host", {}, {L"/usr/bin/tesseract"}, L"", false, true, onPath, false},
        {"host engine under Wine",
         {},
         {L"/usr/bin/tesseract"},
         L"",
         false,
         true,
         L"/usr/bin/tesseract",
         true},
        {"ini Unix path under Wine",
         {},
         {L"/opt/t/tesseract"},
         L"/opt/t/tesseract",
         false,
         true,
         L"/opt/t/tesseract",
         true},
        {"exclusive setting pointing nowhere finds none",
         {bundled, installed},
         {L"/usr/bin/tesseract"},
         L"C:\\nowhere\\tesseract.exe",
         true,
         true,
         L"",
         false},
        {"nothing outside Wine", {}, {L"/usr/bin/tesseract"}, L"", false, false, L"", false},
    };
    for (const Case& c : cases) {
        CAPTURE(c.name);
        EngineSearch s;
        s.libraryFolder = L"C:\\App";
        s.settings.engine = c.iniEngine;
        s.settings.engineIsExclusive = c.exclusive;
        s.registryFolders = {L"C:\\Program Files\\Tesseract-OCR"};
        s.onWine = c.onWine;
        bool hasPath = std::string(c.name).find("PATH") != std::string::npos;
        s.onPath = hasPath ? onPath : L"";
        s.windowsFileExists = [&](const std::wstring& p) { return c.windowsFiles.count(p) > 0; };
        s.unixFileExists = [&](const std::wstring& p) { return c.unixFiles.count(p) > 0; };
        std::optional<EngineLocation> found = LocateEngine(s);
        if (c.expected.empty()) {
            CHECK_FALSE(found.has_value());
            continue;
        }
        REQUIRE(found.has_value());
        CHECK((found->path == c.expected));
        CHECK(found->unixSide == c.expectUnix);
    }
}

TEST_CASE("languages are cut to what a command line may carry; shell words are quoted") {
    CHECK((SanitiseLanguages(L"eng+chi_sim") == L"eng+chi_sim"));
    CHECK((SanitiseLanguages(L"eng; rm -rf /") == L"engrmrf"));
    CHECK((SanitiseLanguages(L"\"'$") == L"eng+chi_sim"));
    CHECK(ShellQuote("/tmp/a b") == "'/tmp/a b'");
    CHECK(ShellQuote("it's") == "'it'\\''s'");
}
