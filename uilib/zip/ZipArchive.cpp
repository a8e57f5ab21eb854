// Zip reading: end record search, central directory parsing, member extraction with CRC checks.
#include "uilib/zip/ZipArchive.h"

#include "uilib/core/Handles.h"

#include <windows.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kEndSignature = 0x06054b50;
constexpr uint32_t kCentralSignature = 0x02014b50;
constexpr uint32_t kLocalSignature = 0x04034b50;
constexpr size_t kEndRecordSize = 22;
constexpr size_t kCentralHeaderSize = 46;
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kMaxCommentSize = 0xFFFF;
constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagUtf8 = 0x0800;
constexpr uint16_t kMethodStored = 0;
constexpr uint16_t kMethodDeflated = 8;
// Archives bigger than this are not skins; reading them whole would only waste memory.
constexpr ULONGLONG kMaxFileSize = 1024ull * 1024 * 1024;

uint16_t Read16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t Read32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

std::wstring DecodeName(const unsigned char* p, size_t n, bool utf8) {
    if (n == 0) return {};
    UINT codePage = utf8 ? CP_UTF8 : CP_ACP;
    int len = MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(p), static_cast<int>(n), nullptr, 0);
    if (len <= 0) return {};
    std::wstring name(static_cast<size_t>(len), L'\0');
    MultiByteToWideChar(codePage, 0, reinterpret_cast<const char*>(p), static_cast<int>(n), name.data(), len);
    return name;
}

// The lookup key: lower case, one kind of separator, no leading separators.
std::wstring NameKey(std::wstring_view name) {
    std::wstring key(name);
    std::replace(key.begin(), key.end(), L'\\', L'/');
    size_t start = key.find_first_not_of(L'/');
    key.erase(0, start == std::wstring::npos ? key.size() : start);
    if (!key.empty()) CharLowerBuffW(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

bool InflateRaw(const unsigned char* in, uint32_t inSize, std::vector<unsigned char>& out) {
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
    stream.next_in = const_cast<Bytef*>(in);
    stream.avail_in = inSize;
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    int rc = inflate(&stream, Z_FINISH);
    bool complete = rc == Z_STREAM_END && stream.total_out == out.size();
    inflateEnd(&stream);
    return complete;
}

}  // namespace

void CZipArchive::Clear() {
    bytes_.clear();
    entries_.clear();
    index_.clear();
    base_ = 0;
}

bool CZipArchive::OpenMemory(const void* data, size_t size) {
    Clear();
    if (data == nullptr || size == 0) return false;
    const auto* p = static_cast<const unsigned char*>(data);
    bytes_.assign(p, p + size);
    if (ParseCentralDirectory()) return true;
    Clear();
    return false;
}

bool CZipArchive::OpenFile(const std::wstring& path) {
    Clear();
    uilib::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size)) return false;
    if (size.QuadPart <= 0 || static_cast<ULONGLONG>(size.QuadPart) > kMaxFileSize) return false;
    std::vector<unsigned char> data(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < data.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(file.Get(), data.data() + done, chunk, &got, nullptr) || got == 0) return false;
        done += got;
    }
    return OpenMemory(data.data(), data.size());
}

