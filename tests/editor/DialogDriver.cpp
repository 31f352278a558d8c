#include "DialogDriver.h"

#include "app/ListView.h"
#include "editor/ResourceIds.h"
#include "support/MessageBoxAnswerer.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <thread>

namespace DialogDriver {

namespace {

void Click(HWND window, POINT point) {
    ClientToScreen(window, &point);
    SetForegroundWindow(GetAncestor(window, GA_ROOT));
    SetCursorPos(point.x, point.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

} // namespace

INT_PTR RunAndDrive(const std::function<INT_PTR()>& runModal,
                    const std::function<void(HWND)>& script) {
    std::thread driver([&script] {
        HWND dialog = nullptr;
        // Shown, or still hidden behind an error box of its start-up.
        const auto shown = [&dialog] {
            dialog = FindOwnDialog([](HWND window) {
                return !GetWindow(window, GW_OWNER) && TextOf(window) == "Varnel";
            });
            return dialog && (IsWindowVisible(dialog) || MessageBoxAnswerer::Find(dialog));
        };
        if (!WaitUntil(shown)) {
            ADD_FAILURE() << "the main dialog did not appear";
            return;
        }
        script(dialog);
        for (int round = 0; round < 250 && IsWindow(dialog); ++round, Sleep(20)) {
            MessageBoxAnswerer box(dialog, 0);
            if (box.Found()) {
                ADD_FAILURE() << "unexpected message box: " << box.Text();
                box.Answer(box.HasButton(IDNO) ? IDNO : IDOK);
            }
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
    });
    const INT_PTR result = runModal();
    driver.join();
    return result;
}

void ExpectBox(HWND dialog, const char* text, const char* caption, int button) {
    MessageBoxAnswerer box(dialog);
    ASSERT_TRUE(box.Found()) << "no message box came; expected: " << text;
    EXPECT_EQ(box.Text(), text);
    EXPECT_EQ(box.Caption(), caption);
    EXPECT_TRUE(box.HasButton(button));
    EXPECT_TRUE(box.Answer(button));
}

std::string ChildText(HWND dialog, int id) {
    return TextOf(GetDlgItem(dialog, id));
}

Rows ListRows(HWND dialog) {
    ListView list;
    list.Attach(dialog, IDC_DEVICE_LIST);
    Rows rows;
    char name[256];
    char shortName[256] = "";
    for (int row = 0; list.GetItemText(name, sizeof name, row, 0); ++row) {
        list.GetItemText(shortName, sizeof shortName, row, 1);
        rows.emplace_back(name, shortName);
    }
    return rows;
}

void Type(HWND dialog, const char* text) {
    SendMessageA(GetDlgItem(dialog, IDC_SHORT_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void ChooseKind(HWND dialog, int kind) {
    const HWND combo = GetDlgItem(dialog, IDC_DEVICE_KIND);
    SendMessageA(combo, CB_SETCURSEL, kind, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DEVICE_KIND, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

bool ClickRow(HWND dialog, int row) {
    const HWND list = GetDlgItem(dialog, IDC_DEVICE_LIST);
    RECT bounds = {LVIR_LABEL, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    // Clicks in one place in quick succession would make a double click.
    static int offset = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        offset = (offset + 1) % 4;
        Click(list, {bounds.left + 4 + 12 * offset, (bounds.top + bounds.bottom) / 2});
        const auto shown = [&] {
            return ListView_GetNextItem(list, -1, LVNI_SELECTED) == row &&
                   ChildText(dialog, IDC_SHORT_NAME) == ListRows(dialog)[row].second;
        };
        if (WaitUntil(shown, 700))
            return true;
    }
    return false;
}

void ClickBelowRows(HWND dialog) {
    const HWND list = GetDlgItem(dialog, IDC_DEVICE_LIST);
    RECT client = {};
    GetClientRect(list, &client);
    Click(list, {client.right / 2, client.bottom - 4});
}

} // namespace DialogDriver
