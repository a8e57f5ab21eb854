// Engine TSV → text lines. Everything here is pure and tested by tables of real engine output.
#include "TsvParse.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace textsight {
namespace {

constexpr int kWordLevel = 5;
constexpr int kTsvColumns = 12;
// A gap between CJK and Latin text of at least this share of the text height reads as a space.
constexpr int kCjkLatinSpacePercent = 20;

std::vector<std::string> SplitTabs(const std::string& row) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = row.find('\t', start);
        fields.push_back(row.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

bool ParseInt(const std::string& s, int& value) {
    if (s.empty()) return false;
    char* end = nullptr;
    long v = std::strtol(s.c_str(), &end, 10);
    if (*end != '\0' || v < -1000000 || v > 1000000) return false;
    value = static_cast<int>(v);
    return true;
}

bool ParseNumber(const std::string& s, double& value) {
    if (s.empty()) return false;
    char* end = nullptr;
    value = std::strtod(s.c_str(), &end);
    return *end == '\0' && std::isfinite(value);
}

std::string TrimSpaces(const std::string& s) {
    size_t b = s.find_first_not_of(" \r\n\t");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \r\n\t");
    return s.substr(b, e - b + 1);
}

bool ParseWordRow(const std::string& row, Word& word) {
    std::vector<std::string> f = SplitTabs(row);
    if (f.size() != kTsvColumns) return false;
    int level = 0, left = 0, top = 0, width = 0, height = 0;
    if (!ParseInt(f[0], level) || level != kWordLevel) return false;
    if (!ParseInt(f[6], left) || !ParseInt(f[7], top) || !ParseInt(f[8], width) || !ParseInt(f[9], height))
        return false;
    if (width <= 0 || height <= 0 || !ParseNumber(f[10], word.confidence)) return false;
    word.text = TrimSpaces(f[11]);
    if (word.text.empty()) return false;
    word.confidence = std::clamp(word.confidence, 0.0, 100.0);
    word.box = {left, top, left + width, top + height};
    word.engineBox = word.box;
    return true;
}

// Decodes one UTF-8 code point at s[i], advancing i; invalid bytes read as U+FFFD.
char32_t NextCodePoint(const std::string& s, size_t& i) {
    unsigned char c = static_cast<unsigned char>(s[i++]);
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (c >= 0x80 && extra == 0) return 0xFFFD;
    char32_t cp = extra == 0 ? c : (c & (0x3F >> extra));
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return cp;
}

std::vector<char32_t> CodePoints(const std::string& s) {
    std::vector<char32_t> out;
    for (size_t i = 0; i < s.size();)
        out.push_back(NextCodePoint(s, i));
    return out;
}

bool IsWordCharacter(char32_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (c >= 0xC0 && c < 0x2000 && c != 0xD7 && c != 0xF7) || (IsCjkCodePoint(c) && c >= 0x3400);
}

int VerticalOverlap(const Box& a, const Box& b) {
    return std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
}

// A word continues a line when it shares most of its height and starts close after it.
bool ContinuesLine(const TextLine& line, const Word& word) {
    int minHeight = std::min(line.box.Height(), word.box.Height());
    int maxHeight = std::max(line.box.Height(), word.box.Height());
    if (VerticalOverlap(line.box, word.box) * 2 < minHeight) return false;
    if (maxHeight > 3 * minHeight) return false;
    int gap = word.box.left - line.box.right;
    return gap <= maxHeight * 6 / 5 && word.box.left >= line.box.left;
}

bool NeedsSpaceBetween(const std::string& before, const Box& beforeBox, const std::string& after,
                       const Box& afterBox) {
    std::vector<char32_t> a = CodePoints(before), b = CodePoints(after);
    bool cjkBefore = IsCjkCodePoint(a.back()), cjkAfter = IsCjkCodePoint(b.front());
    if (cjkBefore && cjkAfter) return false;
    if (!cjkBefore && !cjkAfter) return true;
    // Between CJK and Latin the picture decides: a gap of a space's width is a space.
    int height = std::max(beforeBox.Height(), afterBox.Height());
    return (afterBox.left - beforeBox.right) * 100 >= height * kCjkLatinSpacePercent;
}

void AppendWord(TextLine& line, Box& lastBox, const Word& word) {
    if (line.text.empty()) {
        line.box = word.box;
    } else {
        if (NeedsSpaceBetween(line.text, lastBox, word.text, word.engineBox)) line.text += ' ';
        line.box.left = std::min(line.box.left, word.box.left);
        line.box.top = std::min(line.box.top, word.box.top);
        line.box.right = std::max(line.box.right, word.box.right);
        line.box.bottom = std::max(line.box.bottom, word.box.bottom);
    }
    line.text += word.text;
    lastBox = word.engineBox;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t FullWidthOf(char32_t c) {
    switch (c) {
    case ':':
        return U'\uFF1A';
    case ',':
        return U'\uFF0C';
    case ';':
        return U'\uFF1B';
    case '!':
        return U'\uFF01';
    case '?':
        return U'\uFF1F';
    default:
        return 0;
    }
}

} // namespace

std::string UseChinesePunctuation(const std::string& utf8) {
    std::vector<char32_t> in = CodePoints(utf8), out;
    for (size_t i = 0; i < in.size(); ++i) {
        char32_t wide = FullWidthOf(in[i]);
        size_t before = out.size();
        while (before > 0 && out[before - 1] == ' ')
            --before;
        if (wide && before > 0 && IsCjkCodePoint(out[before - 1])) {
            // Chinese punctuation sits between characters with no spaces around it.
            out.resize(before);
            out.push_back(wide);
            while (i + 1 < in.size() && in[i + 1] == ' ')
                ++i;
        } else {
            out.push_back(in[i]);
        }
    }
    std::string text;
    for (char32_t c : out)
        AppendUtf8(text, c);
    return text;
}

bool IsCjkCodePoint(char32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF);
}

std::vector<Word> ParseTsvWords(const std::string& tsv) {
    std::vector<Word> words;
    size_t start = 0;
    while (start < tsv.size()) {
        size_t end = tsv.find('\n', start);
        if (end == std::string::npos) end = tsv.size();
        std::string row = tsv.substr(start, end - start);
        if (!row.empty() && row.back() == '\r') row.pop_back();
        Word word;
        if (ParseWordRow(row, word)) words.push_back(std::move(word));
        start = end + 1;
    }
    return words;
}

bool MapBoxToPicture(const Box& engineBox, const PictureMapping& m, Box& out) {
    auto back = [&](int v) { return static_cast<int>(std::floor((v - m.border) / m.scale)); };
    auto backUp = [&](int v) { return static_cast<int>(std::ceil((v - m.border) / m.scale)); };
    out = {back(engineBox.left), back(engineBox.top), backUp(engineBox.right), backUp(engineBox.bottom)};
    if (out.right <= 0 || out.bottom <= 0 || out.left >= m.pictureWidth || out.top >= m.pictureHeight)
        return false;
    out.left = std::max(out.left, 0);
    out.top = std::max(out.top, 0);
    out.right = std::min(out.right, m.pictureWidth - 1);
    out.bottom = std::min(out.bottom, m.pictureHeight - 1);
    return out.right > out.left && out.bottom > out.top;
}

bool IsNoiseWord(const Word& word) {
    std::vector<char32_t> cps = CodePoints(word.text);
    // Frame edges the preparation left are read as bars and brackets, often with high confidence.
    auto isFrameMark = [](char32_t c) {
        return c == '|' || c == '[' || c == ']' || c == '!' || c == '{' || c == '}';
    };
    if (std::all_of(cps.begin(), cps.end(), isFrameMark)) return true;
    bool hasWordCharacter = std::any_of(cps.begin(), cps.end(), IsWordCharacter);
    if (!hasWordCharacter) return word.confidence < 60;
    // Tall thin boxes with a letter or two are borders and separators read as I, l or 1.
    if (cps.size() <= 2 && word.box.Height() > 4 * word.box.Width() && word.confidence < 50) return true;
    // The engine is often unsure of correct codes and numbers; short letter salad is noise.
    bool hasDigit = std::any_of(cps.begin(), cps.end(), [](char32_t c) { return c >= '0' && c <= '9'; });
    if (hasDigit) return false;
    if (word.confidence < 5) return true;
    return word.confidence < 15 && cps.size() <= 3;
}

std::vector<TextLine> GroupIntoLines(std::vector<Word> words) {
    std::stable_sort(words.begin(), words.end(),
                     [](const Word& a, const Word& b) { return a.box.left < b.box.left; });
    std::vector<TextLine> lines;
    std::vector<Box> lastBoxes;
    std::vector<double> confidenceSums;
    std::vector<int> wordCounts;
    for (const Word& word : words) {
        size_t best = lines.size();
        int bestOverlap = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            int overlap = VerticalOverlap(lines[i].box, word.box);
            if (ContinuesLine(lines[i], word) && overlap > bestOverlap) best = i, bestOverlap = overlap;
        }
        if (best == lines.size()) {
            lines.emplace_back();
            lastBoxes.emplace_back();
            confidenceSums.push_back(0);
            wordCounts.push_back(0);
        }
        AppendWord(lines[best], lastBoxes[best], word);
        confidenceSums[best] += word.confidence;
        wordCounts[best] += 1;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        lines[i].confidence = static_cast<int>(std::lround(confidenceSums[i] / wordCounts[i]));
        lines[i].text = UseChinesePunctuation(lines[i].text);
    }
    SortReadingOrder(lines);
    return lines;
}

