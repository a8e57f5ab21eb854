// Hands the removal worker's progress changes to the thread that owns the wizard's controls:
// the worker queues them, a posted message now and then wakes the owner, which applies them all
// in order. Changes wait at most kBatchMilliseconds, or until the next page change.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "Removal.h"

namespace uninst {

struct tagProgressChange {
    enum Kind { Page, Range, Value, Text } kind;
    int first = 0;
    int second = 0;
    std::wstring text;
};

// Pushed to by any thread; drained by the thread of the target window.
class CProgressQueue : public IRemovalProgress {
public:
    void SetTarget(HWND window, UINT message);

    void SelectPage(int page) override;
    void SetRange(int minimum, int maximum) override;
    void SetValue(int value) override;
    void SetText(const std::wstring& text) override;

    // On the target's thread, when the message arrives: every queued change, oldest first.
    void Drain(IRemovalProgress& controls);

private:
    void Push(tagProgressChange change, bool urgent = false);

    static constexpr DWORD kBatchMilliseconds = 20;

    std::mutex mutex_;
    std::vector<tagProgressChange> pending_;
    bool posted_ = false;  // a wake-up is on its way and not yet drained
    DWORD lastPost_ = 0;
    HWND window_ = nullptr;
    UINT message_ = 0;
};

}  // namespace uninst
