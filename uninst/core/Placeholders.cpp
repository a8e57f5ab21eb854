// Folder placeholders in the paths of the shortcuts to remove.
#include "Placeholders.h"

#include <windows.h>
#include <shlobj.h>

namespace uninst {

const wchar_t* const kPlaceholders[kPlaceholderCount] = {
    L"{commonappdata}", L"{commondesktop}", L"{userdesktop}", L"{userappdata}",
    L"{usersmprograms}", L"{sys}", L"{computername}",
};

std::wstring ReplaceAll(std::wstring text, const std::wstring& what, const std::wstring& with) {
    if (what.empty()) return text;
    for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at + with.size())) {
        text.replace(at, what.size(), with);
    }
    return text;
}

std::wstring ExpandFolderPlaceholders(const std::wstring& text, const PlaceholderValue& value) {
    std::wstring out = text;
    for (int i = 0; i < kPlaceholderCount; ++i) out = ReplaceAll(out, kPlaceholders[i], value(i));
    return out;
}

static std::wstring SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    // A folder the system cannot report becomes an empty text.
    if (FAILED(SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return path;
}

static std::wstring SystemPlaceholderValue(int index) {
    static const int kFolders[] = {CSIDL_COMMON_APPDATA, CSIDL_COMMON_DESKTOPDIRECTORY,
                                   CSIDL_DESKTOPDIRECTORY, CSIDL_APPDATA, CSIDL_PROGRAMS};
    if (index < 5) return SpecialFolder(kFolders[index]);
    wchar_t buffer[MAX_PATH] = {};
    if (index == 5) return GetSystemDirectoryW(buffer, MAX_PATH) ? buffer : L"";
    DWORD size = MAX_PATH;
    return GetComputerNameW(buffer, &size) ? buffer : L"";
}

std::wstring ExpandFolderPlaceholders(const std::wstring& text) {
    return ExpandFolderPlaceholders(text, SystemPlaceholderValue);
}

}  // namespace uninst
