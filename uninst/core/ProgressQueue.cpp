// Hands the removal worker's progress changes to the wizard's thread, in order.
#include "ProgressQueue.h"

namespace uninst {

void CProgressQueue::SetTarget(HWND window, UINT message) {
    std::lock_guard<std::mutex> lock(mutex_);
    window_ = window;
    message_ = message;
}

void CProgressQueue::SelectPage(int page) { Push({tagProgressChange::Page, page}); }
void CProgressQueue::SetRange(int minimum, int maximum) { Push({tagProgressChange::Range, minimum, maximum}); }
void CProgressQueue::SetValue(int value) { Push({tagProgressChange::Value, value}); }
void CProgressQueue::SetText(const std::wstring& text) { Push({tagProgressChange::Text, 0, 0, text}); }

void CProgressQueue::Push(tagProgressChange change) {
    HWND window;
    UINT message;
    bool wake;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        wake = pending_.empty();
        pending_.push_back(std::move(change));
        window = window_;
        message = message_;
    }
    // One message per batch: while the owner has not drained, later changes ride along.
    if (wake && window) PostMessageW(window, message, 0, 0);
}

void CProgressQueue::Drain(IRemovalProgress& controls) {
    std::vector<tagProgressChange> batch;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        batch.swap(pending_);
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
