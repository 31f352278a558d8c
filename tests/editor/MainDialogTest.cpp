#include "editor/MainDialog.h"

#include "editor/E8Error.h"
#include "editor/EditorTexts.h"
#include "editor/ResourceIds.h"
#include "host/XGworksLookup.h"
#include "support/DialogDriver.h"
#include "support/ScratchFolder.h"
#include "support/WindowSearch.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <map>
#include <sstream>
#include <thread>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

const std::string DefaultText = ReadBytes(VARNEL_SOURCE_DIR "/res/DrvShortName.ini");

// Sections out of order, keys of absent devices, a key in other letter case, a value of 16
// full-width characters (32 bytes).
const std::string Settings = "[Wave Out]\r\nSW1000 #1 WAVE OUT=SW 1\r\nSB16 WAVE 出力=SB16\r\n"
                             "Absent Wave=１２３４５６７８９０１２３４５６\r\n\r\n[Midi "
                             "Out]\r\nYAMAHA CBX A Driver= CBX A\r\n"
                             "sw1000 midi out=SW\r\nCleared Device=ToClear\r\n"
                             "Long Device=１２３４５６７８９０１２３４５６\r\nNot Installed=NI\r\n"
                             "\r\n[Other]\r\nx=1\r\n";
const std::string Grown = Settings + "added elsewhere\r\n";
const std::string Longer = Settings + ";" + std::string(20000, 'x') + "\r\n";

// What an update of Settings writes: sections sorted, "=" one column after the longest key,
// keys of absent devices kept, names cut between whole characters.
std::string Saved(const std::string& midi, const std::string& waves) {
    return "[Midi Out]\r\n" + midi + "\r\n\r\n\r\n[Other]\r\nx = 1\r\n\r\n\r\n\r\n[Wave Out]\r\n" +
           waves + "\r\n\r\n\r\n";
}
const std::string Cleared = "Cleared Device      = ToClear\r\n";
const std::string Long = "Long Device         = １２３４５６７８９０１２３４５\r\n";
const std::string NewDevice = "New Device          = ND\r\n";
const std::string NotInstalled = "Not Installed       = NI\r\n";
const std::string SwAndCbx = "sw1000 midi out     = SW\r\nYAMAHA CBX A Driver = CBX A\r\n";
const std::string AbsentWave = "Absent Wave        = １２３４５６７８９０１２３４５６\r\n";
const std::string Sb16AndSw1 = "SB16 WAVE 出力     = SB16\r\nSW1000 #1 WAVE OUT = SW 1\r\n";

// The scripts of what the user does and sees, one step after each ";": click ROW (-1: below the
// rows), key NAME, type TEXT, kind midi|wave, press BUTTON, closebox, box NAME ANSWER,
// shows FIELD TEXT (it shows TEXT), browse confirm PATH | browse cancel (a file dialog comes
// and is answered), chosen (it came), grey ROW yes|no (drawn grey), focus FIELD, lock (another
// program makes the file grow and holds it open), unlock, closed. <inst> and <empty> stand for the
// installation's folder and an empty one; rows show as "name=short name|...".
const char* const Midi = "Cleared Device=ToClear|Long Device=１２３４５６７８９０１２３４５|New "
                         "Device=|SW1000 MIDI OUT=SW|YAMAHA CBX A Driver=CBX A";
const char* const Waves = "Quiet Wave=|SB16 WAVE 出力=SB16|SW1000 #1 WAVE OUT=SW 1";
const char* const Installed = "\"C:\\Setup\\remove.exe\" -f<inst>setup.log";

struct Scenario {
    const char* name;
    std::string script;
    std::string after = Settings; // the file at the end
    std::string backup = "";      // DrvShortName.ini.bak at the end ("": none)
    std::string before = Settings;
    const char* uninstall = Installed; // null: the key without the value
};

