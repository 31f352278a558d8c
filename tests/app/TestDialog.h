#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include "app/DialogBase.h"
#include "TestDialogIds.h"

// A dialog that remembers every message it received. At WM_INITDIALOG, when its controls
// exist, it runs the test's onInit and ends with its result; every other message is answered
// with `answer`.
class TestDialog : public DialogBase {
public:
    using Handler = std::function<INT_PTR(TestDialog& self)>;

    explicit TestDialog(Handler onInit = nullptr, int templateId = IDD_TEST)
        : DialogBase(templateId), onInit(std::move(onInit)) {}

    INT_PTR HandleMessage(HWND handle, UINT message, WPARAM, LPARAM) override {
        if (messages.empty())
            handleSetOnFirstMessage = GetHandle() == handle;
        foreignMessages += GetHandle() != handle;
        messages.push_back(message);
        if (message != WM_INITDIALOG || !onInit)
            return answer;
        End(onInit(*this));
        return TRUE;
    }

    int Count(UINT message) const {
        return static_cast<int>(std::count(messages.begin(), messages.end(), message));
    }

    std::vector<UINT> messages;
    bool handleSetOnFirstMessage = false;
    int foreignMessages = 0;
    INT_PTR answer = 0;

private:
    Handler onInit;
};
