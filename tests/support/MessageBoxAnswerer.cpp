#include "support/MessageBoxAnswerer.h"

#include "support/WindowSearch.h"

#include <dlgs.h>
#include <gtest/gtest.h>

namespace {

// A message box is a dialog whose text is the static control 0xFFFF.
constexpr int MessageTextId = 0xFFFF;

bool Answer(HWND box, int button) {
    PressButton(box, button);
    return WaitUntil([box] { return !IsWindow(box); });
}

} // namespace

HWND MessageBoxAnswerer::Find(HWND owner) {
    return FindOwnDialog([owner](HWND window) {
        return IsWindowVisible(window) && GetWindow(window, GW_OWNER) == owner &&
               GetDlgItem(window, MessageTextId) && !GetDlgItem(window, edt1) &&
               !GetDlgItem(window, cmb13);
    });
}

void MessageBoxAnswerer::Expect(HWND owner, const std::string& text, const std::string& caption,
                                int button) {
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = Find(owner)) != nullptr; }))
        << "no message box came; expected: " << text;
    EXPECT_EQ(TextOf(GetDlgItem(box, MessageTextId)), text);
    EXPECT_EQ(TextOf(box), caption);
    EXPECT_NE(GetDlgItem(box, button), nullptr);
    EXPECT_TRUE(Answer(box, button));
}

void MessageBoxAnswerer::AnswerUnexpected(HWND owner, int answer) {
    if (const HWND box = Find(owner)) {
        ADD_FAILURE() << "unexpected message box: " << TextOf(GetDlgItem(box, MessageTextId));
        Answer(box, GetDlgItem(box, IDNO) ? answer : IDOK);
    } else if (const HWND other = FindOwnDialog([owner](HWND window) {
                   return IsWindowVisible(window) && GetWindow(window, GW_OWNER) == owner;
               })) {
        ADD_FAILURE() << "unexpected dialog: " << TextOf(other);
        Answer(other, IDCANCEL);
    }
}
