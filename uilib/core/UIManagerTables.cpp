// CPaintManagerUI's tables: fonts by id, images by name and default attribute lists, each
// either the window's own or shared by every window of the process.
#include <mutex>

#include "uilib/core/UIManager.h"
#include "uilib/core/UIManagerImpl.h"
#include "uilib/image/ImageDecoder.h"

using uilib::Shared;
using uilib::SharedLock;

// ---- fonts ----

namespace {

bool SameFont(const TFontInfo& f, LPCTSTR name, int size, bool bold, bool underline, bool italic) {
    return f.sFontName == (name ? name : L"") && f.iSize == size && f.bBold == bold && f.bUnderline == underline && f.bItalic == italic;
}

}  // namespace

HFONT CPaintManagerUI::AddFont(int id, LPCTSTR name, int nSize, bool bBold, bool bUnderline, bool bItalic, bool bShared) {
    // Row skins declare their shared fonts again for every row: keep the existing handle,
    // which controls may still be using.
    if (bShared) {
        std::lock_guard<std::mutex> guard(SharedLock());
        auto it = Shared().fonts.find(id);
        if (it != Shared().fonts.end() && SameFont(it->second->info, name, nSize, bBold, bUnderline, bItalic)) return it->second->info.hFont;
    } else {
        auto it = m_impl->fonts.find(id);
        if (it != m_impl->fonts.end() && SameFont(it->second->info, name, nSize, bBold, bUnderline, bItalic)) return it->second->info.hFont;
    }
    std::unique_ptr<uilib::FontEntry> entry = uilib::MakeFont(name, nSize, bBold, bUnderline, bItalic);
    if (!entry) return nullptr;
    HFONT font = entry->info.hFont;
    if (bShared) {
        std::lock_guard<std::mutex> guard(SharedLock());
        Shared().fonts[id] = std::move(entry);
    } else {
        m_impl->fonts[id] = std::move(entry);
    }
    return font;
}

TFontInfo* CPaintManagerUI::GetFontInfo(int id) {
    auto it = m_impl->fonts.find(id);
    if (it != m_impl->fonts.end()) return &it->second->info;
    {
        std::lock_guard<std::mutex> guard(SharedLock());
        auto shared = Shared().fonts.find(id);
        if (shared != Shared().fonts.end()) return &shared->second->info;
    }
    return GetDefaultFontInfo();
}

