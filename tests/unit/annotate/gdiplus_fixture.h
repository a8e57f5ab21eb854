// Test helpers: a GDI+ session for the program, 32-bit DIB canvases and pixel reads.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <cstdint>
#include <string>
#include <vector>

#include "uilib/core/Handles.h"

// GDI+ started once for the whole test program.
class TestGdiplus {
public:
    static void Ensure() { static TestGdiplus instance; }
    ~TestGdiplus() { if (token_) Gdiplus::GdiplusShutdown(token_); }

private:
    TestGdiplus() {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }
    ULONG_PTR token_ = 0;
};

// A top-down 32-bit DIB section filled with one colour (0xRRGGBB); not selected anywhere,
// so it can stand in for the frozen desktop image.
class DibCanvas {
public:
    DibCanvas(int width, int height, uint32_t rgb) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<uint32_t*>(bits);
        for (int i = 0; bits_ && i < width * height; ++i) bits_[i] = 0xFF000000 | rgb;
    }

    HBITMAP Bitmap() const { return bitmap_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t Pixel(int x, int y) const { ::GdiFlush(); return bits_[y * width_ + x] & 0xFFFFFF; }
    std::vector<uint32_t> Pixels() const {
        ::GdiFlush();
        std::vector<uint32_t> out(bits_, bits_ + width_ * height_);
        for (uint32_t& p : out) p &= 0xFFFFFF;
        return out;
    }
    int CountPixels(uint32_t rgb) const {
        int n = 0;
        for (uint32_t p : Pixels()) n += (p == rgb);
        return n;
    }

private:
    int width_;
    int height_;
    uilib::BitmapHandle bitmap_;
    uint32_t* bits_ = nullptr;
};

// Runs `draw` with the canvas selected into a memory DC.
template <typename Fn>
void DrawOn(DibCanvas& canvas, Fn draw) {
    uilib::MemoryDC dc(nullptr);
    uilib::ScopedSelect select(dc.Get(), canvas.Bitmap());
    draw(dc.Get());
}

// Any bitmap's pixels as 0xRRGGBB, top row first.
inline std::vector<uint32_t> ReadPixels(HBITMAP bitmap, int& width, int& height) {
    BITMAP desc{};
    ::GetObjectW(bitmap, sizeof(desc), &desc);
    width = desc.bmWidth;
    height = desc.bmHeight;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    uilib::WindowDC screen(nullptr);
    ::GetDIBits(screen.Get(), bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

inline std::wstring TempPath(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

inline std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    uilib::KernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return bytes;
    const DWORD size = ::GetFileSize(file.Get(), nullptr);
    bytes.resize(size);
    DWORD read = 0;
    ::ReadFile(file.Get(), bytes.data(), size, &read, nullptr);
    bytes.resize(read);
    return bytes;
}

inline void WriteFileText(const std::wstring& path, const std::string& text) {
    uilib::KernelHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    if (file) ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

inline bool FileExists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
