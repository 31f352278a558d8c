#include "support/FileDialogDriver.h"

#include "support/WindowSearch.h"

#include <dlgs.h>

namespace {

HWND FileNameBox(HWND dialog) {
    const HWND combo = GetDlgItem(dialog, cmb13);
    return combo && IsWindowVisible(combo) ? combo : GetDlgItem(dialog, edt1);
}

std::string Drive(FileDialogDriver::Answer answer, const std::string& path, HWND owner) {
    HWND dialog = nullptr;
    const auto found = [&] {
        dialog = FindOwnDialog([owner](HWND window) {
            return IsWindowVisible(window) && FileNameBox(window) &&
                   (!owner || GetWindow(window, GW_OWNER) == owner);
        });
        return dialog != nullptr;
    };
    if (!WaitUntil(found))
        return std::string();
    const std::string caption = TextOf(dialog);

    DWORD_PTR ignored = 0;
    const bool typed =
        answer == FileDialogDriver::Cancel || path.empty() ||
        SendMessageTimeoutA(FileNameBox(dialog), WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(path.c_str()), SMTO_NORMAL, 10000, &ignored);
    PressButton(dialog, answer == FileDialogDriver::Confirm && typed ? IDOK : IDCANCEL);
    if (WaitUntil([dialog] { return !IsWindow(dialog); }))
        return typed ? caption : std::string();
    // Whatever stays open (the dialog, a complaint it raised) is cancelled, topmost first, so
    // the blocked caller returns and the test can fail.
    for (int round = 0; round < 50 && IsWindow(dialog); ++round, Sleep(100)) {
        if (const HWND open = FindOwnDialog(IsWindowVisible))
            PressButton(open, IDCANCEL);
    }
    return std::string();
}

} // namespace

std::future<std::string> FileDialogDriver::Start(Answer answer, const std::string& path,
                                                 HWND owner) {
    return std::async(std::launch::async, Drive, answer, path, owner);
}
