#include "StartupBenchmark.h"

#include "Stopwatch.h"

#include "editor/ResourceIds.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr int Runs = 11;
constexpr DWORD TimeoutMs = 20000;

struct Search {
    DWORD process;
    HWND dialog;
    HWND box;
};

BOOL CALLBACK FindWindows(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (process == search->process && lstrcmpA(className, "#32770") == 0 &&
        IsWindowVisible(window)) {
        (GetWindow(window, GW_OWNER) ? search->box : search->dialog) = window;
    }
    return TRUE;
}

std::string WindowText(HWND window) {
    char text[MAX_PATH] = "";
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_NORMAL, TimeoutMs, &ignored);
    return text;
}

// One start: the milliseconds until the program waited for input, or a negative value.
double StartOnce(const char* executable) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = std::string("\"") + executable + "\"";
    Stopwatch watch;
    if (!CreateProcessA(executable, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", executable, GetLastError());
        return -1;
    }
    const DWORD idle = WaitForInputIdle(process.hProcess, TimeoutMs);
    double elapsed = watch.Milliseconds();

    Search search = {process.dwProcessId, nullptr, nullptr};
    EnumWindows(FindWindows, reinterpret_cast<LPARAM>(&search));
    if (idle != 0 || !search.dialog) {
        std::fprintf(stderr, "Varnel's dialog did not come up\n");
        elapsed = -1;
    } else if (search.box || WindowText(GetDlgItem(search.dialog, IDC_XGWORKS_PATH)).empty()) {
        std::fprintf(stderr, "Varnel did not load the demo installation's settings: %s\n",
                     search.box ? WindowText(search.box).c_str() : "no path shown");
        elapsed = -1;
    }
    if (elapsed >= 0) {
        PostMessageA(search.dialog, WM_CLOSE, 0, 0);
    }
    if (elapsed < 0 || WaitForSingleObject(process.hProcess, TimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

} // namespace

bool PrintStartup(const char* executable) {
    double first = 0;
    bool failed = false;
    const double median = Median(Runs, [&] {
        const double elapsed = StartOnce(executable);
        failed = failed || elapsed < 0;
        if (first == 0) {
            first = elapsed;
        }
        return elapsed;
    });
    if (failed) {
        return false;
    }
    std::printf("start-up of Varnel.exe, CreateProcess until WaitForInputIdle: first %.0f ms, "
                "median of %d: %.0f ms\n",
                first, Runs, median);
    return true;
}
