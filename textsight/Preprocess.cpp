// Tile-wise polarity and contrast normalisation, bilinear enlargement and the white margin.
#include "Preprocess.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace textsight {
namespace {

// Levels closer than this to the background count as background (antialiasing, gradients).
constexpr int kInkDistance = 32;
// The top of the range kept below the background, so faint gradients turn white.
constexpr double kBackgroundHeadroom = 0.85;

struct TileLevels {
    int background = 255;
    int ink = 0;
    bool measured = false; // false for a tile of one flat colour
};

using Histogram = std::array<int, 256>;

int HistogramPeak(const Histogram& h) {
    int best = 0, bestSum = -1;
    for (int v = 0; v < 256; ++v) {
        int sum = 0;
        for (int d = -2; d <= 2; ++d)
            if (v + d >= 0 && v + d < 256) sum += h[v + d];
        if (sum > bestSum) best = v, bestSum = sum;
    }
    return best;
}

// The median level of the pixels far from the background on one side.
int FarMedian(const Histogram& h, int from, int to, int count) {
    int seen = 0;
    int step = from <= to ? 1 : -1;
    for (int v = from;; v += step) {
        seen += h[v];
        if (seen * 2 >= count || v == to) return v;
    }
}

TileLevels MeasureTile(const GreyImage& image, int x0, int y0, int x1, int y1) {
    Histogram h{};
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            ++h[image.At(x, y)];
    TileLevels t;
    t.background = HistogramPeak(h);
    int darkCount = 0, brightCount = 0;
    for (int v = 0; v < t.background - kInkDistance; ++v)
        darkCount += h[v];
    for (int v = t.background + kInkDistance + 1; v < 256; ++v)
        brightCount += h[v];
    int area = (x1 - x0) * (y1 - y0);
    int inkCount = std::max(darkCount, brightCount);
    if (inkCount < std::max(3, area / 400)) return t;
    t.measured = true;
    if (darkCount >= brightCount)
        t.ink = FarMedian(h, t.background - kInkDistance - 1, 0, darkCount);
    else
        t.ink = FarMedian(h, t.background + kInkDistance + 1, 255, brightCount);
    return t;
}

// Flat tiles take the polarity of a measured neighbour, so a plain dark panel turns white too.
void FillFlatTiles(std::vector<TileLevels>& tiles, int cols, int rows) {
    bool anyMeasured =
        std::any_of(tiles.begin(), tiles.end(), [](const TileLevels& t) { return t.measured; });
    if (!anyMeasured) {
        for (TileLevels& t : tiles)
            t.ink = t.background < 128 ? 255 : 0, t.measured = true;
        return;
    }
    for (bool changed = true; changed;) {
        changed = false;
        std::vector<TileLevels> next = tiles;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                TileLevels& t = next[r * cols + c];
                if (t.measured) continue;
                const int dr[] = {-1, 1, 0, 0}, dc[] = {0, 0, -1, 1};
                for (int k = 0; k < 4 && !t.measured; ++k) {
                    int rr = r + dr[k], cc = c + dc[k];
                    if (rr < 0 || rr >= rows || cc < 0 || cc >= cols) continue;
                    const TileLevels& n = tiles[rr * cols + cc];
                    if (!n.measured) continue;
                    bool darkInk = n.ink < n.background;
                    t.ink = darkInk ? std::max(0, t.background - 100) : std::min(255, t.background + 100);
                    t.measured = changed = true;
                }
            }
        tiles.swap(next);
    }
}

std::array<uint8_t, 256> TileTable(const TileLevels& t) {
    std::array<uint8_t, 256> lut{};
    double range = (t.background - t.ink) * kBackgroundHeadroom;
    if (std::abs(range) < 1) range = t.background >= 128 ? 1 : -1;
    for (int v = 0; v < 256; ++v)
        lut[v] = static_cast<uint8_t>(std::clamp((v - t.ink) * 255.0 / range, 0.0, 255.0));
    return lut;
}

// For each output coordinate, the two source cells it blends and the weight of the second (0–256).
struct Blend {
    int first, second, weight;
};

