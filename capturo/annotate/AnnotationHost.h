// What the annotation tools need of the capture window, and nothing more: the window
// implements this and owns one CAnnotator.
#pragma once

#include <windows.h>

class CControlUI;

class IAnnotationHost {
public:
    virtual ~IAnnotationHost() = default;
    virtual RECT GetScreenRect() const = 0;
    virtual RECT GetSelectionRect() const = 0;
    // The selection grown by the selection frame's inset on every side.
    virtual RECT GetCanvasRect() const = 0;
    virtual void ResetSelection(bool keepFixed) = 0;
    // Sends WM_COMMAND with `id` to the window, synchronously.
    virtual void SendCommand(UINT id) = 0;
    // A control of the window's skin by name; nullptr when the skin has none.
    virtual CControlUI* FindControl(const wchar_t* name) const = 0;
    // The system cross cursor is the current cursor: drawing starts only where it shows.
    virtual bool CursorIsCross() const = 0;
    // nullptr invalidates the whole window. `updateNow` repaints at once (UpdateWindow).
    virtual void Invalidate(const RECT* area, bool erase, bool updateNow) = 0;
    // "datatext": starts the recognition job unless one runs.
    virtual void StartRecognition() = 0;
};
