// CPaintManagerUI: one per window. Owns the control tree, the back buffer, fonts, images
// and default attributes of that window, routes window messages into the controls (hover,
// capture, focus, keys, cursor, tooltips, timers, wheel) and sends notifications to its
// notifiers. Its static side holds the process-wide start-up state: instance, resource path,
// the skin archive, shared images and fonts, and the message loop.
// Threading: every member is for the UI thread that created the window; Invalidate is safe to
// call from that thread at any time (before attach, during destruction).
#pragma once

#include <windows.h>
#include <map>
#include <memory>
#include <vector>

#include "uilib/core/UIDefines.h"

class CZipArchive;

namespace uilib {
class ImageTable;
}

class CPaintManagerUI {
public:
    CPaintManagerUI();
    ~CPaintManagerUI();
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    // ---- process-wide start-up ----
    static void SetInstance(HINSTANCE hInst);
    static HINSTANCE GetInstance();
    static CDuiString GetInstancePath();            // the executable's folder, with a trailing '\'
    static void SetResourcePath(LPCTSTR pStrPath);   // a trailing '\' is added when missing
    static CDuiString GetResourcePath();
    // The skin archive: a zip file (relative names are under the resource path), bytes in
    // memory (copied), or an executable resource. False when it is not a readable zip; the
    // previous archive is dropped either way.
    static bool SetResourceZip(LPCTSTR pStrZip);
    static bool SetResourceZip(const void* pData, size_t size);
    static bool LoadResourceZip(HINSTANCE hInst, LPCTSTR type, UINT id);
    static void ClearResourceZip();
    static bool HasResourceZip();
    // Reads a skin file: from the archive when one is set, else from the resource path.
    static bool LoadResourceFile(const CDuiString& name, std::vector<BYTE>& out);
    static void MessageLoop();
    static bool TranslateMessage(const LPMSG pMsg);   // dialog keys and pre-filters

    // ---- the window ----
    void Init(HWND hWnd);
    HWND GetPaintWindow() const;
    HDC GetPaintDC() const;
    POINT GetMousePos() const;
    SIZE GetClientSize() const;
    // Window attributes set from the skin's Window tag.
    SIZE GetInitSize() const;
    void SetInitSize(int cx, int cy);
    RECT GetSizeBox() const;
    void SetSizeBox(const RECT& rcSizeBox);
    RECT GetCaptionRect() const;
    void SetCaptionRect(const RECT& rcCaption);
    SIZE GetRoundCorner() const;
    void SetRoundCorner(int cx, int cy);
    SIZE GetMinInfo() const;
    void SetMinInfo(int cx, int cy);
    SIZE GetMaxInfo() const;
    void SetMaxInfo(int cx, int cy);
    // Every attribute of the skin's Window tag as written (shadow settings, for instance).
    void SetWindowAttribute(LPCTSTR pstrName, LPCTSTR pstrValue);
    LPCTSTR GetWindowAttribute(LPCTSTR pstrName) const;   // nullptr when absent
    void SetTransparent(int nOpacity);
    void SetBackgroundTransparent(bool bTrans);

    // ---- the control tree ----
    bool AttachDialog(CControlUI* pControl);   // takes ownership of the root
    CControlUI* GetRoot() const;
    bool InitControls(CControlUI* pControl, CControlUI* pParent = nullptr);
    void ReapObjects(CControlUI* pControl);    // forget a control that is being deleted
    CControlUI* FindControl(POINT pt) const;
    CControlUI* FindControl(LPCTSTR pstrName) const;
    CControlUI* FindSubControlByPoint(CControlUI* pParent, POINT pt) const;
    CControlUI* FindSubControlByName(CControlUI* pParent, LPCTSTR pstrName) const;
    CControlUI* FindSubControlByClass(CControlUI* pParent, LPCTSTR pstrClass, int iIndex = 0);
    void AddOptionGroup(LPCTSTR pStrGroupName, CControlUI* pControl);
    std::vector<CControlUI*>* GetOptionGroup(LPCTSTR pStrGroupName);
    void RemoveOptionGroup(LPCTSTR pStrGroupName, CControlUI* pControl);

