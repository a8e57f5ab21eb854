// The sixteen-colour palette of the colour panel and the index <-> colour rules.
#pragma once

#include <cstdint>
#include <string>

struct tagPaletteEntry {
    int index;                  // 1..16, also the button's user data
    const wchar_t* button;      // colour button in the colour panel
    const wchar_t* buttonImage; // 15 x 30 image of that button
    const wchar_t* swatch;      // 28 x 28 image that "btnselectedcolor" shows
    uint32_t color;             // 0xAARRGGBB
};

inline constexpr int kPaletteSize = 16;
inline constexpr uint32_t kDefaultColor = 0xFFFB3838;  // index 11
inline constexpr int kDefaultColorIndex = 11;
// What a colour outside the palette maps to when it is stored as an index.
inline constexpr int kUnknownColorIndex = 14;

inline constexpr tagPaletteEntry kPalette[kPaletteSize] = {
    {1, L"btncolorblack", L"1_1.png", L"1.png", 0xFF000000},
    {2, L"btncolorsilver", L"1_2.png", L"2.png", 0xFF808080},
    {3, L"btncolormaroon", L"1_3.png", L"3.png", 0xFF800000},
    {4, L"btncolorolive", L"1_4.png", L"4.png", 0xFFF7883A},
    {5, L"btncolorgreen", L"1_5.png", L"5.png", 0xFF308430},
    {6, L"btncolornavy", L"1_6.png", L"6.png", 0xFF585AD3},
    {7, L"btncolorpurple", L"1_7.png", L"7.png", 0xFF800080},
    {8, L"btncolorteal", L"1_8.png", L"8.png", 0xFF009999},
    {9, L"btncolorwhite", L"2_1.png", L"9.png", 0xFFFFFFFF},
    {10, L"btncolorgray", L"2_2.png", L"10.png", 0xFFC0C0C0},
    {11, L"btncolorred", L"2_3.png", L"11.png", 0xFFFB3838},
    {12, L"btncoloryellow", L"2_4.png", L"12.png", 0xFFFFFF00},
    {13, L"btncolorlime", L"2_5.png", L"13.png", 0xFF99CC00},
    {14, L"btncolorblue", L"2_6.png", L"14.png", 0xFF3894E4},
    {15, L"btncolormagenta", L"2_7.png", L"15.png", 0xFFF31BF3},
    {16, L"btncolorcyan", L"2_8.png", L"16.png", 0xFF16DCDC},
};

// An index outside 1..16 gives the default red.
uint32_t PaletteColor(int index);
// The first index holding the colour; a colour outside the palette gives 14.
int PaletteIndex(uint32_t color);
// The swatch image of an index in decimal followed by ".png", as "11.png".
std::wstring SwatchImageName(int index);
// 0xAARRGGBB as a GDI colour value (red in the lowest byte).
inline uint32_t ToColorRef(uint32_t argb) {
    return ((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16);
}
