// wintool: a console helper for the end-to-end tests — reads and sets the clipboard, finds
// top-level windows and posts or sends them messages. Results go to stdout as UTF-8.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// ---- small owners -----------------------------------------------------------------------------

class ClipboardScope {
  public:
    explicit ClipboardScope(HWND owner = nullptr) : open_(OpenWithRetry(owner)) {}
    ~ClipboardScope() {
        if (open_) CloseClipboard();
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    bool IsOpen() const { return open_; }

  private:
    // Another process may hold the clipboard for a moment; a busy clipboard for longer is an error.
    static bool OpenWithRetry(HWND owner) {
        for (int i = 0; i < 20; ++i) {
            if (OpenClipboard(owner)) return true;
            Sleep(50);
        }
        return false;
    }
    bool open_;
};

class GlobalLockScope {
  public:
    explicit GlobalLockScope(HANDLE h) : h_(h), data_(h ? GlobalLock(h) : nullptr) {}
    ~GlobalLockScope() {
        if (data_) GlobalUnlock(h_);
    }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    const unsigned char* Bytes() const { return static_cast<const unsigned char*>(data_); }
    size_t Size() const { return data_ ? GlobalSize(h_) : 0; }

  private:
    HANDLE h_;
    void* data_;
};

// Owns a global block until the clipboard takes it over.
class GlobalMemory {
  public:
    explicit GlobalMemory(size_t bytes) : h_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    ~GlobalMemory() {
        if (h_) GlobalFree(h_);
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    HGLOBAL Get() const { return h_; }
    HGLOBAL Release() {
        HGLOBAL h = h_;
        h_ = nullptr;
        return h;
    }

  private:
    HGLOBAL h_;
};

class MessageWindow {
  public:
    MessageWindow() : w_(CreateWindowExW(0, L"STATIC", L"wintool", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~MessageWindow() {
        if (w_) DestroyWindow(w_);
    }
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    HWND Get() const { return w_; }

  private:
    HWND w_;
};

class ScreenDC {
  public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

// ---- output -----------------------------------------------------------------------------------

void PrintUtf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string bytes(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), &bytes[0], n, nullptr, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), stdout);
    fflush(stdout);
}

int Fail(const std::wstring& why) {
    PrintUtf8(L"error: " + why + L"\n");
    return 1;
}

bool WriteFileBytes(const wchar_t* path, const void* data, size_t size) {
    FILE* f = _wfopen(path, L"wb");
    if (!f) return false;
    bool ok = fwrite(data, 1, size, f) == size;
    return fclose(f) == 0 && ok;
}

// Accepts decimal, 0x hexadecimal and negative numbers (for LPARAM values).
bool ParseNumber(const wchar_t* text, long long& value) {
    wchar_t* end = nullptr;
    value = (text[0] == L'-') ? wcstoll(text, &end, 0) : (long long)wcstoull(text, &end, 0);
    return end && end != text && *end == 0;
}

std::wstring Hex(unsigned long long v) {
    wchar_t buf[32];
    swprintf(buf, 32, L"0x%llX", v);
    return buf;
}

// ---- clipboard --------------------------------------------------------------------------------

std::wstring FormatName(UINT format) {
    static const struct { UINT id; const wchar_t* name; } known[] = {
        {CF_TEXT, L"CF_TEXT"},           {CF_BITMAP, L"CF_BITMAP"},       {CF_METAFILEPICT, L"CF_METAFILEPICT"},
        {CF_OEMTEXT, L"CF_OEMTEXT"},     {CF_DIB, L"CF_DIB"},             {CF_PALETTE, L"CF_PALETTE"},
        {CF_UNICODETEXT, L"CF_UNICODETEXT"}, {CF_ENHMETAFILE, L"CF_ENHMETAFILE"}, {CF_HDROP, L"CF_HDROP"},
        {CF_LOCALE, L"CF_LOCALE"},       {CF_DIBV5, L"CF_DIBV5"}};
    for (const auto& k : known)
        if (k.id == format) return k.name;
    wchar_t buf[256] = {};
    if (GetClipboardFormatNameW(format, buf, 256) > 0) return buf;
    return L"?";
}

int ClipFormats() {
    ClipboardScope clip;
    if (!clip.IsOpen()) return Fail(L"clipboard busy");
    std::wstring out;
    for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f))
        out += std::to_wstring(f) + L"\t" + FormatName(f) + L"\n";
    PrintUtf8(out);
    return 0;
}

