// Finding the Tesseract engine and the library's settings (textsight.ini beside the library).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace textsight {

struct EngineSettings {
    std::wstring engine;                     // textsight.ini [textsight] engine=: the engine's file or folder
    std::wstring languages = L"eng+chi_sim"; // languages=
    int timeoutMs = 30000;                   // timeout= in seconds
    int pageSegmentation = -1;               // psm=: the engine's page segmentation; -1 chooses per picture
    double scale = 0;                        // scale=: enlargement of small text; 0 keeps the built-in one
    bool engineIsExclusive = false;          // set by TEXTSIGHT_ENGINE: no other place is searched
};

// Reads textsight.ini in `folder`, then the environment variables TEXTSIGHT_ENGINE, TEXTSIGHT_TIMEOUT,
// TEXTSIGHT_LANGUAGES, TEXTSIGHT_PSM and TEXTSIGHT_SCALE, which win (for tests and measurements).
EngineSettings LoadSettings(const std::wstring& folder);

// Keeps letters, digits, '_' and '+' only: the languages go onto a command line.
std::wstring SanitiseLanguages(const std::wstring& languages);

struct EngineLocation {
    std::wstring path;     // a Windows path, or a Unix path when unixSide
    bool unixSide = false; // a host program started through /bin/sh under Wine
};

// Everything the search looks at, gathered from the system by GatherEngineSearch.
struct EngineSearch {
    std::wstring libraryFolder;
    EngineSettings settings;
    std::vector<std::wstring> registryFolders; // from the engine's Windows installer
    std::wstring onPath;                       // tesseract.exe found on the PATH, or empty
    bool onWine = false;
    std::function<bool(const std::wstring&)> windowsFileExists;
    std::function<bool(const std::wstring&)> unixFileExists;
};

// In order: a tesseract folder beside the library, the ini's path, the installer's registry entry,
// the PATH, and under Wine the host's /usr/bin/tesseract.
std::optional<EngineLocation> LocateEngine(const EngineSearch& search);

EngineSearch GatherEngineSearch(const std::wstring& libraryFolder, const EngineSettings& settings);

// Wine's path helpers (kernel32 exports); empty results outside Wine or on failure.
bool RunningOnWine();
std::wstring UnixPathOf(const std::wstring& windowsPath);
std::wstring WindowsPathOf(const std::wstring& unixPath);

} // namespace textsight
