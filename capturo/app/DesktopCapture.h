// The frozen desktop image, the translucent mask, and the mask's attribute string with its hole.
#pragma once

#include <windows.h>
#include <string>

#include "capturo/app/SelectionGeometry.h"
#include "uilib/core/Handles.h"

// The desktop window's rectangle, in screen pixels.
RECT GetScreenRect();
// A copy of the whole desktop, layered windows included. Its alpha bytes are whatever the
// capture left (garbage under Wine): the image is only ever drawn opaque, and the exports
// write opaque pixels, so they are not touched on the way to the first frame.
uilib::BitmapHandle CaptureDesktopBitmap();
// A screen-sized bitmap compatible with `window`, filled with black at alpha 0x4F.
uilib::BitmapHandle CreateMaskBitmap(HWND window);
// "file='<mask>' scale9='l,t,r,b' hole='true'", at most 259 characters.
std::wstring MaskAttributeText(const wchar_t* maskImageName, const SelectionInsets& insets);
