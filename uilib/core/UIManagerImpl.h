// Private state of CPaintManagerUI, shared by the files that implement it.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "uilib/core/Handles.h"
#include "uilib/core/UIManager.h"

namespace uilib {

struct ImageEntry {
    TImageInfo info;
    BitmapHandle owner;
};

struct FontEntry {
    TFontInfo info;
    FontHandle owner;
};

struct TimerEntry {
    CControlUI* control = nullptr;
    UINT localId = 0;
    UINT_PTR winId = 0;
};

using ImageMap = std::map<std::wstring, std::unique_ptr<ImageEntry>>;
using FontMap = std::map<int, std::unique_ptr<FontEntry>>;
using AttributeMap = std::map<std::wstring, std::wstring>;

// The tables every window sees (shared fonts, images, default attributes).
struct SharedTables {
    ImageMap images;
    FontMap fonts;
    AttributeMap defaults;
    int defaultFontId = -2;   // -2: none chosen
};
SharedTables& Shared();
std::mutex& SharedLock();   // guards Shared(): the uninstaller runs windows on two threads

std::unique_ptr<FontEntry> MakeFont(LPCTSTR name, int size, bool bold, bool underline, bool italic);

}  // namespace uilib

struct CPaintManagerUI::Impl {
    HWND hwnd = nullptr;
    HDC paintDC = nullptr;
    uilib::MemoryDC backDC;
    uilib::BitmapHandle backBitmap;
    SIZE backSize = {0, 0};

    CControlUI* root = nullptr;
    CControlUI* focus = nullptr;
    CControlUI* hover = nullptr;
    CControlUI* eventClick = nullptr;
    bool mouseTracking = false;
    bool layoutNeeded = true;
    bool inPaint = false;
    POINT lastMouse = {-1, -1};

    HWND tooltip = nullptr;
    CControlUI* tooltipOwner = nullptr;

    SIZE initSize = {0, 0};
    SIZE minInfo = {0, 0};
    SIZE maxInfo = {0, 0};
    SIZE roundCorner = {0, 0};
    RECT sizeBox = {0, 0, 0, 0};
    RECT caption = {0, 0, 0, 0};
    int opacity = 255;

    std::vector<INotifyUI*> notifiers;
    std::vector<IMessageFilterUI*> preFilters;
    std::vector<IMessageFilterUI*> filters;
    std::vector<TNotifyUI> asyncNotify;
    std::vector<uilib::TimerEntry> timers;
    UINT_PTR nextTimerId = 0x1000;
    std::map<std::wstring, std::vector<CControlUI*>> optionGroups;

    uilib::ImageMap images;
    std::set<std::wstring> missingImages;
    uilib::FontMap fonts;
    int defaultFontId = -2;
    std::unique_ptr<uilib::FontEntry> defaultFont;   // set by SetDefaultFont
    std::unique_ptr<uilib::FontEntry> fallbackFont;  // the system's GUI font, made on demand
    uilib::AttributeMap defaults;
    uilib::AttributeMap windowAttributes;
    DWORD defaultTextColor = 0xFF000000;
    DWORD defaultDisabledColor = 0xFFA7A6AA;

    // Layout of the whole tree when something asked for it.
    void LayoutIfNeeded();
    void EnsureBackBuffer(int cx, int cy);
};
