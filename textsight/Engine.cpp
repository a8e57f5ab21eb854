// Settings from textsight.ini and the environment, and the search for the engine's program.
#include "Engine.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>

namespace textsight {
namespace {

const wchar_t kIniName[] = L"textsight.ini";
const wchar_t kSection[] = L"textsight";
const wchar_t kEngineFile[] = L"tesseract.exe";
const wchar_t kHostEngine[] = L"/usr/bin/tesseract";

std::wstring IniString(const std::wstring& file, const wchar_t* key) {
    wchar_t buffer[1024] = L"";
    GetPrivateProfileStringW(kSection, key, L"", buffer, 1024, file.c_str());
    return buffer;
}

std::wstring EnvironmentString(const wchar_t* name) {
    wchar_t buffer[1024] = L"";
    DWORD n = GetEnvironmentVariableW(name, buffer, 1024);
    return n > 0 && n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

int PositiveNumber(const std::wstring& text, int fallback) {
    if (text.empty()) return fallback;
    wchar_t* end = nullptr;
    double v = wcstod(text.c_str(), &end);
    return (end && *end == L'\0' && v > 0 && v < 3600) ? static_cast<int>(v * 1000) : fallback;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty()) return name;
    wchar_t last = folder.back();
    return folder + (last == L'\\' || last == L'/' ? L"" : L"\\") + name;
}

bool EndsWithExe(const std::wstring& path) {
    if (path.size() < 4) return false;
    std::wstring tail = path.substr(path.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), ::towlower);
    return tail == L".exe";
}

// A configured path names the program or the folder holding tesseract.exe.
std::optional<EngineLocation> CheckConfigured(const EngineSearch& s, const std::wstring& path) {
    if (path.empty()) return std::nullopt;
    if (path[0] == L'/') {
        if (s.onWine && s.unixFileExists(path)) return EngineLocation{path, true};
        return std::nullopt;
    }
    if (EndsWithExe(path)) {
        if (s.windowsFileExists(path)) return EngineLocation{path, false};
        return std::nullopt;
    }
    std::wstring inFolder = JoinPath(path, kEngineFile);
    if (s.windowsFileExists(inFolder)) return EngineLocation{inFolder, false};
    // Under Wine a Windows path may name a host program (e.g. Z:\usr\bin\tesseract).
    if (s.onWine && s.windowsFileExists(path)) return EngineLocation{path, false};
    return std::nullopt;
}

template <typename Fn> Fn WineExport(const char* module, const char* name) {
    HMODULE m = GetModuleHandleA(module);
    return m ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m, name))) : nullptr;
}

std::vector<std::wstring> RegistryFolders() {
    std::vector<std::wstring> folders;
    const HKEY roots[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};
    const REGSAM views[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};
    const wchar_t* values[] = {L"InstallDir", L"Path"};
    for (HKEY root : roots)
        for (REGSAM view : views)
            for (const wchar_t* value : values) {
                wchar_t buffer[MAX_PATH] = L"";
                DWORD bytes = sizeof(buffer) - sizeof(wchar_t);
                if (RegGetValueW(root, L"SOFTWARE\\Tesseract-OCR", value, RRF_RT_REG_SZ | view, nullptr,
                                 buffer, &bytes) == ERROR_SUCCESS &&
                    buffer[0])
                    folders.push_back(buffer);
            }
    return folders;
}

void ReadTuning(EngineSettings& s, const std::wstring& psm, const std::wstring& scale) {
    if (!psm.empty()) s.pageSegmentation = std::clamp(_wtoi(psm.c_str()), -1, 13);
    if (!scale.empty()) s.scale = std::clamp(_wtof(scale.c_str()), 0.0, 8.0);
}

bool IsFile(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::wstring SanitiseLanguages(const std::wstring& languages) {
    std::wstring out;
    for (wchar_t c : languages)
        if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_' ||
            c == L'+')
            out += c;
    return out.empty() ? EngineSettings().languages : out;
}