bool CZipArchive::ParseCentralDirectory() {
    const size_t total = bytes_.size();
    if (total < kEndRecordSize) return false;
    // The end record sits in the last 22 bytes plus at most a 64 KiB comment.
    size_t lowest = total > kEndRecordSize + kMaxCommentSize ? total - kEndRecordSize - kMaxCommentSize : 0;
    size_t endPos = total - kEndRecordSize;
    for (;; --endPos) {
        if (Read32(&bytes_[endPos]) == kEndSignature &&
            endPos + kEndRecordSize + Read16(&bytes_[endPos + 20]) <= total)
            break;
        if (endPos == lowest) return false;
    }
    const unsigned char* end = &bytes_[endPos];
    uint16_t count = Read16(end + 10);
    uint32_t dirSize = Read32(end + 12);
    uint32_t dirOffset = Read32(end + 16);
    if (dirSize > endPos) return false;
    size_t dirStart = endPos - dirSize;
    if (dirOffset > dirStart) return false;
    base_ = dirStart - dirOffset;

    size_t pos = dirStart;
    for (uint16_t i = 0; i < count; ++i) {
        if (pos + kCentralHeaderSize > endPos) return false;
        const unsigned char* h = &bytes_[pos];
        if (Read32(h) != kCentralSignature) return false;
        size_t nameLen = Read16(h + 28), extraLen = Read16(h + 30), commentLen = Read16(h + 32);
        size_t next = pos + kCentralHeaderSize + nameLen + extraLen + commentLen;
        if (next > endPos) return false;
        Entry e;
        e.flags = Read16(h + 8);
        e.method = Read16(h + 10);
        e.crc = Read32(h + 16);
        e.compressedSize = Read32(h + 20);
        e.size = Read32(h + 24);
        e.localOffset = Read32(h + 42);
        e.name = DecodeName(h + kCentralHeaderSize, nameLen, (e.flags & kFlagUtf8) != 0);
        pos = next;
        if (e.name.empty() || e.name.back() == L'/' || e.name.back() == L'\\') continue;
        std::wstring key = NameKey(e.name);
        if (index_.count(key) != 0) continue;  // the first of duplicate names wins
        index_.emplace(std::move(key), entries_.size());
        entries_.push_back(std::move(e));
    }
    return true;
}

const CZipArchive::Entry* CZipArchive::Find(std::wstring_view name) const {
    auto it = index_.find(NameKey(name));
    return it == index_.end() ? nullptr : &entries_[it->second];
}

bool CZipArchive::Contains(std::wstring_view name) const { return Find(name) != nullptr; }

std::vector<std::wstring> CZipArchive::Names() const {
    std::vector<std::wstring> names;
    names.reserve(entries_.size());
    for (const Entry& e : entries_) names.push_back(e.name);
    return names;
}

bool CZipArchive::LocateData(const Entry& entry, size_t& dataStart) const {
    size_t header = base_ + entry.localOffset;
    if (header < base_ || header + kLocalHeaderSize > bytes_.size()) return false;
    const unsigned char* h = &bytes_[header];
    if (Read32(h) != kLocalSignature) return false;
    dataStart = header + kLocalHeaderSize + Read16(h + 26) + Read16(h + 28);
    return dataStart <= bytes_.size() && entry.compressedSize <= bytes_.size() - dataStart;
}

bool CZipArchive::Read(std::wstring_view name, std::vector<unsigned char>& out) const {
    out.clear();
    const Entry* entry = Find(name);
    if (entry == nullptr || (entry->flags & kFlagEncrypted) != 0) return false;
    if (entry->size > kMaxMemberSize) return false;
    // Deflate expands at most about 1032 to 1: a larger claim is a lie, refused before allocating.
    if (entry->method == kMethodDeflated && entry->size / 1032 > entry->compressedSize + 1) return false;
    size_t dataStart = 0;
    if (!LocateData(*entry, dataStart)) return false;
    const unsigned char* data = bytes_.data() + dataStart;
    std::vector<unsigned char> result(entry->size);
    if (entry->method == kMethodStored) {
        if (entry->compressedSize != entry->size) return false;
        if (entry->size != 0) std::memcpy(result.data(), data, entry->size);
    } else if (entry->method == kMethodDeflated) {
        if (entry->size != 0 && !InflateRaw(data, entry->compressedSize, result)) return false;
    } else {
        return false;
    }
    uLong crc = crc32(0L, Z_NULL, 0);
    if (!result.empty()) crc = crc32(crc, result.data(), static_cast<uInt>(result.size()));
    if (crc != entry->crc) return false;
    out = std::move(result);
    return true;
}
