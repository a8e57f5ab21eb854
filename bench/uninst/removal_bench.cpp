// Times RemoveInstallFolder (link-safe file system, progress handed to a window thread as the
// wizard gets it) against a bare FindFirstFile/DeleteFileW/RemoveDirectoryW loop on the same tree.
// Usage: uninst_bench.exe [files folders [rounds]]   (default 10000 500 2)
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#include "uninst/core/ProgressQueue.h"
#include "uninst/core/Removal.h"
#include "uninst/core/Win32FileSystem.h"

using namespace uninst;
using Clock = std::chrono::steady_clock;

namespace {

constexpr UINT kDrainMessage = WM_APP + 1;

std::wstring TempFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, path);
    return path;
}

// Folders in two levels (20 at the top), files spread evenly over them.
void MakeTree(const std::wstring& root, int files, int folders) {
    CreateDirectoryW(root.c_str(), nullptr);
    std::vector<std::wstring> made;
    const int top = std::min(folders, 20);
    for (int i = 0; i < folders; ++i) {
        std::wstring path = i < top ? root + L"\\d" + std::to_wstring(i)
                                    : made[i % top] + L"\\s" + std::to_wstring(i);
        CreateDirectoryW(path.c_str(), nullptr);
        made.push_back(path);
    }
    for (int i = 0; i < files; ++i) {
        std::wstring path = made[i % made.size()] + L"\\f" + std::to_wstring(i) + L".dat";
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        if (h != INVALID_HANDLE_VALUE) WriteFile(h, "capturo", 7, &written, nullptr), CloseHandle(h);
    }
}

void BareList(const std::wstring& folder, std::vector<std::wstring>& files, std::vector<std::wstring>& dirs) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"\\*.*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring path = folder + L"\\" + data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            files.push_back(path);
        } else if (data.cFileName[0] != L'.') {
            BareList(path, files, dirs);
            dirs.push_back(path);  // after its contents: removable in this order
        }
    } while (FindNextFileW(search, &data));
    FindClose(search);
}

double BareDelete(const std::wstring& root) {
    auto start = Clock::now();
    std::vector<std::wstring> files, dirs;
    BareList(root, files, dirs);
    for (const auto& f : files) DeleteFileW(f.c_str());
    for (const auto& d : dirs) RemoveDirectoryW(d.c_str());
    RemoveDirectoryW(root.c_str());
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Checks on the window thread that the changes arrive as the worker makes them: the range
// first, then per removed item its bar value (0, 1, 2 ... in turn) followed by its text.
class COrderCheck : public IRemovalProgress {
public:
    int changes = 0;
    bool inOrder = true;
    void SelectPage(int) override { Expect(false); }
    void SetRange(int, int maximum) override {
        Expect(changes == 0);
        total_ = maximum;
    }
    void SetValue(int value) override {
        Expect(changes % 2 == 1 && value == nextValue_);
        ++nextValue_;
    }
    void SetText(const std::wstring& text) override {
        int percent = _wtoi(text.c_str() + text.find(L'：') + 1);
        Expect(changes % 2 == 0 && changes > 0 && percent < 100);
    }
    int Total() const { return total_; }

private:
    // ok is judged with changes still counting the earlier changes only.
    void Expect(bool ok) {
        ++changes;
        inOrder = inOrder && ok;
    }
    int total_ = 0;
    int nextValue_ = 0;
};

class CNoProgress : public IRemovalProgress {
public:
    void SelectPage(int) override {}
    void SetRange(int, int) override {}
    void SetValue(int) override {}
    void SetText(const std::wstring&) override {}
};

// The file system's share of the time: the same removal with nothing shown.
double SilentDelete(const std::wstring& root) {
    auto start = Clock::now();
    CWin32FileSystem fs;
    CNoProgress none;
    RemoveInstallFolder(fs, none, root + L"\\");
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

HWND MakeMessageWindow() {
    return CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

double ProductDelete(const std::wstring& root, COrderCheck& check) {
    HWND window = MakeMessageWindow();
    CProgressQueue queue;
    queue.SetTarget(window, kDrainMessage);
    auto start = Clock::now();
    std::atomic<bool> done{false};
    std::thread worker([&] {
        CWin32FileSystem fs;
        RemoveInstallFolder(fs, queue, root + L"\\");
        done = true;
        PostMessageW(window, WM_NULL, 0, 0);  // wakes the loop below to see done
    });
    MSG msg;
    while (!done || PeekMessageW(&msg, window, 0, 0, PM_NOREMOVE)) {
        if (GetMessageW(&msg, window, 0, 0) <= 0) break;
        if (msg.message == kDrainMessage) queue.Drain(check);
    }
    worker.join();
    queue.Drain(check);
    double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    DestroyWindow(window);
    return ms;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    int files = argc > 2 ? _wtoi(argv[1]) : 10000;
    int folders = argc > 2 ? _wtoi(argv[2]) : 500;
    int rounds = argc > 3 ? std::max(1, _wtoi(argv[3])) : 2;
    std::wstring root = TempFolder() + L"uninst-bench-" + std::to_wstring(GetCurrentProcessId());
    std::printf("tree: %d files in %d folders (%s file system), best of %d rounds\n", files, folders,
                RunningUnderWine() ? "Wine, link-safe" : "Windows", rounds);

    // Alternating rounds and the best time of each: the machine is shared, so single runs wander.
    double bare = 1e300, product = 1e300, silent = 1e300;
    bool ok = true;
    for (int round = 0; round < rounds; ++round) {
        MakeTree(root, files, folders);
        double b = BareDelete(root);
        MakeTree(root, files, folders);
        COrderCheck check;
        double p = ProductDelete(root, check);
        bool gone = GetFileAttributesW(root.c_str()) == INVALID_FILE_ATTRIBUTES;
        MakeTree(root, files, folders);
        silent = std::min(silent, SilentDelete(root));
        const int expected = 1 + 2 * check.Total();  // the range, then a value and a text per item
        std::printf("round %d: bare %.1f ms, RemoveInstallFolder %.1f ms; progress changes %d of %d, "
                    "in the worker's order: %s; tree gone: %s\n", round + 1, b, p, check.changes, expected,
                    check.inOrder ? "yes" : "NO", gone ? "yes" : "NO");
        std::fflush(stdout);
        ok = ok && check.inOrder && gone && check.changes == expected;
        bare = std::min(bare, b);
        product = std::min(product, p);
    }
    std::printf("bare DeleteFileW/RemoveDirectoryW loop: %8.1f ms\n", bare);
    std::printf("RemoveInstallFolder with progress:      %8.1f ms  (%.2fx the bare loop; target 1.5x)\n", product,
                product / bare);
    std::printf("RemoveInstallFolder, nothing shown:     %8.1f ms  (%.2fx)\n", silent, silent / bare);
    return ok ? 0 : 1;
}
