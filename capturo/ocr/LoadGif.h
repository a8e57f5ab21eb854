// CLoadGif: the small loading window with its animation, shown while a recognition job runs.
// Made once, hidden, by the capture window's initialisation. UI thread only.
#pragma once

#include "uilib/UILib.h"

class CLoadGif : public WindowImplBase {
public:
    CLoadGif() = default;
    ~CLoadGif() override = default;

protected:
    LPCTSTR GetWindowClassName() const override { return L"loading"; }
    void InitWindow() override;
    CDuiString GetSkinFolder() override { return L""; }
    CDuiString GetSkinFile() override { return L"loading.xml"; }
    // The skin lies in the program's archive, like the capture window's.
    UILIB_RESOURCETYPE GetResourceType() override { return UILIB_ZIPRESOURCE; }
    LPCTSTR GetResourceID() override { return MAKEINTRESOURCEW(101); }

private:
    CControlUI* layout_ = nullptr;
};
