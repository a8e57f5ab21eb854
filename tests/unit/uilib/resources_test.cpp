// Skins and pictures from a zip in memory (as the uninstaller hands them in), GIF frames and
// their delays, the animated control, and the hit test of a borderless window.
#include <doctest.h>
#include <zlib.h>

#include <functional>
#include <string>
#include <vector>

#include "uilib/UILib.h"
#include "uilib/image/ImageDecoder.h"

namespace {

// A two-frame 4 × 4 GIF: red for 50 ms, then blue for 120 ms.
const unsigned char kGif[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x04, 0x00, 0x04, 0x00, 0x81, 0x00, 0x00, 0xFF, 0x00, 0x00, 
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x21, 0xFF, 0x0B, 0x4E, 0x45, 0x54, 0x53, 
    0x43, 0x41, 0x50, 0x45, 0x32, 0x2E, 0x30, 0x03, 0x01, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x00, 
    0x05, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x04, 0x00, 0x00, 0x08, 0x09, 
    0x00, 0x01, 0x08, 0x1C, 0x48, 0xB0, 0x20, 0x80, 0x80, 0x00, 0x21, 0xF9, 0x04, 0x00, 0x0C, 0x00, 
    0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x04, 0x00, 0x81, 0x00, 0x00, 0xFF, 0x00, 
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x09, 0x00, 0x01, 0x08, 0x1C, 0x48, 0xB0, 
    0x20, 0x80, 0x80, 0x00, 0x3B
};

void Put16(std::string& s, unsigned v) { s += char(v & 0xFF); s += char((v >> 8) & 0xFF); }
void Put32(std::string& s, unsigned long v) { Put16(s, v & 0xFFFF); Put16(s, (v >> 16) & 0xFFFF); }

// A zip of stored members, enough to stand for a skin archive.
std::string StoredZip(const std::vector<std::pair<std::string, std::string>>& members) {
    std::string out, central;
    for (const auto& [name, data] : members) {
        unsigned long crc = crc32(0, reinterpret_cast<const Bytef*>(data.data()), uInt(data.size()));
        unsigned long offset = out.size();
        Put32(out, 0x04034b50); Put16(out, 20); Put16(out, 0x0800); Put16(out, 0); Put16(out, 0); Put16(out, 0x21);
        Put32(out, crc); Put32(out, data.size()); Put32(out, data.size()); Put16(out, unsigned(name.size())); Put16(out, 0);
        out += name;
        out += data;
        Put32(central, 0x02014b50); Put16(central, 20); Put16(central, 20); Put16(central, 0x0800); Put16(central, 0);
        Put16(central, 0); Put16(central, 0x21); Put32(central, crc); Put32(central, data.size()); Put32(central, data.size());
        Put16(central, unsigned(name.size())); Put16(central, 0); Put16(central, 0); Put16(central, 0); Put16(central, 0);
        Put32(central, 0); Put32(central, offset);
        central += name;
    }
    unsigned long cdOffset = out.size();
    out += central;
    Put32(out, 0x06054b50); Put16(out, 0); Put16(out, 0); Put16(out, unsigned(members.size())); Put16(out, unsigned(members.size()));
    Put32(out, central.size()); Put32(out, cdOffset); Put16(out, 0);
    return out;
}

bool PumpUntil(const std::function<bool()>& done) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 5000) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

class ZipWindow : public WindowImplBase {
public:
    explicit ZipWindow(const wchar_t* skin) : skin_(skin) {}

protected:
    LPCTSTR GetWindowClassName() const override { return L"UilibZipWindow"; }
    CDuiString GetSkinFile() override { return skin_; }
    UILIB_RESOURCETYPE GetResourceType() override { return UILIB_ZIP; }

private:
    const wchar_t* skin_;
};

const char kSkin[] =
    "<Window size=\"300,200\" caption=\"0,0,0,40\" sizebox=\"5,5,5,5\">"
    "<VerticalLayout>"
    "<Button name=\"closebtn\" float=\"true\" pos=\"260,5,290,35\"/>"
    "<GifAnim name=\"anim\" float=\"true\" pos=\"10,50,14,54\" bkimage=\"load.gif\" autoplay=\"true\"/>"
    "</VerticalLayout></Window>";

}  // namespace

