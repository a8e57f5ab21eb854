// Hands the removal worker's progress changes to the wizard's thread, in order.
#include "ProgressQueue.h"

namespace uninst {

void CProgressQueue::SetTarget(HWND window, UINT message) {
    std::lock_guard<std::mutex> lock(mutex_);
    window_ = window;
    message_ = message;
}

void CProgressQueue::SelectPage(int page) { Push({tagProgressChange::Page, page}, true); }
void CProgressQueue::SetRange(int minimum, int maximum) { Push({tagProgressChange::Range, minimum, maximum}); }
void CProgressQueue::SetValue(int value) { Push({tagProgressChange::Value, value}); }
void CProgressQueue::SetText(const std::wstring& text) { Push({tagProgressChange::Text, 0, 0, text}); }

void CProgressQueue::Push(tagProgressChange change, bool urgent) {
    HWND window;
    UINT message;
    bool wake;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pending_.push_back(std::move(change));
        // A wake-up per change would cost more than the removal itself: changes are gathered
        // for kBatchMilliseconds, and a page change (the last change of a removal) goes at once.
        DWORD now = GetTickCount();
        wake = !posted_ && (urgent || now - lastPost_ >= kBatchMilliseconds);
        if (wake) {
            posted_ = true;
            lastPost_ = now;
        }
        window = window_;
        message = message_;
    }
    if (wake && window) PostMessageW(window, message, 0, 0);
}

void CProgressQueue::Drain(IRemovalProgress& controls) {
    std::vector<tagProgressChange> batch;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        batch.swap(pending_);
        posted_ = false;
    }
    for (const auto& change : batch) {
        switch (change.kind) {
        case tagProgressChange::Page: controls.SelectPage(change.first); break;
        case tagProgressChange::Range: controls.SetRange(change.first, change.second); break;
        case tagProgressChange::Value: controls.SetValue(change.first); break;
        case tagProgressChange::Text: controls.SetText(change.text); break;
        }
    }
}

}  // namespace uninst
