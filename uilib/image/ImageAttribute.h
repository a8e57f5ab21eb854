// Parsing of image attribute strings — "file='x.png' source='0,0,22,20' corner='2,2,2,2'
// scale9='l,t,r,b' hole='true' fade='128' dest='…' mask='#FFFF00FF' xtiled='true'
// ytiled='true' restype='PNG'" or a bare name — into a plain record. Pure: no GDI.
#pragma once

#include <windows.h>
#include <string>
#include <string_view>

namespace uilib {

struct ImageAttribute {
    std::wstring file;          // a registered image name or a skin file
    std::wstring resType;
    RECT source = {0, 0, 0, 0}; // empty = the whole bitmap
    RECT dest = {0, 0, 0, 0};   // relative to the control; empty = the whole control
    RECT corner = {0, 0, 0, 0}; // nine-part borders ("corner" and "scale9" are the same)
    DWORD mask = 0;
    BYTE fade = 255;
    bool hole = false;
    bool xtiled = false;
    bool ytiled = false;
    bool hasSource = false;
    bool hasDest = false;
};

// Parses text into attr, starting from attr's current values (so a modifier string can be
// applied over a base). Unknown keys and malformed values are skipped; false when the text
// has no usable file name at all (after both strings, the caller checks attr.file).
bool ParseImageAttribute(std::wstring_view text, ImageAttribute& attr);

}  // namespace uilib
