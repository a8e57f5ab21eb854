// The uninstall wizard and its thread.
#include "UninstWnd.h"

#include "MainWnd.h"
#include "RemovalWorker.h"
#include "UninstState.h"

namespace uninst {

// Posted by the queue when the worker has changes waiting.
constexpr UINT WM_UNINST_PROGRESS = WM_APP + 17;

void CWizardControls::SelectPage(int page) {
    if (tab && tab->GetCurSel() != page) tab->SelectItem(page);
}
void CWizardControls::SetRange(int minimum, int maximum) {
    if (!progress) return;
    progress->SetMaxValue(maximum);
    progress->SetMinValue(minimum);
}
void CWizardControls::SetValue(int value) {
    if (progress) progress->SetValue(value);
}
void CWizardControls::SetText(const std::wstring& value) {
    if (text) text->SetText(value.c_str());
}

IRemovalProgress& CUninstWnd::Progress() { return queue_; }

LPCTSTR CUninstWnd::GetWindowClassName() const { return L"uninst_wnd"; }
CDuiString CUninstWnd::GetSkinFile() { return L"uninst.xml"; }
UILIB_RESOURCETYPE CUninstWnd::GetResourceType() { return UILIB_ZIP; }
void CUninstWnd::OnFinalMessage(HWND hWnd) { WindowImplBase::OnFinalMessage(hWnd); }

LRESULT CUninstWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_CLOSE) {
        CMainWnd* confirmation = ConfirmationWindow();
        if (confirmation) ::PostMessageW(confirmation->GetHWND(), WM_UNINST_CLOSE, 0, 0);
    } else if (uMsg == WM_UNINST_CLOSE) {
        CloseWithCode(m_hWnd, 1);
    } else if (uMsg == WM_UNINST_PROGRESS) {
        queue_.Drain(controls_);
        return 0;
    }
    return WindowImplBase::HandleMessage(uMsg, wParam, lParam);
}

static void* Interface(CControlUI* control, LPCTSTR name) {
    return control ? control->GetInterface(name) : nullptr;
}

static void SetCaption(CControlUI* label) {
    if (label) label->SetText(L"卸载-Capturo");
}

void CUninstWnd::InitWindow() {
    SetWindowTextW(m_hWnd, L"卸载-Capturo");
    controls_.tab = static_cast<CTabLayoutUI*>(Interface(FindControl(L"maintab"), L"TabLayout"));
    controls_.progress = static_cast<CProgressUI*>(Interface(FindControl(L"progress"), L"Progress"));
    controls_.text = FindControl(L"progress_msg");
    SetCaption(FindControl(L"Caption_pg1"));
    SetCaption(FindControl(L"Caption_pg3"));
    queue_.SetTarget(m_hWnd, WM_UNINST_PROGRESS);
}

void CUninstWnd::OnClick(TNotifyUI& msg) {
    CDuiString name = msg.pSender ? msg.pSender->GetName() : CDuiString();
    if (name == L"closebtn" || name == L"btn_goonuser" || name == L"btn_over") {
        CloseWithCode(m_hWnd, 2);
    } else if (name == L"btn_next" && !workerStarted_) {
        // The page turns only when the worker's first change arrives: a second click must not
        // start a second removal.
        workerStarted_ = true;
        StartRemovalWorker(this);
    }
}

bool CUninstWnd::ResponseDefaultKeyEvent(WPARAM wParam) {
    if (wParam == VK_ESCAPE) CloseWithCode(m_hWnd, 2);
    return wParam == VK_ESCAPE || wParam == VK_RETURN;
}

static DWORD WINAPI WizardThread(LPVOID parameter) {
    auto* confirmation = static_cast<CMainWnd*>(parameter);
    ShowWindow(confirmation->GetHWND(), SW_HIDE);
    // Never freed: the window objects live until the process ends.
    auto* wizard = new CUninstWnd();
    if (!wizard->Create(confirmation->GetHWND(), L"", 0x96C80000, 0x40100, 0, 0, 350, 300)) return 0;
    wizard->CenterWindow();
    wizard->ShowModal();
    return 0;
}

void StartWizardThread(CMainWnd* confirmation) {
    HANDLE thread = CreateThread(nullptr, 0, WizardThread, confirmation, 0, nullptr);
    if (thread) CloseHandle(thread);
}

}  // namespace uninst
