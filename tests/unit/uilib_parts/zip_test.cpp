// Zip reader: members by name, names in both encodings, and damaged or hostile archives.
#include <doctest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "uilib/zip/ZipArchive.h"
#include "zip_fixtures.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes MainZip() { return Bytes(kMainZip, kMainZip + sizeof kMainZip); }

// Offset of the central directory header of `name` (ASCII names only).
size_t CentralHeaderOf(const Bytes& zip, const char* name) {
    size_t len = std::strlen(name);
    for (size_t i = 0; i + 46 + len <= zip.size(); ++i) {
        if (zip[i] == 0x50 && zip[i + 1] == 0x4b && zip[i + 2] == 1 && zip[i + 3] == 2 &&
            zip[i + 28] == len && std::memcmp(&zip[i + 46], name, len) == 0)
            return i;
    }
    FAIL("no central header for " << name);
    return 0;
}

void Put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

bool ReadsAs(const CZipArchive& zip, const wchar_t* name, const std::string& expected) {
    Bytes out;
    return zip.Read(name, out) && std::string(out.begin(), out.end()) == expected;
}

}  // namespace

TEST_CASE("zip: members are found by name whatever the case and separator") {
    CZipArchive zip;
    REQUIRE(zip.OpenMemory(kMainZip, sizeof kMainZip));
    CHECK(zip.Names() == std::vector<std::wstring>{L"a.txt", L"Skin/Main.xml", L"图片/按钮.png", L"empty.bin"});

    struct Case { const wchar_t* name; bool found; size_t size; } cases[] = {
        {L"a.txt", true, 5},
        {L"A.TXT", true, 5},
        {L"skin\\main.xml", true, kSkinXmlSize},
        {L"SKIN/MAIN.XML", true, kSkinXmlSize},
        {L"图片\\按钮.PNG", true, 768},
        {L"empty.bin", true, 0},
        {L"folder/", false, 0},
        {L"main.xml", false, 0},
        {L"", false, 0},
    };
    for (const Case& c : cases) {
        CAPTURE(std::wstring(c.name).size());
        Bytes out{1, 2, 3};
        CHECK(zip.Contains(c.name) == c.found);
        CHECK(zip.Read(c.name, out) == c.found);
        CHECK(out.size() == c.size);
    }
    CHECK(ReadsAs(zip, L"a.txt", "hello"));
    Bytes png;
    REQUIRE(zip.Read(L"图片/按钮.png", png));
    for (size_t i = 0; i < png.size(); ++i) REQUIRE(png[i] == i % 256);
    Bytes xml;
    REQUIRE(zip.Read(L"Skin/Main.xml", xml));
    CHECK(std::string(xml.begin(), xml.begin() + 7) == "<Window");
}

TEST_CASE("zip: a name without the UTF-8 flag is read in the ANSI code page") {
    REQUIRE(GetACP() == 936);
    CZipArchive zip;
    REQUIRE(zip.OpenMemory(kAnsiNameZip, sizeof kAnsiNameZip));
    CHECK(zip.Names() == std::vector<std::wstring>{L"中文.txt"});
    CHECK(ReadsAs(zip, L"中文.TXT", "gbk name"));
}

TEST_CASE("zip: OpenMemory keeps its own copy and OpenFile reads a file") {
    Bytes bytes = MainZip();
    CZipArchive zip;
    REQUIRE(zip.OpenMemory(bytes.data(), bytes.size()));
    std::fill(bytes.begin(), bytes.end(), 0);
    CHECK(ReadsAs(zip, L"a.txt", "hello"));

    wchar_t dir[MAX_PATH], path[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"zip", 0, path);
    HANDLE f = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    REQUIRE(f != INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(f, kMainZip, sizeof kMainZip, &written, nullptr);
    CloseHandle(f);
    CZipArchive fromFile;
    CHECK(fromFile.OpenFile(path));
    CHECK(ReadsAs(fromFile, L"A.txt", "hello"));
    CHECK(fromFile.Names().size() == 4);
    DeleteFileW(path);
    CHECK_FALSE(fromFile.OpenFile(path));
    CHECK_FALSE(fromFile.Contains(L"a.txt"));
}

TEST_CASE("zip: input that is not an archive is refused") {
    const std::string inputs[] = {
        "", "PK", "not a zip at all, just some text that is long enough to hold an end record",
        std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), std::string(22, '\0'),
        std::string("PK\x05\x06", 4) + std::string(18, '\xff'),
    };
    for (const std::string& in : inputs) {
        CAPTURE(in.size());
        CZipArchive zip;
        CHECK_FALSE(zip.OpenMemory(in.data(), in.size()));
        CHECK(zip.Names().empty());
    }
    CZipArchive zip;
    CHECK_FALSE(zip.OpenMemory(nullptr, 10));
}

