// The recognition pipeline, with the temporary files of one run owned by a scope guard.
#include "Recognise.h"

#include "Engine.h"
#include "Preprocess.h"
#include "Runner.h"
#include "TsvParse.h"
#include "textsight.h"

#include <windows.h>

namespace textsight {
namespace {

// Deletes the files of one run, whatever way the run ends.
class ScratchFiles {
  public:
    ScratchFiles() = default;
    ~ScratchFiles() {
        for (const std::wstring& path : paths_)
            DeleteFileW(path.c_str());
    }
    ScratchFiles(const ScratchFiles&) = delete;
    ScratchFiles& operator=(const ScratchFiles&) = delete;

    void Add(const std::wstring& path) { paths_.push_back(path); }

  private:
    std::vector<std::wstring> paths_;
};

// A fresh name in the temporary folder; the empty file GetTempFileNameW makes reserves it.
std::wstring ReserveScratchBase(ScratchFiles& scratch) {
    wchar_t folder[MAX_PATH] = L"", name[MAX_PATH] = L"";
    DWORD n = GetTempPathW(MAX_PATH, folder);
    if (n == 0 || n >= MAX_PATH || GetTempFileNameW(folder, L"tsg", 0, name) == 0) return {};
    scratch.Add(name);
    std::wstring base = name;
    size_t dot = base.rfind(L'.');
    return dot == std::wstring::npos ? base : base.substr(0, dot);
}

bool LoadPicture(const std::wstring& path, GreyImage& picture) {
    std::string bytes;
    return ReadWholeFile(path, bytes) &&
           DecodeBmp(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), picture);
}

// One band of text no taller than a line reads best as a single line; anything else as sparse text
// (taken as a line, a big picture with ink in every row makes the engine fail).
int PageSegmentationFor(const PreparedPicture& prepared, const EngineSettings& settings) {
    constexpr int kSingleLine = 7, kSparseText = 11, kTallestLine = 40;
    if (settings.pageSegmentation >= 0) return settings.pageSegmentation;
    bool oneLine = prepared.bands.count <= 1 && prepared.bands.tallest <= kTallestLine;
    return oneLine ? kSingleLine : kSparseText;
}

// TEXTSIGHT_DIAGNOSIS_DIR names a folder that receives a copy of the engine's input and output.
void KeepForDiagnosis(const RunRequest& request) {
    wchar_t folder[MAX_PATH] = L"";
    DWORD n = GetEnvironmentVariableW(L"TEXTSIGHT_DIAGNOSIS_DIR", folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    std::wstring stem = std::wstring(folder) + L"\\" + std::to_wstring(GetTickCount());
    CopyFileW(request.picture.c_str(), (stem + L".bmp").c_str(), FALSE);
    CopyFileW((request.outputBase + L".tsv").c_str(), (stem + L".tsv").c_str(), FALSE);
}

} // namespace

Recognition RecogniseFile(const std::wstring& bmpPath, const std::wstring& libraryFolder) {
    Recognition outcome;
    GreyImage picture;
    if (!LoadPicture(bmpPath, picture)) return {PubData::kTextsightNoPicture, {}};
    EngineSettings settings = LoadSettings(libraryFolder);
    std::optional<EngineLocation> engine = LocateEngine(GatherEngineSearch(libraryFolder, settings));
    if (!engine) return {PubData::kTextsightNoEngine, {}};

    PipelineOptions options;
    if (settings.scale >= 1) options.smallTextScale = settings.scale;
    PreparedPicture prepared = PreparePicture(std::move(picture), options);
    ScratchFiles scratch;
    std::wstring base = ReserveScratchBase(scratch);
    if (base.empty()) return {PubData::kTextsightEngineFailed, {}};
    RunRequest request{*engine,
                       base + L"_in.bmp",
                       base + L"_out",
                       base,
                       settings.languages,
                       PageSegmentationFor(prepared, settings),
                       settings.timeoutMs};
    scratch.Add(request.picture);
    for (const std::wstring& path : RunScratchFiles(request))
        scratch.Add(path);
    std::vector<uint8_t> encoded = EncodeGreyBmp(prepared.image);
    if (!WriteWholeFile(request.picture, encoded.data(), encoded.size()))
        return {PubData::kTextsightEngineFailed, {}};

    RunStatus status = RunEngine(request);
    std::string tsv;
    if (status == RunStatus::NotStarted || !ReadWholeFile(request.outputBase + L".tsv", tsv))
        return {PubData::kTextsightEngineFailed, {}};
    KeepForDiagnosis(request);
    outcome.lines = LinesFromTsv(tsv, prepared.mapping);
    outcome.result = status == RunStatus::Finished ? 0 : PubData::kTextsightEngineFailed;
    return outcome;
}

} // namespace textsight
