// CMainWnd: the confirmation window ("main.xml"). "确定" starts the wizard on its own thread.
// Threading: created and driven by the entry thread; the object lives until the process ends.
#pragma once
#include <string>

#include "uilib/UILib.h"

namespace uninst {

class CMainWnd : public WindowImplBase {
public:
    CMainWnd(std::wstring message, std::wstring editText, std::wstring okLabel, std::wstring cancelLabel);

protected:
    LPCTSTR GetWindowClassName() const override;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage(HWND hWnd) override;
    void InitWindow() override;
    void OnClick(TNotifyUI& msg) override;
    CDuiString GetSkinFile() override;
    UILIB_RESOURCETYPE GetResourceType() override;
    bool ResponseDefaultKeyEvent(WPARAM wParam) override;

private:
    CControlUI* messageText_ = nullptr;
    CControlUI* messageEdit_ = nullptr;
    CControlUI* okButton_ = nullptr;
    CControlUI* cancelButton_ = nullptr;
    std::wstring message_;
    std::wstring editText_;
    std::wstring okLabel_;
    std::wstring cancelLabel_;
};

// Posts WM_CLOSE with the code while the window exists; its modal loop returns the code.
void CloseWithCode(HWND window, UINT code);

}  // namespace uninst
