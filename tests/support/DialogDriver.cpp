#include "support/DialogDriver.h"

#include "support/WindowSearch.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <thread>

namespace {

// A message box is a dialog whose text is the static control 0xFFFF; a file dialog has a file
// name box.
constexpr int MessageTextId = 0xFFFF;

HWND FileNameBox(HWND dialog) {
    const HWND combo = GetDlgItem(dialog, cmb13);
    return combo && IsWindowVisible(combo) ? combo : GetDlgItem(dialog, edt1);
}

HWND FindOwned(HWND owner, bool fileDialog) {
    return FindOwnDialog([owner, fileDialog](HWND window) {
        return IsWindowVisible(window) && (!owner || GetWindow(window, GW_OWNER) == owner) &&
               (fileDialog ? FileNameBox(window) != nullptr
                           : GetDlgItem(window, MessageTextId) && !FileNameBox(window));
    });
}

bool Answer(HWND window, int button) {
    PressButton(window, button);
    return WaitUntil([window] { return !IsWindow(window); });
}

std::string DriveFileDialog(FileDialogDriver::Answer answer, const std::string& path, HWND owner) {
    HWND dialog = nullptr;
    if (!WaitUntil([&] { return (dialog = FindOwned(owner, true)) != nullptr; })) {
        return std::string();
    }
    const std::string caption = TextOf(dialog);
    DWORD_PTR ignored = 0;
    const bool typed =
        answer == FileDialogDriver::Cancel || path.empty() ||
        SendMessageTimeoutA(FileNameBox(dialog), WM_SETTEXT, 0,
                            reinterpret_cast<LPARAM>(path.c_str()), SMTO_NORMAL, 10000, &ignored);
    if (Answer(dialog, answer == FileDialogDriver::Confirm && typed ? IDOK : IDCANCEL)) {
        return typed ? caption : std::string();
    }
    // Whatever stays open (the dialog, a complaint it raised) is cancelled, topmost first.
    for (int round = 0; round < 50 && IsWindow(dialog); ++round, Sleep(100)) {
        if (const HWND open = FindOwnDialog(IsWindowVisible)) {
            PressButton(open, IDCANCEL);
        }
    }
    return std::string();
}

} // namespace

HWND MessageBoxAnswerer::Find(HWND owner) {
    return FindOwned(owner, false);
}

void MessageBoxAnswerer::Expect(HWND owner, const std::string& text, const std::string& caption,
                                int button) {
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = Find(owner)) != nullptr; }))
        << "no message box came; expected: " << text;
    EXPECT_EQ(TextOf(GetDlgItem(box, MessageTextId)), text);
    EXPECT_EQ(TextOf(box), caption);
    EXPECT_TRUE(GetDlgItem(box, button) && Answer(box, button));
}

std::future<std::string> FileDialogDriver::Start(Answer answer, const std::string& path,
                                                 HWND owner) {
    return std::async(std::launch::async, DriveFileDialog, answer, path, owner);
}

INT_PTR RunAndDrive(const char* caption, const std::function<INT_PTR()>& runModal,
                    const std::function<void(HWND)>& script) {
    const std::string title = caption;
    std::thread driver([&script, &title] {
        HWND dialog = nullptr;
        const auto shown = [&dialog, &title] {
            dialog = FindOwnDialog([&title](HWND window) {
                return !GetWindow(window, GW_OWNER) && TextOf(window) == title;
            });
            return dialog && (IsWindowVisible(dialog) || MessageBoxAnswerer::Find(dialog));
        };
        if (!WaitUntil(shown)) {
            ADD_FAILURE() << "the dialog did not appear";
            return;
        }
        script(dialog);
        // What is still open is a failure: boxes are answered No (later Yes, should only a
        // question to discard edits keep the dialog open), other dialogs cancelled.
        for (int round = 0; round < 250 && IsWindow(dialog); ++round, Sleep(20)) {
            if (const HWND box = MessageBoxAnswerer::Find(dialog)) {
                ADD_FAILURE() << "unexpected message box: "
                              << TextOf(GetDlgItem(box, MessageTextId));
                Answer(box, !GetDlgItem(box, IDNO) ? IDOK : round < 50 ? IDNO : IDYES);
            } else if (const HWND other = FindOwned(dialog, true)) {
                ADD_FAILURE() << "unexpected dialog: " << TextOf(other);
                Answer(other, IDCANCEL);
            }
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
    });
    const INT_PTR result = runModal();
    driver.join();
    return result;
}
