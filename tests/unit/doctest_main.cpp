// Entry of every unit-test program: doctest's runner behind a Unicode entry point.
#define DOCTEST_CONFIG_IMPLEMENT
#include <doctest.h>
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    // doctest parses narrow arguments; ours are plain ASCII options.
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) {
        int n = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string s(n > 0 ? n - 1 : 0, '\0');
        if (n > 1) WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, s.data(), n, nullptr, nullptr);
        args.push_back(s);
    }
    std::vector<char*> ptrs;
    for (auto& s : args) ptrs.push_back(s.data());
    doctest::Context context(static_cast<int>(ptrs.size()), ptrs.data());
    return context.run();
}
