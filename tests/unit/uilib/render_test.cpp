// Rendering into 32-bit DIBs: exact pixel values of colour fills, frames and nine-part images.
#include <doctest.h>

#include "uilib/UILib.h"

namespace {

// A DIB section selected into a memory DC for the lifetime of the object.
struct Surface {
    Surface(int w, int h) : width(w), height(h), dc(nullptr) {
        bitmap.Reset(CRenderEngine::CreateARGB32Bitmap(nullptr, w, h, &bits));
        select = std::make_unique<uilib::ScopedSelect>(dc.Get(), bitmap.Get());
    }
    DWORD* Pixels() { return reinterpret_cast<DWORD*>(bits); }
    DWORD At(int x, int y) { ::GdiFlush(); return Pixels()[y * width + x]; }
    void Fill(DWORD value) { ::GdiFlush(); for (int i = 0; i < width * height; ++i) Pixels()[i] = value; }

    int width, height;
    BYTE* bits = nullptr;
    uilib::MemoryDC dc;
    uilib::BitmapHandle bitmap;
    std::unique_ptr<uilib::ScopedSelect> select;
};

}  // namespace

TEST_CASE("DrawColor honours the alpha of ARGB colours") {
    struct Case { DWORD background; DWORD color; DWORD expectedRgb; };
    const Case cases[] = {
        {0xFFFFFFFF, 0x4F000000, 0xB0B0B0},   // the capture mask over white
        {0xFFFFFFFF, 0xFF00AEFF, 0x00AEFF},   // opaque fill
        {0xFF000000, 0x80FFFFFF, 0x808080},   // half white over black
        {0xFF123456, 0x00FF0000, 0x123456},   // alpha 0 draws nothing
    };
    for (const Case& c : cases) {
        Surface s(8, 8);
        s.Fill(c.background);
        CRenderEngine::DrawColor(s.dc.Get(), {2, 2, 6, 6}, c.color);
        CHECK((s.At(3, 3) & 0xFFFFFF) == c.expectedRgb);
        CHECK((s.At(0, 0) & 0xFFFFFF) == (c.background & 0xFFFFFF));
        CHECK((s.At(6, 6) & 0xFFFFFF) == (c.background & 0xFFFFFF));
    }
    // Into a fresh (transparent) bitmap the fill leaves premultiplied pixels, as the mask needs.
    Surface mask(4, 4);
    mask.Fill(0);
    CRenderEngine::DrawColor(mask.dc.Get(), {0, 0, 4, 4}, 0x4F000000);
    CHECK(mask.At(1, 1) == 0x4F000000);
}

TEST_CASE("DrawRect frames inside the rectangle") {
    Surface s(10, 10);
    s.Fill(0xFFFFFFFF);
    CRenderEngine::DrawRect(s.dc.Get(), {1, 1, 9, 9}, 2, 0xFFFF0000);
    CHECK((s.At(1, 1) & 0xFFFFFF) == 0xFF0000);
    CHECK((s.At(2, 5) & 0xFFFFFF) == 0xFF0000);
    CHECK((s.At(8, 8) & 0xFFFFFF) == 0xFF0000);
    CHECK((s.At(3, 3) & 0xFFFFFF) == 0xFFFFFF);
    CHECK((s.At(9, 9) & 0xFFFFFF) == 0xFFFFFF);
}

TEST_CASE("an alpha mask drawn in nine parts with a hole leaves the centre untouched") {
    const int w = 40, h = 30;
    Surface target(w, h);
    target.Fill(0xFFFFFFFF);
    Surface mask(w, h);
    mask.Fill(0);
    CRenderEngine::DrawColor(mask.dc.Get(), {0, 0, w, h}, 0x4F000000);
    // Release the mask bitmap from its DC so it can be selected for drawing.
    mask.select.reset();
    RECT all = {0, 0, w, h};
    CRenderEngine::DrawImage(target.dc.Get(), mask.bitmap.Get(), all, all, all, {10, 5, 12, 8}, true, 255, true);
    CHECK((target.At(0, 0) & 0xFFFFFF) == 0xB0B0B0);
    CHECK((target.At(w - 1, h - 1) & 0xFFFFFF) == 0xB0B0B0);
    CHECK((target.At(9, 15) & 0xFFFFFF) == 0xB0B0B0);
    CHECK((target.At(10, 5) & 0xFFFFFF) == 0xFFFFFF);   // first centre pixel
    CHECK((target.At(27, 21) & 0xFFFFFF) == 0xFFFFFF);  // last centre pixel
    CHECK((target.At(28, 21) & 0xFFFFFF) == 0xB0B0B0);
    CHECK((target.At(27, 22) & 0xFFFFFF) == 0xB0B0B0);
    // The paint rectangle limits what is touched.
    target.Fill(0xFFFFFFFF);
    CRenderEngine::DrawImage(target.dc.Get(), mask.bitmap.Get(), all, {0, 0, 5, 5}, all, {10, 5, 12, 8}, true, 255, true);
    CHECK((target.At(4, 4) & 0xFFFFFF) == 0xB0B0B0);
    CHECK((target.At(5, 5) & 0xFFFFFF) == 0xFFFFFF);
}

TEST_CASE("opaque bitmaps ignore their alpha byte") {
    Surface target(6, 6);
    target.Fill(0xFFFFFFFF);
    Surface source(6, 6);
    source.Fill(0x00336699);  // garbage alpha, as in a desktop capture
    source.select.reset();
    RECT all = {0, 0, 6, 6};
    CRenderEngine::DrawImage(target.dc.Get(), source.bitmap.Get(), all, all, all, {0, 0, 0, 0}, false);
    CHECK((target.At(3, 3) & 0xFFFFFF) == 0x336699);
}

TEST_CASE("clips nest and come off again") {
    Surface s(10, 10);
    s.Fill(0xFFFFFFFF);
    {
        CRenderClip outer;
        CRenderClip::GenerateClip(s.dc.Get(), {0, 0, 5, 10}, outer);
        {
            CRenderClip inner;
            CRenderClip::GenerateClip(s.dc.Get(), {3, 0, 10, 10}, inner);
            CRenderEngine::DrawColor(s.dc.Get(), {0, 0, 10, 10}, 0xFF000000);
        }
        CRenderEngine::DrawColor(s.dc.Get(), {0, 0, 10, 1}, 0xFF0000FF);
    }
    CRenderEngine::DrawColor(s.dc.Get(), {9, 9, 10, 10}, 0xFF00FF00);
    CHECK((s.At(2, 5) & 0xFFFFFF) == 0xFFFFFF);
    CHECK((s.At(3, 5) & 0xFFFFFF) == 0x000000);
    CHECK((s.At(5, 5) & 0xFFFFFF) == 0xFFFFFF);
    CHECK((s.At(0, 0) & 0xFFFFFF) == 0x0000FF);
    CHECK((s.At(7, 0) & 0xFFFFFF) == 0xFFFFFF);
    CHECK((s.At(9, 9) & 0xFFFFFF) == 0x00FF00);
}
