// Bitmap file layout and writer.
#include "capturo/annotate/BitmapFile.h"

#include <cstring>

#include "uilib/core/Handles.h"

int BitsPerPixelForDepth(int depth) {
    if (depth <= 1) return 1;
    if (depth <= 4) return 4;
    if (depth <= 8) return 8;
    return 24;
}

uint32_t BmpRowSize(int width, int bits) {
    return static_cast<uint32_t>((width * bits + 31) / 32) * 4;
}

uint32_t BmpPixelDataSize(int width, int height, int bits) {
    return BmpRowSize(width, bits) * static_cast<uint32_t>(height);
}

tagBmpLayout ComputeBmpLayout(int width, int height, int bits) {
    tagBmpLayout l{};
    l.colorTableBytes = bits <= 8 ? (1u << bits) * sizeof(RGBQUAD) : 0;
    l.pixelBytes = BmpPixelDataSize(width, height, bits);
    const uint32_t headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    l.file.bfType = 0x4D42;
    l.file.bfSize = headers + l.colorTableBytes + l.pixelBytes;
    l.file.bfOffBits = headers + l.colorTableBytes;
    l.info.biSize = sizeof(BITMAPINFOHEADER);
    l.info.biWidth = width;
    l.info.biHeight = height;
    l.info.biPlanes = 1;
    l.info.biBitCount = static_cast<WORD>(bits);
    l.info.biCompression = BI_RGB;
    return l;
}

int DisplayBitsPerPixel() {
    HDC display = ::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
    if (!display) return 24;
    const int depth = ::GetDeviceCaps(display, PLANES) * ::GetDeviceCaps(display, BITSPIXEL);
    ::DeleteDC(display);
    return BitsPerPixelForDepth(depth);
}

namespace {

// The header, the colour table (if any) and the pixels in one block, as the file holds them
// after its 14-byte file header. GetDIBits may fill in biSizeImage; the header is kept as it
// then stands.
std::vector<uint8_t> FetchInfoAndPixels(HBITMAP bitmap, int bits, BITMAPFILEHEADER& fileHeader) {
    BITMAP desc{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof(desc), &desc) != sizeof(desc)) return {};
    const tagBmpLayout layout = ComputeBmpLayout(desc.bmWidth, desc.bmHeight, bits);
    fileHeader = layout.file;
    std::vector<uint8_t> block(sizeof(BITMAPINFOHEADER) + layout.colorTableBytes + layout.pixelBytes, 0);
    std::memcpy(block.data(), &layout.info, sizeof(layout.info));
    uint8_t* pixels = block.data() + sizeof(BITMAPINFOHEADER) + layout.colorTableBytes;
    uilib::WindowDC screen(nullptr);
    HPALETTE previous = ::SelectPalette(screen.Get(), static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE)), FALSE);
    ::RealizePalette(screen.Get());
    ::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(desc.bmHeight), pixels,
                reinterpret_cast<BITMAPINFO*>(block.data()), DIB_RGB_COLORS);
    if (previous) ::SelectPalette(screen.Get(), previous, TRUE);
    ::RealizePalette(screen.Get());
    return block;
}

}  // namespace

std::vector<uint8_t> EncodeBitmapFile(HBITMAP bitmap, int bits) {
    BITMAPFILEHEADER fileHeader{};
    std::vector<uint8_t> block = FetchInfoAndPixels(bitmap, bits, fileHeader);
    if (block.empty()) return {};
    std::vector<uint8_t> bytes(sizeof(fileHeader) + block.size());
    std::memcpy(bytes.data(), &fileHeader, sizeof(fileHeader));
    std::memcpy(bytes.data() + sizeof(fileHeader), block.data(), block.size());
    return bytes;
}

bool SaveBitmapFile(HBITMAP bitmap, const wchar_t* path) {
    const std::vector<uint8_t> bytes = EncodeBitmapFile(bitmap, DisplayBitsPerPixel());
    if (bytes.empty()) return false;
    uilib::KernelHandle file(::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return false;
    DWORD written = 0;
    ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return true;
}
