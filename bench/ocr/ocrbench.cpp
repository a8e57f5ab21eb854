// Runs textsight on every picture of a list and writes the blocks and the time of each call.
// Usage: ocrbench LIST OUT. LIST holds one Windows path per line (UTF-8); OUT gets, per picture,
// "IMG <tab> index <tab> milliseconds <tab> result" and one "BLK <tab> l t r b conf text" per block.
#include "textsight.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::wstring FromCodePage(const std::string& s, UINT codePage) {
    int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(n > 0 ? n : 0, L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string ToUtf8(const std::wstring& w) {
    int n =
        WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

double NowMs() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return count.QuadPart * 1000.0 / frequency.QuadPart;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ocrbench LIST OUT\n");
        return 2;
    }
    std::ifstream list(argv[1]);
    std::ofstream out(argv[2], std::ios::binary);
    if (!list || !out) return 1;
    std::string line;
    for (int index = 0; std::getline(list, line); ++index) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::wstring path = FromCodePage(line, CP_UTF8);
        std::vector<tagScShape> blocks;
        double start = NowMs();
        PubData::CPubData* engine = new PubData::CPubData();
        int result = engine->GetText_JK(path, blocks);
        delete engine;
        double elapsed = NowMs() - start;
        out << "IMG\t" << index << '\t' << elapsed << '\t' << result << '\n';
        for (const tagScShape& b : blocks)
            out << "BLK\t" << b.left << '\t' << b.top << '\t' << b.right << '\t' << b.bottom << '\t'
                << b.confidence << '\t' << ToUtf8(FromCodePage(b.text, CP_THREAD_ACP)) << '\n';
        out.flush();
    }
    return 0;
}
