// Test helper for the uninstaller's end-to-end tests: keeps a file open, as a running program
// keeps its files, until it is killed or the given seconds have passed.
// Usage: uninst_hold_file.exe PATH SECONDS   (prints "holding" once the file is open)
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    // No delete sharing: the file can be neither deleted nor renamed while it is held.
    HANDLE file = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    std::printf("holding\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(_wtoi(argv[2])) * 1000);
    CloseHandle(file);
    return 0;
}
