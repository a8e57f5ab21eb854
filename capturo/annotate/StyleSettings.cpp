// Reading and writing "main.ini" through the private-profile functions only.
#include "capturo/annotate/StyleSettings.h"

#include <windows.h>

namespace {

int32_t& WidthOf(tagToolStyles& s, PaintKind kind) { return s.widths[kind - 1]; }
uint32_t& ColorOf(tagToolStyles& s, PaintKind kind) { return s.colors[kind - 1]; }

}  // namespace

std::wstring StylesFilePath(const std::wstring& exePath) {
    const size_t slash = exePath.rfind(L'\\');
    if (slash == std::wstring::npos) return {};
    return exePath.substr(0, slash) + L"\\" + kSettingsFileName;
}

std::wstring StylesFilePath() {
    wchar_t exe[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    return StylesFilePath(std::wstring(exe, n));
}

void LoadStyles(const std::wstring& iniPath, tagToolStyles& styles) {
    if (iniPath.empty()) return;
    for (const tagSettingsKey& key : kSettingsKeys) {
        const int fallback = key.isColor ? kMissingColorIndex : kMissingWidth;
        const int value = static_cast<int>(
            ::GetPrivateProfileIntW(kSettingsSection, key.name, fallback, iniPath.c_str()));
        if (key.isColor) {
            ColorOf(styles, key.kind) = PaletteColor(value);
        } else {
            WidthOf(styles, key.kind) = value;
        }
    }
}

void SaveStyles(const std::wstring& iniPath, const tagToolStyles& styles) {
    if (iniPath.empty()) return;
    tagToolStyles copy = styles;
    for (const tagSettingsKey& key : kSettingsKeys) {
        const int value = key.isColor ? PaletteIndex(ColorOf(copy, key.kind)) : WidthOf(copy, key.kind);
        wchar_t text[16];
        swprintf(text, 16, L"%d", value);
        ::WritePrivateProfileStringW(kSettingsSection, key.name, text, iniPath.c_str());
    }
}
