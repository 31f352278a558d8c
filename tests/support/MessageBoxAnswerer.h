#pragma once

#include <windows.h>

#include <string>

// Finds a message box that a window of this process owns, tells what it says and answers it,
// from a thread other than the one showing it. Every wait is bounded, so a test whose box
// never comes (or never goes) fails instead of hanging.
//
//     MessageBoxAnswerer box(dialog);
//     ASSERT_TRUE(box.Wait());
//     EXPECT_EQ(box.Text(), "...");
//     EXPECT_TRUE(box.Answer(IDYES));
class MessageBoxAnswerer {
public:
    explicit MessageBoxAnswerer(HWND owner, DWORD timeoutMs = 10000);

    // True when a visible message box owned by the owner appeared within the time-out.
    bool Wait();
    const std::string& Text() const { return text; }
    const std::string& Caption() const { return caption; }
    bool HasButton(int id) const;
    // Presses the button (IDYES, IDNO, IDOK) and waits until the box is gone.
    bool Answer(int id);

    // A visible message box owned by owner, or null.
    static HWND Find(HWND owner);

private:
    HWND owner;
    DWORD timeoutMs;
    HWND box = nullptr;
    std::string text;
    std::string caption;
};
