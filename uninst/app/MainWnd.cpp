// The confirmation window.
#include "MainWnd.h"

#include "UninstState.h"
#include "UninstWnd.h"

namespace uninst {

void CloseWithCode(HWND window, UINT code) {
    if (IsWindow(window)) PostMessageW(window, WM_CLOSE, code, 0);
}

CMainWnd::CMainWnd(std::wstring message, std::wstring editText, std::wstring okLabel, std::wstring cancelLabel)
    : message_(std::move(message)), editText_(std::move(editText)), okLabel_(std::move(okLabel)),
      cancelLabel_(std::move(cancelLabel)) {}

LPCTSTR CMainWnd::GetWindowClassName() const { return L"main_wnd"; }
CDuiString CMainWnd::GetSkinFile() { return L"main.xml"; }
UILIB_RESOURCETYPE CMainWnd::GetResourceType() { return UILIB_ZIP; }
void CMainWnd::OnFinalMessage(HWND hWnd) { WindowImplBase::OnFinalMessage(hWnd); }

LRESULT CMainWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_UNINST_CLOSE) CloseWithCode(m_hWnd, 1);
    return WindowImplBase::HandleMessage(uMsg, wParam, lParam);
}

// An empty text hides the control; any other shows it with that text.
static void ShowText(CControlUI* control, const std::wstring& text) {
    if (!control) return;
    control->SetVisible(!text.empty());
    if (!text.empty()) control->SetText(text.c_str());
}

void CMainWnd::InitWindow() {
    SetWindowTextW(m_hWnd, L"卸载-Capturo");
    messageText_ = FindControl(L"msg_text");
    messageEdit_ = FindControl(L"msg_edit");
    okButton_ = FindControl(L"btn_ok");
    cancelButton_ = FindControl(L"btn_cancel");
    ShowText(messageText_, message_);
    ShowText(messageEdit_, editText_);
    ShowText(okButton_, okLabel_);
    ShowText(cancelButton_, cancelLabel_);
}

void CMainWnd::OnClick(TNotifyUI& msg) {
    CDuiString name = msg.pSender ? msg.pSender->GetName() : CDuiString();
    if (name == L"closebtn" || name == L"btn_cancel") {
        CloseWithCode(m_hWnd, 2);
    } else if (name == L"btn_ok") {
        StartWizardThread(this);
    }
}

bool CMainWnd::ResponseDefaultKeyEvent(WPARAM wParam) {
    if (wParam == VK_ESCAPE) CloseWithCode(m_hWnd, 2);
    return wParam == VK_ESCAPE || wParam == VK_RETURN;
}

}  // namespace uninst