TEST_CASE("GIF frames decode with their delays") {
    std::vector<uilib::DecodedFrame> frames;
    REQUIRE(uilib::DecodeFrames(kGif, sizeof(kGif), frames));
    REQUIRE(frames.size() == 2);
    CHECK(frames[0].delayMs == 50);
    CHECK(frames[1].delayMs == 120);
    CHECK(frames[0].image.width == 4);
    CHECK((reinterpret_cast<DWORD*>(frames[0].image.bits)[0] & 0xFFFFFF) == 0xFF0000);
    CHECK((reinterpret_cast<DWORD*>(frames[1].image.bits)[0] & 0xFFFFFF) == 0x0000FF);
    uilib::DecodedImage image;
    const char junk[] = "not a picture";
    CHECK_FALSE(uilib::DecodeImage(junk, sizeof(junk), 0, image));
    CHECK_FALSE(uilib::DecodeFrames(junk, 0, frames));
}

TEST_CASE("skins come from a zip in memory; bad archives fail cleanly") {
    std::string zip = StoredZip({{"main.xml", kSkin}, {"load.gif", std::string(reinterpret_cast<const char*>(kGif), sizeof(kGif))}});
    REQUIRE(CPaintManagerUI::SetResourceZip(zip.data(), zip.size()));
    std::vector<BYTE> bytes;
    CHECK(CPaintManagerUI::LoadResourceFile(L"MAIN.XML", bytes));
    CHECK(bytes.size() == sizeof(kSkin) - 1);
    CHECK_FALSE(CPaintManagerUI::LoadResourceFile(L"missing.xml", bytes));

    {
        ZipWindow w(L"main.xml");
        HWND hwnd = w.Create(nullptr, L"", WS_POPUP, 0, 100, 100, 0, 0);
        REQUIRE(hwnd != nullptr);
        auto* anim = static_cast<CGifAnimUI*>(w.FindControl(L"anim")->GetInterface(L"GifAnim"));
        REQUIRE(anim != nullptr);
        CHECK(anim->GetFrameCount() == 2);
        CHECK(anim->GetFrameDelay(1) == 120);
        CHECK(anim->IsPlaying());
        CHECK(PumpUntil([&] { return anim->GetCurrentFrame() == 1; }));
        anim->StopGif();
        CHECK_FALSE(anim->IsPlaying());
        CHECK(anim->GetCurrentFrame() == 0);

        // Borderless frame: resize border, caption, and buttons inside the caption.
        auto hit = [&](int x, int y) { return SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(100 + x, 100 + y)); };
        CHECK(hit(2, 100) == HTLEFT);
        CHECK(hit(297, 197) == HTBOTTOMRIGHT);
        CHECK(hit(100, 20) == HTCAPTION);
        CHECK(hit(270, 20) == HTCLIENT);
        CHECK(hit(100, 100) == HTCLIENT);
        DestroyWindow(hwnd);
    }
    ZipWindow missing(L"nosuch.xml");
    CHECK(missing.Create(nullptr, L"", WS_POPUP, 0, 0, 0, 0, 0) == nullptr);

    const char garbage[] = "PK this is not really an archive";
    CHECK_FALSE(CPaintManagerUI::SetResourceZip(garbage, sizeof(garbage)));
    CHECK_FALSE(CPaintManagerUI::HasResourceZip());
    std::string corrupt = zip;
    corrupt[40] ^= 0x55;  // inside the first member's data: its CRC no longer matches
    REQUIRE(CPaintManagerUI::SetResourceZip(corrupt.data(), corrupt.size()));
    ZipWindow broken(L"main.xml");
    CHECK(broken.Create(nullptr, L"", WS_POPUP, 0, 0, 0, 0, 0) == nullptr);
    CPaintManagerUI::ClearResourceZip();
}
