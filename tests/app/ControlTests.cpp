#include <windows.h>
#include <commctrl.h>

#include <climits>
#include <cstring>

#include <gtest/gtest.h>

#include "TestDialog.h"
#include "app/ComboBox.h"
#include "app/EditBox.h"
#include "app/InitCommonControlClasses.h"
#include "app/ListView.h"

namespace {

void Select(ListView& list, int row) {
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    list.Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int ColumnCount(ListView& list) {
    HWND header = reinterpret_cast<HWND>(list.Send(LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
}

} // namespace

TEST(ListView, AppendsFillsFindsSelectionAndClearsRowsButNotColumns) {
    ListView list;
    INT_PTR result = RunChecksInDialog([&](TestDialog& dialog) {
        ASSERT_NE(list.Attach(dialog.GetHandle(), IDC_TEST_LIST), nullptr);
        EXPECT_EQ(list.InsertColumn("Original Name", 100, 0, LVCFMT_LEFT), 0);
        EXPECT_EQ(list.InsertColumn("Short Name", 80, 1, LVCFMT_LEFT), 1);

        EXPECT_EQ(list.PutItemText("first", INT_MAX, 0), 0);
        EXPECT_EQ(list.PutItemText("second", INT_MAX, 0), 1);
        EXPECT_EQ(list.PutItemText("短い", 1, 1), TRUE);
        char buffer[32] = "untouched";
        EXPECT_EQ(list.GetItemText(buffer, sizeof buffer, 1, 1), buffer);
        EXPECT_STREQ(buffer, "短い");
        EXPECT_EQ(list.SetItemText("first short", 0, 1), TRUE);
        EXPECT_EQ(list.GetItemText(buffer, sizeof buffer, 0, 1), buffer);
        EXPECT_STREQ(buffer, "first short");
        EXPECT_EQ(list.GetItemText(buffer, sizeof buffer, 5, 0), nullptr);

        EXPECT_EQ(list.GetNextSelected(0), -1);
        Select(list, 0);
        EXPECT_EQ(list.GetNextSelected(0), 0);
        Select(list, 1);
        EXPECT_EQ(list.GetNextSelected(0), 1);

        // The new extended styles replace the old ones.
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
        EXPECT_EQ(list.SetExtendedStyle(LVS_EX_GRIDLINES),
                  static_cast<DWORD>(LVS_EX_FULLROWSELECT));

        EXPECT_EQ(list.DeleteAllItems(), 1);
        EXPECT_EQ(list.Send(LVM_GETITEMCOUNT, 0, 0), 0);
        EXPECT_EQ(ColumnCount(list), 2);
        EXPECT_EQ(list.PutItemText("again", INT_MAX, 0), 0);
        EXPECT_EQ(list.PutItemText("again short", 0, 1), TRUE);
    });
    EXPECT_EQ(result, 1);
}

TEST(Controls, ComboBoxEditBoxAndChildrenOfTheDialog) {
    ListView list;
    ComboBox combo;
    EditBox edit;
    Control none;
    INT_PTR result = RunChecksInDialog([&](TestDialog& dialog) {
        HWND handle = dialog.GetHandle();
        ASSERT_NE(combo.Attach(handle, IDC_TEST_COMBO), nullptr);
        ASSERT_NE(edit.Attach(handle, IDC_TEST_EDIT), nullptr);
        EXPECT_EQ(none.Attach(handle, IDC_TEST_NONE), nullptr);

        EXPECT_EQ(combo.GetCurSel(), CB_ERR);
        EXPECT_EQ(combo.AddString("MIDI Out"), 0);
        EXPECT_EQ(combo.AddString("Wave Out"), 1);
        EXPECT_EQ(combo.SetCurSel(1), 1);
        EXPECT_EQ(combo.GetCurSel(), 1);

        // Lengths and sizes are bytes of the ANSI code page.
        EXPECT_TRUE(edit.SetText("出力abc"));
        EXPECT_EQ(edit.GetTextLength(), 7);
        char buffer[16];
        EXPECT_EQ(edit.GetText(buffer, 5), 4);
        EXPECT_STREQ(buffer, "出力");

        EXPECT_EQ(dialog.SetChildText(IDC_TEST_NONE, "lost"), 0);
        EXPECT_EQ(dialog.SetChildText(IDC_TEST_EDIT, "set"), TRUE);
        EXPECT_EQ(edit.GetText(buffer, sizeof buffer), 3);
        EXPECT_STREQ(buffer, "set");

        RECT rect = {};
        int width = -1;
        EXPECT_TRUE(dialog.GetClientSize(&width, nullptr));
        EXPECT_TRUE(dialog.GetClientSize(nullptr, nullptr));
        EXPECT_EQ(dialog.GetClientRect(&rect), &rect);
        EXPECT_EQ(width, rect.right - rect.left);
    });
    EXPECT_EQ(result, 1);
}

TEST(InitCommonControlClasses, KeepsTheFlagsOfEveryCall) {
    ListView list;
    EXPECT_EQ(CommonControlClasses().dwSize, sizeof(INITCOMMONCONTROLSEX));
    EXPECT_EQ(CommonControlClasses().dwICC & ICC_LISTVIEW_CLASSES,
              static_cast<DWORD>(ICC_LISTVIEW_CLASSES));
    EXPECT_TRUE(InitCommonControlClasses(ICC_TAB_CLASSES));
    EXPECT_TRUE(InitCommonControlClasses(ICC_BAR_CLASSES));
    DWORD all = ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES;
    EXPECT_EQ(CommonControlClasses().dwICC & all, all);
}