    // ---- painting ----
    void Invalidate();
    void Invalidate(const RECT& rcItem);
    void NeedUpdate();                        // relayout on the next paint
    bool IsUpdateNeeded() const;

    // ---- input state ----
    CControlUI* GetFocus() const;
    void SetFocus(CControlUI* pControl);
    CControlUI* GetHotControl() const;
    CControlUI* GetCapturedControl() const;
    void SetCapture();
    void ReleaseCapture();
    bool IsCaptured() const;
    bool SetTimer(CControlUI* pControl, UINT nTimerID, UINT uElapse);
    bool KillTimer(CControlUI* pControl, UINT nTimerID);
    void KillTimer(CControlUI* pControl);
    void RemoveAllTimers();

    // ---- notifications and filters ----
    bool AddNotifier(INotifyUI* pControl);
    bool RemoveNotifier(INotifyUI* pControl);
    void SendNotify(TNotifyUI& msg, bool bAsync = false);
    void SendNotify(CControlUI* pControl, LPCTSTR pstrMessage, WPARAM wParam = 0, LPARAM lParam = 0, bool bAsync = false);
    bool AddPreMessageFilter(IMessageFilterUI* pFilter);
    bool RemovePreMessageFilter(IMessageFilterUI* pFilter);
    bool AddMessageFilter(IMessageFilterUI* pFilter);
    bool RemoveMessageFilter(IMessageFilterUI* pFilter);

    // ---- fonts by id (shared ones are visible to every window) ----
    HFONT AddFont(int id, LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic, bool bShared = false);
    HFONT GetFont(int id);                    // falls back to the default font
    TFontInfo* GetFontInfo(int id);
    HFONT GetDefaultFont();
    TFontInfo* GetDefaultFontInfo();
    void SetDefaultFont(LPCTSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic, bool bShared = false);
    void SetDefaultFontId(int id);
    DWORD GetDefaultTextColor() const;
    void SetDefaultTextColor(DWORD dwColor);
    DWORD GetDefaultDisabledColor() const;
    void SetDefaultDisabledColor(DWORD dwColor);

    // ---- images by name ----
    // The table owns hBitmap from then on. alpha: a 32-bit DIB whose alpha is to be
    // honoured (premultiplied); false: drawn opaque. Replaces an entry of the same name.
    const TImageInfo* AddImage(LPCTSTR bitmap, HBITMAP hBitmap, int iWidth, int iHeight, bool bAlpha, bool bShared = false);
    // Decodes a file of the skin (PNG, GIF, BMP, JPEG) and registers it under its name.
    const TImageInfo* AddImage(LPCTSTR bitmap, LPCTSTR type = nullptr, DWORD mask = 0, bool bShared = false);
    bool RemoveImage(LPCTSTR bitmap, bool bShared = false);
    void RemoveAllImages(bool bShared = false);
    const TImageInfo* GetImage(LPCTSTR bitmap);
    // As GetImage, decoding and registering the skin file on first use; nullptr when missing.
    const TImageInfo* GetImageEx(LPCTSTR bitmap, LPCTSTR type = nullptr, DWORD mask = 0, bool bShared = false);

    // ---- default attribute lists by control class ("VScrollBar", "Button", …) ----
    void AddDefaultAttributeList(LPCTSTR pStrControlName, LPCTSTR pStrControlAttrList, bool bShared = false);
    LPCTSTR GetDefaultAttributeList(LPCTSTR pStrControlName) const;
    void RemoveAllDefaultAttributeList(bool bShared = false);

    // ---- message routing: true when handled, with the result in lRes ----
    bool MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
    bool PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);

    // The tooltip window (nullptr until a tooltip was first shown).
    HWND GetToolTipWindow() const;
    // Every manager with a window (all threads); read it on the UI thread only.
    static const std::vector<CPaintManagerUI*>& Managers();

private:
    void ShowToolTip(CControlUI* pControl, POINT pt);

    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
