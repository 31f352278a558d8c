#include <windows.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include <gtest/gtest.h>

namespace {

// A test that hangs (a dialog that never comes or goes, a registration left pending) fails the
// run in seconds with its name, instead of leaving ctest to wait for its time-out.
class Watchdog : public testing::EmptyTestEventListener {
public:
    static constexpr DWORD LimitMs = 30000;

    Watchdog() {
        std::thread([this] {
            for (;; Sleep(100)) {
                const DWORD start = started.load();
                // Signed: the mark that tells a running test may lie a tick ahead of the clock.
                const LONG elapsed = static_cast<LONG>(GetTickCount() - start);
                if (start != 0 && elapsed > static_cast<LONG>(LimitMs)) {
                    std::printf("[  FAILED  ] %s did not end within %lu s\n", name,
                                static_cast<unsigned long>(LimitMs / 1000));
                    std::fflush(stdout);
                    TerminateProcess(GetCurrentProcess(), 3);
                }
            }
        }).detach();
    }
    void OnTestStart(const testing::TestInfo& test) override {
        std::snprintf(name, sizeof name, "%s.%s", test.test_suite_name(), test.name());
        started = GetTickCount() | 1;
    }
    void OnTestEnd(const testing::TestInfo&) override { started = 0; }

private:
    std::atomic<DWORD> started{0};
    char name[256] = "";
};

} // namespace

// Every text of the program is code page 932; a run under another code page would test
// different bytes, so it must not pass quietly.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GetACP() != 932) {
        std::fprintf(stderr, "FATAL: code page %u, not 932: run with LANG=ja_JP.UTF-8\n", GetACP());
        return 2;
    }
    testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);
    return RUN_ALL_TESTS();
}
