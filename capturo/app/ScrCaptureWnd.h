// CScrCaptureWnd: the one full-screen capture window of the process. It owns the session's
// state and hands the work to focused pieces: desktop capture, window detection, selection,
// magnifier, and (through `annotation`) the tools.
// Threading: the window and every control belong to the UI thread. Detection workers only
// search windows and send their result (kMsgDetectionResult); the flags below are bytes that
// workers read and the busy flag is an atomic test-and-set.
#pragma once

#include <atomic>
#include <string>

#include "capturo/annotate/AnnotationHost.h"
#include "capturo/annotate/Annotator.h"
#include "capturo/annotate/PaintItem.h"
#include "capturo/app/CanvasUI.h"
#include "capturo/app/MagnifierLayout.h"
#include "capturo/app/SelectionGeometry.h"
#include "uilib/UILib.h"

class CLoadGif;
struct tagPaintScene;

// What a session needs of the recognition result window, which the recognition piece makes.
class IResultWindow {
public:
    virtual ~IResultWindow() = default;
    virtual bool ResultsShown() const = 0;
    // Hidden, hovered and selected fields forgotten, zoom back to 1, badge emptied.
    virtual void HideForNextSession() = 0;
};

class CScrCaptureWnd : public WindowImplBase, public ISelectionHost, public IAnnotationHost {
public:
    // The instance of the process, made on first use; OnFinalMessage deletes it.
    static CScrCaptureWnd* GetInstance();

    void SetResident(bool resident) { residentFlag = resident; }
    bool IsResident() const { return residentFlag; }

    // ---- the session ----
    void EndSession();
    void ResetSelection(bool keepFixed) override;

    // ---- selection (ISelectionHost) ----
    RECT GetScreenRect() const override { return screenRect; }
    SelectionInsets GetSelectionInsets() const override { return insets; }
    RECT GetSelectionRect() const override;
    RECT GetCanvasRect() const override;
    void SetSelectionInsets(const SelectionInsets& next) override;
    bool IsToolActive() const override { return annotation.toolActive; }
    RECT RecomputeItemsBounds() override;
    void PlaceToolbar() override;
    void ShowToolbar() override;
    void HideToolbarPanelsAndTextBox() override;
    void SetMagnifierShown(bool shown) override;
    bool DrawPaintItems(HDC dc) override;

    // ---- detection ----
    bool TryBeginDetection() { return !detectionBusy.exchange(true); }

    // ---- magnifier ----
    bool PaintOverlay(HDC dc);
    RECT GetMagnifierRect() const;

    // ---- the tools (IAnnotationHost) ----
    CAnnotator& Annotation() { return annotation; }
    bool HitToolbarOrPanels(int x, int y) const { return annotation.HitToolbarOrPanels(x, y); }
    void SendCommand(UINT id) override;
    CControlUI* FindControl(const wchar_t* name) const override { return WindowImplBase::FindControl(name); }
    bool CursorIsCross() const override;
    void Invalidate(const RECT* area, bool erase, bool updateNow) override;
    // Recognition is the recognition piece's; until it is there a "datatext" click does nothing.
    void StartRecognition() override {}

protected:
    LPCTSTR GetWindowClassName() const override { return L"UIScrCaptureFrame"; }
    UINT GetClassStyle() const override { return CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_SAVEBITS; }
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage(HWND hWnd) override;
    void InitWindow() override;
    void OnClick(TNotifyUI& msg) override;
    void Notify(TNotifyUI& msg) override;
    CDuiString GetSkinFolder() override { return L""; }
    CDuiString GetSkinFile() override { return L"ScrCapture.xml"; }
    UILIB_RESOURCETYPE GetResourceType() override { return UILIB_ZIPRESOURCE; }
    LPCTSTR GetResourceID() override { return MAKEINTRESOURCEW(101); }
    CControlUI* CreateControl(LPCTSTR pstrClass) override;
    // WM_COMMAND: ids 200..211 give 0 with handled left true; others clear it.
    virtual LRESULT OnCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);

private:
    CScrCaptureWnd();
    ~CScrCaptureWnd() override;

    // Initialisation steps.
    bool FindSkinControls();
    void BuildContextMenu();
    void CoverScreen();
    void RegisterSessionImages();
    void CreateHelperWindows();

    // Message handlers.
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnHotKey(WPARAM wParam);
    LRESULT OnKeyDownMessage(WPARAM wParam);
    LRESULT OnKeyUpMessage();
    LRESULT OnMouseMoveMessage(WPARAM wParam, LPARAM lParam, BOOL& bHandled);
    LRESULT OnLButtonDownMessage(LPARAM lParam, BOOL& bHandled);
    LRESULT OnLButtonUpMessage(LPARAM lParam);
    LRESULT OnLButtonDblClk(LPARAM lParam);
    LRESULT OnRButtonUp(LPARAM lParam);
    LRESULT OnDetectionResult(WPARAM found, const RECT& rect);

    // Region selection before a region is fixed (ScrCaptureSelection.cpp).
    void BeginDrag();
    LRESULT ContinueDrag(POINT p, BOOL& bHandled);
    void FixRegion();
    void StartNextSession();
    void SaveSettings();
    void RepaintMagnifier();
    void DestroyHelperWindows();
    uilib::BitmapHandle ComposeSelection();
    tagPaintScene PaintScene() const;

    static CScrCaptureWnd* instance;

public:
    // Fields of the session, in the order the program's description gives them.
    tagItemsBounds itemsBounds{};
    std::atomic<bool> detectionBusy{false};
    volatile bool recognitionRunning = false;
    volatile bool magnifierShown = true;
    CControlUI* toolbar = nullptr;
    CControlUI* penSizePanel = nullptr;
    CControlUI* fontSizePanel = nullptr;
    CControlUI* colorPanel = nullptr;
    CControlUI* textBox = nullptr;
    volatile bool residentFlag = false;
    volatile bool waiting = false;
    CDuiString desktopImageName = L"desktopimage";
    CDuiString maskImageName = L"desktopimagemask";
    int hotKeyCaptureCounter = 0;
    IResultWindow* resultWindow = nullptr;
    HBITMAP recognitionPicture = nullptr;
    CDuiString pictureName;
    int pictureCounter = 0;
    CLoadGif* loadingWindow = nullptr;
    HMENU contextMenu = nullptr;
    CControlUI* desktopImage = nullptr;
    CControlUI* desktopMask = nullptr;
    CControlUI* detectionFrame = nullptr;
    CCanvasContainerUI* selectionFrame = nullptr;
    CControlUI* magnifier = nullptr;
    CControlUI* fontSizeList = nullptr;
    CControlUI* colorSwatch = nullptr;
    RECT screenRect{};
    SelectionInsets insets{};
    RECT shownSelection{};  // the selection the mask and frames were last placed on
    POINT dragStart{-1, -1};
    volatile bool regionFixed = false;
    std::wstring maskAttributeText;
    MagnifierGeometry magnifierGeometry{};
    std::wstring colorText;
    std::wstring sizeText;
    std::wstring hintText = L"双击完成截图";
    CAnnotator annotation{this};
    uilib::KernelHandle insetsMutex;
    HCURSOR captureCursor = nullptr;
    // What the last overlay paint covered, so the next change repaints only that and the new place.
    RECT lastPanelRect{};
    RECT lastLabelRect{};
};
