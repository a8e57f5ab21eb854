// WindowImplBase: a skinned window. On WM_CREATE it loads its skin (see GetResourceType),
// builds the control tree with CDialogBuilder, attaches it to its paint manager and calls
// InitWindow. Borderless: WM_NCCALCSIZE makes the client fill the window; WM_NCHITTEST gives
// the resize border ("sizebox") and the drag area ("caption") except over controls that
// take the mouse (buttons, options, edits …). Buttons named "closebtn", "minbtn", "maxbtn",
// "restorebtn" act by default; "maxbtn"/"restorebtn" swap visibility on maximise.
// A skin that cannot be built makes WM_CREATE return -1, so Create returns nullptr.
// Threading: UI thread only.
#pragma once

#include "uilib/core/UIManager.h"
#include "uilib/core/WindowWnd.h"

class CWndShadow;

class WindowImplBase : public CWindowWnd, public INotifyUI, public IMessageFilterUI, public IDialogBuilderCallback {
public:
    WindowImplBase();
    ~WindowImplBase() override;

    // The initialisation hook: the skin is built and attached when it runs.
    virtual void InitWindow();
    void Notify(TNotifyUI& msg) override;          // "click" goes to OnClick
    virtual void OnClick(TNotifyUI& msg);
    CControlUI* CreateControl(LPCTSTR pstrClass) override;   // none by default
    LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

    CPaintManagerUI& GetPaintManager();
    CControlUI* FindControl(LPCTSTR pstrName) const;
    CWndShadow* GetShadow() const;                 // nullptr unless the skin asks for one

protected:
    // Where the skin is: folder, file, resource.
    virtual CDuiString GetSkinFolder();
    virtual CDuiString GetSkinFile() = 0;
    virtual UILIB_RESOURCETYPE GetResourceType();   // UILIB_FILE by default
    virtual CDuiString GetZIPFileName();            // for UILIB_ZIP without bytes
    virtual LPCTSTR GetResourceID();                // MAKEINTRESOURCE(n) or a name
    virtual LPCTSTR GetResourceTypeName();          // "ZIPRES" by default

    UINT GetClassStyle() const override;                  // CS_DBLCLKS
    void OnFinalMessage(HWND hWnd) override;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    // Messages before the library's own handling; set bHandled to stop it.
    virtual LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    // Esc and Enter reaching the window; true when used. Default: neither.
    virtual bool ResponseDefaultKeyEvent(WPARAM wParam);
    virtual LONG GetStyle();                              // the style set on create

    virtual LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnNcActivate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnNcCalcSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnNcPaint(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnGetMinMaxInfo(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    virtual LRESULT OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

    CPaintManagerUI m_pm;

private:
    bool BuildSkin();
    bool LoadSkinSource();
    void CreateShadowFromSkin();
    void SwapMaximiseButtons();

    CWndShadow* m_pShadow = nullptr;
};