// clang-format off
const Scenario Scenarios[] = {
    {"showing, selecting with mouse and keys, 31 bytes at most, leaving only when asked",
     "shows path <inst>XGworks.exe; shows kind MIDI Out; shows rows " + std::string(Midi) + "; click 4; shows name CBX A; shows bytes 5/31; type "
     "CBX-A; key up; shows name SW; type SW-1; click -1; shows name ; type nowhere; shows rows "
     "Cleared Device=ToClear|Long Device=１２３４５６７８９０１２３４５|New Device=|SW1000 MIDI OUT=SW-1|"
     "YAMAHA CBX A Driver=CBX-A; kind wave; shows rows " + Waves + "; click 0; type " +
     std::string(50, 'q') + "; shows name " + std::string(31, 'q') + "; shows bytes 31/31; type "
     "１２３４５６７８９０１２３４５６; shows name １２３４５６７８９０１２３４５; shows bytes 30/31; kind "
     "midi; kind wave; shows rows Quiet Wave=１２３４５６７８９０１２３４５|SB16 WAVE 出力=SB16|SW1000 #1 "
     "WAVE OUT=SW 1; key escape; box discard no; press cancel; box discard no; closebox; box discard "
     "yes; closed"},
    {"an edit put back is none: no question", "click 4; type x; type CBX A; press cancel; closed"},
    {"Enter and F2 on a row go on to its name",
     "click 1; key return; focus name; click 2; key f2; focus name; press cancel; closed"},
    {"an update saves only when confirmed",
     "click 2; type ND; click 0; type ; kind wave; click 0; type QW; press reset; box reset no; "
     "press update; box update no; shows file " + Settings + "; press update; box update yes; box "
     "done ok; closed",
     Saved(Long + NewDevice + NotInstalled + SwAndCbx,
           AbsentWave + "Quiet Wave         = QW\r\n" + Sb16AndSw1), Settings},
    {"devices not connected: shown on request, edited and removed",
     "press absent; shows rows " + std::string(Midi) + "|Not Installed=NI; kind wave; shows rows " +
     Waves + "|Absent Wave=１２３４５６７８９０１２３４５; grey 2 no; grey 3 yes; click 3; type ; press absent; shows rows " + Waves + "; press "
     "absent; shows rows " + Waves + "|Absent Wave=; kind midi; click 5; type NI-2; press cancel; box discard no; press update; "
     "box update yes; box done ok",
     Saved(Cleared + Long + "Not Installed       = NI-2\r\n" + SwAndCbx, Sb16AndSw1), Settings},
    {"shared short names are asked about",
     "click 2; type SW; kind wave; click 0; type SB16; press update; box duplicates no; shows file "
     + Settings + "; press update; box duplicates yes; box update yes; box done ok",
     Saved(Cleared + Long + "New Device          = SW\r\n" + NotInstalled + SwAndCbx,
           AbsentWave + "Quiet Wave         = SB16\r\n" + Sb16AndSw1), Settings},
    {"a failed browse, update and reset lose nothing, nor what another program wrote",
     "click 2; type ND; press browse; box discard no; browse confirm <empty>XGworks.exe; press "
     "browse; box discard yes; chosen; box e1 ok; shows path <inst>XGworks.exe; lock; press update; "
     "box update yes; box e5 ok; press reset; box reset yes; box e4 ok; unlock; shows file " + Grown +
     "; press update; box update yes; box done ok",
     Saved(Cleared + Long + NewDevice + NotInstalled + SwAndCbx, AbsentWave + Sb16AndSw1), Grown},
    {"a reset replaces a longer file", "press reset; box reset yes; box resetdone ok; closed",
     DefaultText, Longer, Longer},
    {"a reset repairs a file without sections", "box e1 ok; press reset; box reset yes; box "
     "resetdone ok", DefaultText, "; no section\r\n", "; no section\r\n"},
    {"an update adds a missing section",
     "kind wave; click 0; type QW; press update; box update yes; box done ok", "[Midi Out]\r\nSW1000 "
     "MIDI OUT = SW\r\n\r\n\r\n\r\n[Wave Out]\r\nQuiet Wave = QW\r\n\r\n\r\n\r\n",
     "[Midi Out]\r\nSW1000 MIDI OUT=SW\r\n", "[Midi Out]\r\nSW1000 MIDI OUT=SW\r\n"},
    {"no uninstall value: message 3, the file dialog; nothing to save until one is chosen",
     "browse cancel; box e3 ok; chosen; shows rows ; press update; box update yes; box e5 ok; press "
     "reset; box e2 ok; browse confirm <inst>XGworks.exe; press browse; chosen; shows path "
     "<inst>XGworks.exe; shows rows " + std::string(Midi), Settings, "", Settings, nullptr},
    {"no marker: message 3", "browse cancel; box e3 ok; chosen; shows rows ; shows path ",
     Settings, "", Settings, "C:\\my-files\\remove.exe -F<inst>setup.log"},
    {"no folder after the marker: code 5", "box e5 ok; shows rows ", Settings, "", Settings,
     "C:\\Setup\\remove.exe -fsetup.log"},
    {"no settings file: code 1", "box e1 ok; shows rows ; shows path ", Settings, "", Settings,
     "C:\\Setup\\remove.exe -f<empty>setup.log"},
};
// clang-format on

