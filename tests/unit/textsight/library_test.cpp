// textsight.dll end to end: a picture drawn with GDI is recognised by the real engine; a missing,
// failing, babbling or hanging engine gives no blocks, in bounded time, and no files are left.
#include <doctest.h>

#include "textsight.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
  public:
    ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
        wchar_t old[2048];
        DWORD n = GetEnvironmentVariableW(name, old, 2048);
        hadOld_ = n > 0 && n < 2048;
        if (hadOld_) old_.assign(old, n);
        SetEnvironmentVariableW(name, value.empty() ? nullptr : value.c_str());
    }
    ~ScopedVariable() { SetEnvironmentVariableW(name_, hadOld_ ? old_.c_str() : nullptr); }

  private:
    const wchar_t* name_;
    std::wstring old_;
    bool hadOld_ = false;
};

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

// A private temporary folder for one test, which becomes TMP and TEMP while the test runs.
class PrivateTempFolder {
  public:
    PrivateTempFolder() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        static int counter = 0;
        path_ = std::wstring(base) + L"textsight-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        CreateDirectoryW(path_.c_str(), nullptr);
        tmp_ = std::make_unique<ScopedVariable>(L"TMP", path_);
        temp_ = std::make_unique<ScopedVariable>(L"TEMP", path_);
    }
    ~PrivateTempFolder() {
        for (const std::wstring& name : FilesIn(path_))
            DeleteFileW((path_ + L"\\" + name).c_str());
        RemoveDirectoryW(path_.c_str());
    }
    const std::wstring& Path() const { return path_; }

  private:
    std::wstring path_;
    std::unique_ptr<ScopedVariable> tmp_, temp_;
};

// Draws lines of text black on white with GDI and writes them as a 24-bit bottom-up BMP.
bool WriteTextPicture(const std::wstring& path, int width, int height,
                      const std::vector<std::pair<const wchar_t*, const wchar_t*>>& fontAndText) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!dib || !dc) return false;
    HGDIOBJ oldBitmap = SelectObject(dc, dib);
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    int y = 8;
    for (const auto& [face, text] : fontAndText) {
        HFONT font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                 NONANTIALIASED_QUALITY, 0, face);
        HGDIOBJ oldFont = SelectObject(dc, font);
        TextOutW(dc, 8, y, text, static_cast<int>(wcslen(text)));
        SelectObject(dc, oldFont);
        DeleteObject(font);
        y += 26;
    }
    GdiFlush();
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u, imageSize = stride * height;
    BITMAPFILEHEADER file{0x4D42,
                          static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + imageSize),
                          0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    info.bmiHeader.biSizeImage = imageSize;
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    bool ok = out != INVALID_HANDLE_VALUE && WriteFile(out, &file, sizeof(file), &written, nullptr) &&
              WriteFile(out, &info.bmiHeader, sizeof(BITMAPINFOHEADER), &written, nullptr) &&
              WriteFile(out, bits, imageSize, &written, nullptr);
    if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
    DeleteObject(dib);
    return ok;
}

std::string Ansi(const wchar_t* text) {
    int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_ACP, 0, text, -1, s.data(), n, nullptr, nullptr);
    return s;
}

int Recognise(std::wstring path, std::vector<tagScShape>& blocks) {
    PubData::CPubData* engine = new PubData::CPubData();
    int result = engine->GetText_JK(path, blocks);
    delete engine;
    return result;
}

std::wstring BesideTest(const wchar_t* name) {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

std::wstring FakeEngine(const char* name) {
    std::string path = std::string(FAKE_ENGINE_DIR) + "/" + name;
    return std::wstring(path.begin(), path.end());
}

} // namespace

TEST_CASE("a picture with known text comes back line by line, in reading order, in the ANSI code page") {
    ScopedVariable engine(L"TEXTSIGHT_ENGINE", L"");
    PrivateTempFolder temp;
    std::wstring picture = temp.Path() + L"\\known.bmp";
    REQUIRE(WriteTextPicture(picture, 300, 86,
                             {{L"Tahoma", L"Open the settings file"},
                              {L"Tahoma", L"Save changes before closing"},
                              {L"\x5FAE\x8F6F\x96C5\x9ED1", L"\x6253\x5F00\x6587\x4EF6"}}));
    std::vector<tagScShape> blocks;
    Recognise(picture, blocks);
    REQUIRE(blocks.size() == 3);
    CHECK(std::string(blocks[0].text) == "Open the settings file");
    CHECK(std::string(blocks[1].text) == "Save changes before closing");
    CHECK(std::string(blocks[2].text) == Ansi(L"\x6253\x5F00\x6587\x4EF6"));
    for (size_t i = 0; i < blocks.size(); ++i) {
        CAPTURE(i);
        const tagScShape& b = blocks[i];
        CHECK(b.left >= 4);
        CHECK(b.left <= 10);
        CHECK(b.top >= 4 + 26 * int(i));
        CHECK(b.bottom <= 8 + 26 * int(i) + 20);
        CHECK(b.right < 300);
        CHECK(b.confidence > 50);
        CHECK(b.confidence <= 100);
    }
    CHECK(FilesIn(temp.Path()) == std::vector<std::wstring>{L"known.bmp"});
}

