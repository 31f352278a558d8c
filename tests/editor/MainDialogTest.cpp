#include "editor/MainDialog.h"

#include "FakeDeviceSource.h"
#include "dialogs/FileDialog.h"
#include "editor/E8Error.h"
#include "editor/EditorTexts.h"
#include "editor/ResourceIds.h"
#include "host/XGworksLookup.h"
#include "support/DialogDriver.h"
#include "support/FailingFileOperations.h"
#include "support/FileDialogDriver.h"
#include "support/MessageBoxAnswerer.h"
#include "support/ScratchFolder.h"
#include "support/WindowSearch.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <thread>
#include <utility>
#include <tuple>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

const std::string DefaultText = ReadBytes(VARNEL_SOURCE_DIR "/res/DrvShortName.ini");

// Sections out of order, keys of absent devices, a key in other letter case, a value of 16
// full-width characters (32 bytes).
const std::string Settings = "[Wave Out]\r\nSW1000 #1 WAVE OUT=SW 1\r\nSB16 WAVE 出力=SB16\r\n"
                             "Absent Wave=AW\r\n\r\n[Midi Out]\r\nYAMAHA CBX A Driver= CBX A\r\n"
                             "sw1000 midi out=SW\r\nCleared Device=ToClear\r\n"
                             "Long Device=１２３４５６７８９０１２３４５６\r\nNot Installed=NI\r\n"
                             "\r\n[Other]\r\nx=1\r\n";
// The list's rows as "name=short name|...".
const std::string Midi = "Cleared Device=ToClear|Long Device=１２３４５６７８９０１２３４５|"
                         "New Device=|SW1000 MIDI OUT=SW|YAMAHA CBX A Driver=CBX A";
const std::string Waves = "Quiet Wave=|SB16 WAVE 出力=SB16|SW1000 #1 WAVE OUT=SW 1";
// What an update of Settings writes: sections sorted, "=" one column after the longest key,
// keys of absent devices kept, names cut between whole characters.
std::string Saved(const std::string& midi, const std::string& waves) {
    return "[Midi Out]\r\n" + midi + "\r\n\r\n\r\n[Other]\r\nx = 1\r\n\r\n\r\n\r\n[Wave Out]\r\n" +
           waves + "\r\n\r\n\r\n";
}
const std::string Cleared = "Cleared Device      = ToClear\r\n";
const std::string Long = "Long Device         = １２３４５６７８９０１２３４５\r\n";
const std::string NotInstalled = "Not Installed       = NI\r\n";
const std::string SwAndCbx = "sw1000 midi out     = SW\r\nYAMAHA CBX A Driver = CBX A\r\n";
const std::string AbsentWave = "Absent Wave        = AW\r\n";
const std::string Sb16AndSw1 = "SB16 WAVE 出力     = SB16\r\nSW1000 #1 WAVE OUT = SW 1\r\n";

// What the user does and sees, one step at a time; <inst> and <empty> stand for the folders of
// the installation and of an empty one.
enum Op { Click, Key, Type, Kind, Press, Toggle, CloseBox, Box, Text, Rows, Browse, Chosen,
          Focus, Grow, Hold, Release, FileIs, Closed };
struct Step {
    Step(Op op, int n = 0, std::string text = "", const char* caption = "")
        : op(op), n(n), text(std::move(text)), caption(caption) {}
    Op op;
    int n;
    std::string text;
    const char* caption;
};
Step Answer(const char* text, const char* caption, int button) {
    return {Box, button, text, caption};
}
Step Error(int code) {
    return Answer(ErrorMessageTable[code], ErrorCaption, IDOK);
}
const Step ConfirmUpdate = Answer(ConfirmUpdateText, ConfirmUpdateCaption, IDYES);
const Step UpdateDone = Answer(UpdateDoneText, UpdateDoneCaption, IDOK);
const Step ConfirmReset = Answer(ConfirmResetText, ConfirmResetCaption, IDYES);
Step Discard(int button) {
    return Answer(DiscardEditsText, DiscardEditsCaption, button);
}
const std::string Duplicates = std::string(DuplicateNamesText) +
                               "「SW 1」: Quiet Wave / SB16 WAVE 出力 / SW1000 #1 WAVE OUT\n" +
                               DuplicateNamesQuestion;

