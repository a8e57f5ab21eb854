// The two stages of the uninstaller's start and the user interface run.
#pragma once
#include <windows.h>

#include <string>

namespace uninst {

// Stage 1: copies the executable into the temporary folder and starts the copy with the
// executable's own path as its parameter.
void RelocateToTemp(const std::wstring& exePath);

// Stage 2: refuses anything but an installed uninstaller's path (saying why), else sets the
// installation path, moves into the temporary folder and runs the user interface.
void RunUninstall(HINSTANCE instance, const std::wstring& exePath, const std::wstring& argument);

// The confirmation window, then on confirmation the wizard; returns when both are closed.
void RunUserInterface(HINSTANCE instance);

}  // namespace uninst