HFONT CPaintManagerUI::GetFont(int id) {
    TFontInfo* info = GetFontInfo(id);
    return info ? info->hFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

TFontInfo* CPaintManagerUI::GetDefaultFontInfo() {
    Impl& d = *m_impl;
    if (d.defaultFontId != -2) {
        auto it = d.fonts.find(d.defaultFontId);
        if (it != d.fonts.end()) return &it->second->info;
    }
    if (d.defaultFont) return &d.defaultFont->info;
    {
        std::lock_guard<std::mutex> guard(SharedLock());
        int sharedDefault = Shared().defaultFontId;
        auto it = Shared().fonts.find(sharedDefault);
        if (sharedDefault != -2 && it != Shared().fonts.end()) return &it->second->info;
    }
    if (!d.fallbackFont) d.fallbackFont = uilib::MakeFont(nullptr, 0, false, false, false);
    return d.fallbackFont ? &d.fallbackFont->info : nullptr;
}

HFONT CPaintManagerUI::GetDefaultFont() {
    TFontInfo* info = GetDefaultFontInfo();
    return info ? info->hFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void CPaintManagerUI::SetDefaultFont(LPCTSTR name, int nSize, bool bBold, bool bUnderline, bool bItalic, bool bShared) {
    std::unique_ptr<uilib::FontEntry> entry = uilib::MakeFont(name, nSize, bBold, bUnderline, bItalic);
    if (!entry) return;
    if (bShared) {
        std::lock_guard<std::mutex> guard(SharedLock());
        Shared().fonts[-1] = std::move(entry);
        Shared().defaultFontId = -1;
    } else {
        m_impl->defaultFont = std::move(entry);
        m_impl->defaultFontId = -2;
    }
}

void CPaintManagerUI::SetDefaultFontId(int id) {
    if (m_impl->fonts.count(id)) {
        m_impl->defaultFontId = id;
        return;
    }
    std::lock_guard<std::mutex> guard(SharedLock());
    if (Shared().fonts.count(id)) Shared().defaultFontId = id;
}

DWORD CPaintManagerUI::GetDefaultTextColor() const { return m_impl->defaultTextColor; }
void CPaintManagerUI::SetDefaultTextColor(DWORD c) { m_impl->defaultTextColor = c; }
DWORD CPaintManagerUI::GetDefaultDisabledColor() const { return m_impl->defaultDisabledColor; }
void CPaintManagerUI::SetDefaultDisabledColor(DWORD c) { m_impl->defaultDisabledColor = c; }

// ---- images ----

const TImageInfo* CPaintManagerUI::AddImage(LPCTSTR name, HBITMAP hBitmap, int iWidth, int iHeight, bool bAlpha, bool bShared) {
    if (!name || !*name || !hBitmap) {
        if (hBitmap) ::DeleteObject(hBitmap);
        return nullptr;
    }
    auto entry = std::make_unique<uilib::ImageEntry>();
    entry->owner.Reset(hBitmap);
    entry->info.hBitmap = hBitmap;
    entry->info.nX = iWidth;
    entry->info.nY = iHeight;
    entry->info.bAlpha = bAlpha;
    entry->info.bShared = bShared;
    DIBSECTION dib = {};
    if (::GetObjectW(hBitmap, sizeof(dib), &dib) == sizeof(dib) && dib.dsBm.bmBitsPixel == 32) {
        entry->info.pBits = static_cast<BYTE*>(dib.dsBm.bmBits);
    }
    const TImageInfo* info = &entry->info;
    m_impl->missingImages.erase(name);
    // Registering the same bitmap again under its name must not delete it with the old entry.
    auto store = [&](uilib::ImageMap& map) {
        std::unique_ptr<uilib::ImageEntry>& slot = map[name];
        if (slot && slot->owner.Get() == hBitmap) slot->owner.Release();
        slot = std::move(entry);
    };
    if (bShared) {
        std::lock_guard<std::mutex> guard(SharedLock());
        store(Shared().images);
    } else {
        store(m_impl->images);
    }
    Invalidate();
    return info;
}

const TImageInfo* CPaintManagerUI::AddImage(LPCTSTR name, LPCTSTR type, DWORD mask, bool bShared) {
    if (!name || !*name) return nullptr;
    std::vector<BYTE> bytes;
    uilib::DecodedImage image;
    if (!LoadResourceFile(name, bytes) || !uilib::DecodeImage(bytes.data(), bytes.size(), mask, image)) {
        m_impl->missingImages.insert(name);
        return nullptr;
    }
    const TImageInfo* info = AddImage(name, image.bitmap.Release(), image.width, image.height, image.hasAlpha, bShared);
    if (info && type) const_cast<TImageInfo*>(info)->sResType = type;
    if (info) const_cast<TImageInfo*>(info)->dwMask = mask;
    return info;
}

bool CPaintManagerUI::RemoveImage(LPCTSTR name, bool bShared) {
    if (!name) return false;
    bool removed = m_impl->images.erase(name) > 0;
    if (bShared) {
        std::lock_guard<std::mutex> guard(SharedLock());
        removed = Shared().images.erase(name) > 0 || removed;
    }
    if (removed) Invalidate();
    return removed;
}

void CPaintManagerUI::RemoveAllImages(bool bShared) {
    m_impl->images.clear();
    m_impl->missingImages.clear();
    if (bShared) {
        std::lock_guard<std::mutex> guard(SharedLock());
        Shared().images.clear();
    }
}

const TImageInfo* CPaintManagerUI::GetImage(LPCTSTR name) {
    if (!name || !*name) return nullptr;
    auto it = m_impl->images.find(name);
    if (it != m_impl->images.end()) return &it->second->info;
    std::lock_guard<std::mutex> guard(SharedLock());
    auto shared = Shared().images.find(name);
    return shared != Shared().images.end() ? &shared->second->info : nullptr;
}

const TImageInfo* CPaintManagerUI::GetImageEx(LPCTSTR name, LPCTSTR type, DWORD mask, bool bShared) {
    if (const TImageInfo* info = GetImage(name)) return info;
    if (!name || !*name || m_impl->missingImages.count(name)) return nullptr;
    return AddImage(name, type, mask, bShared);
}

// ---- default attribute lists ----

void CPaintManagerUI::AddDefaultAttributeList(LPCTSTR name, LPCTSTR list, bool bShared) {
    if (!name || !list) return;
    if (bShared) {
        std::lock_guard<std::mutex> guard(SharedLock());
        Shared().defaults[name] = list;
    } else {
        m_impl->defaults[name] = list;
    }
}

LPCTSTR CPaintManagerUI::GetDefaultAttributeList(LPCTSTR name) const {
    if (!name) return nullptr;
    auto it = m_impl->defaults.find(name);
    if (it != m_impl->defaults.end()) return it->second.c_str();
    std::lock_guard<std::mutex> guard(SharedLock());
    auto shared = Shared().defaults.find(name);
    return shared != Shared().defaults.end() ? shared->second.c_str() : nullptr;
}

void CPaintManagerUI::RemoveAllDefaultAttributeList(bool bShared) {
    m_impl->defaults.clear();
    if (bShared) {
        std::lock_guard<std::mutex> guard(SharedLock());
        Shared().defaults.clear();
    }
}
