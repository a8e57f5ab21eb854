// The test programs run under Wine with the Chinese code page, as the products do.
#include <doctest.h>
#include <windows.h>

TEST_CASE("tests run with the ANSI code page 936") { CHECK(GetACP() == 936); }
