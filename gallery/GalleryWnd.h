// The gallery's windows: the main window showing every control, and the modal dialog it
// opens. Both live on the heap and delete themselves in their final message.
// Threading: the UI thread only.
#pragma once

#include <string>

#include "gallery/GalleryLog.h"
#include "uilib/UILib.h"

// Where the skins come from: the archive in the executable, a zip file or a folder.
struct tagGallerySkin {
    UILIB_RESOURCETYPE type = UILIB_ZIPRESOURCE;
    std::wstring path;
};

// Posted by a test: the gallery writes the positions and states of its controls to the log.
constexpr UINT WM_GALLERY_DUMP = WM_APP + 1;

// A heap window that deletes itself in its final message once it was built. A failed Create
// also ends in a final message but still uses the object afterwards, so then the creator deletes it.
class CGalleryDialog : public WindowImplBase {
public:
    explicit CGalleryDialog(const tagGallerySkin& skin) : skin_(skin) {}

protected:
    LPCTSTR GetWindowClassName() const override { return L"GalleryDialog"; }
    CDuiString GetSkinFile() override { return L"dialog.xml"; }
    UILIB_RESOURCETYPE GetResourceType() override { return skin_.type; }
    LPCTSTR GetResourceID() override { return MAKEINTRESOURCEW(101); }
    void OnClick(TNotifyUI& msg) override;
    void InitWindow() override { initialised_ = true; }
    void OnFinalMessage(HWND) override {
        if (initialised_) delete this;
    }

private:
    tagGallerySkin skin_;
    bool initialised_ = false;
};

// The main window; the same lifetime rule as the dialog.
class CGalleryWnd : public WindowImplBase {
public:
    CGalleryWnd(const tagGallerySkin& skin, CGalleryLog& log) : skin_(skin), log_(log) {}

protected:
    LPCTSTR GetWindowClassName() const override { return L"GalleryWnd"; }
    CDuiString GetSkinFile() override { return L"gallery.xml"; }
    UILIB_RESOURCETYPE GetResourceType() override { return skin_.type; }
    LPCTSTR GetResourceID() override { return MAKEINTRESOURCEW(101); }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    void OnClick(TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
    void OnFinalMessage(HWND hWnd) override;

private:
    void FillListRows();
    void Report(const std::wstring& line);
    void DumpState();
    std::wstring Describe(TNotifyUI& msg);
    void RunModal();

    tagGallerySkin skin_;
    CGalleryLog& log_;
    bool initialised_ = false;
};
