#include "editor/MainDialog.h"

#include "FakeDeviceSource.h"
#include "app/ListView.h"
#include "dialogs/FileDialog.h"
#include "editor/E8Error.h"
#include "editor/EditorTexts.h"
#include "editor/ResourceIds.h"
#include "host/XGworksLookup.h"
#include "support/DialogDriver.h"
#include "support/FileDialogDriver.h"
#include "support/MessageBoxAnswerer.h"
#include "support/ScratchFolder.h"
#include "support/WindowSearch.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <future>
#include <thread>
#include <utility>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

// The main dialog is driven from a second thread while the test's thread runs its modal loop.

using Rows = std::vector<std::pair<std::string, std::string>>;

const auto ExpectBox = MessageBoxAnswerer::Expect;

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

// The user's actions: typing raises EN_CHANGE, a kind is chosen with its notification, rows
// are clicked with the mouse (true once the row is selected and its short name shown).
void Type(HWND dialog, const char* text) {
    SendMessageA(GetDlgItem(dialog, IDC_SHORT_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void ChooseKind(HWND dialog, int kind) {
    const HWND combo = GetDlgItem(dialog, IDC_DEVICE_KIND);
    SendMessageA(combo, CB_SETCURSEL, kind, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DEVICE_KIND, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

// A key pressed while window has the keyboard focus.
void PressKey(HWND window, WORD key) {
    SendMessageA(GetAncestor(window, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window), TRUE);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
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

constexpr REGSAM RegistryView = XGworksUninstallAccess & KEY_WOW64_32KEY;

std::string DefaultText() {
    return ReadBytes(VARNEL_SOURCE_DIR "/res/DrvShortName.ini");
}

// Sections out of order, keys of absent devices, a key in other letter case, a value of 16
// full-width characters (32 bytes).
const std::string SettingsText = "[Wave Out]\r\n"
                                 "SW1000 #1 WAVE OUT=SW 1\r\n"
                                 "SB16 WAVE 出力=SB16\r\n"
                                 "Absent Wave=AW\r\n"
                                 "\r\n"
                                 "[Midi Out]\r\n"
                                 "YAMAHA CBX A Driver= CBX A\r\n"
                                 "sw1000 midi out=SW\r\n"
                                 "Cleared Device=ToClear\r\n"
                                 "Long Device=１２３４５６７８９０１２３４５６\r\n"
                                 "Not Installed=NI\r\n"
                                 "\r\n"
                                 "[Other]\r\n"
                                 "x=1\r\n";

const Rows MidiRows = {{"Cleared Device", "ToClear"},
                       {"Long Device", "１２３４５６７８９０１２３４５"},
                       {"New Device", ""},
                       {"SW1000 MIDI OUT", "SW"},
                       {"YAMAHA CBX A Driver", "CBX A"}};

class MainDialogTest : public testing::Test {
protected:
    void SetUp() override {
        WriteBytes(settings, SettingsText);
        WriteBytes(executable, "");
        SetUninstallString(UninstallCommand(installation.Path()).c_str());
        devices.names[MidiOut] = {
            "YAMAHA CBX A Driver", "SW1000 MIDI OUT", FakeDeviceSource::FailingDevice,
            "Cleared Device",      "Long Device",     "New Device"};
        devices.names[WaveOut] = {"SW1000 #1 WAVE OUT", "Quiet Wave", "SB16 WAVE 出力"};
    }

    void TearDown() override { RemoveUninstallEntry(); }

    // As the installer writes it: its log file in the installation folder after "-f".
    static std::string UninstallCommand(const std::string& folder, const char* marker = "-f") {
        return std::string("\"C:\\Setup\\remove.exe\" ") + marker + folder + "setup.log";
    }

    static void RemoveUninstallEntry() {
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, XGworksUninstallKey, RegistryView, 0);
    }

    // The entry where the program looks; a null value leaves the key without one.
    static void SetUninstallString(const char* value) {
        RemoveUninstallEntry();
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, XGworksUninstallKey, 0, nullptr, 0,
                                  KEY_WRITE | RegistryView, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        if (value)
            RegSetValueExA(key, XGworksUninstallValue, 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1);
        RegCloseKey(key);
    }

    INT_PTR RunDialog(const std::function<void(HWND)>& script) {
        MainDialog dialog(devices);
        return RunAndDrive(
            "Varnel", [&dialog] { return dialog.RunModal(nullptr, 0); }, script);
    }

    void ExpectSaved(HWND dialog) {
        PressButton(dialog, IDC_UPDATE);
        ExpectBox(dialog, ConfirmUpdateText, ConfirmUpdateCaption, IDYES);
        ExpectBox(dialog, UpdateDoneText, UpdateDoneCaption, IDOK);
    }

    FakeDeviceSource devices;
    ScratchFolder installation;
    ScratchFolder emptyFolder;
    const std::string settings = installation.Path("DrvShortName.ini");
    const std::string executable = installation.Path("XGworks.exe");
};

TEST_F(MainDialogTest, ShowsAndEditsTheDevicesOfEitherKindAndLeavesWithoutSaving) {
    for (const bool escape : {true, false}) {
        const INT_PTR result = RunDialog([&](HWND dialog) {
            const HWND list = GetDlgItem(dialog, IDC_DEVICE_LIST);
            EXPECT_EQ(ChildText(dialog, IDC_XGWORKS_PATH), executable);
            EXPECT_EQ(ChildText(dialog, IDC_AUTHOR), AuthorText);
            EXPECT_EQ(ChildText(dialog, IDC_WEB_PAGE), WebPageText);
            EXPECT_EQ(ChildText(dialog, IDC_DEVICE_KIND), "MIDI Out");
            EXPECT_EQ(ChildText(dialog, IDC_SHORT_NAME), "");
            EXPECT_EQ(ListRows(dialog), MidiRows);
            EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), -1);

            ASSERT_TRUE(ClickRow(dialog, 4));
            EXPECT_EQ(ChildText(dialog, IDC_SHORT_NAME), "CBX A");
            Type(dialog, "CBX-A");
            Rows rows = MidiRows;
            rows[4].second = "CBX-A";
            EXPECT_EQ(ListRows(dialog), rows);

            // The arrow keys move the selection, and the box follows it.
            PressKey(list, VK_UP);
            ASSERT_TRUE(WaitUntil([&] { return ChildText(dialog, IDC_SHORT_NAME) == "SW"; }));
            Type(dialog, "SW-1");
            rows[3].second = "SW-1";
            EXPECT_EQ(ListRows(dialog), rows);

            // A click below the rows clears the selection and the edit box; typing changes
            // nothing.
            RECT client = {};
            GetClientRect(list, &client);
            Click(list, {client.right / 2, client.bottom - 4});
            ASSERT_TRUE(
                WaitUntil([&] { return ListView_GetNextItem(list, -1, LVNI_SELECTED) < 0; }));
            EXPECT_EQ(ChildText(dialog, IDC_SHORT_NAME), "");
            Type(dialog, "nowhere");
            EXPECT_EQ(ListRows(dialog), rows);

            ChooseKind(dialog, WaveOut);
            EXPECT_EQ(ChildText(dialog, IDC_SHORT_NAME), "");
            Rows waves = {
                {"Quiet Wave", ""}, {"SB16 WAVE 出力", "SB16"}, {"SW1000 #1 WAVE OUT", "SW 1"}};
            EXPECT_EQ(ListRows(dialog), waves);
            ASSERT_TRUE(ClickRow(dialog, 0));
            // The box holds no more than XGworks reads: 31 bytes, whole characters.
            Type(dialog, std::string(50, 'q').c_str());
            EXPECT_EQ(ChildText(dialog, IDC_SHORT_NAME), std::string(31, 'q'));
            Type(dialog, "１２３４５６７８９０１２３４５６");
            waves[0].second = "１２３４５６７８９０１２３４５";
            EXPECT_EQ(ChildText(dialog, IDC_SHORT_NAME), waves[0].second);

            // Switching back and forth rebuilds the lists from the edited model.
            ChooseKind(dialog, MidiOut);
            EXPECT_EQ(ChildText(dialog, IDC_SHORT_NAME), "");
            EXPECT_EQ(ListRows(dialog), rows);
            ChooseKind(dialog, WaveOut);
            EXPECT_EQ(ListRows(dialog), waves);

            if (escape)
                PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 0);
            else
                PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
        });
        EXPECT_EQ(result, 0);
        EXPECT_EQ(ReadBytes(settings), SettingsText);
    }
}

TEST_F(MainDialogTest, UpdateSavesTheEditsOnlyWhenConfirmed) {
    const INT_PTR result = RunDialog([&](HWND dialog) {
        ASSERT_TRUE(ClickRow(dialog, 2)); // New Device
        Type(dialog, "ND");
        ASSERT_TRUE(ClickRow(dialog, 0)); // Cleared Device
        Type(dialog, "");
        ChooseKind(dialog, WaveOut);
        ASSERT_TRUE(ClickRow(dialog, 0)); // Quiet Wave
        Type(dialog, "QW");

        // A reset answered No closes nothing: the update still saves.
        PressButton(dialog, IDC_RESET);
        ExpectBox(dialog, ConfirmResetText, ConfirmResetCaption, IDNO);
        PressButton(dialog, IDC_UPDATE);
        ExpectBox(dialog, ConfirmUpdateText, ConfirmUpdateCaption, IDNO);
        EXPECT_EQ(ReadBytes(settings), SettingsText);
        ExpectSaved(dialog);
        EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(settings + ".bak"), SettingsText);
    // Sections sorted, "=" one column after the longest key, keys of absent devices kept, the
    // cleared name gone.
    EXPECT_EQ(ReadBytes(settings), "[Midi Out]\r\n"
                                   "Long Device         = １２３４５６７８９０１２３４５\r\n"
                                   "New Device          = ND\r\n"
                                   "Not Installed       = NI\r\n"
                                   "sw1000 midi out     = SW\r\n"
                                   "YAMAHA CBX A Driver = CBX A\r\n"
                                   "\r\n\r\n\r\n"
                                   "[Other]\r\n"
                                   "x = 1\r\n"
                                   "\r\n\r\n\r\n"
                                   "[Wave Out]\r\n"
                                   "Absent Wave        = AW\r\n"
                                   "Quiet Wave         = QW\r\n"
                                   "SB16 WAVE 出力     = SB16\r\n"
                                   "SW1000 #1 WAVE OUT = SW 1\r\n"
                                   "\r\n\r\n\r\n");
}

TEST_F(MainDialogTest, FailedBrowseUpdateAndResetLoseNothing) {
    RunDialog([&](HWND dialog) {
        ASSERT_TRUE(ClickRow(dialog, 2));
        Type(dialog, "ND");
        // A folder without a settings file is reported, and the loaded file stays.
        auto chooser = FileDialogDriver::Start(FileDialogDriver::Confirm,
                                               emptyFolder.Path("XGworks.exe"), dialog);
        PressButton(dialog, IDC_BROWSE);
        EXPECT_NE(chooser.get(), "");
        ExpectBox(dialog, ErrorMessageTable[E8SettingsNotFound], ErrorCaption, IDOK);
        EXPECT_EQ(ChildText(dialog, IDC_XGWORKS_PATH), executable);

        // A file that grew behind our back and is held open elsewhere can be neither saved
        // nor reset, and keeps what the other program wrote.
        const std::string grown = SettingsText + "; added elsewhere\r\n";
        WriteBytes(settings, grown);
        const HANDLE other =
            CreateFileA(settings.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(other, INVALID_HANDLE_VALUE);
        PressButton(dialog, IDC_UPDATE);
        ExpectBox(dialog, ConfirmUpdateText, ConfirmUpdateCaption, IDYES);
        ExpectBox(dialog, ErrorMessageTable[E8Unknown], ErrorCaption, IDOK);
        PressButton(dialog, IDC_RESET);
        ExpectBox(dialog, ConfirmResetText, ConfirmResetCaption, IDYES);
        ExpectBox(dialog, ErrorMessageTable[E8ResetFailed], ErrorCaption, IDOK);
        CloseHandle(other);
        EXPECT_EQ(ReadBytes(settings), grown);
        EXPECT_EQ(ListRows(dialog)[2].second, "ND");
        ExpectSaved(dialog);
    });
    EXPECT_NE(ReadBytes(settings).find("New Device          = ND\r\n"), std::string::npos);
}

TEST_F(MainDialogTest, ResetWritesTheDefaultTextOverALongerFileAndOneThatCannotBeLoaded) {
    for (const std::string& text :
         {SettingsText + ";" + std::string(20000, 'x') + "\r\n", std::string("; no section\r\n")}) {
        WriteBytes(settings, text);
        const INT_PTR result = RunDialog([&](HWND dialog) {
            if (text.size() < SettingsText.size())
                ExpectBox(dialog, ErrorMessageTable[E8SettingsNotFound], ErrorCaption, IDOK);
            PressButton(dialog, IDC_RESET);
            ExpectBox(dialog, ConfirmResetText, ConfirmResetCaption, IDYES);
            ExpectBox(dialog, ResetDoneText, ResetDoneCaption, IDOK);
            EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
        });
        EXPECT_EQ(result, 0);
        EXPECT_EQ(ReadBytes(settings), DefaultText());
    }
}

TEST_F(MainDialogTest, StartUpFailuresAreReportedAndLeaveEmptyLists) {
    const std::string noMarker = UninstallCommand(installation.Path(), "-F");
    const std::string noFile = UninstallCommand(emptyFolder.Path());
    const struct {
        const char* value; // null: the key without the value
        int code;
    } cases[] = {{nullptr, E8InstallationNotFound},
                 {noMarker.c_str(), E8InstallationNotFound},
                 {"C:\\Setup\\remove.exe -fsetup.log", E8Unknown},
                 {noFile.c_str(), E8SettingsNotFound}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value ? c.value : "no uninstall string");
        SetUninstallString(c.value);
        RunDialog([&](HWND dialog) {
            // Message 3 promises the file dialog; cancelled, it changes nothing.
            std::future<std::string> chooser;
            if (c.code == E8InstallationNotFound)
                chooser = FileDialogDriver::Start(FileDialogDriver::Cancel, "", dialog);
            ExpectBox(dialog, ErrorMessageTable[c.code], ErrorCaption, IDOK);
            if (chooser.valid()) {
                EXPECT_NE(chooser.get(), "");
            }
            EXPECT_EQ(ListRows(dialog), Rows());
            EXPECT_EQ(ChildText(dialog, IDC_XGWORKS_PATH), "");
        });
    }
}

TEST_F(MainDialogTest, BrowsingLoadsTheChosenInstallation) {
    // Without an installation there is nothing to save or reset until "..." loads one.
    RemoveUninstallEntry();
    RunDialog([&](HWND dialog) {
        auto cancel = FileDialogDriver::Start(FileDialogDriver::Cancel, "", dialog);
        ExpectBox(dialog, ErrorMessageTable[E8InstallationNotFound], ErrorCaption, IDOK);
        EXPECT_NE(cancel.get(), "");
        PressButton(dialog, IDC_UPDATE);
        ExpectBox(dialog, ConfirmUpdateText, ConfirmUpdateCaption, IDYES);
        ExpectBox(dialog, ErrorMessageTable[E8Unknown], ErrorCaption, IDOK);
        PressButton(dialog, IDC_RESET);
        ExpectBox(dialog, ErrorMessageTable[E8NoSettingsFile], ErrorCaption, IDOK);

        auto chooser = FileDialogDriver::Start(FileDialogDriver::Confirm, executable, dialog);
        PressButton(dialog, IDC_BROWSE);
        EXPECT_EQ(chooser.get(), FileDialog::DefaultOpenTitle);
        EXPECT_TRUE(WaitUntil([&] { return ChildText(dialog, IDC_XGWORKS_PATH) == executable; }));
        EXPECT_EQ(ListRows(dialog), MidiRows);
    });
}

// A file without the section of the kind whose name is set gets the section.
TEST_F(MainDialogTest, UpdateAddsAMissingSection) {
    WriteBytes(settings, "[Midi Out]\r\nSW1000 MIDI OUT=SW\r\n");
    RunDialog([&](HWND dialog) {
        ChooseKind(dialog, WaveOut);
        ASSERT_TRUE(ClickRow(dialog, 0));
        Type(dialog, "QW");
        ExpectSaved(dialog);
    });
    EXPECT_EQ(ReadBytes(settings), "[Midi Out]\r\nSW1000 MIDI OUT = SW\r\n\r\n\r\n\r\n"
                                   "[Wave Out]\r\nQuiet Wave = QW\r\n\r\n\r\n\r\n");
}

LRESULT CALLBACK RefuseMainDialog(int code, WPARAM wParam, LPARAM lParam) {
    const auto* created = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
    if (code == HCBT_CREATEWND && !IS_INTRESOURCE(created->lpcs->lpszName) &&
        lstrcmpA(created->lpcs->lpszName, "Varnel") == 0)
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// 0 when the dialog ran; when it cannot be created, code 5 and a non-zero exit code.
TEST_F(MainDialogTest, WinMainExitCode) {
    const INT_PTR result = RunAndDrive(
        "Varnel",
        [] { return WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWNORMAL); },
        [](HWND dialog) {
            PressButton(dialog, IDC_CANCEL);
            EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
        });
    EXPECT_EQ(result, 0);

    const HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseMainDialog, nullptr, GetCurrentThreadId());
    std::thread answer(
        [] { ExpectBox(nullptr, ErrorMessageTable[E8Unknown], ErrorCaption, IDOK); });
    EXPECT_NE(WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWNORMAL), 0);
    answer.join();
    UnhookWindowsHookEx(hook);
}

TEST(Resources, CarryTheDefaultSettingsByteForByte) {
    const std::string expected = DefaultText();
    ASSERT_EQ(expected.size(), 16081u);
    for (const HMODULE module :
         {GetModuleHandleA(nullptr),
          LoadLibraryExA(VARNEL_EXECUTABLE, nullptr,
                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)}) {
        ASSERT_NE(module, nullptr);
        const HRSRC resource = FindResourceA(module, "#103", "Text");
        ASSERT_NE(resource, nullptr);
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
        EXPECT_EQ(std::string(bytes, SizeofResource(module, resource)), expected);
    }
}

} // namespace
