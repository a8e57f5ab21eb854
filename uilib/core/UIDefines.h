// Plain types shared by the whole library: events, notifications, image and font records,
// the callback interfaces a window implements, and the flags of the control tree.
// Threading: everything here is owned and used by the UI thread of the window it belongs to.
#pragma once

#include <windows.h>

#include "uilib/core/UIString.h"

class CControlUI;
class CPaintManagerUI;

// Events the paint manager delivers to a control's DoEvent.
enum UIEVENT_TYPE {
    UIEVENT__FIRST = 1,
    UIEVENT__KEYBEGIN,
    UIEVENT_KEYDOWN,
    UIEVENT_KEYUP,
    UIEVENT_CHAR,
    UIEVENT_SYSKEY,
    UIEVENT__KEYEND,
    UIEVENT__MOUSEBEGIN,
    UIEVENT_MOUSEMOVE,
    UIEVENT_MOUSELEAVE,
    UIEVENT_MOUSEENTER,
    UIEVENT_MOUSEHOVER,
    UIEVENT_BUTTONDOWN,
    UIEVENT_BUTTONUP,
    UIEVENT_RBUTTONDOWN,
    UIEVENT_RBUTTONUP,
    UIEVENT_DBLCLICK,
    UIEVENT_CONTEXTMENU,
    UIEVENT_SCROLLWHEEL,
    UIEVENT__MOUSEEND,
    UIEVENT_KILLFOCUS,
    UIEVENT_SETFOCUS,
    UIEVENT_WINDOWSIZE,
    UIEVENT_SETCURSOR,
    UIEVENT_TIMER,
    UIEVENT__LAST,
};

// One event for a control. ptMouse is in client coordinates of the paint window;
// for UIEVENT_TIMER wParam is the timer id; for UIEVENT_SCROLLWHEEL wParam's low word is
// SB_LINEUP or SB_LINEDOWN and lParam carries the key state.
struct TEventUI {
    int Type = 0;
    CControlUI* pSender = nullptr;
    DWORD dwTimestamp = 0;
    POINT ptMouse = {0, 0};
    wchar_t chKey = 0;
    WORD wKeyState = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// A notification to every notifier of a paint manager (a window's Notify).
// Type names sent by the library: "windowinit", "click", "selectchanged", "itemselect",
// "itemclick", "itemactivate", "textchanged", "return", "setfocus", "killfocus", "timer",
// "scroll", "dropdown", "menu", "headerclick", "link".
struct TNotifyUI {
    CDuiString sType;
    CDuiString sVirtualWnd;
    CControlUI* pSender = nullptr;
    DWORD dwTimestamp = 0;
    POINT ptMouse = {0, 0};
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// A registered or decoded image. The table owns hBitmap and deletes it when the entry goes.
// When alpha is true the bitmap is a 32-bit top-down DIB with premultiplied alpha and pBits
// points at its pixels; otherwise it may be any bitmap (a desktop capture, for instance) and
// is drawn opaque.
struct TImageInfo {
    HBITMAP hBitmap = nullptr;
    BYTE* pBits = nullptr;
    int nX = 0;
    int nY = 0;
    bool bAlpha = false;
    bool bShared = false;
    CDuiString sResType;
    DWORD dwMask = 0;
};

// A font of a skin, by id. The manager owns hFont.
struct TFontInfo {
    HFONT hFont = nullptr;
    CDuiString sFontName;
    int iSize = 0;
    bool bBold = false;
    bool bUnderline = false;
    bool bItalic = false;
    TEXTMETRICW tm = {};
};

// Receives notifications; WindowImplBase implements it.
class INotifyUI {
public:
    virtual ~INotifyUI() = default;
    virtual void Notify(TNotifyUI& msg) = 0;
};

// Sees window messages before (pre-filter) or after the control routing of a paint manager.
class IMessageFilterUI {
public:
    virtual ~IMessageFilterUI() = default;
    virtual LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;
};

// Lets a window make the custom controls of its skin: return a new control for the tag
// names it knows and nullptr for the others.
class IDialogBuilderCallback {
public:
    virtual ~IDialogBuilderCallback() = default;
    virtual CControlUI* CreateControl(LPCTSTR pstrClass) = 0;
};

// Flags of CControlUI::GetControlFlags.
enum : UINT {
    UIFLAG_TABSTOP = 0x00000001,
    UIFLAG_SETCURSOR = 0x00000002,
    UIFLAG_WANTRETURN = 0x00000004,
};

// Flags of CControlUI::FindControl.
enum : UINT {
    UIFIND_ALL = 0x00000000,
    UIFIND_VISIBLE = 0x00000001,
    UIFIND_ENABLED = 0x00000002,
    UIFIND_HITTEST = 0x00000004,
    UIFIND_UPDATETEST = 0x00000008,
    UIFIND_TOP_FIRST = 0x00000010,
    UIFIND_ME_FIRST = 0x80000000,
};

// Button and option states for status images.
enum : UINT {
    UISTATE_FOCUSED = 0x00000001,
    UISTATE_SELECTED = 0x00000002,
    UISTATE_DISABLED = 0x00000004,
    UISTATE_HOT = 0x00000008,
    UISTATE_PUSHED = 0x00000010,
    UISTATE_READONLY = 0x00000020,
    UISTATE_CAPTURED = 0x00000040,
};

// Where a window's skin comes from (WindowImplBase::GetResourceType).
enum UILIB_RESOURCETYPE {
    UILIB_FILE = 1,         // a folder on disk: resource path + skin folder
    UILIB_ZIP = 2,          // a zip: bytes handed to SetResourceZip, or a file from GetZIPFileName
    UILIB_RESOURCE = 3,     // the XML itself as an executable resource of type "XML" (id GetResourceID)
    UILIB_ZIPRESOURCE = 4,  // a zip in an executable resource (GetResourceTypeName, GetResourceID)
};

// Window styles for Create.
#define UI_WNDSTYLE_CONTAINER (0)
#define UI_WNDSTYLE_FRAME (WS_VISIBLE | WS_OVERLAPPEDWINDOW)
#define UI_WNDSTYLE_CHILD (WS_VISIBLE | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN)
#define UI_WNDSTYLE_DIALOG (WS_VISIBLE | WS_POPUPWINDOW | WS_CAPTION | WS_DLGFRAME | WS_CLIPSIBLINGS | WS_CLIPCHILDREN)
#define UI_WNDSTYLE_EX_FRAME (WS_EX_WINDOWEDGE)
#define UI_WNDSTYLE_EX_DIALOG (WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME)
#define UI_CLASSSTYLE_CONTAINER (0)
#define UI_CLASSSTYLE_FRAME (CS_VREDRAW | CS_HREDRAW)
#define UI_CLASSSTYLE_CHILD (CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS)
#define UI_CLASSSTYLE_DIALOG (CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS)

using FINDCONTROLPROC = CControlUI* (CALLBACK*)(CControlUI*, LPVOID);
