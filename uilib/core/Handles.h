// Move-only owners of Win32, GDI, GDI+ and COM handles, shared by every part of the project.
// Each type releases exactly what it acquired; none can be copied.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <utility>

namespace uilib {

// Owns one GDI object (HFONT, HBITMAP, HPEN, HBRUSH, HRGN) and deletes it with DeleteObject.
template <typename H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H h) : h_(h) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& o) noexcept : h_(o.Release()) {}
    GdiObject& operator=(GdiObject&& o) noexcept { if (this != &o) Reset(o.Release()); return *this; }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    H Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    H Release() { H h = h_; h_ = nullptr; return h; }
    void Reset(H h = nullptr) { if (h_ && h_ != h) ::DeleteObject(h_); h_ = h; }

private:
    H h_ = nullptr;
};

using FontHandle = GdiObject<HFONT>;
using BitmapHandle = GdiObject<HBITMAP>;
using PenHandle = GdiObject<HPEN>;
using BrushHandle = GdiObject<HBRUSH>;
using RegionHandle = GdiObject<HRGN>;

// A memory DC from CreateCompatibleDC, freed with DeleteDC.
class MemoryDC {
public:
    MemoryDC() = default;
    explicit MemoryDC(HDC compatibleWith) : dc_(::CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() { Reset(); }
    MemoryDC(MemoryDC&& o) noexcept : dc_(std::exchange(o.dc_, nullptr)) {}
    MemoryDC& operator=(MemoryDC&& o) noexcept { if (this != &o) { Reset(); dc_ = std::exchange(o.dc_, nullptr); } return *this; }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void Reset() { if (dc_) ::DeleteDC(dc_); dc_ = nullptr; }

private:
    HDC dc_ = nullptr;
};

// A window's DC from GetDC (nullptr = the screen), given back with ReleaseDC.
class WindowDC {
public:
    WindowDC() = default;
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    ~WindowDC() { Reset(); }
    WindowDC(WindowDC&& o) noexcept : hwnd_(o.hwnd_), dc_(std::exchange(o.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&& o) noexcept {
        if (this != &o) { Reset(); hwnd_ = o.hwnd_; dc_ = std::exchange(o.dc_, nullptr); }
        return *this;
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void Reset() { if (dc_) ::ReleaseDC(hwnd_, dc_); dc_ = nullptr; }

private:
    HWND hwnd_ = nullptr;
    HDC dc_ = nullptr;
};

// Selects an object into a DC for the lifetime of the scope, then restores the previous one.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~ScopedSelect() { if (old_) ::SelectObject(dc_, old_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A kernel HANDLE closed with CloseHandle; both nullptr and INVALID_HANDLE_VALUE mean "none".
class KernelHandle {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE h) : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~KernelHandle() { Reset(); }
    KernelHandle(KernelHandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    KernelHandle& operator=(KernelHandle&& o) noexcept { if (this != &o) Reset(std::exchange(o.h_, nullptr)); return *this; }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;

    HANDLE Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    HANDLE Release() { return std::exchange(h_, nullptr); }
    void Reset(HANDLE h = nullptr) {
        if (h == INVALID_HANDLE_VALUE) h = nullptr;
        if (h_ && h_ != h) ::CloseHandle(h_);
        h_ = h;
    }

private:
    HANDLE h_ = nullptr;
};

// Starts GDI+ for the scope. Declared without <gdiplus.h> so this header stays light.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(GdiplusSession&& o) noexcept : token_(std::exchange(o.token_, 0)) {}
    GdiplusSession& operator=(GdiplusSession&&) = delete;
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    bool Ok() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

// CoInitializeEx for the scope; CoUninitialize only if it succeeded (S_FALSE counts).
class ComScope {
public:
    explicit ComScope(DWORD model = COINIT_APARTMENTTHREADED) : hr_(::CoInitializeEx(nullptr, model)) {}
    ~ComScope() { if (SUCCEEDED(hr_)) ::CoUninitialize(); }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

    bool Ok() const { return SUCCEEDED(hr_); }
    HRESULT Result() const { return hr_; }

private:
    HRESULT hr_;
};

// Global memory from GlobalAlloc, freed with GlobalFree unless ownership is released
// (for instance to the clipboard by SetClipboardData).
class GlobalMemory {
public:
    GlobalMemory() = default;
    GlobalMemory(UINT flags, SIZE_T bytes) : h_(::GlobalAlloc(flags, bytes)) {}
    explicit GlobalMemory(HGLOBAL h) : h_(h) {}
    ~GlobalMemory() { Reset(); }
    GlobalMemory(GlobalMemory&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GlobalMemory& operator=(GlobalMemory&& o) noexcept { if (this != &o) { Reset(); h_ = std::exchange(o.h_, nullptr); } return *this; }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;

    HGLOBAL Get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }
    HGLOBAL Release() { return std::exchange(h_, nullptr); }
    void Reset() { if (h_) ::GlobalFree(h_); h_ = nullptr; }

private:
    HGLOBAL h_ = nullptr;
};

// Locks global memory for the scope.
class ScopedGlobalLock {
public:
    explicit ScopedGlobalLock(HGLOBAL h) : h_(h), p_(h ? ::GlobalLock(h) : nullptr) {}
    ~ScopedGlobalLock() { if (p_) ::GlobalUnlock(h_); }
    ScopedGlobalLock(const ScopedGlobalLock&) = delete;
    ScopedGlobalLock& operator=(const ScopedGlobalLock&) = delete;

    void* Get() const { return p_; }

private:
    HGLOBAL h_;
    void* p_;
};

}  // namespace uilib
