// XML parsing: byte decoding, then a recursive descent over the UTF-16 text with a depth limit.
#include "uilib/xml/XmlDocument.h"

#include <windows.h>

#include <new>

namespace {

bool DecodeText(const unsigned char* p, size_t n, std::wstring& out, std::wstring& error) {
    out.clear();
    if (n >= 2 && ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF))) {
        bool bigEndian = p[0] == 0xFE;
        out.reserve((n - 2) / 2);
        for (size_t i = 2; i + 1 < n; i += 2)
            out.push_back(static_cast<wchar_t>(bigEndian ? (p[i] << 8) | p[i + 1] : p[i] | (p[i + 1] << 8)));
        return true;
    }
    if (n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF) {
        p += 3;
        n -= 3;
    }
    if (n == 0) return true;
    if (n > 0x7FFFFFFF) {
        error = L"document too large";
        return false;
    }
    const char* s = reinterpret_cast<const char*>(p);
    int len = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, s, static_cast<int>(n), nullptr, 0);
    if (len <= 0) {
        error = L"invalid UTF-8";
        return false;
    }
    out.resize(static_cast<size_t>(len));
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, s, static_cast<int>(n), out.data(), len);
    return true;
}

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

bool IsNameStart(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_' || c == L':' || c >= 0x80;
}

bool IsNameChar(wchar_t c) { return IsNameStart(c) || (c >= L'0' && c <= L'9') || c == L'-' || c == L'.'; }

