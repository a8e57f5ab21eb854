// Decoding of skin pictures (PNG, GIF, BMP, JPEG) with GDI+ into premultiplied 32-bit
// top-down DIB sections, ready for AlphaBlend. GDI+ is started on first use.
#pragma once

#include <windows.h>
#include <vector>

#include "uilib/core/Handles.h"

namespace uilib {

struct DecodedImage {
    BitmapHandle bitmap;
    BYTE* bits = nullptr;     // premultiplied BGRA, top-down, width × height
    int width = 0;
    int height = 0;
    bool hasAlpha = false;    // some pixel is not fully opaque
};

struct DecodedFrame {
    DecodedImage image;
    UINT delayMs = 0;
};

// mask: 0xAARRGGBB with a non-zero alpha; pixels of that RGB colour become transparent.
// premultiply false keeps straight alpha (for consumers such as the window shadow).
bool DecodeImage(const void* data, size_t size, DWORD mask, DecodedImage& out, bool premultiply = true);
// Every frame of an animated GIF (or one frame for a still picture), with the delays of
// the file (a 0 delay becomes 100 ms).
bool DecodeFrames(const void* data, size_t size, std::vector<DecodedFrame>& frames);
// Makes sure GDI+ runs in this process (the library's own start-up token).
bool EnsureGdiplus();

}  // namespace uilib