const char* const Installed = "\"C:\\Setup\\remove.exe\" -f<inst>setup.log";

struct Scenario {
    Scenario(const char* name, std::vector<Step> steps, std::string after = Settings,
             std::string backup = "", std::string before = Settings,
             const char* uninstall = Installed)
        : name(name), steps(std::move(steps)), after(std::move(after)), backup(std::move(backup)),
          before(std::move(before)), uninstall(uninstall) {}
    const char* name;
    std::vector<Step> steps;
    std::string after;     // the file at the end
    std::string backup;    // DrvShortName.ini.bak at the end ("": none)
    std::string before;    // the file at the start
    const char* uninstall; // null: the key without the value
};

const Scenario Scenarios[] = {
    {"showing, selecting with mouse and keys, typing within 31 bytes, leaving only when asked",
     {{Text, IDC_XGWORKS_PATH, "<inst>XGworks.exe"}, {Text, IDC_AUTHOR, AuthorText},
      {Text, IDC_WEB_PAGE, WebPageText}, {Text, IDC_DEVICE_KIND, "MIDI Out"}, {Rows, 0, Midi},
      {Click, 4}, {Text, IDC_SHORT_NAME, "CBX A"}, {Text, IDC_SHORT_NAME_BYTES, "5/31"},
      {Type, 0, "CBX-A"}, {Key, VK_UP}, {Text, IDC_SHORT_NAME, "SW"}, {Type, 0, "SW-1"},
      {Click, -1}, {Text, IDC_SHORT_NAME, ""}, {Type, 0, "nowhere"},
      {Rows, 0, "Cleared Device=ToClear|Long Device=１２３４５６７８９０１２３４５|New Device=|"
                "SW1000 MIDI OUT=SW-1|YAMAHA CBX A Driver=CBX-A"},
      {Kind, WaveOut}, {Text, IDC_SHORT_NAME, ""}, {Rows, 0, Waves}, {Click, 0},
      {Type, 0, std::string(50, 'q')}, {Text, IDC_SHORT_NAME, std::string(31, 'q')},
      {Text, IDC_SHORT_NAME_BYTES, "31/31"}, {Type, 0, "１２３４５６７８９０１２３４５６"},
      {Text, IDC_SHORT_NAME, "１２３４５６７８９０１２３４５"}, {Text, IDC_SHORT_NAME_BYTES, "30/31"},
      {Kind, MidiOut}, {Kind, WaveOut},
      {Rows, 0, "Quiet Wave=１２３４５６７８９０１２３４５|SB16 WAVE 出力=SB16|SW1000 #1 WAVE OUT=SW 1"},
      {Key, VK_ESCAPE}, Discard(IDNO), {Press, IDC_CANCEL}, Discard(IDNO), {CloseBox},
      Discard(IDYES), {Closed}}},
    {"an edit put back is none: no question",
     {{Click, 4}, {Type, 0, "x"}, {Type, 0, "CBX A"}, {Press, IDC_CANCEL}, {Closed}}},
    {"Enter and F2 on a row go on to its name",
     {{Click, 1}, {Key, VK_RETURN}, {Focus, IDC_SHORT_NAME}, {Click, 2}, {Key, VK_F2},
      {Focus, IDC_SHORT_NAME}, {Press, IDC_CANCEL}, {Closed}}},
    {"an update saves only when confirmed",
     {{Click, 2}, {Type, 0, "ND"}, {Click, 0}, {Type, 0, ""}, {Kind, WaveOut}, {Click, 0},
      {Type, 0, "QW"}, {Press, IDC_RESET}, Answer(ConfirmResetText, ConfirmResetCaption, IDNO),
      {Press, IDC_UPDATE}, Answer(ConfirmUpdateText, ConfirmUpdateCaption, IDNO), {FileIs, 0, Settings},
      {Press, IDC_UPDATE}, ConfirmUpdate, UpdateDone, {Closed}},
     Saved(Long + "New Device          = ND\r\n" + NotInstalled + SwAndCbx,
           AbsentWave + "Quiet Wave         = QW\r\n" + Sb16AndSw1),
     Settings},
    {"devices not connected: shown on request, edited and removed",
     {{Toggle}, {Rows, 0, Midi + "|Not Installed=NI"}, {Kind, WaveOut},
      {Rows, 0, Waves + "|Absent Wave=AW"}, {Click, 3}, {Type, 0, ""}, {Toggle}, {Rows, 0, Waves},
      {Toggle}, {Rows, 0, Waves + "|Absent Wave="}, {Kind, MidiOut}, {Click, 5}, {Type, 0, "NI-2"},
      {Press, IDC_UPDATE}, ConfirmUpdate, UpdateDone},
     Saved(Cleared + Long + "Not Installed       = NI-2\r\n" + SwAndCbx, Sb16AndSw1),
     Settings},
    {"shared short names are asked about",
     {{Kind, WaveOut}, {Click, 0}, {Type, 0, "SW 1"}, {Click, 1}, {Type, 0, "SW 1"},
      {Press, IDC_UPDATE}, Answer(Duplicates.c_str(), DuplicateNamesCaption, IDNO),
      {FileIs, 0, Settings}, {Press, IDC_UPDATE}, Answer(Duplicates.c_str(), DuplicateNamesCaption, IDYES),
      ConfirmUpdate, UpdateDone},
     Saved(Cleared + Long + NotInstalled + SwAndCbx,
           AbsentWave + "Quiet Wave         = SW 1\r\nSB16 WAVE 出力     = SW 1\r\n"
                        "SW1000 #1 WAVE OUT = SW 1\r\n"),
     Settings},
    {"a failed browse, update and reset lose nothing, nor what another program wrote",
     {{Click, 2}, {Type, 0, "ND"}, {Press, IDC_BROWSE}, Discard(IDNO),
      {Browse, FileDialogDriver::Confirm, "<empty>XGworks.exe"}, {Press, IDC_BROWSE},
      Discard(IDYES), {Chosen}, Error(E8SettingsNotFound), {Text, IDC_XGWORKS_PATH, "<inst>XGworks.exe"},
      {Grow, 0, "; added elsewhere\r\n"}, {Hold}, {Press, IDC_UPDATE}, ConfirmUpdate, Error(E8Unknown),
      {Press, IDC_RESET}, ConfirmReset, Error(E8ResetFailed), {Release},
      {FileIs, 0, Settings + "; added elsewhere\r\n"}, {Press, IDC_UPDATE}, ConfirmUpdate, UpdateDone},
     Saved(Cleared + Long + "New Device          = ND\r\n" + NotInstalled + SwAndCbx,
           AbsentWave + Sb16AndSw1),
     Settings + "; added elsewhere\r\n"},
    {"a reset replaces a longer file",
     {{Press, IDC_RESET}, ConfirmReset, Answer(ResetDoneText, ResetDoneCaption, IDOK), {Closed}},
     DefaultText, Settings + ";" + std::string(20000, 'x') + "\r\n",
     Settings + ";" + std::string(20000, 'x') + "\r\n"},
    {"a reset repairs a file without sections",
     {Error(E8SettingsNotFound), {Press, IDC_RESET}, ConfirmReset,
      Answer(ResetDoneText, ResetDoneCaption, IDOK)},
     DefaultText, "; no section\r\n", "; no section\r\n"},
    {"an update adds a missing section",
     {{Kind, WaveOut}, {Click, 0}, {Type, 0, "QW"}, {Press, IDC_UPDATE}, ConfirmUpdate, UpdateDone},
     "[Midi Out]\r\nSW1000 MIDI OUT = SW\r\n\r\n\r\n\r\n[Wave Out]\r\nQuiet Wave = QW\r\n\r\n\r\n\r\n",
     "[Midi Out]\r\nSW1000 MIDI OUT=SW\r\n", "[Midi Out]\r\nSW1000 MIDI OUT=SW\r\n"},
    {"no uninstall value: message 3, the file dialog; nothing to save until one is chosen",
     {{Browse, FileDialogDriver::Cancel}, Error(E8InstallationNotFound), {Chosen}, {Rows, 0, ""},
      {Press, IDC_UPDATE}, ConfirmUpdate, Error(E8Unknown), {Press, IDC_RESET},
      Error(E8NoSettingsFile), {Browse, FileDialogDriver::Confirm, "<inst>XGworks.exe"},
      {Press, IDC_BROWSE}, {Chosen}, {Text, IDC_XGWORKS_PATH, "<inst>XGworks.exe"}, {Rows, 0, Midi}},
     Settings, "", Settings, nullptr},
    {"no marker: message 3",
     {{Browse, FileDialogDriver::Cancel}, Error(E8InstallationNotFound), {Chosen}, {Rows, 0, ""},
      {Text, IDC_XGWORKS_PATH, ""}},
     Settings, "", Settings, "C:\\my-files\\remove.exe -F<inst>setup.log"},
    {"no folder after the marker: code 5",
     {Error(E8Unknown), {Rows, 0, ""}}, Settings, "", Settings, "C:\\Setup\\remove.exe -fsetup.log"},
    {"no settings file: code 1",
     {Error(E8SettingsNotFound), {Rows, 0, ""}, {Text, IDC_XGWORKS_PATH, ""}}, Settings, "", Settings,
     "C:\\Setup\\remove.exe -f<empty>setup.log"},
};

