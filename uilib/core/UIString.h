// CDuiString: the library's wide string, a thin value type over std::wstring with the
// helpers windows and skins need (formatting, case-insensitive compare, slicing).
#pragma once

#include <windows.h>
#include <string>
#include <string_view>

class CDuiString {
public:
    CDuiString() = default;
    CDuiString(const wchar_t* s) : s_(s ? s : L"") {}
    CDuiString(const wchar_t* s, int length) : s_(s ? std::wstring(s, length < 0 ? wcslen(s) : size_t(length)) : std::wstring()) {}
    CDuiString(wchar_t ch) : s_(1, ch) {}
    CDuiString(std::wstring s) : s_(std::move(s)) {}
    CDuiString(std::wstring_view s) : s_(s) {}

    // Size and content.
    int GetLength() const { return int(s_.size()); }
    bool IsEmpty() const { return s_.empty(); }
    void Empty() { s_.clear(); }
    const wchar_t* GetData() const { return s_.c_str(); }
    operator const wchar_t*() const { return s_.c_str(); }
    const std::wstring& Str() const { return s_; }
    std::wstring_view View() const { return s_; }
    wchar_t GetAt(int i) const { return i >= 0 && i < GetLength() ? s_[size_t(i)] : L'\0'; }
    void SetAt(int i, wchar_t ch) { if (i >= 0 && i < GetLength()) s_[size_t(i)] = ch; }
    void Assign(const wchar_t* s, int length = -1) { *this = CDuiString(s, length); }
    void Append(const wchar_t* s) { if (s) s_ += s; }

    // Comparison: Compare is ordinal, CompareNoCase ignores letter case (0 when equal).
    int Compare(const wchar_t* s) const;
    int CompareNoCase(const wchar_t* s) const;
    bool operator==(const wchar_t* s) const { return Compare(s) == 0; }
    bool operator!=(const wchar_t* s) const { return Compare(s) != 0; }
    bool operator==(const CDuiString& s) const { return s_ == s.s_; }
    bool operator!=(const CDuiString& s) const { return s_ != s.s_; }
    bool operator<(const CDuiString& s) const { return s_ < s.s_; }

    CDuiString& operator=(const wchar_t* s) { s_ = s ? s : L""; return *this; }
    CDuiString& operator+=(const wchar_t* s) { Append(s); return *this; }
    CDuiString& operator+=(const CDuiString& s) { s_ += s.s_; return *this; }
    CDuiString& operator+=(wchar_t ch) { s_ += ch; return *this; }
    friend CDuiString operator+(CDuiString a, const CDuiString& b) { a += b; return a; }
    friend CDuiString operator+(CDuiString a, const wchar_t* b) { a += b; return a; }
    friend CDuiString operator+(const wchar_t* a, const CDuiString& b) { CDuiString r(a); r += b; return r; }

    // Slicing and searching; positions are character indices, -1 means "not found".
    CDuiString Left(int count) const;
    CDuiString Mid(int pos, int count = -1) const;
    CDuiString Right(int count) const;
    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* s, int start = 0) const;
    int ReverseFind(wchar_t ch) const;
    int Replace(const wchar_t* from, const wchar_t* to);
    void MakeUpper();
    void MakeLower();

    // printf-style formatting (use %ls for wide strings); the result is cut at 4095 characters.
    int Format(const wchar_t* format, ...);
    int SmallFormat(const wchar_t* format, ...);

private:
    std::wstring s_;
};
