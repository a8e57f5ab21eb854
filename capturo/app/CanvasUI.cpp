// The selection frame's behaviour (hit test, resize, move) and painting (handles and line).
#include "capturo/app/CanvasUI.h"

#include <cwchar>

namespace {

constexpr DWORD kFrameColour = 0xFF00AEFF;

}  // namespace

LPVOID CCanvasUI::GetInterface(LPCTSTR name) {
    if (std::wcscmp(name, L"Canvas") == 0)
        return this;
    return CControlUI::GetInterface(name);
}

void CCanvasUI::DoEvent(TEventUI&) {}

LPVOID CCanvasContainerUI::GetInterface(LPCTSTR name) {
    if (std::wcscmp(name, L"CanvasContainer") == 0)
        return this;
    return CContainerUI::GetInterface(name);
}

RECT CCanvasContainerUI::GetHandleRect(int index) const {
    return ::GetHandleRect(m_rcItem, GetInset().left, index);
}

LPCWSTR CCanvasContainerUI::HitTest(POINT p, int& code) {
    const RECT screen = m_pManager && m_pManager->GetRoot() ? m_pManager->GetRoot()->GetPos() : host_->GetScreenRect();
    const FrameHit hit = HitTestFrame(m_rcItem, GetInset().left, screen, p, host_->IsToolActive());
    code = hit.code;
    return hit.cursor;
}

void CCanvasContainerUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
    case UIEVENT_SETCURSOR:
        if (IsCaptured())
            return;
        if (IsEnabled()) {
            SetCursor(LoadCursorW(nullptr, HitTest(event.ptMouse, hitCode_)));
            return;
        }
        break;
    case UIEVENT_BUTTONDOWN:
        if (IsEnabled()) {
            OnButtonDown(event.ptMouse);
            return;
        }
        break;
    case UIEVENT_BUTTONUP:
        OnButtonUp();
        return;
    case UIEVENT_MOUSEMOVE:
        if (!IsCaptured())
            return;
        OnCapturedMove(event.ptMouse);
        if (host_->IsToolActive())
            return;
        break;
    default:
        break;
    }
    CContainerUI::DoEvent(event);
}

void CCanvasContainerUI::OnButtonDown(POINT p) {
    if (IsResizeCode(hitCode_)) {
        host_->HideToolbarPanelsAndTextBox();
        host_->SetMagnifierShown(true);
    }
    state_ |= UISTATE_CAPTURED;
    last_ = p;
    anchor_ = AnchorForHit(hitCode_, host_->GetSelectionRect());
}

void CCanvasContainerUI::OnButtonUp() {
    if (!IsCaptured())
        return;
    if (IsResizeCode(hitCode_)) {
        host_->ShowToolbar();
        host_->SetMagnifierShown(false);
    }
    state_ &= ~UISTATE_CAPTURED;
}

void CCanvasContainerUI::OnCapturedMove(POINT p) {
    const RECT screen = host_->GetScreenRect();
    const SelectionInsets current = host_->GetSelectionInsets();
    if (host_->IsToolActive()) {
        if (!IsResizeCode(hitCode_))
            return;
        const SelectionInsets resized = ResizeSelection(current, hitCode_, p, anchor_, screen);
        last_ = p;
        const RECT sel = KeepClearOfItems(SelectionRectFromInsets(screen, resized), host_->RecomputeItemsBounds());
        SelectionInsets limited;
        limited.left = sel.left - screen.left;
        limited.top = sel.top - screen.top;
        limited.right = screen.right - sel.right;
        limited.bottom = screen.bottom - sel.bottom;
        host_->SetSelectionInsets(limited);
        return;
    }
    SelectionInsets next;
    if (IsResizeCode(hitCode_))
        next = ResizeSelection(current, hitCode_, p, anchor_, screen);
    else
        next = MoveSelection(current, p.x - last_.x, p.y - last_.y);
    last_ = p;
    host_->SetSelectionInsets(next);
    if (hitCode_ == kHitMove)
        host_->PlaceToolbar();
}

bool CCanvasContainerUI::DoPaint(HDC dc, const RECT& paint, CControlUI* stop) {
    // The annotations lie under the frame lines.
    if (!host_->DrawPaintItems(dc))
        return false;
    const bool result = CContainerUI::DoPaint(dc, paint, stop);
    PaintHandles(dc, paint);
    return result;
}

void CCanvasContainerUI::PaintBorder(HDC dc) {
    // Setting a colour invalidates the control; while painting, only when it changes.
    if (GetBorderColor() != kFrameColour)
        SetBorderColor(kFrameColour);
    const int inset = GetInset().left;
    const RECT line{m_rcItem.left + inset, m_rcItem.top + inset, m_rcItem.right - inset, m_rcItem.bottom - inset};
    CRenderEngine::DrawRect(dc, line, GetBorderSize(), kFrameColour);
}

// The handles reach 3 pixels beyond the control's rectangle, outside the clip of the
// control's own paint, so they are filled here with a clip of their own.
void CCanvasContainerUI::PaintHandles(HDC dc, const RECT& paint) {
    const RECT outer = GrowRect(m_rcItem, (5 * GetInset().left) / 2);
    RECT area{};
    if (!IntersectRect(&area, &outer, &paint))
        return;
    CRenderClip clip;
    CRenderClip::GenerateClip(dc, area, clip);
    for (int n = kHitTopLeft; n <= kHitBottomRight; ++n) {
        if (n != kHitMove)
            CRenderEngine::DrawColor(dc, GetHandleRect(n), kFrameColour);
    }
}
