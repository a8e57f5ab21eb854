// Path arithmetic of the two-stage start.
#include "UninstPaths.h"

#include <windows.h>

namespace uninst {

bool IsPathSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool EndsWithSeparator(const std::wstring& path) {
    return !path.empty() && IsPathSeparator(path.back());
}

static size_t LastSeparator(const std::wstring& path) {
    return path.find_last_of(L"\\/");
}

std::wstring RemoveLastPathElement(const std::wstring& path) {
    size_t sep = LastSeparator(path);
    if (sep == std::wstring::npos) {
        // "C:Uninst.exe" keeps its drive, a bare name leaves nothing.
        return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) : std::wstring();
    }
    if (sep == 0) return path.substr(0, 1);
    if (sep == 2 && path[1] == L':') return path.substr(0, 3);
    return path.substr(0, sep);
}

std::wstring LastPathElement(const std::wstring& path) {
    size_t sep = LastSeparator(path);
    if (sep == std::wstring::npos) {
        return path.size() >= 2 && path[1] == L':' ? path.substr(2) : path;
    }
    return path.substr(sep + 1);
}

std::wstring TemporaryCopyPath(const std::wstring& tempFolder, const std::wstring& exePath) {
    return tempFolder + LastPathElement(exePath);
}

std::wstring Stage1Parameters(const std::wstring& exePath) {
    if (exePath.find(L' ') == std::wstring::npos) return exePath;
    return L"\"" + exePath + L"\"";
}

std::wstring WithTrailingSeparator(const std::wstring& path) {
    return EndsWithSeparator(path) ? path : path + L"\\";
}

std::wstring InstallPathFromArgument(const std::wstring& argument) {
    return WithTrailingSeparator(RemoveLastPathElement(argument));
}

bool SamePathText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace uninst
