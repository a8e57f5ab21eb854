// BMP decoding to luminance and 8-bit grey BMP encoding, in plain pixel code.
#include "GreyImage.h"

#include <cstring>

namespace textsight {
namespace {

constexpr int kMaxSide = 30000;

uint32_t Read32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24);
}
uint16_t Read16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i)
        v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}
void Put16(std::vector<uint8_t>& v, size_t at, uint16_t x) {
    v[at] = static_cast<uint8_t>(x);
    v[at + 1] = static_cast<uint8_t>(x >> 8);
}

// ITU-R 601 weights in fixed point (sum 256).
uint8_t Luma(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<uint8_t>((77 * r + 150 * g + 29 * b) >> 8);
}

} // namespace

bool DecodeBmp(const uint8_t* data, size_t size, GreyImage& out) {
    if (size < 54 || data[0] != 'B' || data[1] != 'M') return false;
    uint32_t pixelOffset = Read32(data + 10);
    uint32_t headerSize = Read32(data + 14);
    if (headerSize < 40) return false;
    int32_t width = static_cast<int32_t>(Read32(data + 18));
    int32_t rawHeight = static_cast<int32_t>(Read32(data + 22));
    uint16_t bits = Read16(data + 28);
    uint32_t compression = Read32(data + 30);
    // BI_RGB, or BI_BITFIELDS with 32 bits (taken as the usual BGRA masks).
    bool compressionOk = compression == 0 || (compression == 3 && bits == 32);
    if (!compressionOk || (bits != 24 && bits != 32)) return false;
    bool bottomUp = rawHeight > 0;
    int64_t height = bottomUp ? rawHeight : -int64_t(rawHeight);
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
    size_t stride = (size_t(width) * bits / 8 + 3) & ~size_t(3);
    if (pixelOffset > size || size - pixelOffset < stride * size_t(height)) return false;
    out = GreyImage(width, static_cast<int>(height));
    int step = bits / 8;
    for (int y = 0; y < out.height; ++y) {
        int fileRow = bottomUp ? out.height - 1 - y : y;
        const uint8_t* row = data + pixelOffset + stride * size_t(fileRow);
        uint8_t* dst = &out.pixels[size_t(y) * width];
        for (int x = 0; x < width; ++x, row += step)
            dst[x] = Luma(row[2], row[1], row[0]);
    }
    return true;
}

std::vector<uint8_t> EncodeGreyBmp(const GreyImage& image) {
    const size_t headers = 14 + 40 + 256 * 4;
    size_t stride = (size_t(image.width) + 3) & ~size_t(3);
    std::vector<uint8_t> file(headers + stride * image.height, 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<uint32_t>(file.size()));
    Put32(file, 10, static_cast<uint32_t>(headers));
    Put32(file, 14, 40);
    Put32(file, 18, static_cast<uint32_t>(image.width));
    Put32(file, 22, static_cast<uint32_t>(image.height));
    Put16(file, 26, 1);
    Put16(file, 28, 8);
    Put32(file, 46, 256);
    for (uint32_t i = 0; i < 256; ++i)
        Put32(file, 54 + 4 * i, i | (i << 8) | (i << 16));
    for (int y = 0; y < image.height; ++y)
        std::memcpy(&file[headers + stride * size_t(image.height - 1 - y)],
                    &image.pixels[size_t(y) * image.width], size_t(image.width));
    return file;
}

} // namespace textsight
