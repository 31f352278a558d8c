#include "support/FileDialogDriver.h"

#include "support/WindowSearch.h"

#include <dlgs.h>

namespace {

constexpr DWORD TimeoutMs = 10000;

HWND FileNameBox(HWND dialog) {
    const HWND combo = GetDlgItem(dialog, cmb13);
    return combo && IsWindowVisible(combo) ? combo : GetDlgItem(dialog, edt1);
}

} // namespace

FileDialogDriver::FileDialogDriver(Answer answer, std::string path, HWND owner)
    : thread([this, answer, path = std::move(path), owner] {
          succeeded = Drive(answer, path, owner);
      }) {}

bool FileDialogDriver::Finish() {
    if (thread.joinable())
        thread.join();
    return succeeded;
}

bool FileDialogDriver::Drive(Answer answer, const std::string& path, HWND owner) {
    HWND dialog = nullptr;
    const auto found = [&] {
        dialog = FindOwnDialog([owner](HWND window) {
            return IsWindowVisible(window) && FileNameBox(window) &&
                   (!owner || GetWindow(window, GW_OWNER) == owner);
        });
        return dialog != nullptr;
    };
    if (!WaitUntil(found, TimeoutMs))
        return false;
    caption = TextOf(dialog);

    DWORD_PTR ignored = 0;
    const bool typed = answer == Cancel || path.empty() ||
                       SendMessageTimeoutA(FileNameBox(dialog), WM_SETTEXT, 0,
                                           reinterpret_cast<LPARAM>(path.c_str()), SMTO_NORMAL,
                                           TimeoutMs, &ignored);
    PressButton(dialog, answer == Confirm && typed ? IDOK : IDCANCEL);
    if (WaitUntil([dialog] { return !IsWindow(dialog); }, TimeoutMs))
        return typed;
    // Whatever stays open (the dialog, a complaint it raised) is cancelled, topmost first, so
    // the blocked caller returns and the test can fail.
    for (int round = 0; round < 50 && IsWindow(dialog); ++round, Sleep(100)) {
        if (const HWND open = FindOwnDialog(IsWindowVisible))
            PressButton(open, IDCANCEL);
    }
    return false;
}
