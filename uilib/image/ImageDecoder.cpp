// GDI+ decoding into DIB sections. Failures (bad bytes, unknown format) return false.
#include "uilib/image/ImageDecoder.h"

#include <objidl.h>
#include <shlwapi.h>
#include <gdiplus.h>

#include <algorithm>
#include <memory>

#include "uilib/render/RenderEngine.h"

namespace uilib {
namespace {

struct StreamRelease {
    void operator()(IStream* s) const { if (s) s->Release(); }
};
using StreamPtr = std::unique_ptr<IStream, StreamRelease>;

StreamPtr MemoryStream(const void* data, size_t size) {
    if (!data || size == 0 || size > 0x7FFFFFFF) return nullptr;
    return StreamPtr(::SHCreateMemStream(static_cast<const BYTE*>(data), UINT(size)));
}

// Copies the current frame of a GDI+ bitmap into a new premultiplied DIB.
bool CopyFrame(Gdiplus::Bitmap& source, DWORD mask, DecodedImage& out, bool premultiply = true) {
    int w = int(source.GetWidth()), h = int(source.GetHeight());
    if (w <= 0 || h <= 0 || w > 16384 || h > 16384) return false;
    BYTE* bits = nullptr;
    BitmapHandle bmp(CRenderEngine::CreateARGB32Bitmap(nullptr, w, h, &bits));
    if (!bmp || !bits) return false;
    Gdiplus::BitmapData data = {};
    data.Width = UINT(w);
    data.Height = UINT(h);
    data.Stride = w * 4;
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = bits;
    Gdiplus::Rect rect(0, 0, w, h);
    // Read straight alpha first so the mask colour can be matched, then premultiply.
    if (source.LockBits(&rect, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return false;
    source.UnlockBits(&data);
    bool hasAlpha = false;
    DWORD maskRgb = mask & 0x00FFFFFF;
    bool useMask = (mask >> 24) != 0;
    DWORD* px = reinterpret_cast<DWORD*>(bits);
    for (int i = 0; i < w * h; ++i) {
        DWORD c = px[i];
        if (useMask && (c & 0x00FFFFFF) == maskRgb) c = 0;
        DWORD a = c >> 24;
        if (a < 255) hasAlpha = true;
        if (a < 255 && premultiply) {
            DWORD r = ((c >> 16) & 0xFF) * a / 255, g = ((c >> 8) & 0xFF) * a / 255, b = (c & 0xFF) * a / 255;
            c = (a << 24) | (r << 16) | (g << 8) | b;
        }
        px[i] = c;
    }
    out.bitmap = std::move(bmp);
    out.bits = bits;
    out.width = w;
    out.height = h;
    out.hasAlpha = hasAlpha;
    return true;
}

std::unique_ptr<Gdiplus::Bitmap> LoadBitmap(const void* data, size_t size) {
    if (!EnsureGdiplus()) return nullptr;
    StreamPtr stream = MemoryStream(data, size);
    if (!stream) return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromStream(stream.get()));
    if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
    return bitmap;
}

// Frame delays in milliseconds from the GIF's PropertyTagFrameDelay (hundredths).
std::vector<UINT> FrameDelays(Gdiplus::Bitmap& bitmap, UINT count) {
    std::vector<UINT> delays(count, 100);
    UINT size = bitmap.GetPropertyItemSize(PropertyTagFrameDelay);
    if (size < sizeof(Gdiplus::PropertyItem)) return delays;
    std::vector<BYTE> buffer(size);
    auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
    if (bitmap.GetPropertyItem(PropertyTagFrameDelay, size, item) != Gdiplus::Ok || !item->value) return delays;
    UINT n = std::min<UINT>(count, item->length / 4);
    const UINT* values = static_cast<const UINT*>(item->value);
    for (UINT i = 0; i < n; ++i) delays[i] = values[i] ? values[i] * 10 : 100;
    return delays;
}

}  // namespace

bool EnsureGdiplus() {
    static GdiplusSession session;
    return session.Ok();
}

bool DecodeImage(const void* data, size_t size, DWORD mask, DecodedImage& out, bool premultiply) {
    std::unique_ptr<Gdiplus::Bitmap> bitmap = LoadBitmap(data, size);
    return bitmap && CopyFrame(*bitmap, mask, out, premultiply);
}

bool DecodeFrames(const void* data, size_t size, std::vector<DecodedFrame>& frames) {
    frames.clear();
    std::unique_ptr<Gdiplus::Bitmap> bitmap = LoadBitmap(data, size);
    if (!bitmap) return false;
    GUID dimension = Gdiplus::FrameDimensionTime;
    UINT count = bitmap->GetFrameCount(&dimension);
    if (count == 0) {
        DecodedFrame frame;
        if (!CopyFrame(*bitmap, 0, frame.image)) return false;
        frames.push_back(std::move(frame));
        return true;
    }
    std::vector<UINT> delays = FrameDelays(*bitmap, count);
    for (UINT i = 0; i < count; ++i) {
        if (bitmap->SelectActiveFrame(&dimension, i) != Gdiplus::Ok) break;
        DecodedFrame frame;
        if (!CopyFrame(*bitmap, 0, frame.image)) break;
        frame.delayMs = delays[i];
        frames.push_back(std::move(frame));
    }
    return !frames.empty();
}

}  // namespace uilib
