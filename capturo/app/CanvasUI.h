// The selection frame: CCanvasContainerUI with its eight handles (resize, move, cursors) and
// its child CCanvasUI, which only marks the selection. UI thread only.
#pragma once

#include "capturo/app/SelectionGeometry.h"
#include "uilib/UILib.h"

// What the frame needs from the capture window.
class ISelectionHost {
public:
    virtual ~ISelectionHost() = default;
    virtual RECT GetScreenRect() const = 0;
    virtual SelectionInsets GetSelectionInsets() const = 0;
    virtual RECT GetSelectionRect() const = 0;
    virtual void SetSelectionInsets(const SelectionInsets& insets) = 0;
    virtual bool IsToolActive() const = 0;
    // Recomputes the annotations' bounds (the inverted screen when there are none).
    virtual RECT RecomputeItemsBounds() = 0;
    virtual void PlaceToolbar() = 0;
    virtual void ShowToolbar() = 0;
    virtual void HideToolbarPanelsAndTextBox() = 0;
    virtual void SetMagnifierShown(bool shown) = 0;
    virtual bool DrawPaintItems(HDC dc) = 0;
};

class CCanvasUI : public CControlUI {
public:
    LPCTSTR GetClass() const override { return L"Canvas"; }
    LPVOID GetInterface(LPCTSTR name) override;
    void DoEvent(TEventUI& event) override;
};

class CCanvasContainerUI : public CContainerUI {
public:
    explicit CCanvasContainerUI(ISelectionHost* host) : host_(host) {}

    LPCTSTR GetClass() const override { return L"CanvasContainer"; }
    LPVOID GetInterface(LPCTSTR name) override;
    UINT GetControlFlags() const override { return UIFLAG_SETCURSOR; }
    void DoEvent(TEventUI& event) override;
    bool DoPaint(HDC dc, const RECT& paint, CControlUI* stop) override;
    void PaintBorder(HDC dc) override;

    // Handle n (0..8) in window coordinates; 4 and other indices give an empty rectangle.
    RECT GetHandleRect(int index) const;
    // Stores the hit code and returns the cursor id for it.
    LPCWSTR HitTest(POINT p, int& code);
    int GetHitCode() const { return hitCode_; }
    bool IsCaptured() const { return (state_ & UISTATE_CAPTURED) != 0; }

private:
    void OnButtonDown(POINT p);
    void OnButtonUp();
    void OnCapturedMove(POINT p);
    void PaintHandles(HDC dc, const RECT& paint);

    ISelectionHost* host_;
    int hitCode_ = 0;
    UINT state_ = 0;
    POINT anchor_{0, 0};
    POINT last_{0, 0};
};
