// Index <-> colour rules of the palette.
#include "capturo/annotate/Palette.h"

uint32_t PaletteColor(int index) {
    if (index < 1 || index > kPaletteSize) return kDefaultColor;
    return kPalette[index - 1].color;
}

int PaletteIndex(uint32_t color) {
    for (const tagPaletteEntry& e : kPalette) {
        if (e.color == color) return e.index;
    }
    return kUnknownColorIndex;
}

std::wstring SwatchImageName(int index) { return std::to_wstring(index) + L".png"; }