TEST_CASE("zip: a truncated archive fails to open or to read, never returns wrong data") {
    const Bytes whole = MainZip();
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        CAPTURE(cut);
        CZipArchive zip;
        if (!zip.OpenMemory(whole.data(), cut)) continue;
        CHECK_FALSE(zip.Contains(L"a.txt"));  // with the end record cut off nothing can be listed
    }
}

TEST_CASE("zip: damaged members fail to read while the others still read") {
    struct Case {
        const char* what;
        const char* member;
        size_t field;  // offset in the central header, or 0 to damage the data
        uint32_t value;
    } cases[] = {
        {"bad CRC field", "a.txt", 16, 0x12345678},
        {"data byte flipped", "a.txt", 0, 0},
        {"deflated data byte flipped", "Skin/Main.xml", 0, 0},
        {"absurd uncompressed size", "Skin/Main.xml", 24, 0xFFFFFFF0},
        {"impossible expansion", "Skin/Main.xml", 24, 200u * 1024 * 1024},
        {"absurd compressed size", "Skin/Main.xml", 20, 0xFFFFFFF0},
        {"compressed size cut short", "Skin/Main.xml", 20, 10},
        {"uncompressed size too small", "Skin/Main.xml", 24, 100},
        {"stored sizes differ", "a.txt", 24, 4},
        {"local header beyond the end", "a.txt", 42, 0xFFFFFFF0},
        {"local header misplaced", "Skin/Main.xml", 42, 1},
        {"unknown method", "a.txt", 10, 99},
        {"encrypted", "a.txt", 8, 1},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        Bytes bytes = MainZip();
        size_t header = CentralHeaderOf(bytes, c.member);
        if (c.field == 0) {
            uint32_t local = bytes[header + 42] | (bytes[header + 43] << 8);
            size_t data = local + 30 + bytes[local + 26] + bytes[local + 28];
            bytes[data + 2] ^= 0x55;
        } else if (c.field == 8 || c.field == 10) {
            bytes[header + c.field] = static_cast<unsigned char>(c.value);
        } else {
            Put32(bytes, header + c.field, c.value);
        }
        CZipArchive zip;
        REQUIRE(zip.OpenMemory(bytes.data(), bytes.size()));
        Bytes out{1};
        std::wstring member(c.member, c.member + std::strlen(c.member));
        CHECK_FALSE(zip.Read(member, out));
        CHECK(out.empty());
        CHECK(ReadsAs(zip, member == L"a.txt" ? L"empty.bin" : L"a.txt", member == L"a.txt" ? "" : "hello"));
    }
}

TEST_CASE("zip: a central directory that claims too much is refused") {
    const Bytes whole = MainZip();
    size_t end = whole.size() - 22;
    REQUIRE(whole[end] == 0x50);
    struct Case { const char* what; size_t field; uint32_t value; size_t width; } cases[] = {
        {"entry count beyond the directory", 10, 0xFFFF, 2},
        {"directory larger than the file", 12, 0xFFFFFF00, 4},
        {"directory offset beyond the file", 16, 0xFFFFFF00, 4},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        Bytes bytes = whole;
        for (size_t i = 0; i < c.width; ++i) bytes[end + c.field + i] = static_cast<unsigned char>(c.value >> (8 * i));
        CZipArchive zip;
        CHECK_FALSE(zip.OpenMemory(bytes.data(), bytes.size()));
    }
}

TEST_CASE("zip: every single-byte corruption is survived") {
    const Bytes whole = MainZip();
    size_t checkedReads = 0;
    for (size_t at = 0; at < whole.size(); ++at) {
        for (unsigned char mask : {0xFF, 0x01, 0x80}) {
            Bytes bytes = whole;
            bytes[at] ^= mask;
            CZipArchive zip;
            if (!zip.OpenMemory(bytes.data(), bytes.size())) continue;
            for (const std::wstring& name : zip.Names()) {
                Bytes out;
                if (zip.Read(name, out) && name == L"a.txt") {
                    REQUIRE(std::string(out.begin(), out.end()) == "hello");
                    ++checkedReads;
                }
            }
        }
    }
    CHECK(checkedReads > 0);
}
