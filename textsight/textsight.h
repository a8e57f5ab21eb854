// textsight: text recognition for pictures of screen regions, driving the Tesseract engine.
// The one header callers include; the library is bound at load time through its import library.
#pragma once

#include <string>
#include <vector>

#if defined(TEXTSIGHT_EXPORTS)
#define TEXTSIGHT_API __declspec(dllexport)
#elif defined(TEXTSIGHT_STATIC)
#define TEXTSIGHT_API
#else
#define TEXTSIGHT_API __declspec(dllimport)
#endif

// One recognised text block: one line of text in reading order.
// Layout (fixed): left, top, right, bottom, text, confidence. The box is in pixels of the submitted
// picture, origin at its top-left corner, right and bottom just past the text and inside the picture.
// `text` is NUL-terminated, in the calling thread's ANSI code page, never null, owned by the record;
// it is allocated and freed by the library, so copies, assignments and destruction go through it.
struct TEXTSIGHT_API tagScShape {
    int left = 0, top = 0, right = 0, bottom = 0;
    char* text;
    int confidence = 0; // the engine's mean word confidence, 0 to 100

    tagScShape() noexcept;
    tagScShape(int l, int t, int r, int b, const char* ansiText, int conf) noexcept;
    tagScShape(const tagScShape& other) noexcept;
    tagScShape(tagScShape&& other) noexcept;
    tagScShape& operator=(const tagScShape& other) noexcept;
    tagScShape& operator=(tagScShape&& other) noexcept;
    ~tagScShape();

    // Replaces the text with a copy of `ansiText` (null means empty).
    void SetText(const char* ansiText) noexcept;
};

namespace PubData {

// Results of GetText_JK; callers may ignore them, the list is the outcome.
enum TextsightResult : int {
    kTextsightNoPicture = -1,   // the file is missing or not a BMP the library reads
    kTextsightNoEngine = -2,    // no engine found
    kTextsightEngineFailed = -3 // the engine exited with an error, printed nothing usable or was cut off
};

// One object per recognition job; any thread. Never throws.
class TEXTSIGHT_API CPubData {
  public:
    CPubData() noexcept;
    ~CPubData();
    CPubData(const CPubData&) = delete;
    CPubData& operator=(const CPubData&) = delete;

    // Recognises the BMP at `imagePath` (a full Windows path) and appends one record per text line
    // to `blocks`, in reading order. Blocks until done or the engine's time limit has passed.
    // Returns the number of blocks (0 = no text) or a negative TextsightResult.
    int GetText_JK(std::wstring& imagePath, std::vector<tagScShape>& blocks) noexcept;
};

} // namespace PubData
