// Turning the engine's TSV output into text lines: parsing, mapping back to the picture,
// dropping noise, grouping words into lines, reading order and joining of Latin and CJK text.
#pragma once

#include "Words.h"

namespace textsight {

// How engine pixels relate to the submitted picture: engine = picture * scale + border.
struct PictureMapping {
    double scale = 1.0;
    int border = 0;
    int pictureWidth = 0, pictureHeight = 0;
};

// Word rows (level 5) of a TSV text; malformed rows and rows without text are skipped.
std::vector<Word> ParseTsvWords(const std::string& tsv);

// Scales a box back to the picture and clamps it; false when nothing of it lies inside.
bool MapBoxToPicture(const Box& engineBox, const PictureMapping& mapping, Box& pictureBox);

// Words that are most likely the engine's misreading of borders, icons or noise.
bool IsNoiseWord(const Word& word);

// Groups words (picture coordinates) into lines and returns them in reading order.
std::vector<TextLine> GroupIntoLines(std::vector<Word> words);

// Sorts lines into rows top to bottom, each row left to right.
void SortReadingOrder(std::vector<TextLine>& lines);

// The engine reads full-width punctuation as ASCII; after a CJK character it becomes full-width again,
// with the spaces around it dropped ("名称 : 值" → "名称：值").
std::string UseChinesePunctuation(const std::string& utf8);

// True for code points of CJK scripts and their full-width punctuation.
bool IsCjkCodePoint(char32_t c);

// Engine words → lines: noise dropped, boxes mapped to the picture, grouped, in reading order.
std::vector<TextLine> LinesFromWords(std::vector<Word> words, const PictureMapping& mapping);

// The whole road from engine output to the lines returned to the caller.
std::vector<TextLine> LinesFromTsv(const std::string& tsv, const PictureMapping& mapping);

} // namespace textsight
