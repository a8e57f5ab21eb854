// The remembered pen width and colour per tool, and the settings file "main.ini" beside
// the executable (section "Info", nine keys) that keeps them between runs.
#pragma once

#include <cstdint>
#include <string>

#include "capturo/annotate/Palette.h"
#include "capturo/annotate/PaintItem.h"

struct tagToolStyles {
    // Indexed by kind - 1: rectangle, ellipse, arrow, brush (widths) and text (colours).
    int32_t widths[4] = {2, 2, 2, 2};
    uint32_t colors[5] = {kDefaultColor, kDefaultColor, kDefaultColor, kDefaultColor, kDefaultColor};
};

struct tagSettingsKey {
    const wchar_t* name;
    PaintKind kind;
    bool isColor;  // a palette index, else a width in pixels
};

// In the order they are read and written.
inline constexpr tagSettingsKey kSettingsKeys[] = {
    {L"RectangleColor", kKindRectangle, true}, {L"EllipseColor", kKindEllipse, true},
    {L"ArrowColor", kKindArrow, true},         {L"BrushColor", kKindBrush, true},
    {L"TextColor", kKindText, true},           {L"RectangleWidth", kKindRectangle, false},
    {L"EllipseWidth", kKindEllipse, false},    {L"ArrowWidth", kKindArrow, false},
    {L"BrushWidth", kKindBrush, false},
};

inline constexpr wchar_t kSettingsSection[] = L"Info";
inline constexpr wchar_t kSettingsFileName[] = L"main.ini";
inline constexpr int kMissingColorIndex = -1;
inline constexpr int kMissingWidth = 2;

// The executable's folder and "main.ini"; empty when the path holds no backslash.
std::wstring StylesFilePath(const std::wstring& exePath);
// The same for the running executable.
std::wstring StylesFilePath();

// Missing, unreadable or out-of-range values give the defaults (red, width 2); widths are
// taken as they are. An empty path reads nothing and leaves `styles` as it is.
void LoadStyles(const std::wstring& iniPath, tagToolStyles& styles);
// Writes all nine keys; colours as palette indices. Write failures are passed over.
void SaveStyles(const std::wstring& iniPath, const tagToolStyles& styles);