void SortReadingOrder(std::vector<TextLine>& lines) {
    auto centre = [](const TextLine& l) { return l.box.top + l.box.bottom; };
    std::stable_sort(lines.begin(), lines.end(),
                     [&](const TextLine& a, const TextLine& b) { return centre(a) < centre(b); });
    // A row collects the lines whose vertical centre lies within the row's first line.
    for (size_t rowStart = 0; rowStart < lines.size();) {
        size_t rowEnd = rowStart + 1;
        const Box& first = lines[rowStart].box;
        while (rowEnd < lines.size() && centre(lines[rowEnd]) < 2 * first.bottom)
            ++rowEnd;
        std::stable_sort(lines.begin() + rowStart, lines.begin() + rowEnd,
                         [](const TextLine& a, const TextLine& b) { return a.box.left < b.box.left; });
        rowStart = rowEnd;
    }
}

std::vector<TextLine> LinesFromTsv(const std::string& tsv, const PictureMapping& mapping) {
    return LinesFromWords(ParseTsvWords(tsv), mapping);
}

std::vector<TextLine> LinesFromWords(std::vector<Word> words, const PictureMapping& mapping) {
    std::vector<Word> kept;
    for (Word& word : words) {
        if (IsNoiseWord(word) || !MapBoxToPicture(word.box, mapping, word.box)) continue;
        kept.push_back(std::move(word));
    }
    return GroupIntoLines(std::move(kept));
}

} // namespace textsight
