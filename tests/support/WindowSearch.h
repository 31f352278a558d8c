#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

// What the drivers of real dialogs share. They run on a thread other than the dialog's, and
// every wait is bounded, so a test whose window never comes (or never goes) fails instead of
// hanging.

inline bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000) {
    for (const DWORD start = GetTickCount(); !condition(); Sleep(10)) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
    }
    return true;
}

using DialogTest = std::function<bool(HWND)>;

inline BOOL CALLBACK MatchOwnDialog(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<std::pair<const DialogTest*, HWND>*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (process != GetCurrentProcessId() || lstrcmpA(className, "#32770") != 0 ||
        !(*search.first)(window)) {
        return TRUE;
    }
    search.second = window;
    return FALSE;
}

// The topmost dialog window of this process that accept takes, or null. Owned windows lie
// above their owners, so a box raised by a dialog comes before the dialog.
inline HWND FindOwnDialog(const DialogTest& accept) {
    std::pair<const DialogTest*, HWND> search(&accept, nullptr);
    EnumWindows(MatchOwnDialog, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

inline std::string TextOf(HWND window) {
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, &text[0], static_cast<int>(text.size())));
    return text;
}

// Posted, as a click would arrive, since the press may open a modal box.
inline void PressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
