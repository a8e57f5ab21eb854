// The removal worker: turns the wizard to its progress page, asks a running instance to close,
// removes the installation folder, the shortcuts and the registry keys, then shows the finish.
#pragma once
#include <windows.h>

namespace uninst {

class CUninstWnd;

// The thread routine; its argument is the wizard. Returns 0.
DWORD WINAPI RemovalWorker(LPVOID wizard);

// Starts RemovalWorker on a new thread whose handle is closed at once.
void StartRemovalWorker(CUninstWnd* wizard);

}  // namespace uninst
