// The capture window's selection: the insets and everything that follows them (mask hole,
// frames), dragging a new region, fixing it, detection results, and the return to selecting.
#include "capturo/app/ScrCaptureWnd.h"

#include "capturo/app/DesktopCapture.h"
#include "capturo/app/PartialPaint.h"
#include "capturo/app/WindowDetection.h"

namespace {


// Holds the named mutex for a scope; a missing mutex (creation failed) is passed over.
class ScopedMutex {
public:
    explicit ScopedMutex(HANDLE mutex) : mutex_(mutex) {
        if (mutex_)
            WaitForSingleObject(mutex_, INFINITE);
    }
    ~ScopedMutex() {
        if (mutex_)
            ReleaseMutex(mutex_);
    }
    ScopedMutex(const ScopedMutex&) = delete;
    ScopedMutex& operator=(const ScopedMutex&) = delete;

private:
    HANDLE mutex_;
};

POINT PointFromLParam(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

RECT CScrCaptureWnd::GetSelectionRect() const {
    return SelectionRectFromInsets(screenRect, insets);
}

RECT CScrCaptureWnd::GetCanvasRect() const {
    return GrowRect(GetSelectionRect(), selectionFrame ? selectionFrame->GetInset().left : 0);
}

void CScrCaptureWnd::SetSelectionInsets(const SelectionInsets& next) {
    // What the screen shows: the stored insets may already be ahead of it (a drag stores first).
    const RECT before = shownSelection;
    SavedUpdateRegion pending(m_hWnd);
    {
        ScopedMutex lock(insetsMutex.Get());
        maskAttributeText.clear();
        insets = next;
        maskAttributeText = MaskAttributeText(maskImageName, insets);
        desktopMask->SetBkImage(maskAttributeText.c_str());
        const RECT sel = GetSelectionRect();
        detectionFrame->SetPos(sel);
        selectionFrame->SetPos(GrowRect(sel, selectionFrame->GetInset().left));
        shownSelection = sel;
    }
    // The controls asked for the whole mask; only the moved edges and the overlay changed.
    pending.DiscardNewInvalidation();
    for (const RECT& area : SelectionChangeAreas(before, GetSelectionRect(), kFrameReach))
        m_pm.Invalidate(area);
    RepaintMagnifier();
}

// ---- mouse branches ----

LRESULT CScrCaptureWnd::OnMouseMoveMessage(WPARAM, LPARAM lParam, BOOL& bHandled) {
    if (regionFixed) {
        detectionBusy = true;
        annotation.OnMouseMove(PointFromLParam(lParam));
        return 0;
    }
    if (GetKeyState(VK_LBUTTON) < 0)
        return ContinueDrag(PointFromLParam(lParam), bHandled);
    if (!detectionBusy)
        StartDetectionPass(m_hWnd);
    return 0;
}

LRESULT CScrCaptureWnd::OnLButtonDownMessage(LPARAM lParam, BOOL& bHandled) {
    if (regionFixed) {
        annotation.OnLButtonDown(PointFromLParam(lParam));
        return 0;
    }
    annotation.buttonDown = true;
    BeginDrag();
    bHandled = TRUE;
    return 0;
}

// After fixing, the tools' release runs too: with no tool engaged it only brings the
// toolbar out and ends the press.
LRESULT CScrCaptureWnd::OnLButtonUpMessage(LPARAM lParam) {
    if (!regionFixed)
        FixRegion();
    annotation.OnLButtonUp(PointFromLParam(lParam));
    return 0;
}

void CScrCaptureWnd::BeginDrag() {
    GetCursorPos(&dragStart);
    selectionFrame->SetEnabled(false);
    magnifierShown = true;
}

LRESULT CScrCaptureWnd::ContinueDrag(POINT p, BOOL& bHandled) {
    if (dragStart.x < 0 || dragStart.y < 0) {
        bHandled = TRUE;
        return 0;
    }
    if (p.x == dragStart.x && p.y == dragStart.y)
        return 0;
    const SelectionInsets next = InsetsSpanning(screenRect, p, dragStart);
    insets = next;
    detectionFrame->SetVisible(false);
    selectionFrame->SetVisible(true);
    selectionFrame->SetEnabled(true);
    SetSelectionInsets(next);
    detectionBusy = true;
    return 0;
}

// A click without a move keeps the insets of the window last detected.
void CScrCaptureWnd::FixRegion() {
    regionFixed = true;
    detectionFrame->SetVisible(false);
    selectionFrame->SetVisible(true);
    selectionFrame->SetEnabled(true);
    SetSelectionInsets(insets);
    magnifierShown = false;
    dragStart = POINT{-1, -1};
}

// Runs on the UI thread while the detection worker waits in SendMessage.
LRESULT CScrCaptureWnd::OnDetectionResult(WPARAM found, const RECT& rect) {
    // The worker enabled the window again; the focus can only be given on this thread.
    ::SetFocus(m_hWnd);
    if (found) {
        const SelectionInsets next = InsetsFromRect(screenRect, rect);
        if (next != insets) {
            SetSelectionInsets(next);
            detectionFrame->SetVisible(true);
            selectionFrame->SetVisible(false);
        }
    }
    detectionBusy = false;
    RepaintMagnifier();
    return 0;
}

// ---- toolbar hooks used by the selection ----

void CScrCaptureWnd::PlaceToolbar() {
    annotation.PlaceToolbar();
}

void CScrCaptureWnd::ShowToolbar() {
    toolbar->SetVisible(true);
}

void CScrCaptureWnd::HideToolbarPanelsAndTextBox() {
    for (CControlUI* c : {penSizePanel, fontSizePanel, colorPanel, toolbar, textBox})
        c->SetVisible(false);
}

RECT CScrCaptureWnd::RecomputeItemsBounds() {
    itemsBounds = GetItemsBounds(annotation.items, screenRect);
    return RECT{itemsBounds.minX, itemsBounds.minY, itemsBounds.maxX, itemsBounds.maxY};
}

// ---- back to selecting ----

void CScrCaptureWnd::ResetSelection(bool keepFixed) {
    detectionBusy = false;
    regionFixed = keepFixed;
    selectionFrame->SetEnabled(false);
    magnifierShown = !keepFixed;
    annotation.ResetTools();
    POINT p{};
    GetCursorPos(&p);
    ::SendMessageW(m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
}
