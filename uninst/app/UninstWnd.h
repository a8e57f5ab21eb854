// CUninstWnd: the three-page wizard ("uninst.xml"): choice, progress, finish. "狠心卸载" starts
// the removal worker, whose progress changes come back through a queue drained on this thread.
// Threading: created and driven by the wizard thread; the object lives until the process ends.
#pragma once
#include "uilib/UILib.h"
#include "uninst/core/ProgressQueue.h"

namespace uninst {

class CMainWnd;

// The wizard's controls as the worker sees them; missing controls are skipped.
class CWizardControls : public IRemovalProgress {
public:
    CTabLayoutUI* tab = nullptr;
    CProgressUI* progress = nullptr;
    CControlUI* text = nullptr;

    void SelectPage(int page) override;
    void SetRange(int minimum, int maximum) override;
    void SetValue(int value) override;
    void SetText(const std::wstring& text) override;
};

class CUninstWnd : public WindowImplBase {
public:
    // The worker's view of the wizard: changes made here reach the controls in order.
    IRemovalProgress& Progress();

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
    CWizardControls controls_;
    CProgressQueue queue_;
    bool workerStarted_ = false;
};

// Hides the confirmation window and runs the wizard modally on a new thread.
void StartWizardThread(CMainWnd* confirmation);

}  // namespace uninst
