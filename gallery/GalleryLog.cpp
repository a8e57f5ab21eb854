// The gallery's event log file.
#include "gallery/GalleryLog.h"

#include <windows.h>

CGalleryLog::CGalleryLog(const std::wstring& path) {
    if (!path.empty()) file_ = _wfopen(path.c_str(), L"wb");
}

CGalleryLog::~CGalleryLog() {
    if (file_) fclose(file_);
}

void CGalleryLog::Write(const std::wstring& line) {
    last_ = line;
    if (!file_) return;
    std::wstring text = line + L"\n";
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), &bytes[0], n, nullptr, nullptr);
    fwrite(bytes.data(), 1, bytes.size(), file_);
    fflush(file_);
}
