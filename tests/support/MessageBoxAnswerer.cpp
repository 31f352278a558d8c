#include "support/MessageBoxAnswerer.h"

#include <dlgs.h>

namespace {

// A message box is a dialog whose text is the static control 0xFFFF.
constexpr int MessageTextId = 0xFFFF;

struct Search {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchMessageBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        lstrcmpA(className, "#32770") == 0 && GetWindow(window, GW_OWNER) == search->owner &&
        GetDlgItem(window, MessageTextId) && !GetDlgItem(window, edt1) &&
        !GetDlgItem(window, cmb13)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string TextOf(HWND window) {
    std::string result(GetWindowTextLengthA(window) + 1, '\0');
    result.resize(GetWindowTextA(window, &result[0], static_cast<int>(result.size())));
    return result;
}

} // namespace

MessageBoxAnswerer::MessageBoxAnswerer(HWND owner, DWORD timeoutMs)
    : owner(owner), timeoutMs(timeoutMs) {}

HWND MessageBoxAnswerer::Find(HWND owner) {
    Search search = {owner, nullptr};
    EnumWindows(MatchMessageBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool MessageBoxAnswerer::Wait() {
    const DWORD start = GetTickCount();
    while (!(box = Find(owner))) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    text = TextOf(GetDlgItem(box, MessageTextId));
    caption = TextOf(box);
    return true;
}

bool MessageBoxAnswerer::HasButton(int id) const {
    return box && GetDlgItem(box, id) != nullptr;
}

bool MessageBoxAnswerer::Answer(int id) {
    if (!box)
        return false;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
    const DWORD start = GetTickCount();
    while (IsWindow(box)) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    box = nullptr;
    return true;
}
