#include "StartupBenchmark.h"

#include "Stopwatch.h"

#include "editor/ResourceIds.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int Runs = 11;
constexpr DWORD TimeoutMs = 20000;

struct Search {
    DWORD process;
    HWND dialog;
    HWND box;
};

// The visible dialogs of the started process: its own and a box it owns. The tests' FindOwnDialog
// (tests/support/DialogDriver.h) searches only the process it runs in, so it cannot do this.
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
double StartOnce(const char* executable, bool isVarnel) {
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
        std::fprintf(stderr, "the dialog of %s did not come up\n", executable);
        elapsed = -1;
    } else if (isVarnel &&
               (search.box || WindowText(GetDlgItem(search.dialog, IDC_XGWORKS_PATH)).empty())) {
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

struct Times {
    std::vector<double> all;
    bool failed = false;

    void Add(double elapsed) {
        all.push_back(elapsed);
        failed = failed || elapsed < 0;
    }
    double First() const { return all.front(); }
};

} // namespace

bool PrintStartup(const char* executable, const char* baseline, const char* platform) {
    // Taken in turns, so that the load of the machine weighs on all alike.
    Times varnel;
    Times empty;
    Times devices;
    for (int run = 0; run < Runs; ++run) {
        varnel.Add(StartOnce(executable, true));
        empty.Add(StartOnce(baseline, false));
        devices.Add(StartOnce(platform, false));
    }
    if (varnel.failed || empty.failed || devices.failed) {
        return false;
    }
    const double ours = Median(varnel.all);
    std::printf(
        "start-up, CreateProcess until WaitForInputIdle, median of %d (first), and Varnel's "
        "median over each:\n"
        "  Varnel.exe on the demo installation           %5.0f ms (%.0f ms)\n"
        "  an empty dialog program                       %5.0f ms (%.0f ms)  %4.1fx\n"
        "  the same with Varnel's DLLs and its devices   %5.0f ms (%.0f ms)  %4.1fx\n",
        Runs, ours, varnel.First(), Median(empty.all), empty.First(), ours / Median(empty.all),
        Median(devices.all), devices.First(), ours / Median(devices.all));
    return true;
}
