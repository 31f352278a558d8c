#pragma once

#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

// Drivers of the real dialogs of this process, run on a thread other than the one showing them.
// Every wait is bounded, so a window that never comes (or never goes) fails the test instead of
// hanging it.

inline bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000) {
    for (const DWORD start = GetTickCount(); !condition(); Sleep(10)) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
    }
    return true;
}

// The window that find gives, once it gives one; null when none came in time.
inline HWND WaitFor(const std::function<HWND()>& find) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = find()) != nullptr; });
    return window;
}

// In code page 932, as the program's texts are compiled, whatever the process's code page.
inline std::string Cp932(const std::wstring& wide) {
    std::string text(wide.size() * 2, '\0');
    text.resize(WideCharToMultiByte(932, 0, wide.c_str(), static_cast<int>(wide.size()), &text[0],
                                    static_cast<int>(text.size()), nullptr, nullptr));
    return text;
}

inline std::string TextOf(HWND window) {
    std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
    text.resize(GetWindowTextW(window, &text[0], static_cast<int>(text.size())));
    return Cp932(text);
}

// The topmost window of this process of class type that accept takes, or null. Owned windows lie
// above their owners, so a box raised by a dialog comes before the dialog.
inline HWND FindOwnWindow(const char* type, const std::function<bool(HWND)>& accept) {
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, type, nullptr));) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && accept(window)) {
            return window;
        }
    }
    return nullptr;
}

// The topmost visible window of type owned by owner (any when null) that accept takes (any when
// null), or null.
inline HWND FindShown(const char* type, HWND owner,
                      const std::function<bool(HWND)>& accept = nullptr) {
    return FindOwnWindow(type, [owner, &accept](HWND window) {
        return IsWindowVisible(window) && (!owner || GetWindow(window, GW_OWNER) == owner) &&
               (!accept || accept(window));
    });
}

// A message box is a dialog whose text is the static control 0xFFFF; a file dialog has a file
// name box.
constexpr int MessageTextId = 0xFFFF;

inline HWND FileNameBox(HWND dialog) {
    const HWND combo = GetDlgItem(dialog, cmb13);
    return combo && IsWindowVisible(combo) ? combo : GetDlgItem(dialog, edt1);
}

// A visible message box, or file dialog, owned by owner; null when none is.
inline HWND FindOwned(HWND owner, bool fileDialog) {
    return FindShown("#32770", owner, [fileDialog](HWND window) {
        return fileDialog ? FileNameBox(window) != nullptr
                          : GetDlgItem(window, MessageTextId) && !FileNameBox(window);
    });
}

// Watches the thread that shows window, through hooks that run on that thread, for what a user
// waits for after a key or a click: that the thread has taken it and handled what it brought.
class ThreadWatch {
public:
    explicit ThreadWatch(HWND window)
        : window(window), thread(GetWindowThreadProcessId(window, nullptr)),
          taken(SetWindowsHookExA(WH_GETMESSAGE, OnTaken, nullptr, thread)),
          sent(SetWindowsHookExA(WH_CALLWNDPROC, OnSent, nullptr, thread)) {
        releases = 0;
    }
    ~ThreadWatch() {
        UnhookWindowsHookEx(taken);
        UnhookWindowsHookEx(sent);
    }
    ThreadWatch(const ThreadWatch&) = delete;
    ThreadWatch& operator=(const ThreadWatch&) = delete;

    // Until the thread has taken count keys and left buttons let go since the watch began, or
    // window has gone (a key may close it, leaving the rest to no one).
    bool WaitForReleases(int count) const {
        return taken && WaitUntil([this, count] { return releases >= count || !IsWindow(window); });
    }

