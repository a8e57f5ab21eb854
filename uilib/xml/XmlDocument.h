// A small XML parser into a tree of plain nodes: elements, attributes and character data.
// Error policy: ParseXml returns false with a message on malformed input; it never throws out.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct CXmlNode {
    std::wstring name;
    std::vector<std::pair<std::wstring, std::wstring>> attributes;  // document order
    std::vector<CXmlNode> children;
    std::wstring text;  // character data and CDATA directly inside, concatenated, whitespace kept

    const wchar_t* Attribute(std::wstring_view name) const;  // nullptr when absent
};

// Elements nested deeper than this are refused.
constexpr int kXmlMaxDepth = 256;

// Parses a document in UTF-8 (with or without BOM) or UTF-16 with BOM; root = the document element.
bool ParseXml(const void* data, size_t size, CXmlNode& root, std::wstring* error = nullptr);
