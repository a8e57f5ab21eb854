// CDuiString helpers that are not one-liners.
#include "uilib/core/UIString.h"

#include <cstdarg>
#include <cwchar>
#include <cwctype>

namespace {

int FormatInto(std::wstring& out, const wchar_t* format, va_list args) {
    if (!format) { out.clear(); return 0; }
    wchar_t buffer[4096];
    int n = _vsnwprintf(buffer, 4095, format, args);
    buffer[4095] = L'\0';
    if (n < 0) n = int(wcslen(buffer));
    out.assign(buffer, size_t(n));
    return n;
}

}  // namespace

int CDuiString::Compare(const wchar_t* s) const { return wcscmp(s_.c_str(), s ? s : L""); }

int CDuiString::CompareNoCase(const wchar_t* s) const { return _wcsicmp(s_.c_str(), s ? s : L""); }

CDuiString CDuiString::Left(int count) const {
    if (count < 0) count = 0;
    return CDuiString(s_.substr(0, size_t(count)));
}

CDuiString CDuiString::Mid(int pos, int count) const {
    if (pos < 0) pos = 0;
    if (pos >= GetLength()) return CDuiString();
    return CDuiString(s_.substr(size_t(pos), count < 0 ? std::wstring::npos : size_t(count)));
}

CDuiString CDuiString::Right(int count) const {
    if (count <= 0) return CDuiString();
    if (count >= GetLength()) return *this;
    return CDuiString(s_.substr(s_.size() - size_t(count)));
}

int CDuiString::Find(wchar_t ch, int start) const {
    if (start < 0 || start > GetLength()) return -1;
    size_t p = s_.find(ch, size_t(start));
    return p == std::wstring::npos ? -1 : int(p);
}

int CDuiString::Find(const wchar_t* s, int start) const {
    if (!s || start < 0 || start > GetLength()) return -1;
    size_t p = s_.find(s, size_t(start));
    return p == std::wstring::npos ? -1 : int(p);
}

int CDuiString::ReverseFind(wchar_t ch) const {
    size_t p = s_.rfind(ch);
    return p == std::wstring::npos ? -1 : int(p);
}

int CDuiString::Replace(const wchar_t* from, const wchar_t* to) {
    if (!from || !*from) return 0;
    std::wstring replacement = to ? to : L"";
    size_t fromLength = wcslen(from);
    int count = 0;
    for (size_t p = s_.find(from); p != std::wstring::npos; p = s_.find(from, p + replacement.size())) {
        s_.replace(p, fromLength, replacement);
        ++count;
    }
    return count;
}

void CDuiString::MakeUpper() { for (auto& c : s_) c = wchar_t(towupper(c)); }

void CDuiString::MakeLower() { for (auto& c : s_) c = wchar_t(towlower(c)); }

int CDuiString::Format(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    int n = FormatInto(s_, format, args);
    va_end(args);
    return n;
}

int CDuiString::SmallFormat(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    int n = FormatInto(s_, format, args);
    va_end(args);
    return n;
}