// Writes the pixels as a bottom-up BI_RGB file: 32-bit when the source has 32 bits, else 24-bit.
bool WriteBitmapFile(const wchar_t* path, HBITMAP bitmap, int& width, int& height, int& bpp) {
    BITMAP info = {};
    if (!GetObjectW(bitmap, sizeof(info), &info)) return false;
    width = info.bmWidth;
    height = info.bmHeight;
    bpp = info.bmBitsPixel == 32 ? 32 : 24;
    int stride = ((width * bpp + 31) / 32) * 4;
    std::vector<unsigned char> bits((size_t)stride * height);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = (WORD)bpp;
    bi.bmiHeader.biCompression = BI_RGB;
    ScreenDC screen;
    if (GetDIBits(screen.Get(), bitmap, 0, height, bits.data(), &bi, DIB_RGB_COLORS) != height) return false;
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    fh.bfSize = fh.bfOffBits + (DWORD)bits.size();
    std::vector<unsigned char> file(fh.bfSize);
    memcpy(file.data(), &fh, sizeof(fh));
    memcpy(file.data() + sizeof(fh), &bi.bmiHeader, sizeof(BITMAPINFOHEADER));
    memcpy(file.data() + fh.bfOffBits, bits.data(), bits.size());
    return WriteFileBytes(path, file.data(), file.size());
}

// A packed DIB (header, colour table or masks, bits) becomes a file by putting a file header before it.
bool WritePackedDibFile(const wchar_t* path, const GlobalLockScope& dib, int& width, int& height, int& bpp) {
    if (dib.Size() < sizeof(BITMAPINFOHEADER)) return false;
    const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(dib.Bytes());
    width = h->biWidth;
    height = h->biHeight < 0 ? -h->biHeight : h->biHeight;
    bpp = h->biBitCount;
    DWORD colours = h->biClrUsed ? h->biClrUsed : (h->biBitCount <= 8 ? 1u << h->biBitCount : 0);
    DWORD masks = (h->biCompression == BI_BITFIELDS && h->biSize == sizeof(BITMAPINFOHEADER)) ? 12 : 0;
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + h->biSize + masks + colours * 4;
    fh.bfSize = sizeof(fh) + (DWORD)dib.Size();
    std::vector<unsigned char> file(sizeof(fh) + dib.Size());
    memcpy(file.data(), &fh, sizeof(fh));
    memcpy(file.data() + sizeof(fh), dib.Bytes(), dib.Size());
    return WriteFileBytes(path, file.data(), file.size());
}

int ClipBitmap(const wchar_t* path) {
    ClipboardScope clip;
    if (!clip.IsOpen()) return Fail(L"clipboard busy");
    int width = 0, height = 0, bpp = 0;
    bool ok = false;
    // The packed DIB is exact and needs no device context; Wine and Windows make it from a CF_BITMAP.
    if (HANDLE dib = GetClipboardData(CF_DIB)) {
        GlobalLockScope lock(dib);
        ok = WritePackedDibFile(path, lock, width, height, bpp);
    } else if (HBITMAP bitmap = (HBITMAP)GetClipboardData(CF_BITMAP)) {
        ok = WriteBitmapFile(path, bitmap, width, height, bpp);
    } else {
        return Fail(L"no bitmap on the clipboard");
    }
    if (!ok) return Fail(L"cannot write the bitmap");
    PrintUtf8(std::to_wstring(width) + L" " + std::to_wstring(height) + L" " + std::to_wstring(bpp) + L"\n");
    return 0;
}

// Writes the clipboard's text bytes up to (not including) the first terminating zero of unit size.
int ClipTextBytes(UINT format, size_t unit, const wchar_t* path) {
    ClipboardScope clip;
    if (!clip.IsOpen()) return Fail(L"clipboard busy");
    HANDLE data = GetClipboardData(format);
    if (!data) return Fail(L"no " + FormatName(format) + L" on the clipboard");
    GlobalLockScope lock(data);
    size_t n = 0;
    const unsigned char* p = lock.Bytes();
    while (n + unit <= lock.Size() && !(p[n] == 0 && (unit == 1 || p[n + 1] == 0))) n += unit;
    if (!WriteFileBytes(path, p, n)) return Fail(L"cannot write the text");
    PrintUtf8(std::to_wstring(n) + L"\n");
    return 0;
}

