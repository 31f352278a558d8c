#include "DialogDriver.h"

#include "editor/ResourceIds.h"
#include "support/MessageBoxAnswerer.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <thread>

namespace DialogDriver {

namespace {

BOOL CALLBACK MatchMainDialog(HWND window, LPARAM param) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    GetClassNameA(window, className, sizeof(className));
    if (process == GetCurrentProcessId() && lstrcmpA(className, "#32770") == 0 &&
        TextOf(window) == "Varnel" && !GetWindow(window, GW_OWNER)) {
        *reinterpret_cast<HWND*>(param) = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindMainDialog() {
    HWND found = nullptr;
    EnumWindows(MatchMainDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

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
        if (!WaitUntil(
                [&dialog] {
                    dialog = FindMainDialog();
                    return dialog && (IsWindowVisible(dialog) || MessageBoxAnswerer::Find(dialog));
                },
                10000)) {
            ADD_FAILURE() << "the main dialog did not appear";
            return;
        }
        script(dialog);
        for (int round = 0; round < 250 && IsWindow(dialog); ++round) {
            MessageBoxAnswerer box(dialog, 0);
            if (box.Wait()) {
                ADD_FAILURE() << "unexpected message box: " << box.Text();
                box.Answer(box.HasButton(IDNO) ? IDNO : IDOK);
            }
            PostMessageA(dialog, WM_CLOSE, 0, 0);
            Sleep(20);
        }
    });
    const INT_PTR result = runModal();
    driver.join();
    return result;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(10);
    }
    return true;
}

void ExpectBox(HWND dialog, const char* text, const char* caption, int button) {
    MessageBoxAnswerer box(dialog);
    ASSERT_TRUE(box.Wait()) << "no message box came; expected: " << text;
    EXPECT_EQ(box.Text(), text);
    EXPECT_EQ(box.Caption(), caption);
    EXPECT_TRUE(box.HasButton(button));
    EXPECT_TRUE(box.Answer(button));
}

std::string TextOf(HWND window) {
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, &text[0], static_cast<int>(text.size())));
    return text;
}

std::string ChildText(HWND dialog, int id) {
    return TextOf(GetDlgItem(dialog, id));
}

Rows ListRows(HWND dialog) {
    const HWND list = GetDlgItem(dialog, IDC_DEVICE_LIST);
    Rows rows;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::string columns[2];
        for (int column = 0; column < 2; ++column) {
            char buffer[256] = "";
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = buffer;
            item.cchTextMax = sizeof(buffer);
            SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
            columns[column] = buffer;
        }
        rows.emplace_back(columns[0], columns[1]);
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

void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool ClickRow(HWND dialog, int row) {
    const HWND list = GetDlgItem(dialog, IDC_DEVICE_LIST);
    RECT bounds = {};
    bounds.left = LVIR_LABEL;
    SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    // Clicks in one place in quick succession would make a double click.
    static int offset = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        offset = (offset + 1) % 4;
        Click(list, {bounds.left + 4 + 12 * offset, (bounds.top + bounds.bottom) / 2});
        // The click is done when the row is selected and the edit box shows its short name.
        if (WaitUntil(
                [&] {
                    return SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED) == row &&
                           ChildText(dialog, IDC_SHORT_NAME) == ListRows(dialog)[row].second;
                },
                700))
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
