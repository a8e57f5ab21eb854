// CWindowWnd: a Win32 window owned by a C++ object. The object pointer is stored at
// WM_NCCREATE and every message goes to HandleMessage; OnFinalMessage runs after
// WM_NCDESTROY (the place where heap windows delete themselves).
// Threading: the object lives on the thread that created its window.
#pragma once

#include <windows.h>

#include "uilib/core/UIString.h"

class CWindowWnd {
public:
    CWindowWnd();
    virtual ~CWindowWnd();
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    HWND GetHWND() const;
    operator HWND() const;

    bool RegisterWindowClass();
    // Creates the window (registering its class on first use). nullptr on failure, and then
    // no message handler of this object runs any more.
    HWND Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle,
                int x = CW_USEDEFAULT, int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT, int cy = CW_USEDEFAULT,
                HMENU hMenu = nullptr);
    HWND Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, const RECT& rc, HMENU hMenu = nullptr);
    HWND CreateDuiWindow(HWND hwndParent, LPCTSTR pstrWindowName, DWORD dwStyle = 0, DWORD dwExStyle = 0);

    void ShowWindow(bool bShow = true, bool bTakeFocus = true);
    // Runs a nested loop (owner disabled meanwhile) until the window closes itself with
    // Close(n) or a posted WM_CLOSE with wParam n; returns n.
    UINT ShowModal();
    void Close(UINT nRet = IDOK);
    void CenterWindow();            // over the owner, or the work area of its monitor
    void SetIcon(UINT nRes);        // both sizes, from the executable's icon resource
    void ResizeClient(int cx = -1, int cy = -1);

    LRESULT SendMessageW(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0L);
    LRESULT PostMessageW(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0L);

protected:
    virtual LPCTSTR GetWindowClassName() const = 0;
    virtual LPCTSTR GetSuperClassName() const;
    virtual UINT GetClassStyle() const;
    virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    virtual void OnFinalMessage(HWND hWnd);

    static LRESULT CALLBACK StaticWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    bool m_bInModal = false;
    UINT m_nModalResult = 0;
};
