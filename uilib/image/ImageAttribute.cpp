// Image attribute strings → ImageAttribute; malformed parts are skipped.
#include "uilib/image/ImageAttribute.h"

#include "uilib/core/ValueParse.h"

namespace uilib {
namespace {

bool IsKeyed(std::wstring_view text) {
    size_t eq = text.find(L'=');
    size_t quote = text.find_first_of(L"'\"");
    return eq != std::wstring_view::npos && quote != std::wstring_view::npos && eq < quote;
}

void ApplyKey(const std::wstring& key, const std::wstring& value, ImageAttribute& attr) {
    RECT rc;
    if (key == L"file" || key == L"res") {
        attr.file = value;
    } else if (key == L"restype") {
        attr.resType = value;
    } else if (key == L"source") {
        if (ParseRect(value, rc)) { attr.source = rc; attr.hasSource = true; }
    } else if (key == L"dest") {
        if (ParseRect(value, rc)) { attr.dest = rc; attr.hasDest = true; }
    } else if (key == L"corner" || key == L"scale9") {
        if (ParseRect(value, rc)) attr.corner = rc;
    } else if (key == L"mask") {
        DWORD c;
        if (ParseColor(value, c)) attr.mask = c;
    } else if (key == L"fade") {
        int v;
        if (ParseInt(value, v)) attr.fade = BYTE(v < 0 ? 0 : v > 255 ? 255 : v);
    } else if (key == L"hole") {
        attr.hole = ParseBool(value, attr.hole);
    } else if (key == L"xtiled") {
        attr.xtiled = ParseBool(value, attr.xtiled);
    } else if (key == L"ytiled") {
        attr.ytiled = ParseBool(value, attr.ytiled);
    }
}

}  // namespace

bool ParseImageAttribute(std::wstring_view text, ImageAttribute& attr) {
    size_t first = text.find_first_not_of(L" \t\r\n");
    if (first == std::wstring_view::npos) return !attr.file.empty();
    text.remove_prefix(first);
    if (!IsKeyed(text)) {
        size_t last = text.find_last_not_of(L" \t\r\n");
        attr.file = std::wstring(text.substr(0, last + 1));
        return true;
    }
    for (const auto& [key, value] : ParseAttributeList(text)) ApplyKey(key, value, attr);
    return !attr.file.empty();
}

}  // namespace uilib
