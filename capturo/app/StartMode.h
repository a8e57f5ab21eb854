// How the command line decides the instance's kind: one-shot or resident, and its mutex.
#pragma once

#include <string_view>

struct StartMode {
    bool resident = false;
    const wchar_t* mutexName = nullptr;  // nullptr: no single-instance check
};

// Exactly "-autorun" (case-sensitive, nothing more) is resident with "ScrCapture"; any other
// non-empty text is one-shot with "ScrCaptureCopy"; an empty line is one-shot without a mutex.
inline StartMode ClassifyCommandLine(std::string_view commandLine) {
    if (commandLine.empty())
        return StartMode{false, nullptr};
    if (commandLine == "-autorun")
        return StartMode{true, L"ScrCapture"};
    return StartMode{false, L"ScrCaptureCopy"};
}
