// The capture window: construction, initialisation, message dispatch, context menu, cursor,
// hot keys, double and right click, the end of a session and the final message.
// Failing system calls are passed over; a missing skin control ends the message loop.
#include "capturo/app/ScrCaptureWnd.h"

#include <cwchar>

#include "capturo/annotate/Commands.h"
#include "capturo/annotate/ImageExport.h"
#include "capturo/annotate/Rendering.h"
#include "capturo/annotate/ToolbarLayout.h"
#include "capturo/app/DesktopCapture.h"
#include "capturo/app/MagnifierUI.h"
#include "capturo/app/PartialPaint.h"
#include "capturo/app/WindowDetection.h"
#include "capturo/ocr/LoadGif.h"

namespace {

constexpr int kHotKeyNextSession = 1018;
constexpr int kHotKeyQuit = 1019;
constexpr WORD kCaptureCursorId = 103;

// Separators follow the undo entry and the save entry.
bool SeparatorFollows(UINT id) { return id == kCmdUndo || id == kCmdSave; }

POINT PointFromLParam(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

CScrCaptureWnd* CScrCaptureWnd::instance = nullptr;

CScrCaptureWnd* CScrCaptureWnd::GetInstance() {
    if (!instance)
        instance = new CScrCaptureWnd();
    return instance;
}

CScrCaptureWnd::CScrCaptureWnd() = default;

CScrCaptureWnd::~CScrCaptureWnd() {
    if (contextMenu)
        DestroyMenu(contextMenu);
    annotation.ClearItems();
}

CControlUI* CScrCaptureWnd::CreateControl(LPCTSTR pstrClass) {
    if (std::wcscmp(pstrClass, L"Canvas") == 0)
        return new CCanvasUI();
    if (std::wcscmp(pstrClass, L"CanvasContainer") == 0)
        return new CCanvasContainerUI(this);
    if (std::wcscmp(pstrClass, L"Magnifier") == 0)
        return new CMagnifierUI();
    return nullptr;
}

// ---- initialisation ----

void CScrCaptureWnd::InitWindow() {
    BuildContextMenu();
    if (!FindSkinControls() || !annotation.BindControls()) {
        PostQuitMessage(0);
        return;
    }
    CoverScreen();
    RegisterSessionImages();
    magnifier->SetPos(screenRect);
    for (CControlUI* c : {toolbar, penSizePanel, fontSizePanel, colorPanel})
        c->SetVisible(false);
    colorSwatch->SetBkImage(L"14.png");
    annotation.SetUpTextBox();
    CreateHelperWindows();
    LoadStyles(StylesFilePath(), annotation.styles);
    if (residentFlag && !RegisterHotKey(m_hWnd, kHotKeyNextSession, MOD_CONTROL | MOD_ALT, 'A'))
        residentFlag = false;
    insetsMutex.Reset(CreateMutexW(nullptr, FALSE, L"SetClipPadding"));
}

void CScrCaptureWnd::BuildContextMenu() {
    contextMenu = CreatePopupMenu();
    if (!contextMenu)
        return;
    for (const tagCommandInfo& command : kCommands) {
        AppendMenuW(contextMenu, MF_STRING, command.id, command.menuText);
        if (SeparatorFollows(command.id))
            AppendMenuW(contextMenu, MF_SEPARATOR, 0, nullptr);
    }
}

bool CScrCaptureWnd::FindSkinControls() {
    desktopImage = FindControl(L"desktopimage");
    desktopMask = FindControl(L"desktopmask");
    detectionFrame = FindControl(L"desktopmaskborder");
    CControlUI* frame = FindControl(L"desktopcanvascontainer");
    selectionFrame = frame ? static_cast<CCanvasContainerUI*>(frame->GetInterface(L"CanvasContainer")) : nullptr;
    magnifier = FindControl(L"magnifier");
    toolbar = FindControl(L"menubuttoncontainer");
    penSizePanel = FindControl(L"pensizecontainer");
    fontSizePanel = FindControl(L"fontsizecontainer");
    colorPanel = FindControl(L"colorcontainer");
    fontSizeList = FindControl(L"cmbfontsize");
    colorSwatch = FindControl(L"btnselectedcolor");
    textBox = FindControl(L"editText");
    for (CControlUI* c : {desktopImage, desktopMask, detectionFrame, static_cast<CControlUI*>(selectionFrame),
                          magnifier, toolbar, penSizePanel, fontSizePanel, colorPanel, fontSizeList, colorSwatch,
                          textBox}) {
        if (!c)
            return false;
    }
    return true;
}

void CScrCaptureWnd::CoverScreen() {
    screenRect = ::GetScreenRect();
    // Already topmost from the last session, the window would not be raised again above
    // windows opened since (Wine then keeps the X stacking as it is): drop the flag first.
    SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(m_hWnd, HWND_TOPMOST, screenRect.left, screenRect.top, screenRect.right - screenRect.left,
                 screenRect.bottom - screenRect.top, SWP_NOCOPYBITS);
}

// Takes the desktop and the mask under the current names and shows them, with no hole yet.
void CScrCaptureWnd::RegisterSessionImages() {
    const int width = screenRect.right - screenRect.left;
    const int height = screenRect.bottom - screenRect.top;
    uilib::BitmapHandle desktop = CaptureDesktopBitmap();
    if (desktop)
        m_pm.AddImage(desktopImageName, desktop.Release(), width, height, false, false);
    uilib::BitmapHandle mask = CreateMaskBitmap(m_hWnd);
    if (mask)
        m_pm.AddImage(maskImageName, mask.Release(), width, height, true, false);
    desktopImage->SetBkImage(desktopImageName);
    desktopMask->SetBkImage(maskImageName);
    shownSelection = RECT{};  // no hole: the next selection change repaints all of its own
}

void CScrCaptureWnd::CreateHelperWindows() {
    loadingWindow = new CLoadGif();
    if (loadingWindow->Create(nullptr, L"", 0x96C80000, WS_EX_WINDOWEDGE))
        loadingWindow->ShowWindow(false, true);
}

void CScrCaptureWnd::SaveSettings() {
    SaveStyles(StylesFilePath(), annotation.styles);
}

// ---- dispatch ----

LRESULT CScrCaptureWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    BOOL handled = FALSE;
    LRESULT result = 0;
    switch (uMsg) {
    case WM_SETCURSOR: result = OnSetCursor(wParam, lParam, handled); break;
    case WM_HOTKEY: OnHotKey(wParam); break;
    case WM_KEYDOWN: OnKeyDownMessage(wParam); break;
    case WM_KEYUP: OnKeyUpMessage(); break;
    case WM_COMMAND:
        handled = TRUE;
        result = OnCommand(uMsg, wParam, lParam, handled);
        break;
    case WM_MOUSEMOVE: result = OnMouseMoveMessage(wParam, lParam, handled); break;
    case WM_LBUTTONDOWN: result = OnLButtonDownMessage(lParam, handled); break;
    case WM_LBUTTONUP: OnLButtonUpMessage(lParam); break;
    case WM_LBUTTONDBLCLK: handled = TRUE; result = OnLButtonDblClk(lParam); break;
    case WM_RBUTTONUP: handled = TRUE; result = OnRButtonUp(lParam); break;
    case WM_PAINT:
        PaintUpdateRegionInPieces(m_hWnd, [&] { WindowImplBase::HandleMessage(WM_PAINT, wParam, lParam); });
        return 0;
    case kMsgDetectionResult:
        handled = TRUE;
        result = OnDetectionResult(wParam, *reinterpret_cast<const RECT*>(lParam));
        break;
    default: break;
    }
    if (handled)
        return result;
    return WindowImplBase::HandleMessage(uMsg, wParam, lParam);
}

LRESULT CScrCaptureWnd::OnSetCursor(WPARAM, LPARAM, BOOL& bHandled) {
    if (!captureCursor)
        captureCursor = LoadCursorW(CPaintManagerUI::GetInstance(), MAKEINTRESOURCEW(kCaptureCursorId));
    bHandled = TRUE;
    if (!regionFixed) {
        SetCursor(captureCursor);
        return 0;
    }
    POINT p{};
    GetCursorPos(&p);
    const RECT bar = GetToolbarRect(GetSelectionRect(), screenRect);
    if (RectContains(bar, p) || (annotation.panelsShown && RectContains(annotation.panelRect, p))) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        return 0;
    }
    if (RectContains(GetSelectionRect(), p)) {
        bHandled = FALSE;
        return 0;
    }
    SetCursor(captureCursor);
    return 0;
}

