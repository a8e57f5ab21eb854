// Parsing of the skin's attribute values: colours (#AARRGGBB, #RRGGBB, 0x…, decimal),
// booleans, integers, "l,t,r,b" rectangles and "cx,cy" sizes, and attribute lists
// (name="value" pairs with &quot; escapes). Pure: bad input gives false, never a crash.
#pragma once

#include <windows.h>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace uilib {

// #RRGGBB gets alpha FF; #AARRGGBB and 0xAARRGGBB as written; plain decimal as is.
bool ParseColor(std::wstring_view text, DWORD& color);
DWORD ParseColorOr(std::wstring_view text, DWORD fallback);
// "true"/"false" (any case), "1"/"0".
bool ParseBool(std::wstring_view text, bool fallback = false);
bool ParseInt(std::wstring_view text, int& value);
int ParseIntOr(std::wstring_view text, int fallback);
// Up to four comma-separated integers; missing trailing ones are 0. False when the first
// is not a number.
bool ParseRect(std::wstring_view text, RECT& rc);
bool ParseSize(std::wstring_view text, SIZE& sz);
// name="value" name2='value' … ; &quot; &apos; &lt; &gt; &amp; in values are decoded.
std::vector<std::pair<std::wstring, std::wstring>> ParseAttributeList(std::wstring_view text);

}  // namespace uilib
