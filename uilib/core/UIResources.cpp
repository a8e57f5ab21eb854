// Process-wide start-up state of the paint manager: instance, resource path, the skin
// archive, reading skin files, and the message loop. Guarded by one lock because the
// uninstaller runs windows on two threads.
#include <algorithm>
#include <mutex>

#include "uilib/core/UIManager.h"
#include "uilib/core/UIManagerImpl.h"
#include "uilib/zip/ZipArchive.h"

namespace {

struct ResourceState {
    std::mutex lock;
    HINSTANCE instance = nullptr;
    std::wstring resourcePath;
    std::unique_ptr<CZipArchive> zip;
    std::vector<CPaintManagerUI*> managers;
};

ResourceState& State() {
    static ResourceState state;
    return state;
}

std::wstring WithSeparator(std::wstring path) {
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    return path;
}

bool IsAbsolute(const std::wstring& p) {
    return (p.size() > 1 && p[1] == L':') || (!p.empty() && (p[0] == L'\\' || p[0] == L'/'));
}

bool ReadWholeFile(const std::wstring& path, std::vector<BYTE>& out) {
    uilib::KernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return false;
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart > 256LL * 1024 * 1024) return false;
    out.resize(size_t(size.QuadPart));
    DWORD read = 0;
    if (!out.empty() && (!::ReadFile(file.Get(), out.data(), DWORD(out.size()), &read, nullptr) || read != out.size())) return false;
    return true;
}

}  // namespace

void CPaintManagerUI::SetInstance(HINSTANCE hInst) {
    std::lock_guard<std::mutex> guard(State().lock);
    State().instance = hInst;
}

HINSTANCE CPaintManagerUI::GetInstance() {
    std::lock_guard<std::mutex> guard(State().lock);
    return State().instance ? State().instance : ::GetModuleHandleW(nullptr);
}

CDuiString CPaintManagerUI::GetInstancePath() {
    wchar_t path[MAX_PATH + 1] = {};
    ::GetModuleFileNameW(GetInstance(), path, MAX_PATH);
    std::wstring s(path);
    size_t slash = s.find_last_of(L"\\/");
    return CDuiString(slash == std::wstring::npos ? std::wstring() : s.substr(0, slash + 1));
}

void CPaintManagerUI::SetResourcePath(LPCTSTR pStrPath) {
    std::lock_guard<std::mutex> guard(State().lock);
    State().resourcePath = WithSeparator(pStrPath ? pStrPath : L"");
}

CDuiString CPaintManagerUI::GetResourcePath() {
    std::lock_guard<std::mutex> guard(State().lock);
    return CDuiString(State().resourcePath);
}

bool CPaintManagerUI::SetResourceZip(LPCTSTR pStrZip) {
    std::wstring path = pStrZip ? pStrZip : L"";
    if (!IsAbsolute(path)) path = GetResourcePath().Str() + path;
    auto zip = std::make_unique<CZipArchive>();
    bool ok = !path.empty() && zip->OpenFile(path);
    std::lock_guard<std::mutex> guard(State().lock);
    State().zip = ok ? std::move(zip) : nullptr;
    return ok;
}

bool CPaintManagerUI::SetResourceZip(const void* pData, size_t size) {
    auto zip = std::make_unique<CZipArchive>();
    bool ok = pData && size > 0 && zip->OpenMemory(pData, size);
    std::lock_guard<std::mutex> guard(State().lock);
    State().zip = ok ? std::move(zip) : nullptr;
    return ok;
}

bool CPaintManagerUI::LoadResourceZip(HINSTANCE hInst, LPCTSTR type, UINT id) {
    HRSRC res = ::FindResourceW(hInst, MAKEINTRESOURCEW(id), type);
    HGLOBAL data = res ? ::LoadResource(hInst, res) : nullptr;
    const void* bytes = data ? ::LockResource(data) : nullptr;
    DWORD size = res ? ::SizeofResource(hInst, res) : 0;
    if (!bytes || size == 0) {
        ClearResourceZip();
        return false;
    }
    return SetResourceZip(bytes, size);
}

void CPaintManagerUI::ClearResourceZip() {
    std::lock_guard<std::mutex> guard(State().lock);
    State().zip.reset();
}

bool CPaintManagerUI::HasResourceZip() {
    std::lock_guard<std::mutex> guard(State().lock);
    return State().zip != nullptr;
}

bool CPaintManagerUI::LoadResourceFile(const CDuiString& name, std::vector<BYTE>& out) {
    out.clear();
    if (name.IsEmpty()) return false;
    {
        std::lock_guard<std::mutex> guard(State().lock);
        if (State().zip) return State().zip->Read(name.View(), out);
    }
    std::wstring path = name.Str();
    if (!IsAbsolute(path)) path = GetResourcePath().Str() + path;
    return ReadWholeFile(path, out);
}

const std::vector<CPaintManagerUI*>& CPaintManagerUI::Managers() { return State().managers; }

namespace uilib {

void RegisterManager(CPaintManagerUI* pm) {
    std::lock_guard<std::mutex> guard(State().lock);
    State().managers.push_back(pm);
}

void UnregisterManager(CPaintManagerUI* pm) {
    std::lock_guard<std::mutex> guard(State().lock);
    auto& v = State().managers;
    v.erase(std::remove(v.begin(), v.end(), pm), v.end());
}

// The manager of this thread whose window is msgWindow or one of its ancestors.
CPaintManagerUI* ManagerForWindow(HWND msgWindow) {
    std::lock_guard<std::mutex> guard(State().lock);
    for (HWND w = msgWindow; w; w = ::GetParent(w)) {
        for (CPaintManagerUI* pm : State().managers) {
            if (pm->GetPaintWindow() == w) return pm;
        }
    }
    return nullptr;
}

}  // namespace uilib

bool CPaintManagerUI::TranslateMessage(const LPMSG pMsg) {
    if (!pMsg || !pMsg->hwnd) return false;
    CPaintManagerUI* pm = uilib::ManagerForWindow(pMsg->hwnd);
    if (!pm) return false;
    LRESULT lRes = 0;
    return pm->PreMessageHandler(pMsg->message, pMsg->wParam, pMsg->lParam, lRes);
}

void CPaintManagerUI::MessageLoop() {
    MSG msg = {};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!CPaintManagerUI::TranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}
