// A stand-in Windows engine for the library's Windows road (CreateProcessW and a waitable handle).
// Called as the engine is: fake_engine IN OUTBASE -l LANGS --psm N tsv. FAKE_ENGINE_MODE says what to do:
// "hang" never finishes, "fail" exits with 1, anything else writes one word to OUTBASE.tsv.
#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    wchar_t mode[16] = L"";
    GetEnvironmentVariableW(L"FAKE_ENGINE_MODE", mode, 16);
    if (std::wstring(mode) == L"hang") Sleep(120000);
    if (std::wstring(mode) == L"fail" || argc < 3) return 1;
    FILE* out = _wfopen((std::wstring(argv[2]) + L".tsv").c_str(), L"wb");
    if (!out) return 1;
    std::fputs(
        "level\tpage_num\tblock_num\tpar_num\tline_num\tword_num\tleft\ttop\twidth\theight\tconf\ttext\n"
        "5\t1\t1\t1\t1\t1\t32\t32\t60\t30\t95\tHello\n",
        out);
    std::fclose(out);
    return 0;
}
