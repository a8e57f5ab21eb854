// The progress queue: changes made on a worker thread reach the window's thread all, in order.
#include <doctest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "uninst/core/ProgressQueue.h"

using namespace uninst;

namespace {

class CLog : public IRemovalProgress {
public:
    std::vector<std::wstring> events;
    void SelectPage(int page) override { events.push_back(L"page " + std::to_wstring(page)); }
    void SetRange(int a, int b) override { events.push_back(L"range " + std::to_wstring(a) + L" " + std::to_wstring(b)); }
    void SetValue(int v) override { events.push_back(L"value " + std::to_wstring(v)); }
    void SetText(const std::wstring& t) override { events.push_back(t); }
};

constexpr UINT kDrain = WM_APP + 3;

}  // namespace

TEST_CASE("changes made on another thread are applied on the window's thread in the order made") {
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    REQUIRE(window);
    CProgressQueue queue;
    queue.SetTarget(window, kDrain);
    CLog expected, applied;
    std::atomic<DWORD> applyingThread{0};
    const DWORD ownThread = GetCurrentThreadId();

    std::thread worker([&] {
        queue.SelectPage(1);
        expected.SelectPage(1);
        queue.SetRange(0, 2000);
        expected.SetRange(0, 2000);
        for (int i = 0; i < 2000; ++i) {
            queue.SetValue(i);
            expected.SetValue(i);
            queue.SetText(L"t" + std::to_wstring(i));
            expected.SetText(L"t" + std::to_wstring(i));
        }
        queue.SelectPage(2);
        expected.SelectPage(2);
    });
    const size_t total = 2 + 2 * 2000 + 1;
    DWORD deadline = GetTickCount() + 20000;
    int wakeups = 0;
    while (applied.events.size() < total && GetTickCount() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
        MSG msg;
        while (PeekMessageW(&msg, window, kDrain, kDrain, PM_REMOVE)) {
            ++wakeups;
            applyingThread = GetCurrentThreadId();
            queue.Drain(applied);
        }
    }
    worker.join();
    CHECK(applied.events == expected.events);
    CHECK(applyingThread == ownThread);
    CHECK(wakeups >= 1);
    DestroyWindow(window);
}