constexpr REGSAM RegistryView = XGworksUninstallAccess & KEY_WOW64_32KEY;

std::string ChildText(HWND dialog, int id) {
    return TextOf(GetDlgItem(dialog, id));
}

std::string ListRows(HWND dialog) {
    const HWND list = GetDlgItem(dialog, IDC_DEVICE_LIST);
    std::string rows;
    char name[256];
    char shortName[256];
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        ListView_GetItemText(list, row, 0, name, sizeof(name));
        ListView_GetItemText(list, row, 1, shortName, sizeof(shortName));
        rows += (row > 0 ? "|" : "") + std::string(name) + "=" + shortName;
    }
    return rows;
}

void ClickAt(HWND window, POINT point) {
    ClientToScreen(window, &point);
    SetForegroundWindow(GetAncestor(window, GA_ROOT));
    SetCursorPos(point.x, point.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

// Clicks row (below the rows when negative) until the selection shows it; clicks in one place
// in quick succession would make a double click.
bool ClickRow(HWND dialog, int row) {
    const HWND list = GetDlgItem(dialog, IDC_DEVICE_LIST);
    RECT bounds = {LVIR_LABEL, 0, 0, 0};
    if (row < 0) {
        GetClientRect(list, &bounds);
        bounds.top = bounds.bottom - 8;
    } else {
        SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
    }
    static int offset = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        offset = (offset + 1) % 4;
        ClickAt(list, {bounds.left + 4 + 12 * offset, (bounds.top + bounds.bottom) / 2});
        if (WaitUntil([&] { return ListView_GetNextItem(list, -1, LVNI_SELECTED) == row; }, 700))
            return true;
    }
    return false;
}

// Keys go to the list, as after a click on it.
void PressKey(HWND dialog, WORD key) {
    SendMessageA(dialog, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_DEVICE_LIST)), TRUE);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

