// Window detection: the innermost visible window under the cursor, searched on a worker thread.
// The worker only searches; what the result changes on screen is done by the UI thread, which
// receives it through a sent message (the worker waits for it).
#pragma once

#include <windows.h>

// Sent by the detection worker to the capture window: wParam = 1 when a window was found,
// lParam = the address of its RECT (valid while the message is handled).
constexpr UINT kMsgDetectionResult = WM_APP + 18;

// The innermost window under the cursor: the topmost visible, enabled top-level window, then
// visible children at any depth (enabled or not). Writes its rectangle on success.
HWND WindowRectFromCursor(RECT& rect);

// Thread procedure of one detection pass; the argument is the capture window's handle.
DWORD WINAPI DetectionPass(LPVOID captureWindow);

// Starts a pass on a new thread and closes its handle at once.
void StartDetectionPass(HWND captureWindow);
