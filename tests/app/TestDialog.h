#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include "app/DialogBase.h"
#include "TestDialogIds.h"

// A dialog whose reaction is given by the test; it remembers every message it received.
class TestDialog : public DialogBase {
public:
    using Handler = std::function<INT_PTR(TestDialog& self, UINT message, WPARAM wParam)>;

    explicit TestDialog(Handler handler = nullptr, int templateId = IDD_TEST)
        : DialogBase(templateId), handler(std::move(handler)) {}

    INT_PTR HandleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM) override {
        if (messages.empty()) {
            handleSetOnFirstMessage = GetHandle() == handle;
        }
        if (GetHandle() != handle) {
            ++foreignMessages;
        }
        messages.push_back(message);
        return handler ? handler(*this, message, wParam) : 0;
    }

    int Count(UINT message) const {
        return static_cast<int>(std::count(messages.begin(), messages.end(), message));
    }

    std::vector<UINT> messages;
    bool handleSetOnFirstMessage = false;
    int foreignMessages = 0;

private:
    Handler handler;
};

// Runs the test dialog with checks done inside its WM_INITDIALOG, when the controls exist.
inline INT_PTR RunChecksInDialog(const std::function<void(TestDialog&)>& checks) {
    TestDialog dialog([&](TestDialog& self, UINT message, WPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            checks(self);
            self.End(1);
            return TRUE;
        }
        return FALSE;
    });
    return dialog.RunModal(nullptr, 0);
}