HWND FocusOf(HWND dialog) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

class MainDialogTest : public testing::Test {
protected:
    void SetUp() override {
        WriteBytes(executable, "");
        devices.names[MidiOut] = {
            "YAMAHA CBX A Driver", "SW1000 MIDI OUT", FakeDeviceSource::FailingDevice,
            "Cleared Device",      "Long Device",     "New Device"};
        devices.names[WaveOut] = {"SW1000 #1 WAVE OUT", "Quiet Wave", "SB16 WAVE 出力"};
    }
    void TearDown() override {
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, XGworksUninstallKey, RegistryView, 0);
    }

    std::string Expand(std::string text) const {
        for (const auto& [token, path] : {std::make_pair("<inst>", installation.Path()),
                                          std::make_pair("<empty>", emptyFolder.Path())}) {
            for (std::size_t at; (at = text.find(token)) != std::string::npos;)
                text.replace(at, std::string(token).size(), path);
        }
        return text;
    }

    // The entry where the program looks; a null value leaves the key without one.
    void SetUninstallString(const char* value) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, XGworksUninstallKey, 0, nullptr, 0,
                                  KEY_WRITE | RegistryView, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegDeleteValueA(key, XGworksUninstallValue);
        const std::string text = value ? Expand(value) : "";
        if (value)
            RegSetValueExA(key, XGworksUninstallValue, 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size() + 1));
        RegCloseKey(key);
    }

    INT_PTR RunDialog(const std::function<void(HWND)>& script) {
        MainDialog dialog(devices);
        return RunAndDrive(
            "Varnel", [&dialog] { return dialog.RunModal(nullptr, 0); }, script);
    }

    // False when the scenario cannot go on.
    bool Do(HWND dialog, const Step& step) {
        const std::string text = Expand(step.text);
        const auto shows = [&](const std::function<std::string()>& actual) {
            WaitUntil([&] { return actual() == text; }, 2000);
            EXPECT_EQ(actual(), text) << "step " << step.op << " " << step.n;
        };
        switch (step.op) {
        case Click: {
            const bool clicked = ClickRow(dialog, step.n);
            EXPECT_TRUE(clicked) << "row " << step.n;
            return clicked;
        }
        case Key:
            PressKey(dialog, static_cast<WORD>(step.n));
            break;
        case Type:
            SendMessageA(GetDlgItem(dialog, IDC_SHORT_NAME), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(text.c_str()));
            break;
        case Kind:
            SendMessageA(GetDlgItem(dialog, IDC_DEVICE_KIND), CB_SETCURSEL, step.n, 0);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DEVICE_KIND, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_DEVICE_KIND)));
            break;
        case Press:
            PressButton(dialog, step.n);
            break;
        case Toggle:
            PostMessageA(GetDlgItem(dialog, IDC_SHOW_ABSENT), BM_CLICK, 0, 0);
            break;
        case CloseBox:
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case Box:
            MessageBoxAnswerer::Expect(dialog, text, step.caption, step.n);
            break;
        case Text:
            shows([&] { return ChildText(dialog, step.n); });
            break;
        case Rows:
            shows([&] { return ListRows(dialog); });
            break;
        case Browse:
            chooser = FileDialogDriver::Start(static_cast<FileDialogDriver::Answer>(step.n), text,
                                              dialog);
            break;
        case Chosen:
            EXPECT_NE(chooser.get(), "");
            break;
        case Focus:
            EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == GetDlgItem(dialog, step.n); }));
            break;
        case Grow:
            WriteBytes(settings, ReadBytes(settings) + text);
            break;
        case Hold:
            other = CreateFileA(settings.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            break;
        case Release:
            CloseHandle(other);
            break;
        case FileIs:
            shows([&] { return ReadBytes(settings); });
            break;
        case Closed:
            EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
            break;
        }
        return true;
    }

    FakeDeviceSource devices;
    ScratchFolder installation;
    ScratchFolder emptyFolder;
    const std::string settings = installation.Path("DrvShortName.ini");
    const std::string executable = installation.Path("XGworks.exe");
    std::future<std::string> chooser;
    HANDLE other = INVALID_HANDLE_VALUE;
};

