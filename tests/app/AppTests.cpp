#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "app/DialogBase.h"
#include "app/DialogRegistry.h"

// The dialog 201 of TestDialog.rc. Records its messages and whether each came with its own handle.
// At WM_INITDIALOG it ends with what onInit returns. It answers
// WM_COMPAREITEM, which the dialog manager hands back to the sender, with 5.
struct TestDialog : DialogBase {
    explicit TestDialog(std::function<INT_PTR(TestDialog&)> onInit = nullptr, int id = 201)
        : DialogBase(id), onInit(std::move(onInit)) {}

    INT_PTR HandleMessage(HWND handle, UINT message, WPARAM, LPARAM) override {
        ownHandle = ownHandle && handle == GetHandle();
        messages.push_back(message);
        if (message == WM_INITDIALOG && onInit) {
            End(onInit(*this));
        }
        return message == WM_COMPAREITEM ? 5 : message == WM_INITDIALOG;
    }

    std::function<INT_PTR(TestDialog&)> onInit;
    std::vector<UINT> messages;
    bool ownHandle = true;
};

TEST(DialogBase, RoutesEveryMessageToItsObjectRunsNestedDialogsAndClosesOnlyLiveWindows) {
    // Had the failed run left its object pending, the next run would wait for ever.
    TestDialog missing(nullptr, 299); // no such template
    EXPECT_EQ(missing.RunModal(nullptr, 0), -1);
    HWND window = nullptr;
    MSG message;
    TestDialog inner(
        [&](TestDialog& self) { return INT_PTR(GetParent(self.GetHandle()) == window); });
    TestDialog outer([&](TestDialog& self) -> INT_PTR {
        window = self.GetHandle();
        EXPECT_EQ(DialogRegistry::Find(window), &self);
        TestDialog().SetHandle(window); // a destructor closes the live window it holds
        EXPECT_TRUE(PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE));
        return inner.RunModal(window, 0) * 70; // 1: owned by the outer dialog
    });
    EXPECT_EQ(outer.RunModal(nullptr, 0), 70);
    EXPECT_TRUE(missing.messages.empty() && outer.ownHandle && inner.ownHandle);
    EXPECT_EQ(outer.messages.front(), static_cast<UINT>(WM_SETFONT));
    EXPECT_EQ(outer.messages.back(), static_cast<UINT>(WM_NCDESTROY));
    // The entry went with the window: a later window may get the same handle.
    EXPECT_TRUE(DialogRegistry::Find(window) == nullptr && !outer.IsAlive());
    TestDialog().SetHandle(window);
    TestDialog(); // posting to null would reach this thread's own queue
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_CLOSE, WM_CLOSE, PM_REMOVE));
}