LRESULT CScrCaptureWnd::OnHotKey(WPARAM id) {
    if (waiting) {
        if (id == kHotKeyNextSession) {
            StartNextSession();
        } else if (id == kHotKeyQuit) {
            SaveSettings();
            PostQuitMessage(0);
        }
        waiting = false;
        return 0;
    }
    if (id == kHotKeyNextSession && resultWindow && resultWindow->ResultsShown()) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        ShellExecuteW(nullptr, nullptr, path, nullptr, nullptr, SW_SHOW);
    }
    return 0;
}

// The desktop is taken while the window still has no area, so the snapshot cannot hold it.
void CScrCaptureWnd::StartNextSession() {
    // Registered as not shared, so removed from the window's own table.
    m_pm.RemoveImage(desktopImageName, false);
    m_pm.RemoveImage(maskImageName, false);
    ++hotKeyCaptureCounter;
    wchar_t name[64];
    std::swprintf(name, 64, L"desktopimage%d", hotKeyCaptureCounter);
    desktopImageName = name;
    std::swprintf(name, 64, L"desktopimagemask%d", hotKeyCaptureCounter);
    maskImageName = name;
    screenRect = ::GetScreenRect();
    RegisterSessionImages();
    CoverScreen();
    ShowWindow(true, true);
    magnifier->SetPos(screenRect);
}

