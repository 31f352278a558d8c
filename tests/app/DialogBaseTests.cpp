#include <windows.h>

#include <functional>
#include <thread>

#include <gtest/gtest.h>

#include "TestDialog.h"
#include "app/DialogRegistry.h"

namespace {

bool CloseIsQueued(HWND window) {
    MSG message;
    return PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE;
}

} // namespace

TEST(DialogBase, BindsOnFirstMessageAndRoutesEveryLaterOneToTheSameObject) {
    HWND window = nullptr;
    {
        TestDialog dialog([&](TestDialog& self, UINT message, WPARAM) -> INT_PTR {
            if (message == WM_INITDIALOG) {
                window = self.GetHandle();
                EXPECT_EQ(DialogRegistry::Find(window), &self);
                self.Send(WM_APP, 0, 0);
                self.End(42);
            }
            return FALSE;
        });
        EXPECT_EQ(dialog.RunModal(nullptr, 0), 42);

        ASSERT_FALSE(dialog.messages.empty());
        EXPECT_TRUE(dialog.handleSetOnFirstMessage);
        EXPECT_EQ(dialog.messages.front(), static_cast<UINT>(WM_SETFONT));
        EXPECT_EQ(dialog.Count(WM_INITDIALOG), 1);
        EXPECT_EQ(dialog.Count(WM_APP), 1);
        EXPECT_EQ(dialog.foreignMessages, 0);
        EXPECT_EQ(dialog.messages.back(), static_cast<UINT>(WM_NCDESTROY));
        EXPECT_EQ(DialogRegistry::Find(window), nullptr);
        EXPECT_FALSE(dialog.IsAlive());
    }
    EXPECT_FALSE(CloseIsQueued(nullptr));
}

TEST(DialogBase, MissingTemplateLeavesNoPendingDialogAndHandlersRunNestedDialogs) {
    TestDialog missing(nullptr, IDD_MISSING);
    EXPECT_EQ(missing.RunModal(nullptr, 0), -1);
    EXPECT_TRUE(missing.messages.empty());

    // Would wait for ever if the failed run had left its object pending.
    TestDialog inner([](TestDialog& self, UINT message, WPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            self.End(7);
        }
        return FALSE;
    });
    TestDialog outer([&](TestDialog& self, UINT message, WPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            self.End(inner.RunModal(self.GetHandle(), 0) * 10);
        }
        return FALSE;
    });
    EXPECT_EQ(outer.RunModal(nullptr, 0), 70);
    EXPECT_EQ(inner.Count(WM_INITDIALOG), 1);
    EXPECT_EQ(inner.foreignMessages + outer.foreignMessages, 0);
}

TEST(DialogBase, DestructorPostsCloseOnlyToAWindowThatStillExists) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    {
        TestDialog dialog;
        dialog.SetHandle(window);
    }
    EXPECT_TRUE(CloseIsQueued(window));

    DestroyWindow(window);
    {
        TestDialog gone;
        gone.SetHandle(window);
        TestDialog neverRun;
    }
    // A null handle would have posted to this thread's own queue.
    EXPECT_FALSE(CloseIsQueued(nullptr));
}

TEST(DialogRegistry, EntryGoesWithItsWindowSoAReusedHandleReachesTheNewObject) {
    HWND reused = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x7FF00010));
    auto answer = [](TestDialog&, UINT, WPARAM) -> INT_PTR { return 5; };
    TestDialog first(answer);
    TestDialog second(answer);

    // Nothing pending and no entry: passed on unhandled.
    EXPECT_EQ(DialogRegistry::DialogProc(reused, WM_SETFONT, 0, 0), 0);

    DialogRegistry::SetPendingDialog(&first);
    EXPECT_EQ(DialogRegistry::DialogProc(reused, WM_SETFONT, 0, 0), 5);
    EXPECT_EQ(first.GetHandle(), reused);
    EXPECT_EQ(DialogRegistry::DialogProc(reused, WM_NCDESTROY, 0, 0), 5);
    EXPECT_EQ(DialogRegistry::Find(reused), nullptr);
    EXPECT_EQ(DialogRegistry::DialogProc(reused, WM_APP, 0, 0), 0);

    DialogRegistry::SetPendingDialog(&second);
    EXPECT_EQ(DialogRegistry::DialogProc(reused, WM_SETFONT, 0, 0), 5);
    EXPECT_EQ(DialogRegistry::Find(reused), &second);
    EXPECT_EQ(first.messages.size(), 2u);
    EXPECT_EQ(second.messages.size(), 1u);

    DialogRegistry::DialogProc(reused, WM_NCDESTROY, 0, 0);
    first.SetHandle(nullptr);
    second.SetHandle(nullptr);
}

TEST(DialogRegistry, DialogsRunOnTwoThreadsAtOnceManyTimes) {
    const int runs = 150;
    struct Tally {
        int good = 0;
        int bad = 0;
    };
    auto worker = [runs](INT_PTR base, Tally* tally) {
        for (int i = 0; i < runs; ++i) {
            TestDialog dialog([&](TestDialog& self, UINT message, WPARAM) -> INT_PTR {
                if (message == WM_INITDIALOG) {
                    for (int k = 0; k < 10; ++k) {
                        self.Send(WM_APP, 0, 0);
                    }
                    self.End(base + i);
                }
                return FALSE;
            });
            INT_PTR result = dialog.RunModal(nullptr, 0);
            bool routed = dialog.handleSetOnFirstMessage && dialog.foreignMessages == 0 &&
                          dialog.Count(WM_APP) == 10 && dialog.Count(WM_NCDESTROY) == 1;
            ++(result == base + i && routed ? tally->good : tally->bad);
        }
    };
    Tally a, b;
    std::thread first(worker, 1000, &a);
    std::thread second(worker, 2000, &b);
    first.join();
    second.join();
    EXPECT_EQ(a.good, runs);
    EXPECT_EQ(b.good, runs);
    EXPECT_EQ(a.bad + b.bad, 0);
}
