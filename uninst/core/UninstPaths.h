// Path arithmetic of the two-stage start: the temporary copy, its parameter string, the
// installation path. Pure string functions over wide paths; "\" and "/" both separate.
#pragma once
#include <string>

namespace uninst {

bool IsPathSeparator(wchar_t c);
bool EndsWithSeparator(const std::wstring& path);

// The path without its last element, as the shell's path functions leave it:
// "D:\Apps\Capturo\Uninst.exe" -> "D:\Apps\Capturo", "C:\Uninst.exe" -> "C:\",
// "\Uninst.exe" -> "\", "Uninst.exe" -> "".
std::wstring RemoveLastPathElement(const std::wstring& path);

// The last element: "D:\Apps\Uninst.exe" -> "Uninst.exe".
std::wstring LastPathElement(const std::wstring& path);

// Stage 1: the copy keeps the executable's file name, in the temporary folder (which ends with "\").
std::wstring TemporaryCopyPath(const std::wstring& tempFolder, const std::wstring& exePath);

// Stage 1: the copy's only parameter, the executable's own path, quoted when it holds a space.
std::wstring Stage1Parameters(const std::wstring& exePath);

// Stage 2: the installation path from the argument; it always ends with "\" or "/".
std::wstring InstallPathFromArgument(const std::wstring& argument);

// The path with "\" appended unless it already ends with a separator.
std::wstring WithTrailingSeparator(const std::wstring& path);

// Ordinal, case-insensitive comparison, as the file system compares names.
bool SamePathText(const std::wstring& a, const std::wstring& b);

}  // namespace uninst
