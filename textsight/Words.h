// Plain records passed between the library's steps: engine words and recognised text lines.
#pragma once

#include <string>
#include <vector>

namespace textsight {

// A box in pixels; right and bottom are one past the last pixel.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// One word as the engine reported it (text in UTF-8, confidence 0 to 100).
struct Word {
    Box box;
    Box engineBox; // as the engine gave it, before mapping: finer for measuring gaps
    double confidence = 0;
    std::string text;
};

// One recognised line of text: the unit the library returns as a block.
struct TextLine {
    Box box;
    int confidence = 0;
    std::string text; // UTF-8
};

} // namespace textsight
