#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

// Every text of the program is code page 932; a run under another code page would test
// different bytes, so it must not pass quietly, unless it is a test of that code page
// (VARNEL_ANY_CODE_PAGE set), which checks the code page itself.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GetACP() != 932 && !std::getenv("VARNEL_ANY_CODE_PAGE")) {
        std::fprintf(stderr, "FATAL: code page %u, not 932: run with LANG=ja_JP.UTF-8\n", GetACP());
        return 2;
    }
    // The regional format of a user elsewhere, which decides how names sort.
    if (const char* locale = std::getenv("VARNEL_THREAD_LOCALE")) {
        SetThreadLocale(std::strtoul(locale, nullptr, 16));
    }
    return RUN_ALL_TESTS();
}
