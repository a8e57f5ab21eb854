// uilib_bench: the UI library's repaint of a full-screen window showing one opaque image and one
// alpha mask with a nine-part hole, timed next to the bare GDI calls that such a frame needs.
// Prints medians of several runs for a full repaint and for a changed 800 × 600 area.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "uilib/UILib.h"

namespace {

const int kRuns = 15;
const int kWarmUp = 3;
const BYTE kMaskAlpha = 0x80;

struct tagFrameGeometry {
    int width = 0, height = 0;
    RECT hole = {0, 0, 0, 0};  // the mask's centre part, left out
};

// The hole sits like a selection: insets of a fifth of the screen on every side.
tagFrameGeometry MakeGeometry(int width, int height) {
    tagFrameGeometry g;
    g.width = width;
    g.height = height;
    g.hole = {width / 5, height / 5, width - width / 5, height - height / 5};
    return g;
}

// The eight parts of the mask around its hole, in window coordinates.
std::vector<RECT> MaskParts(const tagFrameGeometry& g) {
    const RECT& h = g.hole;
    int xs[] = {0, int(h.left), int(h.right), g.width};
    int ys[] = {0, int(h.top), int(h.bottom), g.height};
    std::vector<RECT> parts;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
            if (row != 1 || col != 1) parts.push_back({xs[col], ys[row], xs[col + 1], ys[row + 1]});
    return parts;
}

// A top-down 32-bit DIB section filled by fill(x, y) with premultiplied BGRA.
uilib::BitmapHandle MakeDib(int width, int height, const std::function<DWORD(int, int)>& fill) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    uilib::BitmapHandle bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap) {
        auto* p = static_cast<DWORD*>(bits);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) p[size_t(y) * width + x] = fill(x, y);
    }
    return bitmap;
}

// An opaque picture with some detail, like a frozen desktop.
uilib::BitmapHandle MakePhoto(int w, int h) {
    return MakeDib(w, h, [](int x, int y) { return 0xFF000000u | DWORD((x * 7) & 255) << 16 | DWORD((y * 5) & 255) << 8 | DWORD((x ^ y) & 255); });
}

// Black at the mask's alpha, premultiplied: only the alpha byte is set.
uilib::BitmapHandle MakeMask(int w, int h) {
    return MakeDib(w, h, [](int, int) { return DWORD(kMaskAlpha) << 24; });
}

double Now() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
}

double MedianMs(const std::function<void()>& work) {
    for (int i = 0; i < kWarmUp; ++i) work();
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        double start = Now();
        work();
        GdiFlush();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool Intersect(const RECT& a, const RECT& b, RECT& out) { return IntersectRect(&out, &a, &b) != FALSE; }

// The calls one frame needs without the library: the picture and the mask parts into a back
// buffer, then the area onto the window.
class CBareFrame {
public:
    CBareFrame(const tagFrameGeometry& g, HDC screen)
        : g_(g), photo_(MakePhoto(g.width, g.height)), mask_(MakeMask(g.width, g.height)),
          back_(CreateCompatibleBitmap(screen, g.width, g.height)), photoDC_(screen), maskDC_(screen), backDC_(screen),
          selPhoto_(photoDC_.Get(), photo_.Get()), selMask_(maskDC_.Get(), mask_.Get()), selBack_(backDC_.Get(), back_.Get()),
          parts_(MaskParts(g)) {}

    void Paint(HWND hwnd, const RECT& area) {
        BitBlt(backDC_.Get(), area.left, area.top, area.right - area.left, area.bottom - area.top, photoDC_.Get(),
               area.left, area.top, SRCCOPY);
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        for (const RECT& part : parts_) {
            RECT r;
            if (!Intersect(part, area, r)) continue;
            int w = r.right - r.left, h = r.bottom - r.top;
            AlphaBlend(backDC_.Get(), r.left, r.top, w, h, maskDC_.Get(), r.left, r.top, w, h, blend);
        }
        uilib::WindowDC dc(hwnd);
        BitBlt(dc.Get(), area.left, area.top, area.right - area.left, area.bottom - area.top, backDC_.Get(), area.left,
               area.top, SRCCOPY);
    }

private:
    tagFrameGeometry g_;
    uilib::BitmapHandle photo_, mask_, back_;
    uilib::MemoryDC photoDC_, maskDC_, backDC_;
    uilib::ScopedSelect selPhoto_, selMask_, selBack_;
    std::vector<RECT> parts_;
};

// A full-screen window of the library whose skin is the picture with the mask over it.
class CBenchWnd : public CWindowWnd {
public:
    explicit CBenchWnd(const tagFrameGeometry& g) : g_(g) {}
    bool Built() const { return built_; }

protected:
    LPCTSTR GetWindowClassName() const override { return L"UilibBenchWnd"; }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_CREATE) {
            pm_.Init(m_hWnd);
            built_ = BuildSkin();
        }
        LRESULT result = 0;
        if (pm_.MessageHandler(msg, wParam, lParam, result)) return result;
        return CWindowWnd::HandleMessage(msg, wParam, lParam);
    }

