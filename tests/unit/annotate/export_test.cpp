// Picture files by their ending, the exact bitmap layout, the recognition picture and the
// clipboard copy.
#include <doctest.h>

#include <cstring>
#include <thread>

#include "capturo/annotate/BitmapFile.h"
#include "capturo/annotate/ImageExport.h"
#include "gdiplus_fixture.h"

namespace {

// 101 x 10: a red left half, a blue right half, and a green bottom row.
DibCanvas MakePicture() {
    DibCanvas canvas(101, 10, 0x3894E4);
    DrawOn(canvas, [](HDC dc) {
        RECT left{0, 0, 50, 10};
        RECT bottom{0, 9, 101, 10};
        uilib::BrushHandle red(::CreateSolidBrush(RGB(0xFB, 0x38, 0x38)));
        uilib::BrushHandle green(::CreateSolidBrush(RGB(0x30, 0x84, 0x30)));
        ::FillRect(dc, &left, red.Get());
        ::FillRect(dc, &bottom, green.Get());
    });
    return canvas;
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    uint32_t v = 0;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}
uint16_t Le16(const std::vector<uint8_t>& b, size_t at) {
    uint16_t v = 0;
    std::memcpy(&v, b.data() + at, 2);
    return v;
}

// Decodes any picture file with GDI+ and returns its pixel at (x, y) as 0xAARRGGBB.
uint32_t DecodedPixel(const std::wstring& path, int x, int y, int& width, int& height) {
    TestGdiplus::Ensure();
    Gdiplus::Bitmap image(path.c_str());
    width = static_cast<int>(image.GetWidth());
    height = static_cast<int>(image.GetHeight());
    Gdiplus::Color c;
    image.GetPixel(x, y, &c);
    return c.GetValue();
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d > tolerance || d < -tolerance) return false;
    }
    return true;
}

}  // namespace

TEST_CASE("SaveBitmapFile: 101 x 10 on a 32-bit display, byte for byte") {
    REQUIRE(DisplayBitsPerPixel() == 24);
    const DibCanvas picture = MakePicture();
    const std::wstring path = TempPath(L"annotate_101x10.png.bmp");
    REQUIRE(SaveBitmapFile(picture.Bitmap(), path.c_str()));
    const std::vector<uint8_t> b = ReadFileBytes(path);
    REQUIRE(b.size() == 54 + 3040);
    CHECK(b[0] == 'B');
    CHECK(b[1] == 'M');
    CHECK(Le32(b, 2) == 3094);
    CHECK(Le32(b, 6) == 0);
    CHECK(Le32(b, 10) == 54);
    CHECK(Le32(b, 14) == 40);
    CHECK(Le32(b, 18) == 101);
    CHECK(Le32(b, 22) == 10);
    CHECK(Le16(b, 26) == 1);
    CHECK(Le16(b, 28) == 24);
    CHECK(Le32(b, 30) == 0);
    CHECK((Le32(b, 34) == 0 || Le32(b, 34) == 3040));
    for (size_t at = 38; at < 54; at += 4) CHECK(Le32(b, at) == 0);
    // Bottom row first, blue-green-red, rows of 304 bytes.
    const size_t bottomRow = 54, topRow = 54 + 9 * 304;
    CHECK(b[bottomRow + 0] == 0x30);
    CHECK(b[bottomRow + 1] == 0x84);
    CHECK(b[bottomRow + 2] == 0x30);
    CHECK(b[topRow + 0] == 0x38);
    CHECK(b[topRow + 1] == 0x38);
    CHECK(b[topRow + 2] == 0xFB);
    CHECK(b[topRow + 100 * 3 + 0] == 0xE4);
    CHECK(b[topRow + 100 * 3 + 1] == 0x94);
    CHECK(b[topRow + 100 * 3 + 2] == 0x38);
    CHECK(b[topRow + 303] == 0);  // row padding
    ::DeleteFileW(path.c_str());
}

TEST_CASE("picture files take the format their name asks for") {
    const DibCanvas picture = MakePicture();
    struct Case { const wchar_t* name; const char* magic; int tolerance; };
    const Case cases[] = {
        {L"annotate_shot.png", "\x89PNG", 0},
        {L"annotate_shot.PNG", "\x89PNG", 0},
        {L"annotate_shot.jpg", "\xFF\xD8\xFF", 40},
        {L"annotate_shot.jpeg", "\xFF\xD8\xFF", 40},
        {L"annotate_shot.bmp", "BM", 0},
        {L"annotate_shot.gif", "BM", 0},
    };
    for (const Case& c : cases) {
        CAPTURE(doctest::toString(std::wstring(c.name).size()));
        const std::wstring path = TempPath(c.name);
        ::DeleteFileW(path.c_str());
        REQUIRE(SaveImageFile(picture.Bitmap(), path));
        const std::vector<uint8_t> bytes = ReadFileBytes(path);
        REQUIRE(bytes.size() > 8);
        CHECK(std::memcmp(bytes.data(), c.magic, std::strlen(c.magic)) == 0);
        int w = 0, h = 0;
        CHECK(Near(DecodedPixel(path, 10, 2, w, h), 0xFFFB3838, c.tolerance));
        CHECK(Near(DecodedPixel(path, 90, 2, w, h), 0xFF3894E4, c.tolerance));
        CHECK(w == 101);
        CHECK(h == 10);
        if (c.magic[0] == 'B') {
            CHECK(bytes == EncodeBitmapFile(picture.Bitmap(), 24));
        }
        ::DeleteFileW(path.c_str());
    }
}

