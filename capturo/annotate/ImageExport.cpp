// Picture files, the recognition picture, the clipboard copy and the save dialog. Failures
// leave nothing behind and are not reported beyond the return value.
#include "capturo/annotate/ImageExport.h"

#include <commdlg.h>
#include <gdiplus.h>

#include <algorithm>
#include <cwctype>
#include <vector>

#include "capturo/annotate/BitmapFile.h"

namespace {

bool EndsWith(const std::wstring& text, const wchar_t* suffix) {
    const std::wstring s(suffix);
    if (text.size() < s.size()) return false;
    return std::equal(s.rbegin(), s.rend(), text.rbegin(),
                      [](wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); });
}

bool FindEncoder(const wchar_t* mimeType, CLSID& clsid) {
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
    std::vector<uint8_t> buffer(bytes);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(codecs[i].MimeType, mimeType) == 0) {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

// Top-down 24-bit rows: the alpha byte of captured pixels is garbage, so the encoders get
// pixels without one.
struct tagPixels24 {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<uint8_t> bytes;
};

bool ReadPixels24(HBITMAP bitmap, tagPixels24& out) {
    BITMAP desc{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof(desc), &desc) != sizeof(desc)) return false;
    out.width = desc.bmWidth;
    out.height = desc.bmHeight;
    out.stride = static_cast<int>(BmpRowSize(out.width, 24));
    out.bytes.assign(static_cast<size_t>(out.stride) * out.height, 0);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = out.width;
    info.bmiHeader.biHeight = -out.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    uilib::WindowDC screen(nullptr);
    return ::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(out.height), out.bytes.data(), &info,
                       DIB_RGB_COLORS) == out.height;
}

bool SaveWithEncoder(HBITMAP bitmap, const std::wstring& path, ImageFormat format) {
    CLSID clsid{};
    if (!FindEncoder(format == ImageFormat::Png ? L"image/png" : L"image/jpeg", clsid)) return false;
    tagPixels24 pixels;
    if (!ReadPixels24(bitmap, pixels)) return false;
    Gdiplus::Bitmap image(pixels.width, pixels.height, pixels.stride, PixelFormat24bppRGB, pixels.bytes.data());
    if (image.GetLastStatus() != Gdiplus::Ok) return false;
    ULONG quality = kJpegQuality;  // GDI+ under Wine ignores it; Windows honours it
    Gdiplus::EncoderParameters params{};
    params.Count = 1;
    params.Parameter[0].Guid = Gdiplus::EncoderQuality;
    params.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
    params.Parameter[0].NumberOfValues = 1;
    params.Parameter[0].Value = &quality;
    const Gdiplus::EncoderParameters* used = format == ImageFormat::Jpeg ? &params : nullptr;
    return image.Save(path.c_str(), &clsid, used) == Gdiplus::Ok;
}

}  // namespace

ImageFormat ImageFormatForPath(const std::wstring& path) {
    if (EndsWith(path, L".png")) return ImageFormat::Png;
    if (EndsWith(path, L".jpg") || EndsWith(path, L".jpeg")) return ImageFormat::Jpeg;
    return ImageFormat::Bmp;
}

bool SaveImageFile(HBITMAP bitmap, const std::wstring& path) {
    const ImageFormat format = ImageFormatForPath(path);
    if (format == ImageFormat::Bmp) return SaveBitmapFile(bitmap, path.c_str());
    return SaveWithEncoder(bitmap, path, format);
}

std::wstring RecognitionImageName(const SYSTEMTIME& t) {
    wchar_t name[64];
    swprintf(name, 64, L"%d%d%d%d%d%d.bmp", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    return name;
}

std::wstring WriteRecognitionImage(HBITMAP picture) {
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    const std::wstring path = std::wstring(folder) + RecognitionImageName(now);
    SaveBitmapFile(picture, path.c_str());
    return path;
}

bool ExportSelection(const std::wstring& path, const ComposeFn& compose) {
    uilib::BitmapHandle picture = compose();
    SaveImageFile(picture.Get(), path);
    return true;
}

bool CopySelectionToClipboard(HWND owner, const ComposeFn& compose) {
    if (!::OpenClipboard(owner)) return false;
    bool copied = false;
    if (::EmptyClipboard()) {
        uilib::BitmapHandle picture = compose();
        // From a successful hand-over on, the clipboard owns the bitmap.
        if (picture && ::SetClipboardData(CF_BITMAP, picture.Get())) {
            picture.Release();
            copied = true;
        }
    }
    ::CloseClipboard();
    return copied;
}

std::optional<std::wstring> AskSavePath(HWND owner) {
    // Pairs of display name and pattern, ending in an empty pair.
    static const wchar_t kFilter[] = L"PNG 文件(*.png)\0*.png\0JPG 文件(*.jpg)\0*.jpg\0BMP 文件(*.bmp)\0*.bmp\0\0";
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = kFilter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = L"保存到";
    ofn.lpstrDefExt = L"png";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (!::GetSaveFileNameW(&ofn)) return std::nullopt;
    return std::wstring(file);
}

bool SaveSelectionAs(HWND owner, const ComposeFn& compose) {
    const std::optional<std::wstring> path = AskSavePath(owner);
    if (!path) return false;
    uilib::BitmapHandle picture = compose();
    SaveImageFile(picture.Get(), *path);
    return true;
}
