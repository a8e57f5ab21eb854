// The selection's ways out: picture files by the ending of their name (PNG, JPEG or the
// bitmap layout), the recognition picture, the clipboard, and the save dialog.
// All run on the UI thread except WriteRecognitionImage (the recognition worker).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "uilib/core/Handles.h"

enum class ImageFormat { Bmp, Png, Jpeg };

// ".png" -> Png, ".jpg"/".jpeg" -> Jpeg (any letter case), anything else -> Bmp.
ImageFormat ImageFormatForPath(const std::wstring& path);

inline constexpr ULONG kJpegQuality = 95;

// PNG and JPEG go through the GDI+ encoders (opaque 24-bit pixels); everything else is
// SaveBitmapFile's exact layout. False when nothing could be written.
bool SaveImageFile(HBITMAP bitmap, const std::wstring& path);

// Makes the composed selection on demand: the clipboard and the dialog compose only once
// they know the picture is wanted.
using ComposeFn = std::function<uilib::BitmapHandle()>;

// "%d%d%d%d%d%d.bmp" from year, month, day, hour, minute, second without padding.
std::wstring RecognitionImageName(const SYSTEMTIME& time);

// Writes the recognition picture (always the bitmap layout) to the temporary folder under
// the local time's name and returns the path, which is never empty.
std::wstring WriteRecognitionImage(HBITMAP picture);

// Composes and writes to `path` by its ending; true even when the file could not be written.
bool ExportSelection(const std::wstring& path, const ComposeFn& compose);

// Opens and empties the clipboard for `owner`, then hands it the composed bitmap. Nothing is
// composed or copied when the clipboard cannot be had. True when the bitmap went over.
bool CopySelectionToClipboard(HWND owner, const ComposeFn& compose);

// The save dialog: PNG, JPG and BMP filters (PNG first), title "保存到", default extension
// "png", overwrite prompt. nullopt when cancelled or failing.
std::optional<std::wstring> AskSavePath(HWND owner);

// Asks for a path and writes the composed selection there. True when the user chose a path
// (the capture then ends, whether or not the file could be written).
bool SaveSelectionAs(HWND owner, const ComposeFn& compose);