const std::string Duplicates = std::string(DuplicateNamesText) +
                               "「SW」: New Device / SW1000 MIDI OUT\n"
                               "「SB16」: Quiet Wave / SB16 WAVE 出力\n" +
                               DuplicateNamesQuestion;
// clang-format off
const std::map<std::string, std::pair<const char*, const char*>> Boxes = {
    {"update", {ConfirmUpdateText, ConfirmUpdateCaption}}, {"done", {UpdateDoneText, UpdateDoneCaption}},
    {"reset", {ConfirmResetText, ConfirmResetCaption}}, {"resetdone", {ResetDoneText, ResetDoneCaption}},
    {"discard", {DiscardEditsText, DiscardEditsCaption}},
    {"duplicates", {Duplicates.c_str(), DuplicateNamesCaption}}, {"e1", {ErrorMessageTable[1], ErrorCaption}},
    {"e2", {ErrorMessageTable[2], ErrorCaption}}, {"e3", {ErrorMessageTable[3], ErrorCaption}},
    {"e4", {ErrorMessageTable[4], ErrorCaption}}, {"e5", {ErrorMessageTable[5], ErrorCaption}}};
const std::map<std::string, int> Names = {
    {"up", VK_UP}, {"escape", VK_ESCAPE}, {"return", VK_RETURN}, {"f2", VK_F2}, {"midi", MidiOut},
    {"wave", WaveOut}, {"yes", IDYES}, {"no", IDNO}, {"ok", IDOK}, {"update", IDC_UPDATE},
    {"cancel", IDC_CANCEL}, {"browse", IDC_BROWSE}, {"reset", IDC_RESET}, {"absent", IDC_SHOW_ABSENT},
    {"path", IDC_XGWORKS_PATH}, {"kind", IDC_DEVICE_KIND}, {"name", IDC_SHORT_NAME},
    {"bytes", IDC_SHORT_NAME_BYTES}};
// clang-format on

// The system's devices as the test makes them up: "<fails>" stands for a device whose
// capabilities query fails.
class FakeDeviceSource : public DeviceSource {
public:
    std::vector<std::string> names[DeviceKindCount] = {
        {"YAMAHA CBX A Driver", "SW1000 MIDI OUT", "<fails>", "Cleared Device", "Long Device",
         "New Device", "yamaha cbx a driver"},
        {"SW1000 #1 WAVE OUT", "Quiet Wave", "SB16 WAVE 出力"}};
    unsigned Count(DeviceKind kind) override { return static_cast<unsigned>(names[kind].size()); }
    bool Name(DeviceKind kind, unsigned id, char* name) override {
        lstrcpynA(name, names[kind].at(id) == "<fails>" ? "garbage" : names[kind][id].c_str(),
                  NameSize);
        return names[kind][id] != "<fails>";
    }
};

