#include <windows.h>
#include <commctrl.h>

#include <climits>

#include <gtest/gtest.h>

#include "TestDialog.h"
#include "app/ComboBox.h"
#include "app/EditBox.h"
#include "app/InitCommonControlClasses.h"
#include "app/ListView.h"

TEST(Controls, ListViewComboBoxEditBoxAndChildrenOfTheDialog) {
    ListView list;
    ComboBox combo;
    EditBox edit;
    Control none;
    TestDialog dialog([&](TestDialog& self) -> INT_PTR {
        const HWND handle = self.GetHandle();
        EXPECT_NE(list.Attach(handle, IDC_TEST_LIST), nullptr);
        EXPECT_NE(combo.Attach(handle, IDC_TEST_COMBO), nullptr);
        EXPECT_NE(edit.Attach(handle, IDC_TEST_EDIT), nullptr);
        EXPECT_EQ(none.Attach(handle, IDC_TEST_NONE), nullptr);

        EXPECT_EQ(list.InsertColumn("Original Name", 100, 0, LVCFMT_LEFT), 0);
        EXPECT_EQ(list.InsertColumn("Short Name", 80, 1, LVCFMT_LEFT), 1);
        EXPECT_EQ(list.PutItemText("first", INT_MAX, 0), 0);
        EXPECT_EQ(list.PutItemText("second", INT_MAX, 0), 1);
        EXPECT_EQ(list.PutItemText("短い", 1, 1), TRUE);
        char buffer[32] = "untouched";
        EXPECT_EQ(list.GetItemText(buffer, sizeof buffer, 1, 1), buffer);
        EXPECT_STREQ(buffer, "短い");
        EXPECT_EQ(list.GetItemText(buffer, sizeof buffer, 5, 0), nullptr);

        EXPECT_EQ(list.GetNextSelected(0), -1);
        ListView_SetItemState(list.GetHandle(), 0, LVIS_SELECTED, LVIS_SELECTED);
        EXPECT_EQ(list.GetNextSelected(0), 0);

        EXPECT_EQ(list.DeleteAllItems(), 1);
        EXPECT_EQ(ListView_GetItemCount(list.GetHandle()), 0);
        EXPECT_EQ(Header_GetItemCount(ListView_GetHeader(list.GetHandle())), 2);

        EXPECT_EQ(combo.AddString("MIDI Out"), 0);
        EXPECT_EQ(combo.AddString("Wave Out"), 1);
        EXPECT_EQ(combo.SetCurSel(1), 1);
        EXPECT_EQ(combo.GetCurSel(), 1);

        // Lengths and sizes are bytes of the ANSI code page.
        EXPECT_TRUE(edit.SetText("出力abc"));
        EXPECT_EQ(edit.GetTextLength(), 7);
        EXPECT_EQ(edit.GetText(buffer, 5), 4);
        EXPECT_STREQ(buffer, "出力");

        EXPECT_EQ(self.SetChildText(IDC_TEST_NONE, "lost"), 0);
        EXPECT_EQ(self.SetChildText(IDC_TEST_EDIT, "set"), TRUE);
        EXPECT_EQ(edit.GetText(buffer, sizeof buffer), 3);

        // Either size may be left out.
        int width = 0;
        EXPECT_TRUE(self.GetClientSize(&width, nullptr));
        EXPECT_TRUE(self.GetClientSize(nullptr, nullptr));
        EXPECT_GT(width, 0);
        return 1;
    });
    EXPECT_EQ(dialog.RunModal(nullptr, 0), 1);
}

TEST(InitCommonControlClasses, KeepsTheFlagsOfEveryCall) {
    ListView list; // registers the list view class
    EXPECT_TRUE(InitCommonControlClasses(ICC_TAB_CLASSES));
    EXPECT_TRUE(InitCommonControlClasses(ICC_BAR_CLASSES));
    const DWORD all = ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES;
    EXPECT_EQ(CommonControlClasses().dwICC & all, all);
}
