#pragma once

#include <windows.h>

#include <functional>
#include <future>
#include <string>

// Drivers of the real dialogs of this process, run from a thread other than the one showing
// them. Every wait is bounded, so a window that never comes (or never goes) fails the test
// instead of hanging it.

// Runs runModal on this thread and script on another once the dialog captioned caption is
// shown, or an error box of its start-up is; afterwards answers stray boxes (as failures) and
// closes the dialog. Returns runModal's result.
INT_PTR RunAndDrive(const char* caption, const std::function<INT_PTR()>& runModal,
                    const std::function<void(HWND)>& script);

class MessageBoxAnswerer {
public:
    // A visible message box owned by owner, or null.
    static HWND Find(HWND owner);
    // Waits for owner's next message box, checks its text and caption, presses button
    // (IDYES, IDNO, IDOK) and waits until the box is gone.
    static void Expect(HWND owner, const std::string& text, const std::string& caption, int button);
};

class FileDialogDriver {
public:
    enum Answer { Confirm, Cancel };
    // Answers the next visible file dialog owned by owner (any when null), typing path (unless
    // empty) before OK. The result is its caption once it has closed, empty when it did not
    // come or go.
    static std::future<std::string> Start(Answer answer, const std::string& path = std::string(),
                                          HWND owner = nullptr);
};