LRESULT CScrCaptureWnd::OnKeyDownMessage(WPARAM key) {
    if (key == VK_ESCAPE)
        EndSession();
    else if (GetKeyState(VK_CONTROL) < 0)
        RepaintMagnifier();
    return 0;
}

LRESULT CScrCaptureWnd::OnKeyUpMessage() {
    if (GetKeyState(VK_CONTROL) >= 0)
        RepaintMagnifier();
    return 0;
}

LRESULT CScrCaptureWnd::OnCommand(UINT, WPARAM wParam, LPARAM, BOOL& bHandled) {
    const UINT id = LOWORD(wParam);
    if (!IsCaptureCommand(id)) {
        bHandled = FALSE;
        return 0;
    }
    switch (id) {
    case kCmdReselect: ResetSelection(false); break;
    case kCmdCopyAndExit:
        if (regionFixed)
            CopySelectionToClipboard(m_hWnd, [this] { return ComposeSelection(); });
        EndSession();
        break;
    case kCmdSave:
        if (SaveSelectionAs(m_hWnd, [this] { return ComposeSelection(); }))
            EndSession();
        break;
    case kCmdExit:
    case kCmdResultClosed: EndSession(); break;
    default: annotation.OnCommand(id, contextMenu); break;
    }
    return 0;
}

void CScrCaptureWnd::OnClick(TNotifyUI& msg) {
    if (!annotation.OnClick(msg))
        WindowImplBase::OnClick(msg);
}

void CScrCaptureWnd::Notify(TNotifyUI& msg) {
    if (!annotation.OnNotify(msg))
        WindowImplBase::Notify(msg);
}

void CScrCaptureWnd::SendCommand(UINT id) {
    ::SendMessageW(m_hWnd, WM_COMMAND, id, 0);
}

bool CScrCaptureWnd::CursorIsCross() const {
    return GetCursor() == LoadCursorW(nullptr, IDC_CROSS);
}

void CScrCaptureWnd::Invalidate(const RECT* area, bool erase, bool updateNow) {
    ::InvalidateRect(m_hWnd, area, erase ? TRUE : FALSE);
    if (updateNow)
        UpdateWindow(m_hWnd);
}

LRESULT CScrCaptureWnd::OnLButtonDblClk(LPARAM lParam) {
    const POINT p = PointFromLParam(lParam);
    const bool onTools = HitToolbarOrPanels(p.x, p.y);
    if (regionFixed && !onTools)
        CopySelectionToClipboard(m_hWnd, [this] { return ComposeSelection(); });
    regionFixed = true;
    if (!onTools)
        EndSession();
    return 0;
}

LRESULT CScrCaptureWnd::OnRButtonUp(LPARAM lParam) {
    if (!regionFixed) {
        EndSession();
        return 0;
    }
    POINT p = PointFromLParam(lParam);
    if (RectContains(GetSelectionRect(), p)) {
        ClientToScreen(m_hWnd, &p);
        TrackPopupMenu(contextMenu, 0, p.x, p.y, 0, m_hWnd, nullptr);
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    } else if (!HitToolbarOrPanels(p.x, p.y)) {
        ::SendMessageW(m_hWnd, WM_COMMAND, kCmdReselect, 0);
    }
    return 0;
}

uilib::BitmapHandle CScrCaptureWnd::ComposeSelection() {
    const TImageInfo* desktop = m_pm.GetImage(desktopImageName);
    if (!desktop)
        return {};
    return ComposeSelectionBitmap(desktop->hBitmap, PaintScene(), GetSelectionRect());
}

tagPaintScene CScrCaptureWnd::PaintScene() const {
    return annotation.PaintScene();
}

bool CScrCaptureWnd::DrawPaintItems(HDC dc) {
    if (!annotation.items.empty() || annotation.currentItem)
        ::DrawPaintItems(dc, PaintScene());
    return true;
}

// ---- end of a session and of the window ----

void CScrCaptureWnd::EndSession() {
    if (!residentFlag) {
        SaveSettings();
        PostQuitMessage(0);
        return;
    }
    waiting = true;
    if (resultWindow)
        resultWindow->HideForNextSession();
    SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, 0);
    SetWindowLongW(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    ResetSelection(false);
}

void CScrCaptureWnd::OnFinalMessage(HWND hWnd) {
    annotation.ClearItems();
    UnregisterHotKey(hWnd, kHotKeyNextSession);
    UnregisterHotKey(hWnd, kHotKeyQuit);
    DestroyHelperWindows();
    insetsMutex.Reset();
    WindowImplBase::OnFinalMessage(hWnd);
    instance = nullptr;
    delete this;
}

void CScrCaptureWnd::DestroyHelperWindows() {
    if (loadingWindow) {
        if (IsWindow(loadingWindow->GetHWND()))
            DestroyWindow(loadingWindow->GetHWND());
        delete loadingWindow;
        loadingWindow = nullptr;
    }
}
