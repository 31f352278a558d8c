#pragma once

#include <windows.h>

#include <string>

// Finds the message box that a window of this process owns, tells what it says and answers
// it, from a thread other than the one showing it.
//
//     MessageBoxAnswerer box(dialog);
//     ASSERT_TRUE(box.Found());
//     EXPECT_EQ(box.Text(), "...");
//     EXPECT_TRUE(box.Answer(IDYES));
class MessageBoxAnswerer {
public:
    // Waits up to timeoutMs for a visible message box owned by owner.
    explicit MessageBoxAnswerer(HWND owner, DWORD timeoutMs = 10000);

    bool Found() const { return box != nullptr; }
    const std::string& Text() const { return text; }
    const std::string& Caption() const { return caption; }
    bool HasButton(int id) const { return box && GetDlgItem(box, id); }
    // Presses the button (IDYES, IDNO, IDOK); true once the box is gone.
    bool Answer(int id);

    // A visible message box owned by owner, or null.
    static HWND Find(HWND owner);

private:
    DWORD timeoutMs;
    HWND box = nullptr;
    std::string text;
    std::string caption;
};