TEST_F(MainDialogTest, Scenarios) {
    for (const Scenario& scenario : Scenarios) {
        SCOPED_TRACE(scenario.name);
        WriteBytes(settings, scenario.before);
        DeleteFileA((settings + ".bak").c_str());
        SetUninstallString(scenario.uninstall);
        const INT_PTR result = RunDialog([&](HWND dialog) {
            for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
                SCOPED_TRACE(testing::Message() << "step " << i);
                if (!Do(dialog, scenario.steps[i]))
                    break;
            }
        });
        EXPECT_EQ(result, 0);
        EXPECT_EQ(ReadBytes(settings), Expand(scenario.after));
        EXPECT_EQ(ReadBytes(settings + ".bak"), scenario.backup);
    }
}

// An update or a reset whose Nth file operation fails, for every N: it either succeeds, or
// shows its error box and leaves the file's bytes as they were; no temporary file is left
// either way, and after a failure the same command succeeds.
TEST_F(MainDialogTest, EveryFailingFileOperation) {
    SetUninstallString(Installed);
    const auto onlyOurFiles = [this] {
        for (const std::string& name : installation.Files()) {
            if (name != "XGworks.exe" && name.rfind("DrvShortName.ini", 0) != 0)
                return false;
        }
        return true;
    };
    for (const auto& [button, confirm, error, done] :
         {std::make_tuple(IDC_UPDATE, ConfirmUpdate, Error(E8Unknown), UpdateDone),
          std::make_tuple(IDC_RESET, ConfirmReset, Error(E8ResetFailed),
                          Answer(ResetDoneText, ResetDoneCaption, IDOK))}) {
        const int failures = CountFailures([&](FileOperations& failing) {
            WriteBytes(settings, Settings);
            bool failed = false;
            RunDialog([&](HWND dialog) {
                {
                    FileOperations::Override override(failing);
                    Do(dialog, {Press, button});
                    Do(dialog, confirm);
                    WaitUntil([&] { return MessageBoxAnswerer::Find(dialog) != nullptr; });
                    failed = TextOf(GetDlgItem(MessageBoxAnswerer::Find(dialog), 0xFFFF)) ==
                             error.text;
                    Do(dialog, failed ? error : done);
                }
                EXPECT_TRUE(onlyOurFiles());
                if (failed) {
                    EXPECT_EQ(ReadBytes(settings), Settings);
                    for (const Step& step : {Step{Press, button}, confirm, done})
                        Do(dialog, step);
                }
                EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
            });
            EXPECT_NE(ReadBytes(settings), Settings);
            EXPECT_TRUE(onlyOurFiles());
            return failed;
        });
        EXPECT_GT(failures, 0);
    }
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
    SetUninstallString(Installed);
    WriteBytes(settings, Settings);
    const auto winMain = [] {
        return WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWNORMAL);
    };
    EXPECT_EQ(RunAndDrive("Varnel", winMain,
                          [](HWND dialog) {
                              PressButton(dialog, IDC_CANCEL);
                              EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
                          }),
              0);
    const HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseMainDialog, nullptr, GetCurrentThreadId());
    std::thread answer([] {
        MessageBoxAnswerer::Expect(nullptr, ErrorMessageTable[E8Unknown], ErrorCaption, IDOK);
    });
    EXPECT_NE(winMain(), 0);
    answer.join();
    UnhookWindowsHookEx(hook);
}

TEST(Resources, CarryTheDefaultSettingsByteForByte) {
    ASSERT_EQ(DefaultText.size(), 16081u);
    for (const HMODULE module :
         {GetModuleHandleA(nullptr),
          LoadLibraryExA(VARNEL_EXECUTABLE, nullptr,
                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)}) {
        ASSERT_NE(module, nullptr);
        const HRSRC resource = FindResourceA(module, "#103", "Text");
        ASSERT_NE(resource, nullptr);
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
        EXPECT_EQ(std::string(bytes, SizeofResource(module, resource)), DefaultText);
    }
}

} // namespace
