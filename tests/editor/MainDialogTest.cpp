#include "editor/MainDialog.h"

#include "editor/E8Error.h"
#include "editor/EditorTexts.h"
#include "editor/ResourceIds.h"
#include "host/XGworksLookup.h"
#include "support/DialogDriver.h"
#include "support/ScratchFolder.h"

#include <commctrl.h>

#include <map>
#include <sstream>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

const std::string DefaultText = ReadBytes(VARNEL_DEFAULT_TEXT);

// The scenarios: in each tests/data/dialog/*.script, one step a line of what the user does and
// sees: click ROW (-1: below the rows), key NAME, type TEXT, kind midi|wave, press BUTTON,
// closebox, box NAME ANSWER, shows FIELD TEXT, shows file FILE, browse confirm PATH | browse
// cancel (a file dialog comes and is answered), chosen (it came), grey ROW yes|no (drawn grey),
// focus FIELD, lock (another program makes the file grow.ini and holds it open), unlock, closed.
// Before the steps: before FILE (default settings.ini), after FILE (default: unchanged),
// backup FILE (DrvShortName.ini.bak at the end; default none), uninstall TEXT|none. FILE
// "default" is the default text; <inst> and <empty> stand for the installation's folder and an
// empty one; rows show as "name=short name|...". The files are code page 932, as the program reads.
const std::string DataFolder = VARNEL_TEST_DATA "dialog/";
const char* const Installed = "\"C:\\Setup\\remove.exe\" -f<inst>setup.log";

std::string Data(const std::string& name) {
    return name == "default" ? DefaultText : ReadBytes(DataFolder + name);
}

const std::string Duplicates = std::string(DuplicateNamesText) +
                               "「SW」: New Device / SW1000 MIDI OUT\n"
                               "「SB16」: Quiet Wave / SB16 WAVE 出力\n" +
                               DuplicateNamesQuestion;
// clang-format off
// The boxes by name; "eN" is the error box of code N.
const std::map<std::string, std::pair<const char*, const char*>> Boxes = {
    {"update", {ConfirmUpdateText, ConfirmUpdateCaption}}, {"done", {UpdateDoneText, UpdateDoneCaption}},
    {"reset", {ConfirmResetText, ConfirmResetCaption}}, {"resetdone", {ResetDoneText, ResetDoneCaption}},
    {"discard", {DiscardEditsText, DiscardEditsCaption}}, {"duplicates", {Duplicates.c_str(), DuplicateNamesCaption}}};
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

// The program's installation as the scenarios find it, and what they hold between steps.
class Installation {
public:
    Installation() { WriteBytes(Path("XGworks.exe"), ""); }
    ~Installation() { RegDeleteKeyExA(HKEY_LOCAL_MACHINE, XGworksUninstallKey, View, 0); }

    std::string Path(const std::string& name) const { return folder.Path(name); }

    std::string Expand(const std::string& text) const {
        return ReplaceAll(ReplaceAll(text, "<inst>", folder.Path()), "<empty>", empty.Path());
    }