private:
    bool BuildSkin() {
        pm_.AddImage(L"bench_photo", MakePhoto(g_.width, g_.height).Release(), g_.width, g_.height, false);
        pm_.AddImage(L"bench_mask", MakeMask(g_.width, g_.height).Release(), g_.width, g_.height, true);
        const RECT& h = g_.hole;
        std::string xml = "<Window><Container bkimage=\"bench_photo\"><Control bkimage=\"file='bench_mask' corner='" +
                          std::to_string(h.left) + "," + std::to_string(h.top) + "," + std::to_string(g_.width - h.right) +
                          "," + std::to_string(g_.height - h.bottom) + "' hole='true'\"/></Container></Window>";
        CDialogBuilder builder;
        CControlUI* root = builder.CreateFromMemory(xml.data(), xml.size(), nullptr, &pm_);
        return root && pm_.AttachDialog(root);
    }

    tagFrameGeometry g_;
    CPaintManagerUI pm_;
    bool built_ = false;
};

void Repaint(HWND hwnd, const RECT* area) {
    RedrawWindow(hwnd, area, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void PrintRow(const char* what, double library, double bare, const char* target) {
    printf("%-22s library %8.2f ms   bare GDI %8.2f ms   ratio %5.2f  %s\n", what, library, bare, library / bare, target);
}

int RunBench() {
    tagFrameGeometry g = MakeGeometry(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    CBenchWnd wnd(g);
    HWND hwnd = wnd.Create(nullptr, L"uilib bench", WS_POPUP | WS_VISIBLE, 0, 0, 0, g.width, g.height);
    if (!hwnd || !wnd.Built()) {
        printf("uilib_bench: the window could not be built\n");
        return 1;
    }
    UpdateWindow(hwnd);
    uilib::WindowDC screen(hwnd);
    CBareFrame bare(g, screen.Get());
    RECT full = {0, 0, g.width, g.height};
    // A changed area straddling the mask's border and its hole.
    RECT part = {g.hole.left - 200, g.hole.top - 150, g.hole.left + 600, g.hole.top + 450};

    double libFull = MedianMs([&] { Repaint(hwnd, nullptr); });
    double bareFull = MedianMs([&] { bare.Paint(hwnd, full); });
    double libPart = MedianMs([&] { Repaint(hwnd, &part); });
    double barePart = MedianMs([&] { bare.Paint(hwnd, part); });

    printf("uilib_bench: screen %dx%d, one opaque image and one alpha mask with a hole, median of %d runs\n", g.width,
           g.height, kRuns);
    PrintRow("full repaint", libFull, bareFull, "(target: ratio <= 1.50)");
    PrintRow("800x600 repaint", libPart, barePart, "");
    double area = 800.0 * 600.0 / (double(g.width) * g.height);
    printf("%-22s time %.3f of a full repaint, area %.3f (target: close to the area)\n", "800x600 / full", libPart / libFull,
           area);
    DestroyWindow(hwnd);
    return 0;
}

}  // namespace

int wmain() {
    CPaintManagerUI::SetInstance(GetModuleHandleW(nullptr));
    uilib::GdiplusSession gdiplus;
    return RunBench();
}
