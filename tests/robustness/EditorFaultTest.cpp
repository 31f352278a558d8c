#include "editor/MainDialog.h"

#include "editor/E8Error.h"
#include "editor/EditorTexts.h"
#include "editor/FakeDeviceSource.h"
#include "editor/ResourceIds.h"
#include "host/XGworksLookup.h"
#include "support/DialogDriver.h"
#include "support/FailingFileOperations.h"
#include "support/MessageBoxAnswerer.h"
#include "support/ScratchFolder.h"
#include "support/WindowSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

const std::string Settings = "[Wave Out]\r\nSB16 WAVE 出力=SB16\r\n"
                             "[Midi Out]\r\nYAMAHA CBX A Driver= CBX A\r\n";
// What an update writes: the same names, sorted and aligned.
const std::string Updated = "[Midi Out]\r\nYAMAHA CBX A Driver = CBX A\r\n\r\n\r\n\r\n"
                            "[Wave Out]\r\nSB16 WAVE 出力 = SB16\r\n\r\n\r\n\r\n";

struct Command {
    int button;
    const char* confirmText;
    const char* confirmCaption;
    int errorCode;
    const char* doneText;
    const char* doneCaption;
};

const Command Update = {IDC_UPDATE, ConfirmUpdateText, ConfirmUpdateCaption,
                        E8Unknown,  UpdateDoneText,    UpdateDoneCaption};
const Command Reset = {IDC_RESET,     ConfirmResetText, ConfirmResetCaption,
                       E8ResetFailed, ResetDoneText,    ResetDoneCaption};

// Presses the command's button and confirms; true when the error box came, false for the
// success box.
bool RunCommand(HWND dialog, const Command& command) {
    PressButton(dialog, command.button);
    MessageBoxAnswerer::Expect(dialog, command.confirmText, command.confirmCaption, IDYES);
    HWND box = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (box = MessageBoxAnswerer::Find(dialog)) != nullptr; }));
    const std::string error = ErrorMessageTable[command.errorCode];
    const bool failed = box && TextOf(GetDlgItem(box, 0xFFFF)) == error;
    if (failed) {
        MessageBoxAnswerer::Expect(dialog, error, ErrorCaption, IDOK);
    } else {
        MessageBoxAnswerer::Expect(dialog, command.doneText, command.doneCaption, IDOK);
    }
    return failed;
}

constexpr REGSAM RegistryView = XGworksUninstallAccess & KEY_WOW64_32KEY;

// An update or a reset of the editor whose Nth file operation fails, for every N: it either
// succeeds, or shows its error box and leaves the file's bytes as they were; no temporary file
// is left either way, and after a failure the same command succeeds.
TEST(EditorFaults, UpdateAndReset) {
    ScratchFolder installation;
    const std::string settings = installation.Path("DrvShortName.ini");
    WriteBytes(installation.Path("XGworks.exe"), "");
    const std::string uninstall = "C:\\Setup\\remove.exe -f" + installation.Path() + "setup.log";
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, XGworksUninstallKey, 0, nullptr, 0,
                                             KEY_WRITE | RegistryView, nullptr, &key, nullptr));
    RegSetValueExA(key, XGworksUninstallValue, 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(uninstall.c_str()),
                   static_cast<DWORD>(uninstall.size() + 1));
    RegCloseKey(key);
    FakeDeviceSource devices;
    devices.names[MidiOut] = {"YAMAHA CBX A Driver"};
    devices.names[WaveOut] = {"SB16 WAVE 出力"};
    // XGworks.exe, DrvShortName.ini and its backup only.
    const auto noTemporaryFile = [&installation] {
        for (const std::string& name : installation.Files()) {
            if (name != "XGworks.exe" && name.rfind("DrvShortName.ini", 0) != 0)
                return false;
        }
        return true;
    };

    // The number of N for which the command failed.
    const auto failEachOperation = [&](const Command& command, const std::string& result) {
        return CountFailures([&](FileOperations& failing) {
            WriteBytes(settings, Settings);
            MainDialog dialog(devices);
            bool failed = false;
            RunAndDrive(
                "Varnel", [&dialog] { return dialog.RunModal(nullptr, 0); },
                [&](HWND window) {
                    {
                        FileOperations::Override override(failing);
                        failed = RunCommand(window, command);
                    }
                    EXPECT_TRUE(noTemporaryFile());
                    if (failed) {
                        EXPECT_EQ(Settings, ReadBytes(settings));
                        EXPECT_FALSE(RunCommand(window, command));
                    }
                    EXPECT_TRUE(WaitUntil([window] { return !IsWindow(window); }));
                });
            EXPECT_EQ(result, ReadBytes(settings));
            EXPECT_TRUE(noTemporaryFile());
            return failed;
        });
    };
    EXPECT_GT(failEachOperation(Update, Updated), 0);
    EXPECT_GT(failEachOperation(Reset, ReadBytes(VARNEL_DEFAULT_TEXT)), 0);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, XGworksUninstallKey, RegistryView, 0);
}

} // namespace
