// The engine's child process. On Windows: CreateProcessW with a waitable handle. Under Wine a host
// program gives no usable handle and loses piped output, so a shell script runs it under
// `timeout` and writes its exit status to a done-file, which is polled.
#include "Runner.h"

#include "Ansi.h"
#include "Handles.h"

#include <windows.h>

#include <cstdlib>

namespace textsight {
namespace {

// The shell's own `timeout` ends the engine; this is only the margin for the shell to report it.
constexpr DWORD kReportMarginMs = 5000;
constexpr DWORD kPollMs = 10;
// What timeout(1) reports for a child it had to end (SIGTERM, then SIGKILL).
constexpr int kTimedOutStatus = 124;
constexpr int kKilledStatus = 137;

std::wstring EngineArguments(const RunRequest& r) {
    return L" -l " + r.languages + L" --psm " + std::to_wstring(r.pageSegmentation) + L" tsv";
}

// The engine takes narrow arguments: a folder named outside the ANSI code page (a user name, say)
// is passed by its short name.
std::wstring WithShortFolder(const std::wstring& path) {
    size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return path;
    wchar_t shortFolder[MAX_PATH] = L"";
    DWORD n = GetShortPathNameW(path.substr(0, slash).c_str(), shortFolder, MAX_PATH);
    return n > 0 && n < MAX_PATH ? shortFolder + path.substr(slash) : path;
}

RunStatus RunWindowsProcess(const RunRequest& r) {
    std::wstring commandLine = L"\"" + r.engine.path + L"\" \"" + WithShortFolder(r.picture) + L"\" \"" +
                               WithShortFolder(r.outputBase) + L"\"" + EngineArguments(r);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(r.engine.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &info))
        return RunStatus::NotStarted;
    KernelHandle process(info.hProcess), thread(info.hThread);
    if (WaitForSingleObject(process.Get(), static_cast<DWORD>(r.timeoutMs)) != WAIT_OBJECT_0) {
        TerminateProcess(process.Get(), 1);
        WaitForSingleObject(process.Get(), kReportMarginMs);
        return RunStatus::TimedOut;
    }
    DWORD code = 1;
    GetExitCodeProcess(process.Get(), &code);
    return code == 0 ? RunStatus::Finished : RunStatus::Failed;
}

std::string HostPath(const std::wstring& windowsPath) {
    return WideToUtf8(UnixPathOf(windowsPath));
}

std::string WineScript(const RunRequest& r, const std::string& done) {
    int seconds = (r.timeoutMs + 999) / 1000;
    std::string engine = WideToUtf8(r.engine.path);
    // One engine thread: on a loaded machine the engine's parallel sections mostly wait for each other.
    return "OMP_THREAD_LIMIT=1; export OMP_THREAD_LIMIT\n"
           "/usr/bin/timeout -k 2 " +
           std::to_string(seconds) + " " + ShellQuote(engine) + " " + ShellQuote(HostPath(r.picture)) + " " +
           ShellQuote(HostPath(r.outputBase)) + WideToUtf8(EngineArguments(r)) +
           " >/dev/null 2>&1\n"
           "echo $? > " +
           ShellQuote(done + ".part") +
           "\n"
           "/bin/mv -f " +
           ShellQuote(done + ".part") + " " + ShellQuote(done) + "\n";
}

RunStatus RunHostProcess(const RunRequest& r) {
    std::wstring script = r.scriptBase + L".sh", done = r.scriptBase + L".done";
    std::string hostScript = HostPath(script), hostDone = HostPath(done);
    if (hostScript.empty() || hostDone.empty() || HostPath(r.picture).empty()) return RunStatus::NotStarted;
    std::string text = WineScript(r, hostDone);
    if (!WriteWholeFile(script, text.data(), text.size())) return RunStatus::NotStarted;
    std::wstring commandLine = L"/bin/sh \"" + Utf8ToWide(hostScript) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &info))
        return RunStatus::NotStarted;
    KernelHandle process(info.hProcess), thread(info.hThread);
    DWORD start = GetTickCount();
    std::string status;
    while (!ReadWholeFile(done, status)) {
        if (GetTickCount() - start > static_cast<DWORD>(r.timeoutMs) + kReportMarginMs)
            return RunStatus::TimedOut;
        Sleep(kPollMs);
    }
    int code = std::atoi(status.c_str());
    if (code == kTimedOutStatus || code == kKilledStatus) return RunStatus::TimedOut;
    return code == 0 ? RunStatus::Finished : RunStatus::Failed;
}

} // namespace

std::string ShellQuote(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

RunStatus RunEngine(const RunRequest& request) {
    return request.engine.unixSide ? RunHostProcess(request) : RunWindowsProcess(request);
}

std::vector<std::wstring> RunScratchFiles(const RunRequest& r) {
    return {r.outputBase + L".tsv", r.scriptBase + L".sh", r.scriptBase + L".done",
            r.scriptBase + L".done.part"};
}

bool ReadWholeFile(const std::wstring& path, std::string& contents) {
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > (1 << 30)) return false;
    contents.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    return contents.empty() ||
           (ReadFile(file.Get(), contents.data(), static_cast<DWORD>(contents.size()), &read, nullptr) &&
            read == contents.size());
}

bool WriteWholeFile(const std::wstring& path, const void* data, size_t size) {
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_TEMPORARY, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), data, static_cast<DWORD>(size), &written, nullptr) &&
           written == size;
}

} // namespace textsight
