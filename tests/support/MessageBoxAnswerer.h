#pragma once

#include <windows.h>

#include <string>

// Finds the message boxes that windows of this process own and answers them, from a thread
// other than the one showing them. Waits are bounded, so a box that never comes (or never goes)
// fails the test instead of hanging it.
class MessageBoxAnswerer {
public:
    // A visible message box owned by owner, or null.
    static HWND Find(HWND owner);
    // Waits for owner's next message box, checks its text and caption, presses button
    // (IDYES, IDNO, IDOK) and waits until the box is gone.
    static void Expect(HWND owner, const std::string& text, const std::string& caption, int button);
    // Fails the test with the text of a box that is already there, and answers it (IDYES or
    // IDNO, or OK where that is the only button); any other dialog of owner is cancelled.
    static void AnswerUnexpected(HWND owner, int answer);
};
