#include "support/DialogDriver.h"

#include "support/MessageBoxAnswerer.h"
#include "support/WindowSearch.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

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
        // No at first; later Yes, in case only a question to discard edits keeps it open.
        for (int round = 0; round < 250 && IsWindow(dialog); ++round, Sleep(20)) {
            MessageBoxAnswerer::AnswerUnexpected(dialog, round < 50 ? IDNO : IDYES);
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
    });
    const INT_PTR result = runModal();
    driver.join();
    return result;
}