int ClipClear() {
    ClipboardScope clip;
    if (!clip.IsOpen()) return Fail(L"clipboard busy");
    if (!EmptyClipboard()) return Fail(L"EmptyClipboard failed");
    PrintUtf8(L"ok\n");
    return 0;
}

int ClipSetText(const wchar_t* text) {
    size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    GlobalMemory mem(bytes);
    if (!mem.Get()) return Fail(L"out of memory");
    if (void* p = GlobalLock(mem.Get())) {
        memcpy(p, text, bytes);
        GlobalUnlock(mem.Get());
    }
    ClipboardScope clip;
    if (!clip.IsOpen()) return Fail(L"clipboard busy");
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, mem.Get())) return Fail(L"SetClipboardData failed");
    mem.Release();  // the clipboard owns it now
    PrintUtf8(L"ok\n");
    return 0;
}

bool ReadFileBytes(const wchar_t* path, std::vector<unsigned char>& out) {
    FILE* f = _wfopen(path, L"rb");
    if (!f) return false;
    unsigned char buf[65536];
    for (size_t n; (n = fread(buf, 1, sizeof(buf), f)) > 0;) out.insert(out.end(), buf, buf + n);
    fclose(f);
    return true;
}

// Puts a BMP file on the clipboard as a packed CF_DIB: global memory outlives this process (a DIB
// section handed over as CF_BITMAP does not under Wine), and the system makes CF_BITMAP from it.
int ClipSetBitmap(const wchar_t* path) {
    std::vector<unsigned char> file;
    if (!ReadFileBytes(path, file) || file.size() <= sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) ||
        file[0] != 'B' || file[1] != 'M')
        return Fail(L"not a bitmap file");
    size_t size = file.size() - sizeof(BITMAPFILEHEADER);
    GlobalMemory mem(size);
    if (!mem.Get()) return Fail(L"out of memory");
    if (void* p = GlobalLock(mem.Get())) {
        memcpy(p, file.data() + sizeof(BITMAPFILEHEADER), size);
        GlobalUnlock(mem.Get());
    }
    ClipboardScope clip;
    if (!clip.IsOpen()) return Fail(L"clipboard busy");
    EmptyClipboard();
    if (!SetClipboardData(CF_DIB, mem.Get())) return Fail(L"SetClipboardData failed");
    mem.Release();  // the clipboard owns it now
    PrintUtf8(L"ok\n");
    return 0;
}

int ClipHold(const wchar_t* seconds) {
    long long s = 0;
    if (!ParseNumber(seconds, s) || s < 0) return Fail(L"bad number of seconds");
    // Opened for a window: Wine lets a second opener in when both open it for no window.
    MessageWindow owner;
    ClipboardScope clip(owner.Get());
    if (!clip.IsOpen()) return Fail(L"clipboard busy");
    PrintUtf8(L"held\n");
    Sleep((DWORD)(s * 1000));
    return 0;
}

// ---- windows ----------------------------------------------------------------------------------

struct WindowFilter {
    const wchar_t* className = nullptr;
    const wchar_t* title = nullptr;
    std::vector<HWND> found;
};

std::wstring ClassOf(HWND w) {
    wchar_t buf[256] = {};
    GetClassNameW(w, buf, 256);
    return buf;
}

std::wstring TitleOf(HWND w) {
    wchar_t buf[1024] = {};
    GetWindowTextW(w, buf, 1024);
    return buf;
}

// Wine's X11 driver keeps the X window of a top-level window in this property (0 when it has none),
// which lets a test focus or type into exactly that window with xdotool.
ULONG_PTR XWindowOf(HWND w) { return (ULONG_PTR)GetPropW(w, L"__wine_x11_whole_window"); }

// One line per window, tab separated: HWND, process id, visible, left top right bottom, X window,
// class, title.
std::wstring DescribeWindow(HWND w) {
    RECT r = {};
    GetWindowRect(w, &r);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t rect[96];
    swprintf(rect, 96, L"%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    return Hex((ULONG_PTR)w) + L"\t" + std::to_wstring(pid) + L"\t" + (IsWindowVisible(w) ? L"1" : L"0") + L"\t" +
           rect + L"\t" + Hex(XWindowOf(w)) + L"\t" + ClassOf(w) + L"\t" + TitleOf(w) + L"\n";
}

BOOL CALLBACK CollectWindow(HWND w, LPARAM param) {
    auto* filter = reinterpret_cast<WindowFilter*>(param);
    if (filter->className && ClassOf(w) != filter->className) return TRUE;
    if (filter->title && TitleOf(w) != filter->title) return TRUE;
    filter->found.push_back(w);
    return TRUE;
}

int ListWindows(WindowFilter filter) {
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&filter));
    std::wstring out;
    for (HWND w : filter.found) out += DescribeWindow(w);
    PrintUtf8(out);
    return filter.found.empty() ? 1 : 0;
}

