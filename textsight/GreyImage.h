// Grey pictures in memory and the BMP files they come from and go to the engine as.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace textsight {

// 8-bit luminance, rows top to bottom, no padding.
struct GreyImage {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;

    GreyImage() = default;
    GreyImage(int w, int h, uint8_t fill = 255) : width(w), height(h), pixels(size_t(w) * h, fill) {}
    uint8_t At(int x, int y) const { return pixels[size_t(y) * width + x]; }
    uint8_t& At(int x, int y) { return pixels[size_t(y) * width + x]; }
};

// Reads an uncompressed 24- or 32-bit BMP (bottom-up or top-down) as luminance; false if it is not one.
bool DecodeBmp(const uint8_t* data, size_t size, GreyImage& out);

// An 8-bit BMP with a grey palette, which the engine reads directly.
std::vector<uint8_t> EncodeGreyBmp(const GreyImage& image);

} // namespace textsight