    // Until the thread waits for the user again, with nothing in its queue but paint and timers
    // (which come again and again): what the input posted and what came meanwhile is handled,
    // be it in window, a box or a menu. Done as well when window has gone.
    bool WaitUntilIdle() const {
        return sent && WaitUntil([this] {
                   busy = true;
                   DWORD_PTR answer = 0;
                   return !IsWindow(window) || (SendMessageTimeoutA(window, IdleQuestion, 0, 0,
                                                                    SMTO_NORMAL, 1000, &answer) &&
                                                !busy);
               });
    }

private:
    // Every message the thread takes from its queue, by whichever loop (a dialog's, a menu's).
    static LRESULT CALLBACK OnTaken(int code, WPARAM removed, LPARAM lParam) {
        const UINT message = reinterpret_cast<const MSG*>(lParam)->message;
        releases += code == HC_ACTION && removed == PM_REMOVE &&
                    (message == WM_KEYUP || message == WM_SYSKEYUP || message == WM_LBUTTONUP);
        return CallNextHookEx(nullptr, code, removed, lParam);
    }

    // The question comes as a sent message, which the thread handles only between two of its
    // own, while it waits: it answers whether more is waiting.
    static LRESULT CALLBACK OnSent(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION &&
            reinterpret_cast<const CWPSTRUCT*>(lParam)->message == IdleQuestion) {
            busy = HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE | QS_HOTKEY)) != 0;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    // The hooks' procedures know no watch: one watch at a time.
    static inline std::atomic<int> releases{0};
    static inline std::atomic<bool> busy{false};
    static inline const UINT IdleQuestion = RegisterWindowMessageA("Varnel test driver: idle?");

    HWND window;
    DWORD thread;
    HHOOK taken, sent;
};

// Sends inputs, as the keyboard and the mouse give them, and waits until the thread of window
// has taken every key and button let go and handled what they brought. A user too sees the
// effect of one key before the next action; a fixed pause instead would be too short on a busy
// machine. False when the thread did not take them in time.
inline bool SendAndWait(HWND window, const std::vector<INPUT>& inputs) {
    int releases = 0;
    for (const INPUT& input : inputs) {
        releases += input.type == INPUT_KEYBOARD ? (input.ki.dwFlags & KEYEVENTF_KEYUP) != 0
                                                 : (input.mi.dwFlags & MOUSEEVENTF_LEFTUP) != 0;
    }
    const ThreadWatch watch(window);
    const UINT count = static_cast<UINT>(inputs.size());
    return SendInput(count, const_cast<INPUT*>(inputs.data()), sizeof(INPUT)) == count &&
           watch.WaitForReleases(releases) && watch.WaitUntilIdle();
}

// Posted, as a click would arrive, since the click may open a modal box.
inline bool Answer(HWND window, int button) {
    PostMessageA(GetDlgItem(window, button), BM_CLICK, 0, 0);
    return WaitUntil([window] { return !IsWindow(window); });
}

// A key pressed (or, with KEYEVENTF_KEYUP, let go) as the keyboard gives it: a virtual key, or
// with KEYEVENTF_UNICODE a character.
inline INPUT Key(wchar_t key, DWORD flags = 0) {
    INPUT input = {INPUT_KEYBOARD, {}};
    input.ki = flags & KEYEVENTF_UNICODE ? KEYBDINPUT{0, key, flags, 0, 0}
                                         : KEYBDINPUT{key, 0, flags, 0, 0};
    return input;
}

// The Enter key, as a user presses it on window: a box's default button answers.
inline bool PressEnter(HWND window) {
    SetForegroundWindow(window);
    return SendAndWait(GetAncestor(window, GA_ROOTOWNER),
                       {Key(VK_RETURN), Key(VK_RETURN, KEYEVENTF_KEYUP)}) &&
           WaitUntil([window] { return !IsWindow(window); });
}