void AppendCodePoint(unsigned long cp, std::wstring& out) {
    if (cp < 0x10000) {
        out.push_back(static_cast<wchar_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    }
}

class Parser {
public:
    explicit Parser(const std::wstring& text) : s_(text) {}

    bool ParseDocument(CXmlNode& root) {
        if (!SkipProlog()) return false;
        if (!At(L"<") || pos_ + 1 >= s_.size() || !IsNameStart(s_[pos_ + 1])) return Fail(L"no document element");
        if (!ParseElement(root, 1)) return false;
        if (!SkipMisc()) return false;
        if (pos_ < s_.size()) return Fail(L"content after the document element");
        return true;
    }

    std::wstring Message() const { return L"line " + std::to_wstring(LineOf(errorPos_)) + L": " + message_; }

private:
    bool Fail(const wchar_t* message) {
        if (message_.empty()) {
            message_ = message;
            errorPos_ = pos_;
        }
        return false;
    }

    size_t LineOf(size_t pos) const {
        size_t line = 1;
        for (size_t i = 0; i < pos && i < s_.size(); ++i)
            if (s_[i] == L'\n') ++line;
        return line;
    }

    bool At(const wchar_t* lit) const { return s_.compare(pos_, wcslen(lit), lit) == 0; }

    void SkipSpace() {
        while (pos_ < s_.size() && IsSpace(s_[pos_])) ++pos_;
    }

    // Moves past the next occurrence of `terminator`; false when the input ends first.
    bool SkipPast(const wchar_t* terminator, const wchar_t* what) {
        size_t found = s_.find(terminator, pos_);
        if (found == std::wstring::npos) return Fail(what);
        pos_ = found + wcslen(terminator);
        return true;
    }

    bool SkipProlog() {
        if (!SkipMisc()) return false;  // the XML declaration is skipped like any processing instruction
        if (At(L"<!DOCTYPE")) {
            if (!SkipDoctype()) return false;
            if (!SkipMisc()) return false;
        }
        return true;
    }

    // Comments, processing instructions and whitespace outside the document element.
    bool SkipMisc() {
        for (;;) {
            SkipSpace();
            if (At(L"<!--")) {
                if (!SkipComment()) return false;
            } else if (At(L"<?")) {
                if (!SkipPast(L"?>", L"unterminated processing instruction")) return false;
            } else {
                return true;
            }
        }
    }

    bool SkipComment() {
        pos_ += 4;
        return SkipPast(L"-->", L"unterminated comment");
    }

    bool SkipDoctype() {
        int brackets = 0;
        for (pos_ += 9; pos_ < s_.size(); ++pos_) {
            wchar_t c = s_[pos_];
            if (c == L'[') ++brackets;
            else if (c == L']') --brackets;
            else if (c == L'>' && brackets <= 0) {
                ++pos_;
                return true;
            }
        }
        return Fail(L"unterminated DOCTYPE");
    }

    bool ParseName(std::wstring& name) {
        if (pos_ >= s_.size() || !IsNameStart(s_[pos_])) return Fail(L"name expected");
        size_t start = pos_;
        while (pos_ < s_.size() && IsNameChar(s_[pos_])) ++pos_;
        name.assign(s_, start, pos_ - start);
        return true;
    }

    bool ParseReference(std::wstring& out) {
        size_t semi = s_.find(L';', pos_);
        if (semi == std::wstring::npos || semi - pos_ > 12) return Fail(L"bad entity reference");
        std::wstring_view ref(s_.data() + pos_ + 1, semi - pos_ - 1);
        static const struct { const wchar_t* name; wchar_t ch; } named[] = {
            {L"lt", L'<'}, {L"gt", L'>'}, {L"amp", L'&'}, {L"apos", L'\''}, {L"quot", L'"'}};
        for (const auto& n : named) {
            if (ref == n.name) {
                out.push_back(n.ch);
                pos_ = semi + 1;
                return true;
            }
        }
        if (ref.size() < 2 || ref[0] != L'#') return Fail(L"unknown entity");
        bool hex = ref[1] == L'x';
        size_t i = hex ? 2 : 1;
        if (i >= ref.size()) return Fail(L"bad character reference");
        unsigned long cp = 0;
        for (; i < ref.size(); ++i) {
            wchar_t c = ref[i];
            int digit = (c >= L'0' && c <= L'9') ? c - L'0'
                        : (hex && c >= L'a' && c <= L'f') ? c - L'a' + 10
                        : (hex && c >= L'A' && c <= L'F') ? c - L'A' + 10
                                                          : -1;
            if (digit < 0) return Fail(L"bad character reference");
            cp = cp * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
            if (cp > 0x10FFFF) return Fail(L"character reference out of range");
        }
        if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) return Fail(L"character reference out of range");
        AppendCodePoint(cp, out);
        pos_ = semi + 1;
        return true;
    }

    bool ParseAttributeValue(std::wstring& value) {
        if (pos_ >= s_.size() || (s_[pos_] != L'"' && s_[pos_] != L'\'')) return Fail(L"quoted value expected");
        wchar_t quote = s_[pos_++];
        while (pos_ < s_.size() && s_[pos_] != quote) {
            wchar_t c = s_[pos_];
            if (c == L'<') return Fail(L"'<' in attribute value");
            if (c == L'&') {
                if (!ParseReference(value)) return false;
                continue;
            }
            value.push_back(IsSpace(c) ? L' ' : c);  // literal line breaks become spaces, as XML says
            ++pos_;
        }
        if (pos_ >= s_.size()) return Fail(L"unterminated attribute value");
        ++pos_;
        return true;
    }

    bool ParseAttributes(CXmlNode& node) {
        for (;;) {
            size_t before = pos_;
            SkipSpace();
            if (pos_ >= s_.size()) return Fail(L"unterminated start tag");
            if (s_[pos_] == L'>' || At(L"/>")) return true;
            if (pos_ == before) return Fail(L"space expected between attributes");
            std::pair<std::wstring, std::wstring> attr;
            if (!ParseName(attr.first)) return false;
            SkipSpace();
            if (pos_ >= s_.size() || s_[pos_] != L'=') return Fail(L"'=' expected");
            ++pos_;
            SkipSpace();
            if (!ParseAttributeValue(attr.second)) return false;
            if (node.Attribute(attr.first) != nullptr) return Fail(L"duplicate attribute");
            node.attributes.push_back(std::move(attr));
        }
    }

    bool ParseElement(CXmlNode& node, int depth) {
        if (depth > kXmlMaxDepth) return Fail(L"elements nested too deeply");
        ++pos_;  // '<'
        if (!ParseName(node.name) || !ParseAttributes(node)) return false;
        if (At(L"/>")) {
            pos_ += 2;
            return true;
        }
        ++pos_;  // '>'
        if (!ParseContent(node, depth)) return false;
        std::wstring closing;
        pos_ += 2;  // "</"
        if (!ParseName(closing)) return false;
        if (closing != node.name) return Fail(L"mismatched end tag");
        SkipSpace();
        if (pos_ >= s_.size() || s_[pos_] != L'>') return Fail(L"'>' expected");
        ++pos_;
        return true;
    }

    // Everything up to this element's end tag; stops with pos_ at "</".
    bool ParseContent(CXmlNode& node, int depth) {
        while (pos_ < s_.size()) {
            wchar_t c = s_[pos_];
            if (c == L'&') {
                if (!ParseReference(node.text)) return false;
            } else if (c != L'<') {
                node.text.push_back(c);
                ++pos_;
            } else if (At(L"</")) {
                return true;
            } else if (At(L"<!--")) {
                if (!SkipComment()) return false;
            } else if (At(L"<![CDATA[")) {
                size_t start = pos_ + 9;
                pos_ = start;
                if (!SkipPast(L"]]>", L"unterminated CDATA")) return false;
                node.text.append(s_, start, pos_ - 3 - start);
            } else if (At(L"<?")) {
                if (!SkipPast(L"?>", L"unterminated processing instruction")) return false;
            } else {
                node.children.emplace_back();
                if (!ParseElement(node.children.back(), depth + 1)) return false;
            }
        }
        return Fail(L"unterminated element");
    }

    const std::wstring& s_;
    size_t pos_ = 0;
    std::wstring message_;
    size_t errorPos_ = 0;
};

}  // namespace

const wchar_t* CXmlNode::Attribute(std::wstring_view attrName) const {
    for (const auto& attr : attributes)
        if (attr.first == attrName) return attr.second.c_str();
    return nullptr;
}

bool ParseXml(const void* data, size_t size, CXmlNode& root, std::wstring* error) {
    root = CXmlNode{};
    std::wstring message;
    try {
        std::wstring text;
        if (data == nullptr && size != 0) {
            message = L"no data";
        } else if (DecodeText(static_cast<const unsigned char*>(data), size, text, message)) {
            Parser parser(text);
            if (parser.ParseDocument(root)) return true;
            message = parser.Message();
        }
    } catch (const std::bad_alloc&) {
        message = L"out of memory";
    }
    root = CXmlNode{};
    if (error != nullptr) *error = message;
    return false;
}