std::vector<Blend> BlendTable(int size, double cellSize, int cells) {
    std::vector<Blend> table(size);
    for (int i = 0; i < size; ++i) {
        double f = (i + 0.5) / cellSize - 0.5;
        int a = static_cast<int>(std::floor(f));
        int w = static_cast<int>(std::lround((f - a) * 256));
        table[i] = {std::clamp(a, 0, cells - 1), std::clamp(a + 1, 0, cells - 1), w};
    }
    return table;
}

} // namespace

void NormaliseTiles(GreyImage& image, int tileSize) {
    if (image.width == 0 || image.height == 0) return;
    int cols = (image.width + tileSize - 1) / tileSize, rows = (image.height + tileSize - 1) / tileSize;
    std::vector<TileLevels> tiles(size_t(cols) * rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            tiles[r * cols + c] =
                MeasureTile(image, c * tileSize, r * tileSize, std::min(image.width, (c + 1) * tileSize),
                            std::min(image.height, (r + 1) * tileSize));
    FillFlatTiles(tiles, cols, rows);
    std::vector<std::array<uint8_t, 256>> tables;
    for (const TileLevels& t : tiles)
        tables.push_back(TileTable(t));
    std::vector<Blend> bx = BlendTable(image.width, tileSize, cols),
                       by = BlendTable(image.height, tileSize, rows);
    for (int y = 0; y < image.height; ++y) {
        const Blend& vy = by[y];
        for (int x = 0; x < image.width; ++x) {
            const Blend& vx = bx[x];
            uint8_t v = image.At(x, y);
            int top = tables[vy.first * cols + vx.first][v] * (256 - vx.weight) +
                      tables[vy.first * cols + vx.second][v] * vx.weight;
            int bottom = tables[vy.second * cols + vx.first][v] * (256 - vx.weight) +
                         tables[vy.second * cols + vx.second][v] * vx.weight;
            image.At(x, y) = static_cast<uint8_t>((top * (256 - vy.weight) + bottom * vy.weight) >> 16);
        }
    }
}

namespace {

constexpr uint8_t kInkLevel = 128;
// Strokes of a rule are at most this thick; a thicker dark run is a filled area and stays.
constexpr int kMaxRuleThickness = 3;

bool IsInk(const GreyImage& image, int x, int y) {
    return image.At(x, y) < kInkLevel;
}

// What RemoveRules knows of each pixel.
enum Mark : uint8_t { kInk, kRuleInk, kBackground };

// Marks as rule ink the runs of ink of at least `minLength` along one direction; `at(i, j, x, y)`
// gives the pixel at position j of line i.
template <typename At>
void MarkRuns(int lines, int length, int minLength, At at, std::vector<uint8_t>& mark, int width) {
    auto markAt = [&](int i, int j) -> uint8_t& {
        int x, y;
        at(i, j, x, y);
        return mark[size_t(y) * width + x];
    };
    for (int i = 0; i < lines; ++i)
        for (int j = 0; j < length;) {
            int start = j;
            while (j < length && markAt(i, j) != kBackground)
                ++j;
            if (j - start >= minLength)
                for (int k = start; k < j; ++k)
                    markAt(i, k) = kRuleInk;
            if (j == start) ++j;
        }
}

// How many pixels of ink follow (x, y) in direction (dx, dy), counted up to just past a rule's thickness.
int InkReach(const std::vector<uint8_t>& mark, int w, int h, int x, int y, int dx, int dy) {
    int n = 0;
    for (int cx = x + dx, cy = y + dy; n <= kMaxRuleThickness && cx >= 0 && cy >= 0 && cx < w && cy < h;
         cx += dx, cy += dy, ++n)
        if (mark[size_t(cy) * w + cx] == kBackground) break;
    return n;
}

} // namespace

void RemoveRules(GreyImage& image, int minHorizontal, int minVertical) {
    int w = image.width, h = image.height;
    std::vector<uint8_t> mark(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            mark[size_t(y) * w + x] = IsInk(image, x, y) ? kInk : kBackground;
    MarkRuns(
        h, w, minHorizontal, [](int i, int j, int& x, int& y) { x = j, y = i; }, mark, w);
    MarkRuns(
        w, h, minVertical, [](int i, int j, int& x, int& y) { x = i, y = j; }, mark, w);
    // Whiten marked pixels only where the run is thin across its direction.
    std::vector<uint8_t> erase(size_t(w) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (mark[size_t(y) * w + x] != kRuleInk) continue;
            int across = 1 + InkReach(mark, w, h, x, y, 0, -1) + InkReach(mark, w, h, x, y, 0, 1);
            int along = 1 + InkReach(mark, w, h, x, y, -1, 0) + InkReach(mark, w, h, x, y, 1, 0);
            bool thin = std::min(across, along) <= kMaxRuleThickness;
            if (thin) erase[size_t(y) * w + x] = 1;
        }
    for (size_t i = 0; i < erase.size(); ++i)
        if (erase[i]) image.pixels[i] = 255;
}

TextBands FindTextBands(const GreyImage& image) {
    TextBands bands;
    int blankRun = 2, bandStart = 0;
    for (int y = 0; y < image.height; ++y) {
        bool ink = false;
        for (int x = 0; x < image.width && !ink; ++x)
            ink = IsInk(image, x, y);
        if (ink && blankRun >= 2) ++bands.count, bandStart = y;
        if (ink) bands.tallest = std::max(bands.tallest, y + 1 - bandStart);
        blankRun = ink ? 0 : blankRun + 1;
    }
    return bands;
}

GreyImage Upscale(const GreyImage& image, double scale) {
    int w = std::max(1, static_cast<int>(std::lround(image.width * scale)));
    int h = std::max(1, static_cast<int>(std::lround(image.height * scale)));
    GreyImage out(w, h);
    std::vector<Blend> bx = BlendTable(w, scale, image.width), by = BlendTable(h, scale, image.height);
    for (int y = 0; y < h; ++y) {
        const uint8_t* r0 = &image.pixels[size_t(by[y].first) * image.width];
        const uint8_t* r1 = &image.pixels[size_t(by[y].second) * image.width];
        int wy = by[y].weight;
        uint8_t* dst = &out.pixels[size_t(y) * w];
        for (int x = 0; x < w; ++x) {
            const Blend& b = bx[x];
            int top = r0[b.first] * (256 - b.weight) + r0[b.second] * b.weight;
            int bottom = r1[b.first] * (256 - b.weight) + r1[b.second] * b.weight;
            dst[x] = static_cast<uint8_t>((top * (256 - wy) + bottom * wy + (1 << 15)) >> 16);
        }
    }
    return out;
}

GreyImage AddBorder(const GreyImage& image, int border) {
    GreyImage out(image.width + 2 * border, image.height + 2 * border, 255);
    for (int y = 0; y < image.height; ++y)
        std::copy_n(&image.pixels[size_t(y) * image.width], image.width, &out.At(border, y + border));
    return out;
}

double ChooseScale(int width, int height, const PipelineOptions& options) {
    double scale = options.smallTextScale;
    double pixels = double(width) * height * scale * scale;
    if (pixels > options.maxEnginePixels)
        scale = std::sqrt(options.maxEnginePixels / (double(width) * height));
    return std::max(1.0, scale);
}

PreparedPicture PreparePicture(GreyImage picture, const PipelineOptions& options) {
    PreparedPicture prepared;
    prepared.mapping.pictureWidth = picture.width;
    prepared.mapping.pictureHeight = picture.height;
    prepared.mapping.scale = ChooseScale(picture.width, picture.height, options);
    prepared.mapping.border = options.border;
    NormaliseTiles(picture, options.tileSize);
    RemoveRules(picture, options.ruleLength, options.verticalRuleLength);
    prepared.bands = FindTextBands(picture);
    prepared.image = AddBorder(Upscale(picture, prepared.mapping.scale), options.border);
    return prepared;
}

} // namespace textsight
