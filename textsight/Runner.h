// Running the engine as a child process with a time limit, on Windows and under Wine.
#pragma once

#include "Engine.h"

#include <string>

namespace textsight {

enum class RunStatus { Finished, Failed, TimedOut, NotStarted };

struct RunRequest {
    EngineLocation engine;
    std::wstring picture;    // the prepared picture (Windows path)
    std::wstring outputBase; // the engine writes outputBase + ".tsv"
    std::wstring scriptBase; // scratch files for the Wine road: scriptBase + ".sh", ".done"
    std::wstring languages;  // already sanitised
    int pageSegmentation = 11;
    int timeoutMs = 30000;
};

// Blocks until the engine has finished or the time limit has ended it.
RunStatus RunEngine(const RunRequest& request);

// The scratch files RunEngine may create for `request`, for the caller to delete.
std::vector<std::wstring> RunScratchFiles(const RunRequest& request);

// Quotes text for a POSIX shell: 'it'\''s'.
std::string ShellQuote(const std::string& text);

// Whole-file helpers; false on any failure.
bool ReadWholeFile(const std::wstring& path, std::string& contents);
bool WriteWholeFile(const std::wstring& path, const void* data, size_t size);

} // namespace textsight
