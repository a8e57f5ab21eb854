// gallery.exe: shows every control of the UI library for the end-to-end tests.
// Usage: gallery.exe [--skin FOLDER|ARCHIVE.zip] [--log FILE] [--page N]
// Exit codes: 0 after the window closed, 2 when the skin cannot be loaded or built, 3 bad arguments.
#include "gallery/GalleryWnd.h"

#include <shellapi.h>

namespace {

struct tagGalleryArgs {
    std::wstring skin, log;
    int page = 0;
    bool ok = true;
};

tagGalleryArgs ParseArgs(int argc, wchar_t** argv) {
    tagGalleryArgs a;
    for (int i = 1; i < argc; ++i) {
        std::wstring arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == L"--skin" && hasValue) a.skin = argv[++i];
        else if (arg == L"--log" && hasValue) a.log = argv[++i];
        else if (arg == L"--page" && hasValue) a.page = _wtoi(argv[++i]);
        else a.ok = false;
    }
    return a;
}

// A skin given on the command line: a folder is read file by file, anything else as a zip.
bool ChooseSkin(const std::wstring& path, tagGallerySkin& skin) {
    if (path.empty()) return true;
    skin.path = path;
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        skin.type = UILIB_FILE;
        CPaintManagerUI::SetResourcePath(path.c_str());
        return true;
    }
    skin.type = UILIB_ZIP;
    return CPaintManagerUI::SetResourceZip(path.c_str());
}

int RunGallery(const tagGalleryArgs& args) {
    CGalleryLog log(args.log);
    tagGallerySkin skin;
    if (!ChooseSkin(args.skin, skin)) {
        log.Write(L"skin-error archive");
        return 2;
    }
    auto* wnd = new CGalleryWnd(skin, log);  // deletes itself in its final message once built
    if (!wnd->Create(nullptr, L"Gallery", WS_POPUP | WS_CLIPCHILDREN, 0, 40, 40, 1000, 700)) {
        delete wnd;
        log.Write(L"skin-error build");
        return 2;
    }
    wnd->ShowWindow(true, true);
    if (args.page > 0) {
        std::wstring tab = L"tab_" + std::to_wstring(args.page);
        if (CControlUI* option = wnd->FindControl(tab.c_str()))
            if (auto* o = static_cast<COptionUI*>(option->GetInterface(L"Option"))) o->Selected(true);
    }
    CPaintManagerUI::MessageLoop();
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    CPaintManagerUI::SetInstance(instance);
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    tagGalleryArgs args = argv ? ParseArgs(argc, argv) : tagGalleryArgs{};
    if (argv) LocalFree(argv);
    if (!args.ok) return 3;
    uilib::GdiplusSession gdiplus;
    CWndShadow::Initialize(instance);
    return RunGallery(args);
}
