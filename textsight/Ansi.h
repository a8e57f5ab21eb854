// Conversion of the engine's UTF-8 text to a Windows ANSI code page.
#pragma once

#include <string>

namespace textsight {

// UTF-8 → `codePage` (e.g. CP_THREAD_ACP, 936, 1252). Characters the code page lacks become its
// default character; invalid UTF-8 becomes U+FFFD first, and so the default character too.
std::string Utf8ToCodePage(const std::string& utf8, unsigned codePage);

// UTF-16 ↔ UTF-8, for paths and settings.
std::string WideToUtf8(const std::wstring& wide);
std::wstring Utf8ToWide(const std::string& utf8);

} // namespace textsight