TEST_CASE("nothing is written into a folder that does not exist") {
    const DibCanvas picture = MakePicture();
    for (const wchar_t* name : {L"annotate_missing\\a.png", L"annotate_missing\\a.jpg", L"annotate_missing\\a.bmp"}) {
        const std::wstring path = TempPath(name);
        CHECK_FALSE(SaveImageFile(picture.Bitmap(), path));
        CHECK_FALSE(FileExists(path));
        CHECK(ExportSelection(path, [&] { return uilib::BitmapHandle(static_cast<HBITMAP>(
                                                  ::CopyImage(picture.Bitmap(), IMAGE_BITMAP, 0, 0, 0))); }));
        CHECK_FALSE(FileExists(path));
    }
}

TEST_CASE("the result export's pic.jpg is a real JPEG") {
    const DibCanvas picture = MakePicture();
    const std::wstring path = TempPath(L"annotate_pic.jpg");
    int composed = 0;
    CHECK(ExportSelection(path, [&] {
        ++composed;
        return uilib::BitmapHandle(static_cast<HBITMAP>(::CopyImage(picture.Bitmap(), IMAGE_BITMAP, 0, 0, 0)));
    }));
    CHECK(composed == 1);
    const std::vector<uint8_t> bytes = ReadFileBytes(path);
    REQUIRE(bytes.size() > 3);
    CHECK(bytes[0] == 0xFF);
    CHECK(bytes[1] == 0xD8);
    ::DeleteFileW(path.c_str());
}

TEST_CASE("the recognition picture is the bitmap layout under the local time's name") {
    const DibCanvas picture = MakePicture();
    SYSTEMTIME before{};
    ::GetLocalTime(&before);
    const std::wstring path = WriteRecognitionImage(picture.Bitmap());
    REQUIRE_FALSE(path.empty());
    CHECK(path.rfind(TempPath(L""), 0) == 0);
    CHECK(path.size() > 4);
    CHECK(path.substr(path.size() - 4) == L".bmp");
    CHECK(path.find(std::to_wstring(before.wYear)) != std::wstring::npos);
    CHECK(ReadFileBytes(path) == EncodeBitmapFile(picture.Bitmap(), DisplayBitsPerPixel()));
    ::DeleteFileW(path.c_str());
}

TEST_CASE("clipboard: the picture goes over as CF_BITMAP of its size") {
    const DibCanvas picture = MakePicture();
    int composed = 0;
    const ComposeFn compose = [&] {
        ++composed;
        return uilib::BitmapHandle(static_cast<HBITMAP>(::CopyImage(picture.Bitmap(), IMAGE_BITMAP, 0, 0, 0)));
    };
    REQUIRE(CopySelectionToClipboard(nullptr, compose));
    CHECK(composed == 1);
    REQUIRE(::OpenClipboard(nullptr));
    HBITMAP onClipboard = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    REQUIRE(onClipboard != nullptr);
    int w = 0, h = 0;
    const std::vector<uint32_t> pixels = ReadPixels(onClipboard, w, h);
    ::CloseClipboard();
    CHECK(w == 101);
    CHECK(h == 10);
    CHECK(pixels[2 * w + 10] == 0xFB3838);
}

TEST_CASE("clipboard held by someone else: nothing is composed, nothing copied") {
    HANDLE opened = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        HWND window = ::CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
        const bool held = ::OpenClipboard(window) != FALSE;
        ::SetEvent(opened);
        ::WaitForSingleObject(release, 10000);
        if (held) ::CloseClipboard();
        ::DestroyWindow(window);
    });
    REQUIRE(::WaitForSingleObject(opened, 10000) == WAIT_OBJECT_0);
    int composed = 0;
    HWND mine = ::CreateWindowExW(0, L"STATIC", L"mine", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const bool copied = CopySelectionToClipboard(mine, [&] {
        ++composed;
        return uilib::BitmapHandle();
    });
    ::SetEvent(release);
    holder.join();
    ::DestroyWindow(mine);
    ::CloseHandle(opened);
    ::CloseHandle(release);
    CHECK_FALSE(copied);
    CHECK(composed == 0);
}
