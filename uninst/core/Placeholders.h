// Folder placeholders such as "{userdesktop}" in the paths of the shortcuts to remove.
#pragma once
#include <functional>
#include <string>

namespace uninst {

// The placeholders in the order they are replaced.
constexpr int kPlaceholderCount = 7;
extern const wchar_t* const kPlaceholders[kPlaceholderCount];

// Gives the value of placeholder number i (an index into kPlaceholders).
using PlaceholderValue = std::function<std::wstring(int index)>;

// Replaces every occurrence (exact case) of each placeholder in turn; each value is asked for
// once per call, whether or not the text holds its placeholder.
std::wstring ExpandFolderPlaceholders(const std::wstring& text, const PlaceholderValue& value);

// The same with this system's folders (created when missing, no trailing "\").
std::wstring ExpandFolderPlaceholders(const std::wstring& text);

// Replaces every occurrence of what in text; the replacement is not searched again.
std::wstring ReplaceAll(std::wstring text, const std::wstring& what, const std::wstring& with);

}  // namespace uninst