constexpr REGSAM RegistryView = XGworksUninstallAccess & KEY_WOW64_32KEY;

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
        POINT point = {bounds.left + 4 + 12 * offset, (bounds.top + bounds.bottom) / 2};
        ClientToScreen(list, &point);
        SetForegroundWindow(dialog);
        SetCursorPos(point.x, point.y);
        INPUT inputs[2] = {{INPUT_MOUSE, {}}, {INPUT_MOUSE, {}}};
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, inputs, sizeof(INPUT));
        if (WaitUntil([&] { return ListView_GetNextItem(list, -1, LVNI_SELECTED) == row; }, 700)) {
            return true;
        }
    }
    return false;
}

HWND FocusOf(HWND dialog) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

class MainDialogTest : public testing::Test {
protected:
    void SetUp() override { WriteBytes(executable, ""); }
    void TearDown() override {
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, XGworksUninstallKey, RegistryView, 0);
    }

    std::string Expand(std::string text) const {
        for (const auto& [token, path] : {std::make_pair("<inst>", installation.Path()),
                                          std::make_pair("<empty>", emptyFolder.Path())}) {
            for (std::size_t at; (at = text.find(token)) != std::string::npos;) {
                text.replace(at, std::string(token).size(), path);
            }
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
        if (value) {
            RegSetValueExA(key, XGworksUninstallValue, 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1));
        }
        RegCloseKey(key);
    }

    INT_PTR Run(const std::function<void(HWND)>& script) {
        MainDialog dialog(devices);
        return RunAndDrive(
            "Varnel", [&dialog] { return dialog.RunModal(nullptr, 0); }, script);
    }

    void Script(HWND dialog, const std::string& script) {
        std::istringstream steps(script);
        for (std::string step; std::getline(steps >> std::ws, step, ';');) {
            SCOPED_TRACE(step);
            if (!Do(dialog, Expand(step))) {
                break;
            }
        }
    }

    // One step of a script; false when the script cannot go on.
    bool Do(HWND dialog, const std::string& step) {
        const std::size_t space = step.find(' ');
        const std::string op = step.substr(0, space);
        const std::string rest = space == std::string::npos ? "" : step.substr(space + 1);
        const std::string word = rest.substr(0, rest.find(' '));
        const std::string text =
            rest.find(' ') == std::string::npos ? "" : rest.substr(rest.find(' ') + 1);
        const int n = Names.count(word) ? Names.at(word) : atoi(word.c_str());
        const auto shows = [&](const std::function<std::string()>& actual) {
            WaitUntil([&] { return actual() == text; }, 2000);
            EXPECT_EQ(actual(), text);
        };
        if (op == "click") {
            const bool clicked = ClickRow(dialog, n);
            EXPECT_TRUE(clicked);
            return clicked;
        } else if (op == "key") {
            SendMessageA(dialog, WM_NEXTDLGCTL,
                         reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_DEVICE_LIST)), TRUE);
            INPUT inputs[2] = {{INPUT_KEYBOARD, {}}, {INPUT_KEYBOARD, {}}};
            inputs[0].ki.wVk = inputs[1].ki.wVk = static_cast<WORD>(n);
            inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(2, inputs, sizeof(INPUT));
        } else if (op == "type") {
            SendMessageA(GetDlgItem(dialog, IDC_SHORT_NAME), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(rest.c_str()));
        } else if (op == "kind") {
            SendMessageA(GetDlgItem(dialog, IDC_DEVICE_KIND), CB_SETCURSEL, n, 0);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DEVICE_KIND, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_DEVICE_KIND)));
        } else if (op == "press" && n == IDC_SHOW_ABSENT) {
            PostMessageA(GetDlgItem(dialog, n), BM_CLICK, 0, 0);
        } else if (op == "press") {
            PressButton(dialog, n);
        } else if (op == "closebox") {
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else if (op == "box") {
            MessageBoxAnswerer::Expect(dialog, Boxes.at(word).first, Boxes.at(word).second,
                                       Names.at(text));
        } else if (op == "shows" && word == "rows") {
            shows([&] { return ListRows(dialog); });
        } else if (op == "shows" && word == "file") {
            shows([&] { return ReadBytes(settings); });
        } else if (op == "shows") {
            shows([&] { return TextOf(GetDlgItem(dialog, n)); });
        } else if (op == "browse") {
            chooser = FileDialogDriver::Start(word == "confirm" ? FileDialogDriver::Confirm
                                                                : FileDialogDriver::Cancel,
                                              text, dialog);
        } else if (op == "chosen") {
            EXPECT_NE(chooser.get(), "");
        } else if (op == "focus") {
            EXPECT_TRUE(WaitUntil([&] { return FocusOf(dialog) == GetDlgItem(dialog, n); }));
        } else if (op == "lock") {
            WriteBytes(settings, Grown);
            other = CreateFileA(settings.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        } else if (op == "unlock") {
            CloseHandle(other);
        } else if (op == "grey") {
            NMLVCUSTOMDRAW draw = {};
            draw.nmcd.hdr = {GetDlgItem(dialog, IDC_DEVICE_LIST), IDC_DEVICE_LIST, NM_CUSTOMDRAW};
            draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
            draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(n);
            SendMessageA(dialog, WM_NOTIFY, IDC_DEVICE_LIST, reinterpret_cast<LPARAM>(&draw));
            EXPECT_EQ(draw.clrText == GetSysColor(COLOR_GRAYTEXT), text == "yes");
        } else if (op == "closed") {
            EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
        } else {
            ADD_FAILURE() << "no such step";
            return false;
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
        EXPECT_EQ(Run([&](HWND dialog) { Script(dialog, scenario.script); }), 0);
        EXPECT_EQ(ReadBytes(settings), Expand(scenario.after));
        EXPECT_EQ(ReadBytes(settings + ".bak"), scenario.backup);
    }
}

LRESULT CALLBACK RefuseMainDialog(int code, WPARAM wParam, LPARAM lParam) {
    const auto* created = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
    if (code == HCBT_CREATEWND && !IS_INTRESOURCE(created->lpcs->lpszName) &&
        lstrcmpA(created->lpcs->lpszName, "Varnel") == 0) {
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// 0 when the dialog ran; when it cannot be created, code 5 and a non-zero exit code. The
// program carries the default text byte for byte.
TEST_F(MainDialogTest, WinMainAndResources) {
    SetUninstallString(Installed);
    WriteBytes(settings, Settings);
    const auto winMain = [] {
        return WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWNORMAL);
    };
    EXPECT_EQ(RunAndDrive("Varnel", winMain, [](HWND dialog) { PressButton(dialog, IDC_CANCEL); }),
              0);
    const HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseMainDialog, nullptr, GetCurrentThreadId());
    std::thread answer(
        [] { MessageBoxAnswerer::Expect(nullptr, ErrorMessageTable[5], ErrorCaption, IDOK); });
    EXPECT_NE(winMain(), 0);
    answer.join();
    UnhookWindowsHookEx(hook);

    ASSERT_EQ(DefaultText.size(), 16081u);
    for (const HMODULE module :
         {GetModuleHandleA(nullptr),
          LoadLibraryExA(VARNEL_EXECUTABLE, nullptr,
                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)}) {
        const HRSRC resource = FindResourceA(module, "#103", "Text");
        ASSERT_NE(resource, nullptr);
        const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
        EXPECT_EQ(std::string(bytes, SizeofResource(module, resource)), DefaultText);
    }
}

} // namespace
