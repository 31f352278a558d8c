#include "support/FileDialogDriver.h"

#include <dlgs.h>

#include <vector>

namespace {

struct Search {
    HWND owner;
    HWND found;
};

bool IsOwnDialog(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    return process == GetCurrentProcessId() && IsWindowVisible(window) &&
           lstrcmpA(className, "#32770") == 0;
}

HWND FileNameBox(HWND dialog) {
    const HWND combo = GetDlgItem(dialog, cmb13);
    return combo && IsWindowVisible(combo) ? combo : GetDlgItem(dialog, edt1);
}

BOOL CALLBACK MatchFileDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    if (IsOwnDialog(window) && FileNameBox(window) &&
        (!search->owner || GetWindow(window, GW_OWNER) == search->owner)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM param) {
    if (IsOwnDialog(window)) {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    }
    return TRUE;
}

void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

} // namespace

FileDialogDriver::FileDialogDriver(Answer answer, std::string path, HWND owner, DWORD timeoutMs)
    : answer(answer), path(std::move(path)), owner(owner), timeoutMs(timeoutMs),
      thread([this] { succeeded = Drive(); }) {}

FileDialogDriver::~FileDialogDriver() {
    Finish();
}

bool FileDialogDriver::Finish() {
    if (thread.joinable()) {
        thread.join();
    }
    return succeeded;
}

HWND FileDialogDriver::FindFileDialog(HWND owner) {
    Search search = {owner, nullptr};
    EnumWindows(MatchFileDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool FileDialogDriver::Drive() {
    const DWORD start = GetTickCount();
    HWND dialog = nullptr;
    while (!(dialog = FindFileDialog(owner))) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        Sleep(20);
    }
    char text[512] = {};
    GetWindowTextA(dialog, text, sizeof(text));
    caption = text;

    DWORD_PTR ignored = 0;
    const bool typed = answer != Confirm || path.empty() ||
                       SendMessageTimeoutA(FileNameBox(dialog), WM_SETTEXT, 0,
                                           reinterpret_cast<LPARAM>(path.c_str()), SMTO_NORMAL,
                                           timeoutMs, &ignored);
    Press(dialog, answer == Confirm && typed ? IDOK : IDCANCEL);

    const DWORD answered = GetTickCount();
    while (IsWindow(dialog)) {
        if (GetTickCount() - answered > timeoutMs) {
            // Whatever stays open (the dialog, a complaint it raised) is cancelled, innermost
            // first, so the blocked caller returns and the test can fail.
            for (int round = 0; round < 50 && IsWindow(dialog); ++round) {
                std::vector<HWND> open;
                EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&open));
                for (HWND window : open) {
                    Press(window, IDCANCEL);
                }
                Sleep(100);
            }
            return false;
        }
        Sleep(20);
    }
    return typed;
}
