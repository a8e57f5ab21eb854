// Read-only zip archive: the central directory, stored and deflated members, from memory or a file.
// Error policy: every open and read reports failure by returning false; hostile input never crashes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class CZipArchive {
public:
    // Copies the bytes; the caller's buffer may go away afterwards.
    bool OpenMemory(const void* data, size_t size);
    bool OpenFile(const std::wstring& path);
    // Names compare case-insensitively, with '/' and '\\' alike.
    bool Contains(std::wstring_view name) const;
    // Fails on a missing member, an unknown method, encryption, truncation or a CRC mismatch.
    bool Read(std::wstring_view name, std::vector<unsigned char>& out) const;
    // Member names as stored (folders left out), in central directory order.
    std::vector<std::wstring> Names() const;

    // Members larger than this are refused rather than allocated.
    static constexpr uint32_t kMaxMemberSize = 256u * 1024 * 1024;

private:
    struct Entry {
        std::wstring name;
        uint16_t flags = 0;
        uint16_t method = 0;
        uint32_t crc = 0;
        uint32_t compressedSize = 0;
        uint32_t size = 0;
        uint32_t localOffset = 0;
    };
    void Clear();
    bool ParseCentralDirectory();
    const Entry* Find(std::wstring_view name) const;
    bool LocateData(const Entry& entry, size_t& dataStart) const;

    std::vector<unsigned char> bytes_;
    size_t base_ = 0;  // bytes before the archive proper (e.g. a self-extractor stub)
    std::vector<Entry> entries_;
    std::unordered_map<std::wstring, size_t> index_;
};