// Waits for owner's next message box, checks its text and caption, presses button (IDYES, IDNO,
// IDOK; 0: the Enter key, which presses its default button) and waits until the box is gone and
// owner's thread has done what the answer asked (a write, say), as a user waits to see it; a
// negative button leaves it open. What goes on after text and a blank line goes into below.
inline void ExpectBox(HWND owner, const std::string& text, const std::string& caption, int button,
                      std::string& below) {
    const ThreadWatch watch(owner);
    const HWND box = WaitFor([owner] { return FindOwned(owner, false); });
    ASSERT_TRUE(box) << "no message box came; expected: " << text;
    const std::string shown = TextOf(GetDlgItem(box, MessageTextId));
    const bool goesOn = shown.compare(0, text.size() + 2, text + "\n\n") == 0;
    EXPECT_EQ(shown.substr(0, goesOn ? text.size() : std::string::npos), text);
    below = goesOn ? shown.substr(text.size() + 2) : "";
    EXPECT_EQ(TextOf(box), caption);
    EXPECT_TRUE(button < 0 ||
                ((button ? GetDlgItem(box, button) && Answer(box, button) : PressEnter(box)) &&
                 watch.WaitUntilIdle()));
}

// Answers the next file dialog owned by owner: OK with path typed (unless empty) when confirm,
// else Cancel. The result is its caption once it has closed, empty when it did not come or go.
inline std::future<std::string> AnswerFileDialog(bool confirm, const std::string& path,
                                                 HWND owner) {
    return std::async(std::launch::async, [confirm, path, owner] {
        const HWND dialog = WaitFor([owner] { return FindOwned(owner, true); });
        if (!dialog) {
            return std::string();
        }
        const std::string caption = TextOf(dialog);
        if (confirm && !path.empty()) {
            SetWindowTextA(FileNameBox(dialog), path.c_str());
        }
        return Answer(dialog, confirm ? IDOK : IDCANCEL) ? caption : std::string();
    });
}

// Runs runModal on this thread and script on another once the dialog captioned caption is
// shown, or an error box of its start-up is; afterwards answers stray boxes (as failures) and
// closes the dialog, ending the process if that fails. Returns runModal's result.
inline INT_PTR RunAndDrive(const std::string& caption, const std::function<INT_PTR()>& runModal,
                           const std::function<void(HWND)>& script) {
    std::thread driver([&script, &caption] {
        HWND dialog = nullptr;
        const auto shown = [&dialog, &caption] {
            dialog = FindOwnWindow("#32770", [&caption](HWND window) {
                return !GetWindow(window, GW_OWNER) && TextOf(window) == caption;
            });
            return dialog && (IsWindowVisible(dialog) || FindOwned(dialog, false));
        };
        if (!WaitUntil(shown)) {
            ADD_FAILURE() << "the dialog did not appear";
            return;
        }
        script(dialog);
        // What is still open is a failure: boxes are answered No, from the third round on Yes
        // (should only a question to discard edits keep the dialog open), other dialogs
        // cancelled. A close only while nothing is open: one that comes while a box is open
        // opens a second box inside it, and boxes nested faster than they are answered never
        // let the dialog end.
        for (int round = 0; round < 12 && IsWindow(dialog); ++round) {
            if (const HWND box = FindOwned(dialog, false)) {
                ADD_FAILURE() << "unexpected message box: "
                              << TextOf(GetDlgItem(box, MessageTextId));
                Answer(box, !GetDlgItem(box, IDNO) ? IDOK : round < 2 ? IDNO : IDYES);
            } else if (const HWND other = FindOwned(dialog, true)) {
                ADD_FAILURE() << "unexpected dialog: " << TextOf(other);
                Answer(other, IDCANCEL);
            } else if (PostMessageA(dialog, WM_CLOSE, 0, 0)) {
                WaitUntil([dialog] { return !IsWindow(dialog) || FindOwned(dialog, false); }, 2000);
            }
        }
        // Nothing else would end a dialog still there, nor free the thread that runs it; one
        // answered Yes in the last round may take a moment to go.
        if (!WaitUntil([dialog] { return !IsWindow(dialog); }, 2000)) {
            ADD_FAILURE() << "the dialog did not end, so the run ends here";
            TerminateProcess(GetCurrentProcess(), 3);
        }
    });
    const INT_PTR result = runModal();
    driver.join();
    return result;
}