int FindWindowCommand(int argc, wchar_t** argv) {
    WindowFilter filter;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (wcscmp(argv[i], L"--class") == 0) filter.className = argv[i + 1];
        else if (wcscmp(argv[i], L"--title") == 0) filter.title = argv[i + 1];
        else return Fail(std::wstring(L"unknown option ") + argv[i]);
    }
    return ListWindows(filter);
}

bool ParseWindow(const wchar_t* text, HWND& w) {
    long long v = 0;
    if (!ParseNumber(text, v)) return false;
    w = (HWND)(ULONG_PTR)v;
    return IsWindow(w) != FALSE;
}

int WindowRect(const wchar_t* hwndText) {
    HWND w;
    if (!ParseWindow(hwndText, w)) return Fail(L"no such window");
    RECT r = {}, c = {};
    GetWindowRect(w, &r);
    GetClientRect(w, &c);
    wchar_t buf[128];
    swprintf(buf, 128, L"%ld %ld %ld %ld\t%ld %ld\n", r.left, r.top, r.right, r.bottom, c.right, c.bottom);
    PrintUtf8(buf);
    return 0;
}

int PostOrSend(bool send, wchar_t** args) {
    HWND w;
    long long msg = 0, wp = 0, lp = 0;
    if (!ParseWindow(args[0], w)) return Fail(L"no such window");
    if (!ParseNumber(args[1], msg) || !ParseNumber(args[2], wp) || !ParseNumber(args[3], lp))
        return Fail(L"bad number");
    if (!send) {
        if (!PostMessageW(w, (UINT)msg, (WPARAM)wp, (LPARAM)lp)) return Fail(L"PostMessage failed");
        PrintUtf8(L"posted\n");
        return 0;
    }
    // A hung target must not hang the test: the send gives up after ten seconds.
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(w, (UINT)msg, (WPARAM)wp, (LPARAM)lp, SMTO_NORMAL, 10000, &result))
        return Fail(L"SendMessage timed out or failed");
    PrintUtf8(std::to_wstring((long long)(LONG_PTR)result) + L"\n");
    return 0;
}

int Usage() {
    PrintUtf8(L"usage: wintool clip-formats | clip-bitmap OUT.bmp | clip-text OUT | clip-unicode OUT |\n"
              L"       clip-clear | clip-set-text TEXT | clip-set-bitmap IN.bmp | clip-hold SECONDS | find-window [--class C] [--title T] |\n"
              L"       list-windows | window-rect HWND | post HWND MSG WPARAM LPARAM | send HWND MSG WPARAM LPARAM\n");
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    std::wstring cmd = argv[1];
    int extra = argc - 2;
    if (cmd == L"clip-formats" && extra == 0) return ClipFormats();
    if (cmd == L"clip-bitmap" && extra == 1) return ClipBitmap(argv[2]);
    if (cmd == L"clip-text" && extra == 1) return ClipTextBytes(CF_TEXT, 1, argv[2]);
    if (cmd == L"clip-unicode" && extra == 1) return ClipTextBytes(CF_UNICODETEXT, 2, argv[2]);
    if (cmd == L"clip-set-text" && extra == 1) return ClipSetText(argv[2]);
    if (cmd == L"clip-clear" && extra == 0) return ClipClear();
    if (cmd == L"clip-set-bitmap" && extra == 1) return ClipSetBitmap(argv[2]);
    if (cmd == L"clip-hold" && extra == 1) return ClipHold(argv[2]);
    if (cmd == L"find-window") return FindWindowCommand(argc, argv);
    if (cmd == L"list-windows" && extra == 0) return ListWindows(WindowFilter{});
    if (cmd == L"window-rect" && extra == 1) return WindowRect(argv[2]);
    if ((cmd == L"post" || cmd == L"send") && extra == 4) return PostOrSend(cmd == L"send", argv + 2);
    return Usage();
}
