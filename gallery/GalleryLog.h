// The gallery's event log: one UTF-8 line per event, flushed at once so that tests can read
// it while the program runs. Without a file it only remembers the last line (for the label).
#pragma once

#include <cstdio>
#include <string>

class CGalleryLog {
public:
    explicit CGalleryLog(const std::wstring& path);
    ~CGalleryLog();
    CGalleryLog(const CGalleryLog&) = delete;
    CGalleryLog& operator=(const CGalleryLog&) = delete;

    void Write(const std::wstring& line);
    const std::wstring& Last() const { return last_; }

private:
    FILE* file_ = nullptr;
    std::wstring last_;
};
