// Preparing a screen picture for the engine: dark text on white everywhere, then enlarged.
#pragma once

#include "GreyImage.h"
#include "TsvParse.h"

namespace textsight {

struct PipelineOptions {
    double smallTextScale = 2.5;    // enlargement of UI text (11–16 px); measured best of 2.5, 3 and 4
    int maxEnginePixels = 12000000; // larger pictures are enlarged less, to bound the engine's time
    int border = 12;                // white margin, in engine pixels, so text never touches the edge
    int tileSize = 32;              // side of the tiles whose background and ink levels are measured
    int ruleLength = 30;            // horizontal dark runs at least this long (picture pixels) are borders
    int verticalRuleLength = 20;    // vertical ones: longer than any glyph of 11–16 px text
};

// Per tile: the background level is the histogram's peak, the ink level the typical far level;
// light ink on dark background is thereby inverted and every area stretched to black on white.
// Tiles are blended bilinearly so that no seams appear.
void NormaliseTiles(GreyImage& image, int tileSize);

// Whitens thin straight dark runs of at least `minLength` pixels: button borders, separators and
// underlines, which make the engine take the text inside a frame for a picture or read it as '|'.
void RemoveRules(GreyImage& image, int minHorizontal, int minVertical);

// Horizontal bands of ink, separated by at least two blank rows (after normalisation).
struct TextBands {
    int count = 0;
    int tallest = 0; // rows
};
TextBands FindTextBands(const GreyImage& image);

// Bilinear enlargement by `scale` (>= 1).
GreyImage Upscale(const GreyImage& image, double scale);

// A copy with a white margin of `border` pixels.
GreyImage AddBorder(const GreyImage& image, int border);

// The scale used for a picture of this size.
double ChooseScale(int width, int height, const PipelineOptions& options);

struct PreparedPicture {
    GreyImage image;
    PictureMapping mapping;
    TextBands bands;
};

PreparedPicture PreparePicture(GreyImage picture, const PipelineOptions& options);

} // namespace textsight
