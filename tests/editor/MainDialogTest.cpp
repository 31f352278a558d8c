#include "editor/MainDialog.h"

#include "DialogDriver.h"
#include "FakeDeviceSource.h"
#include "dialogs/FileDialog.h"
#include "editor/E8Error.h"
#include "editor/EditorTexts.h"
#include "editor/ResourceIds.h"
#include "host/XGworksLookup.h"
#include "support/FileDialogDriver.h"
#include "support/ScratchFolder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

using namespace DialogDriver;

namespace {

constexpr REGSAM RegistryView = XGworksUninstallAccess & KEY_WOW64_32KEY;

std::string DefaultText() {
    return ReadBytes(VARNEL_SOURCE_DIR "/res/DrvShortName.ini");
}

// One section as the writer lays it out: "=" one column after the longest key.
std::string Written(const std::string& name, const Rows& entries) {
    std::size_t width = 0;
    for (const auto& entry : entries)
        width = std::max(width, entry.first.size());
    std::string text = "[" + name + "]\r\n";
    for (const auto& entry : entries)
        text += entry.first + std::string(width + 1 - entry.first.size(), ' ') + "= " +
                entry.second + "\r\n";
    return text + "\r\n\r\n\r\n";
}

// Sections out of order, keys of absent devices, a key in other letter case, a 40-byte value.
const std::string SettingsText = "[Wave Out]\r\n"
                                 "SW1000 #1 WAVE OUT=SW 1\r\n"
                                 "SB16 WAVE 出力=SB16\r\n"
                                 "Absent Wave=AW\r\n"
                                 "\r\n"
                                 "[Midi Out]\r\n"
                                 "YAMAHA CBX A Driver= CBX A\r\n"
                                 "sw1000 midi out=SW\r\n"
                                 "Cleared Device=ToClear\r\n"
                                 "Long Device=" +
                                 std::string(40, 'L') +
                                 "\r\n"
                                 "Not Installed=NI\r\n"
                                 "\r\n"
                                 "[Other]\r\n"
                                 "x=1\r\n";

const Rows MidiRows = {{"Cleared Device", "ToClear"},
                       {"Long Device", std::string(31, 'L')},
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
        return RunAndDrive([&dialog] { return dialog.RunModal(nullptr, 0); }, script);
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

            // A click below the rows clears the selection; the edit box keeps its text and
            // typing changes nothing.
            ClickBelowRows(dialog);
            ASSERT_TRUE(
                WaitUntil([&] { return ListView_GetNextItem(list, -1, LVNI_SELECTED) < 0; }));
            EXPECT_EQ(ChildText(dialog, IDC_SHORT_NAME), "CBX-A");
            Type(dialog, "nowhere");
            EXPECT_EQ(ListRows(dialog), rows);

            ChooseKind(dialog, WaveOut);
            EXPECT_EQ(ChildText(dialog, IDC_SHORT_NAME), "");
            Rows waves = {
                {"Quiet Wave", ""}, {"SB16 WAVE 出力", "SB16"}, {"SW1000 #1 WAVE OUT", "SW 1"}};
            EXPECT_EQ(ListRows(dialog), waves);
            ASSERT_TRUE(ClickRow(dialog, 0));
            waves[0].second = std::string(50, 'q');
            Type(dialog, waves[0].second.c_str());

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
    EXPECT_EQ(ReadBytes(settings), Written("Midi Out", {{"Long Device", std::string(31, 'L')},
                                                        {"New Device", "ND"},
                                                        {"Not Installed", "NI"},
                                                        {"sw1000 midi out", "SW"},
                                                        {"YAMAHA CBX A Driver", "CBX A"}}) +
                                       Written("Other", {{"x", "1"}}) +
                                       Written("Wave Out", {{"Absent Wave", "AW"},
                                                            {"Quiet Wave", "QW"},
                                                            {"SB16 WAVE 出力", "SB16"},
                                                            {"SW1000 #1 WAVE OUT", "SW 1"}}));
}

TEST_F(MainDialogTest, AFileHeldOpenElsewhereFailsUpdateAndResetAndLosesNothing) {
    RunDialog([&](HWND dialog) {
        ASSERT_TRUE(ClickRow(dialog, 2));
        Type(dialog, "ND");
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
        EXPECT_EQ(ReadBytes(settings), SettingsText);
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
            ExpectBox(dialog, ErrorMessageTable[c.code], ErrorCaption, IDOK);
            EXPECT_EQ(ListRows(dialog), Rows());
            EXPECT_EQ(ChildText(dialog, IDC_XGWORKS_PATH), "");
        });
    }
}

TEST_F(MainDialogTest, BrowsingLoadsTheChosenInstallationOrKeepsTheLoadedOne) {
    // Without an installation there is nothing to save or reset until "..." loads one.
    RemoveUninstallEntry();
    RunDialog([&](HWND dialog) {
        ExpectBox(dialog, ErrorMessageTable[E8InstallationNotFound], ErrorCaption, IDOK);
        PressButton(dialog, IDC_UPDATE);
        ExpectBox(dialog, ConfirmUpdateText, ConfirmUpdateCaption, IDYES);
        ExpectBox(dialog, ErrorMessageTable[E8Unknown], ErrorCaption, IDOK);
        PressButton(dialog, IDC_RESET);
        ExpectBox(dialog, ErrorMessageTable[E8NoSettingsFile], ErrorCaption, IDOK);

        FileDialogDriver chooser(FileDialogDriver::Confirm, executable, dialog);
        PressButton(dialog, IDC_BROWSE);
        EXPECT_TRUE(chooser.Finish());
        EXPECT_EQ(chooser.Caption(), FileDialog::DefaultOpenTitle);
        EXPECT_TRUE(WaitUntil([&] { return ChildText(dialog, IDC_XGWORKS_PATH) == executable; }));
        EXPECT_EQ(ListRows(dialog), MidiRows);
    });

    // A folder without a settings file is reported, and the loaded file is still saved.
    SetUninstallString(UninstallCommand(installation.Path()).c_str());
    RunDialog([&](HWND dialog) {
        FileDialogDriver chooser(FileDialogDriver::Confirm, emptyFolder.Path("XGworks.exe"),
                                 dialog);
        PressButton(dialog, IDC_BROWSE);
        EXPECT_TRUE(chooser.Finish());
        ExpectBox(dialog, ErrorMessageTable[E8SettingsNotFound], ErrorCaption, IDOK);
        EXPECT_EQ(ChildText(dialog, IDC_XGWORKS_PATH), executable);
        EXPECT_EQ(ListRows(dialog), MidiRows);
        ExpectSaved(dialog);
    });
    EXPECT_EQ(ReadBytes(settings).substr(0, 10), "[Midi Out]");
}

TEST_F(MainDialogTest, WinMainReturnsZero) {
    const INT_PTR result = RunAndDrive(
        [] { return WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWNORMAL); },
        [](HWND dialog) {
            PressButton(dialog, IDC_CANCEL);
            EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
        });
    EXPECT_EQ(result, 0);
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
