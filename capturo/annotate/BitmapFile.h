// The uncompressed bitmap file the picture writer produces: its header layout as a pure
// function, and SaveBitmapFile, which fetches a bitmap's pixels at the display's depth.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// 1, 4, 8 or 24 bits per pixel for a display of depth d = planes x bits per pixel.
int BitsPerPixelForDepth(int depth);

// ((width * bits + 31) / 32) * 4 * height: rows padded to 4 bytes.
uint32_t BmpRowSize(int width, int bits);
uint32_t BmpPixelDataSize(int width, int height, int bits);

struct tagBmpLayout {
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    uint32_t colorTableBytes;  // 0 at 24 bits; a full table for 1, 4 and 8 bits
    uint32_t pixelBytes;
};

// At 24 bits: "BM", size 54 + pixels, offset 54, a 40-byte header with positive height (rows
// bottom-up), one plane, no compression and zero image size. Depths of 8 bits or less also
// reserve their colour table between the header and the pixels, so the file stays readable.
tagBmpLayout ComputeBmpLayout(int width, int height, int bits);

// The bits per pixel the display asks for (CreateDCW "DISPLAY").
int DisplayBitsPerPixel();

// Writes `bitmap` to `path` at the display's depth. False when the file cannot be created;
// write errors after that are passed over.
bool SaveBitmapFile(HBITMAP bitmap, const wchar_t* path);

// The same bytes in memory, for tests and the encoders' comparisons. Empty on failure.
std::vector<uint8_t> EncodeBitmapFile(HBITMAP bitmap, int bits);
