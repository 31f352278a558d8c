#include <windows.h>

#include <atomic>
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

TEST(DialogBase, RoutesEveryMessageToItsObjectAndRunsNestedDialogs) {
    // Would wait for ever if the failed run had left its object pending.
    TestDialog missing(nullptr, IDD_MISSING);
    EXPECT_EQ(missing.RunModal(nullptr, 0), -1);
    EXPECT_TRUE(missing.messages.empty());

    HWND window = nullptr;
    TestDialog inner([](TestDialog&) -> INT_PTR { return 7; });
    TestDialog outer([&](TestDialog& self) -> INT_PTR {
        window = self.GetHandle();
        EXPECT_EQ(DialogRegistry::Find(window), &self);
        self.Send(WM_APP, 0, 0);
        return inner.RunModal(window, 0) * 10;
    });
    EXPECT_EQ(outer.RunModal(nullptr, 0), 70);
    EXPECT_EQ(inner.Count(WM_INITDIALOG), 1);
    ASSERT_FALSE(outer.messages.empty());
    EXPECT_TRUE(outer.handleSetOnFirstMessage);
    EXPECT_EQ(outer.messages.front(), static_cast<UINT>(WM_SETFONT));
    EXPECT_EQ(outer.Count(WM_INITDIALOG), 1);
    EXPECT_EQ(outer.Count(WM_APP), 1);
    EXPECT_EQ(inner.foreignMessages + outer.foreignMessages, 0);
    EXPECT_EQ(outer.messages.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(DialogRegistry::Find(window), nullptr);
    EXPECT_FALSE(outer.IsAlive());
}

TEST(DialogBase, DestructorPostsCloseOnlyToAWindowThatStillExists) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    TestDialog().SetHandle(window);
    EXPECT_TRUE(CloseIsQueued(window));

    DestroyWindow(window);
    TestDialog().SetHandle(window);
    TestDialog().SetHandle(nullptr); // never run
    // A null handle would have posted to this thread's own queue.
    EXPECT_FALSE(CloseIsQueued(nullptr));
}

TEST(DialogRegistry, EntryGoesWithItsWindowSoAReusedHandleReachesTheNewObject) {
    HWND reused = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x7FF00010));
    TestDialog first;
    TestDialog second;
    first.answer = second.answer = 5;

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
}

TEST(DialogRegistry, DialogsRunOnTwoThreadsAtOnceManyTimes) {
    std::atomic<int> good(0);
    auto worker = [&good](INT_PTR base) {
        for (INT_PTR i = base; i < base + 150; ++i) {
            TestDialog dialog([i](TestDialog& self) {
                for (int k = 0; k < 10; ++k)
                    self.Send(WM_APP, 0, 0);
                return i;
            });
            good += dialog.RunModal(nullptr, 0) == i && dialog.handleSetOnFirstMessage &&
                    dialog.foreignMessages == 0 && dialog.Count(WM_APP) == 10 &&
                    dialog.Count(WM_NCDESTROY) == 1;
        }
    };
    std::thread first(worker, 1000);
    std::thread second(worker, 2000);
    first.join();
    second.join();
    EXPECT_EQ(good.load(), 300);
}