EngineSettings LoadSettings(const std::wstring& folder) {
    EngineSettings s;
    std::wstring ini = JoinPath(folder, kIniName);
    s.engine = IniString(ini, L"engine");
    std::wstring languages = IniString(ini, L"languages");
    if (!languages.empty()) s.languages = languages;
    s.timeoutMs = PositiveNumber(IniString(ini, L"timeout"), s.timeoutMs);
    ReadTuning(s, IniString(ini, L"psm"), IniString(ini, L"scale"));

    std::wstring engine = EnvironmentString(L"TEXTSIGHT_ENGINE");
    if (!engine.empty()) s.engine = engine, s.engineIsExclusive = true;
    s.timeoutMs = PositiveNumber(EnvironmentString(L"TEXTSIGHT_TIMEOUT"), s.timeoutMs);
    ReadTuning(s, EnvironmentString(L"TEXTSIGHT_PSM"), EnvironmentString(L"TEXTSIGHT_SCALE"));
    languages = EnvironmentString(L"TEXTSIGHT_LANGUAGES");
    if (!languages.empty()) s.languages = languages;
    s.languages = SanitiseLanguages(s.languages);
    return s;
}

std::optional<EngineLocation> LocateEngine(const EngineSearch& s) {
    if (s.settings.engineIsExclusive) return CheckConfigured(s, s.settings.engine);
    std::wstring bundled = JoinPath(JoinPath(s.libraryFolder, L"tesseract"), kEngineFile);
    if (s.windowsFileExists(bundled)) return EngineLocation{bundled, false};
    if (auto configured = CheckConfigured(s, s.settings.engine)) return configured;
    for (const std::wstring& folder : s.registryFolders) {
        std::wstring candidate = JoinPath(folder, kEngineFile);
        if (s.windowsFileExists(candidate)) return EngineLocation{candidate, false};
    }
    if (!s.onPath.empty()) return EngineLocation{s.onPath, false};
    if (s.onWine && s.unixFileExists(kHostEngine)) return EngineLocation{kHostEngine, true};
    return std::nullopt;
}

EngineSearch GatherEngineSearch(const std::wstring& libraryFolder, const EngineSettings& settings) {
    EngineSearch s;
    s.libraryFolder = libraryFolder;
    s.settings = settings;
    s.onWine = RunningOnWine();
    s.windowsFileExists = IsFile;
    s.unixFileExists = [](const std::wstring& path) {
        std::wstring windowsPath = WindowsPathOf(path);
        return !windowsPath.empty() && IsFile(windowsPath);
    };
    if (settings.engineIsExclusive) return s;
    s.registryFolders = RegistryFolders();
    wchar_t found[MAX_PATH] = L"";
    if (SearchPathW(nullptr, kEngineFile, nullptr, MAX_PATH, found, nullptr) > 0) s.onPath = found;
    return s;
}

bool RunningOnWine() {
    using Fn = const char*(CDECL*)();
    return WineExport<Fn>("ntdll.dll", "wine_get_version") != nullptr;
}

std::wstring UnixPathOf(const std::wstring& windowsPath) {
    using Fn = char*(CDECL*)(const wchar_t*);
    auto convert = WineExport<Fn>("kernel32.dll", "wine_get_unix_file_name");
    if (!convert) return {};
    char* unix = convert(windowsPath.c_str());
    if (!unix) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, unix, -1, nullptr, 0);
    std::wstring out(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_UTF8, 0, unix, -1, out.data(), n);
    HeapFree(GetProcessHeap(), 0, unix);
    return out;
}

std::wstring WindowsPathOf(const std::wstring& unixPath) {
    using Fn = wchar_t*(CDECL*)(const char*);
    auto convert = WineExport<Fn>("kernel32.dll", "wine_get_dos_file_name");
    if (!convert) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, unixPath.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_UTF8, 0, unixPath.c_str(), -1, narrow.data(), n, nullptr, nullptr);
    wchar_t* dos = convert(narrow.c_str());
    if (!dos) return {};
    std::wstring out = dos;
    HeapFree(GetProcessHeap(), 0, dos);
    return out;
}

} // namespace textsight