    // The entry where the program looks; "none" leaves the key without one.
    void SetUninstallString(const std::string& value) {
        HKEY key = nullptr;
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, XGworksUninstallKey, View, 0);
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, XGworksUninstallKey, 0, nullptr, 0,
                                  KEY_WRITE | View, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const std::string text = Expand(value);
        if (value != "none") {
            RegSetValueExA(key, XGworksUninstallValue, 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1));
        }
        RegCloseKey(key);
    }

    // One step of a script.
    void Do(HWND dialog, const std::string& step) {
        std::istringstream in(step);
        std::string op, word, text;
        std::getline(std::getline(std::getline(in, op, ' '), word, ' '), text);
        const std::string rest = step.substr(std::min(step.size(), op.size() + 1));
        const int n = Names.count(word) ? Names.at(word) : atoi(word.c_str());
        const auto shows = [&](const std::function<std::string()>& actual) {
            WaitUntil([&] { return actual() == text; }, 2000);
            EXPECT_EQ(actual(), text);
        };
        if (op == "click") {
            EXPECT_TRUE(ClickRow(dialog, n));
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
        } else if (op == "press") {
            PostMessageA(GetDlgItem(dialog, n), BM_CLICK, 0, 0);
        } else if (op == "closebox") {
            PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else if (op == "box") {
            const auto box = word[0] == 'e'
                                 ? std::make_pair(ErrorMessageTable[word[1] - '0'], ErrorCaption)
                                 : Boxes.at(word);
            ExpectBox(dialog, box.first, box.second, Names.at(text));
        } else if (op == "shows" && word == "rows") {
            shows([&] { return ListRows(dialog); });
        } else if (op == "shows" && word == "file") {
            EXPECT_EQ(ReadBytes(Path("DrvShortName.ini")), Data(text));
        } else if (op == "shows") {
            shows([&] { return TextOf(GetDlgItem(dialog, n)); });
        } else if (op == "browse") {
            chooser = AnswerFileDialog(word == "confirm", text, dialog);
        } else if (op == "chosen") {
            EXPECT_NE(chooser.get(), "");
        } else if (op == "focus") {
            GUITHREADINFO info = {};
            info.cbSize = sizeof(info);
            EXPECT_TRUE(WaitUntil([&] {
                return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) &&
                       info.hwndFocus == GetDlgItem(dialog, n);
            }));
        } else if (op == "lock") {
            WriteBytes(Path("DrvShortName.ini"), Data("grown.ini"));
            other =
                CreateFileA(Path("DrvShortName.ini").c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
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
        }
    }

private:
    // Where a 32-bit program's entry is, which the program reads also when it is built 64-bit.
    static constexpr REGSAM View = XGworksUninstallAccess & KEY_WOW64_32KEY;

    ScratchFolder folder;
    ScratchFolder empty;
    std::future<std::string> chooser;
    HANDLE other = INVALID_HANDLE_VALUE;
};

TEST(MainDialog, Scenarios) {
    Installation installation;
    const std::string settings = installation.Path("DrvShortName.ini");
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((DataFolder + "*.script").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        SCOPED_TRACE(found.cFileName);
        std::map<std::string, std::string> setting = {
            {"before", "settings.ini"}, {"uninstall", Installed}, {"backup", ""}};
        std::vector<std::string> steps;
        std::istringstream lines(Data(found.cFileName));
        for (std::string line; std::getline(lines, line);) {
            const std::string word = line.substr(0, line.find(' '));
            if (word == "before" || word == "after" || word == "backup" || word == "uninstall") {
                setting[word] = line.substr(word.size() + 1);
            } else if (!line.empty() && line[0] != '#') {
                steps.push_back(installation.Expand(line));
            }
        }
        const std::string before = Data(setting["before"]);
        WriteBytes(settings, before);
        DeleteFileA((settings + ".bak").c_str());
        installation.SetUninstallString(setting["uninstall"]);
        FakeDeviceSource devices;
        MainDialog dialog(devices);
        const auto script = [&](HWND window) {
            for (const std::string& step : steps) {
                SCOPED_TRACE(step);
                installation.Do(window, step);
            }
        };
        const auto run = [&dialog] { return dialog.RunModal(nullptr, 0); };
        EXPECT_EQ(RunAndDrive("Varnel", run, script), 0);
        EXPECT_EQ(ReadBytes(settings), setting.count("after") ? Data(setting["after"]) : before);
        EXPECT_EQ(ReadBytes(settings + ".bak"),
                  setting["backup"].empty() ? "" : Data(setting["backup"]));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

LRESULT CALLBACK RefuseMainDialog(int code, WPARAM wParam, LPARAM lParam) {
    const auto* created = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
    if (code == HCBT_CREATEWND && !IS_INTRESOURCE(created->lpcs->lpszName) &&
        lstrcmpA(created->lpcs->lpszName, "Varnel") == 0) {
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// 0 when the dialog ran; when it cannot be created, code 5 and a non-zero exit code.
TEST(MainDialog, WinMain) {
    Installation installation;
    installation.SetUninstallString(Installed);
    WriteBytes(installation.Path("DrvShortName.ini"), Data("settings.ini"));
    const auto winMain = [] {
        return WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWNORMAL);
    };
    EXPECT_EQ(RunAndDrive("Varnel", winMain, [](HWND dialog) { Answer(dialog, IDC_CANCEL); }), 0);
    const HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseMainDialog, nullptr, GetCurrentThreadId());
    std::thread answer([] { ExpectBox(nullptr, ErrorMessageTable[5], ErrorCaption, IDOK); });
    EXPECT_NE(winMain(), 0);
    answer.join();
    UnhookWindowsHookEx(hook);
}

} // namespace