TEST_CASE("a missing, failing, babbling or hanging engine gives no blocks and leaves no files") {
    struct {
        const char* name;
        std::wstring engine;
        int expected;
    } cases[] = {
        {"engine pointing nowhere", L"C:\\nowhere\\tesseract.exe", PubData::kTextsightNoEngine},
        {"engine exits with an error", FakeEngine("fail.sh"), PubData::kTextsightEngineFailed},
        {"engine prints garbage", FakeEngine("garbage.sh"), 0},
        {"engine hangs past the time limit", FakeEngine("hang.sh"), PubData::kTextsightEngineFailed},
    };
    for (auto& c : cases) {
        CAPTURE(c.name);
        ScopedVariable engine(L"TEXTSIGHT_ENGINE", c.engine);
        ScopedVariable timeout(L"TEXTSIGHT_TIMEOUT", L"2");
        PrivateTempFolder temp;
        std::wstring picture = temp.Path() + L"\\shot.bmp";
        REQUIRE(WriteTextPicture(picture, 120, 40, {{L"Tahoma", L"Hello"}}));
        std::vector<tagScShape> blocks;
        ULONGLONG start = GetTickCount64();
        CHECK(Recognise(picture, blocks) == c.expected);
        // The limit is 2 s; the shell gets a few more to report the end of the engine.
        CHECK(GetTickCount64() - start < 12000);
        CHECK(blocks.empty());
        CHECK(FilesIn(temp.Path()) == std::vector<std::wstring>{L"shot.bmp"});
    }
}

TEST_CASE("a Windows engine is waited for, read, and ended at the time limit") {
    struct {
        const wchar_t* mode;
        int expected;
        size_t blocks;
    } cases[] = {{L"tsv", 1, 1},
                 {L"fail", PubData::kTextsightEngineFailed, 0},
                 {L"hang", PubData::kTextsightEngineFailed, 0}};
    for (auto& c : cases) {
        CAPTURE(std::string(c.mode, c.mode + wcslen(c.mode)));
        ScopedVariable engine(L"TEXTSIGHT_ENGINE", BesideTest(L"textsight_fake_engine.exe"));
        ScopedVariable mode(L"FAKE_ENGINE_MODE", c.mode);
        ScopedVariable timeout(L"TEXTSIGHT_TIMEOUT", L"2");
        PrivateTempFolder temp;
        std::wstring picture = temp.Path() + L"\\shot.bmp";
        REQUIRE(WriteTextPicture(picture, 120, 40, {{L"Tahoma", L"Hello"}}));
        std::vector<tagScShape> blocks;
        ULONGLONG start = GetTickCount64();
        CHECK(Recognise(picture, blocks) == c.expected);
        CHECK(GetTickCount64() - start < 12000);
        REQUIRE(blocks.size() == c.blocks);
        if (c.blocks) CHECK(std::string(blocks[0].text) == "Hello");
        CHECK(FilesIn(temp.Path()) == std::vector<std::wstring>{L"shot.bmp"});
    }
}

TEST_CASE("a missing or unreadable picture gives no blocks") {
    PrivateTempFolder temp;
    std::wstring notBmp = temp.Path() + L"\\not.bmp";
    HANDLE f = CreateFileW(notBmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, "PNG?", 4, &written, nullptr);
    CloseHandle(f);
    for (const std::wstring& path : {temp.Path() + L"\\missing.bmp", notBmp}) {
        std::vector<tagScShape> blocks;
        CHECK(Recognise(path, blocks) == PubData::kTextsightNoPicture);
        CHECK(blocks.empty());
    }
}

TEST_CASE("records own their text through copies, assignments and moves") {
    tagScShape a(1, 2, 3, 4, "first", 90);
    tagScShape b(a);
    CHECK(b.text != a.text);
    CHECK(std::string(b.text) == "first");
    CHECK(b.right == 3);
    tagScShape c;
    CHECK(std::string(c.text).empty());
    c = a;
    a.SetText("changed");
    CHECK(std::string(c.text) == "first");
    CHECK(c.confidence == 90);
    tagScShape d(std::move(c));
    CHECK(std::string(d.text) == "first");
    CHECK(c.text != nullptr);
    std::vector<tagScShape> list(3, a);
    list.push_back(d);
    std::vector<tagScShape> copy = list;
    CHECK(std::string(copy[3].text) == "first");
    CHECK(std::string(copy[0].text) == "changed");
    a.SetText(nullptr);
    CHECK(std::string(a.text).empty());
}
