// The exported interface: tagScShape's storage and CPubData::GetText_JK. Nothing thrown inside
// gets out: every entry point is noexcept and catches all.
#include "textsight.h"

#include "Ansi.h"
#include "Recognise.h"

#include <windows.h>

#include <cstring>
#include <new>

namespace {

// Points at this when no memory was left for a copy, so `text` is never null; never freed.
char g_emptyText[1] = "";

char* CopyText(const char* source) noexcept {
    if (!source || !*source) return g_emptyText;
    size_t n = std::strlen(source) + 1;
    char* copy = new (std::nothrow) char[n];
    if (!copy) return g_emptyText;
    std::memcpy(copy, source, n);
    return copy;
}

void FreeText(char* text) noexcept {
    if (text && text != g_emptyText) delete[] text;
}

std::wstring LibraryFolder() {
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&LibraryFolder), &self);
    wchar_t path[MAX_PATH] = L"";
    DWORD n = GetModuleFileNameW(self, path, MAX_PATH);
    std::wstring folder(path, n < MAX_PATH ? n : 0);
    size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
}

} // namespace

tagScShape::tagScShape() noexcept : text(g_emptyText) {}

tagScShape::tagScShape(int l, int t, int r, int b, const char* ansiText, int conf) noexcept
    : left(l), top(t), right(r), bottom(b), text(CopyText(ansiText)), confidence(conf) {}

tagScShape::tagScShape(const tagScShape& o) noexcept
    : left(o.left), top(o.top), right(o.right), bottom(o.bottom), text(CopyText(o.text)),
      confidence(o.confidence) {}

tagScShape::tagScShape(tagScShape&& o) noexcept
    : left(o.left), top(o.top), right(o.right), bottom(o.bottom), text(o.text), confidence(o.confidence) {
    o.text = g_emptyText;
}

tagScShape& tagScShape::operator=(const tagScShape& o) noexcept {
    if (this != &o) {
        left = o.left, top = o.top, right = o.right, bottom = o.bottom, confidence = o.confidence;
        SetText(o.text);
    }
    return *this;
}

tagScShape& tagScShape::operator=(tagScShape&& o) noexcept {
    if (this != &o) {
        left = o.left, top = o.top, right = o.right, bottom = o.bottom, confidence = o.confidence;
        FreeText(text);
        text = o.text;
        o.text = g_emptyText;
    }
    return *this;
}

tagScShape::~tagScShape() {
    FreeText(text);
}

void tagScShape::SetText(const char* ansiText) noexcept {
    char* copy = CopyText(ansiText);
    FreeText(text);
    text = copy;
}

namespace PubData {

CPubData::CPubData() noexcept = default;
CPubData::~CPubData() = default;

int CPubData::GetText_JK(std::wstring& imagePath, std::vector<tagScShape>& blocks) noexcept {
    try {
        textsight::Recognition recognition = textsight::RecogniseFile(imagePath, LibraryFolder());
        std::vector<tagScShape> found;
        found.reserve(recognition.lines.size());
        for (const textsight::TextLine& line : recognition.lines) {
            std::string ansi = textsight::Utf8ToCodePage(line.text, CP_THREAD_ACP);
            found.emplace_back(line.box.left, line.box.top, line.box.right, line.box.bottom, ansi.c_str(),
                               line.confidence);
        }
        blocks.reserve(blocks.size() + found.size());
        for (tagScShape& shape : found)
            blocks.push_back(std::move(shape));
        return recognition.result < 0 ? recognition.result : static_cast<int>(found.size());
    } catch (...) {
        return kTextsightEngineFailed;
    }
}

} // namespace PubData
