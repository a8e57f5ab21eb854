// Attribute value parsing for skins; every function tolerates any input.
#include "uilib/core/ValueParse.h"

#include <cwctype>

namespace uilib {
namespace {

std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && iswspace(s.front())) s.remove_prefix(1);
    while (!s.empty() && iswspace(s.back())) s.remove_suffix(1);
    return s;
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

bool ParseHex(std::wstring_view s, DWORD& value) {
    if (s.empty() || s.size() > 8) return false;
    DWORD v = 0;
    for (wchar_t c : s) {
        int d = HexDigit(c);
        if (d < 0) return false;
        v = (v << 4) | DWORD(d);
    }
    value = v;
    return true;
}

// Reads a signed decimal number at the front of s; advances s past it.
bool TakeInt(std::wstring_view& s, int& value) {
    s = Trim(s);
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == L'-' || s[i] == L'+')) negative = s[i++] == L'-';
    long long v = 0;
    size_t digits = 0;
    for (; i < s.size() && s[i] >= L'0' && s[i] <= L'9'; ++i, ++digits) {
        if (v < 100000000000LL) v = v * 10 + (s[i] - L'0');
    }
    if (digits == 0) return false;
    if (v > 0x7FFFFFFFLL) v = 0x7FFFFFFFLL;
    value = int(negative ? -v : v);
    s.remove_prefix(i);
    return true;
}

std::wstring DecodeEntities(std::wstring_view s) {
    static const struct { const wchar_t* name; wchar_t ch; } kEntities[] = {
        {L"&quot;", L'"'}, {L"&apos;", L'\''}, {L"&lt;", L'<'}, {L"&gt;", L'>'}, {L"&amp;", L'&'}};
    std::wstring out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        bool replaced = false;
        if (s[i] == L'&') {
            for (const auto& e : kEntities) {
                std::wstring_view name(e.name);
                if (s.substr(i, name.size()) == name) {
                    out += e.ch;
                    i += name.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out += s[i++];
    }
    return out;
}

}  // namespace

bool ParseColor(std::wstring_view text, DWORD& color) {
    std::wstring_view s = Trim(text);
    if (s.empty()) return false;
    if (s.front() == L'#') {
        s.remove_prefix(1);
        DWORD v = 0;
        if (s.size() != 6 && s.size() != 8) return false;
        if (!ParseHex(s, v)) return false;
        color = s.size() == 6 ? (0xFF000000u | v) : v;
        return true;
    }
    if (s.size() > 2 && s[0] == L'0' && (s[1] == L'x' || s[1] == L'X')) return ParseHex(s.substr(2), color);
    int v = 0;
    std::wstring_view rest = s;
    if (!TakeInt(rest, v) || !Trim(rest).empty()) return false;
    color = DWORD(v);
    return true;
}

DWORD ParseColorOr(std::wstring_view text, DWORD fallback) {
    DWORD c = 0;
    return ParseColor(text, c) ? c : fallback;
}

bool ParseBool(std::wstring_view text, bool fallback) {
    std::wstring_view s = Trim(text);
    if (s.size() == 4 && _wcsnicmp(s.data(), L"true", 4) == 0) return true;
    if (s.size() == 5 && _wcsnicmp(s.data(), L"false", 5) == 0) return false;
    if (s == L"1") return true;
    if (s == L"0") return false;
    return fallback;
}

bool ParseInt(std::wstring_view text, int& value) {
    std::wstring_view s = text;
    int v = 0;
    if (!TakeInt(s, v) || !Trim(s).empty()) return false;
    value = v;
    return true;
}

int ParseIntOr(std::wstring_view text, int fallback) {
    int v = 0;
    return ParseInt(text, v) ? v : fallback;
}

bool ParseRect(std::wstring_view text, RECT& rc) {
    std::wstring_view s = text;
    int values[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        if (!TakeInt(s, values[i])) {
            if (i == 0) return false;
            break;
        }
        s = Trim(s);
        if (s.empty()) break;
        if (s.front() != L',') break;
        s.remove_prefix(1);
    }
    rc = {values[0], values[1], values[2], values[3]};
    return true;
}

bool ParseSize(std::wstring_view text, SIZE& sz) {
    RECT rc;
    if (!ParseRect(text, rc)) return false;
    sz = {rc.left, rc.top};
    return true;
}

std::vector<std::pair<std::wstring, std::wstring>> ParseAttributeList(std::wstring_view text) {
    std::vector<std::pair<std::wstring, std::wstring>> out;
    std::wstring decoded = DecodeEntities(text);
    std::wstring_view s = decoded;
    while (true) {
        s = Trim(s);
        size_t eq = s.find(L'=');
        if (s.empty() || eq == std::wstring_view::npos) break;
        std::wstring_view name = Trim(s.substr(0, eq));
        s.remove_prefix(eq + 1);
        s = Trim(s);
        if (s.empty() || (s.front() != L'"' && s.front() != L'\'')) break;
        wchar_t quote = s.front();
        size_t end = s.find(quote, 1);
        if (end == std::wstring_view::npos) break;
        if (!name.empty()) out.emplace_back(std::wstring(name), std::wstring(s.substr(1, end - 1)));
        s.remove_prefix(end + 1);
    }
    return out;
}

}  // namespace uilib
