// The dialog's scenarios: each tests/data/dialog/*.script is a test of its own, named after its
// file, that runs the real dialog through what the user does and sees, one step a line:
//   click NAME            clicks the row whose first column is NAME (the rest of the line, found
//                         as the list finds it: whole, in any letter case)
//   click below           clicks below the rows
//   menu                  a shortcut menu has opened
//   key KEY               presses KEY where the focus is: up, down, right, escape, return, f2,
//                         home, end, tab, apps, space, alt+b
//   chars TEXT            types TEXT where the focus is, a character at a time, as a keyboard
//                         does (KEYEVENTF_UNICODE); "U+00E9" types that one character
//   paste TEXT            pastes TEXT into the short name where its caret is
//   type TEXT             sets the short name's text at once (TEXT may be empty)
//   kind midi|wave        chooses the kind of devices
//   press BUTTON          clicks BUTTON: update, cancel, browse, reset, absent, review, restore
//   closebox              clicks the caption's close box
//   box BOX ANSWER        a message box comes and is answered yes, no, ok, enter (the Enter
//                         key, which presses its default button) or open (left open); BOX is
//                         update, done, reset, resetdone, restore (前の設定に戻す, with the
//                         backup's time), discard, duplicates, changed, nochanges, replacename,
//                         notice (the code page is not Japanese's), readonly (更新 or the reset
//                         refused for that), or an error box: nofolder (an update without a
//                         folder), notfound, noreset, noinstall, unknown, notxgworks, nobackup
//   asked LINES           what the last box said below its question: "|" between lines
//                         (nothing: it said nothing more)
//   error TEXT|TEXT...    an error box comes that holds each TEXT, then the system's own text
//                         for the error whose number it ends with; it is answered ok
//   shows FIELD TEXT      FIELD shows TEXT; FIELD is path, kind, name, bytes, note, list or a
//                         BUTTON
//   shows rows ROWS       the list shows ROWS, "name=short name|..." (nothing: no rows)
//   shows states ROWS     the list's state column shows ROWS, "name=state|..."
//   shows file FILE       DrvShortName.ini holds FILE's bytes
//   enabled yes|no FIELD  FIELD can be used, or not
//   focus FIELD           FIELD has the focus
//   tip REASON            the short-name box shows a balloon for REASON: long, comment,
//                         control, codepage (a character code page 932 lacks), or none
//   dpi                   the list grows as on a monitor of another DPI, and its columns fill it
//   label FIELD TEXT      the window right before FIELD, its label, after which a screen
//                         reader names it, shows TEXT
//   browse confirm PATH   the next file dialog, which a later step opens, is answered with PATH
//   browse cancel         the next file dialog is cancelled
//   chosen                that file dialog came, under its title, and went
//   change FILE           another program writes FILE into DrvShortName.ini; change bak FILE,
//                         into DrvShortName.ini.bak
//   activate              the user comes back to the dialog from another program
//   lock                  another program holds DrvShortName.ini open, not sharing its deletion
//   unlock                it lets the file go
//   review shows ROWS     the review of renamed devices is open and shows ROWS: "x" or "-" for
//                         each row's box, then its columns, ", " between, "|" between rows
//   review click N        clicks the box of its row N (from 0)
//   plug KIND NAMES       the system has the devices NAMES ("|" between) of KIND from now on
//   devicechange          the system says that devices came or went
//   closed                the dialog has gone
// Settings may come before the steps: before FILE (the file at the start; default
// settings.ini), after FILE (at the end; default: unchanged), bak FILE (DrvShortName.ini.bak at
// the start; default: none), backup FILE (DrvShortName.ini.bak at the end; default: none),
// uninstall TEXT|none (XGworks' uninstall string), held (another program holds the file from the
// start, letting nobody write it), devices KIND NAMES (the devices at start, as plug), locale NAME
// (the test runs under that Unix locale, e.g. en_US.UTF-8, instead of Japanese). FILE "default" is
// the default text, "none" no file at all; in any line <inst>, <empty> and <other> stand for the
// installation's folder, an empty one and another XGworks' folder; lines starting with # are
// comments. The files are code page 932, as the program reads. The first step that fails ends its
// script (an unknown step or word, a row not in the list, a check that does not hold), since later
// steps would act on a dialog in another state than they were written for; the dialog is closed
// then, what is still open counting as a failure.

#include "editor/MainDialog.h"

#include "dialogs/FileDialog.h"
#include "editor/E8Error.h"
#include "editor/EditorTexts.h"
#include "editor/ResourceIds.h"
#include "support/DialogDriver.h"
#include "support/ScratchFolder.h"

#include <commctrl.h>
#include <dbt.h>

#include <map>
#include <set>
#include <sstream>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

namespace {

const std::string DataFolder = VARNEL_TEST_DATA "dialog/";
const char* const Installed = "\"C:\\Setup\\remove.exe\" -f<inst>setup.log";

std::string Data(const std::string& name) {
    return ReadBytes(name == "default" ? VARNEL_DEFAULT_TEXT : DataFolder + name);
}

// clang-format off
// One table for each kind of word, so that a word of another kind fails as unknown.
const std::map<std::string, std::pair<std::string, std::string>> Boxes = {
    {"update", {ConfirmUpdateText, ConfirmUpdateCaption}}, {"done", {UpdateDoneText, UpdateDoneCaption}},
    {"reset", {ConfirmResetText, ConfirmResetCaption}}, {"resetdone", {ResetDoneText, ResetDoneCaption}},
    {"discard", {DiscardEditsText, DiscardEditsCaption}}, {"duplicates", {DuplicateNamesText + std::string(
        "「SW」: New Device / SW1000 MIDI OUT\n「SB16」: Quiet Wave / SB16 WAVE 出力\n") + DuplicateNamesQuestion, DuplicateNamesCaption}},
    {"changed", {ChangedOnDiskText, ChangedOnDiskCaption}}, {"nochanges", {NoChangesText, NoChangesCaption}},
    {"replacename", {ReplaceNameText, ReplaceNameCaption}}, {"nofolder", {NoSettingsToUpdateText, ErrorCaption}},
    {"notfound", {ErrorMessageTable[E8SettingsNotFound], ErrorCaption}}, {"noreset", {ErrorMessageTable[E8NoSettingsFile], ErrorCaption}},
    {"noinstall", {ErrorMessageTable[E8InstallationNotFound], ErrorCaption}}, {"unknown", {ErrorMessageTable[E8Unknown], ErrorCaption}},
    {"notxgworks", {ErrorMessageTable[E8SettingsNotFound] + std::string("\n\n") + NotXGworksFolderText, ErrorCaption}},
    {"nobackup", {NoBackupText, ErrorCaption}}, {"restore", {ConfirmRestoreFormat, ConfirmRestoreCaption}},
    {"notice", {Cp932(CodePageNoticeText), Cp932(CodePageCaption)}},
    {"readonly", {Cp932(ReadOnlyRefusalText + std::wstring(CodePageNoticeText)), Cp932(CodePageCaption)}}};
const std::map<std::string, int> Keys = {{"up", VK_UP}, {"down", VK_DOWN}, {"right", VK_RIGHT}, {"escape", VK_ESCAPE},
    {"return", VK_RETURN}, {"f2", VK_F2}, {"f5", VK_F5}, {"home", VK_HOME}, {"end", VK_END}, {"tab", VK_TAB},
    {"apps", VK_APPS}, {"space", VK_SPACE}, {"alt+b", 'B'}};
const std::map<std::string, int> Kinds = {{"midi", MidiOut}, {"wave", WaveOut}};
// "open" leaves the box open; "enter" presses its default button.
const std::map<std::string, int> Answers = {{"yes", IDYES}, {"no", IDNO}, {"ok", IDOK}, {"enter", 0}, {"open", -1}};
const std::map<std::string, int> Buttons = {{"update", IDC_UPDATE}, {"cancel", IDC_CANCEL}, {"browse", IDC_BROWSE},
    {"reset", IDC_RESET}, {"absent", IDC_SHOW_ABSENT}, {"review", IDC_REVIEW}, {"restore", IDC_RESTORE}};
const std::map<std::string, int> Fields = {{"path", IDC_XGWORKS_PATH}, {"kind", IDC_DEVICE_KIND}, {"name", IDC_SHORT_NAME},
    {"bytes", IDC_SHORT_NAME_BYTES}, {"note", IDC_DEVICE_NOTE}, {"list", IDC_DEVICE_LIST}, {"update", IDC_UPDATE}, {"cancel", IDC_CANCEL},
    {"browse", IDC_BROWSE}, {"reset", IDC_RESET}, {"absent", IDC_SHOW_ABSENT}, {"renamed", IDC_RENAMED},
    {"review", IDC_REVIEW}, {"restore", IDC_RESTORE}};
const std::map<std::string, std::wstring> Tips = {{"long", TooLongTipText}, {"comment", CommentTipText},
    {"control", ControlTipText}, {"codepage", NotInCodePageTipText}, {"none", L""}};
const std::map<std::string, bool> Choices = {{"yes", true}, {"no", false}, {"confirm", true}, {"cancel", false}};
// clang-format on

// An unknown word ends the script, rather than standing for some value.
template <typename Value>
const Value& At(const std::map<std::string, Value>& table, const std::string& word) {
    return table.count(word) ? table.at(word) : throw std::out_of_range("unknown word " + word);
}

// What follows word at the start of text and a blank.
std::string After(const std::string& word, const std::string& text) {
    return text.substr(std::min(text.size(), word.size() + 1));
}

// The system's devices as the test makes them up: "<fails>" stands for a device whose
// capabilities query fails. A name fills the field as the system does, without a terminator
// when it is that long.
class FakeDeviceSource : public DeviceSource {
public:
    std::vector<std::string> names[DeviceKindCount] = {
        {"YAMAHA CBX A Driver", "SW1000 MIDI OUT", "<fails>", "Cleared Device", "Long Device",
         "New Device", "yamaha cbx a driver", "3- USB MIDI Cable"},
        {"SW1000 #1 WAVE OUT", "Quiet Wave", "SB16 WAVE 出力", "Padded Wave ", "[Mix] Out"}};
    unsigned Count(DeviceKind kind) override { return static_cast<unsigned>(names[kind].size()); }
    bool Name(DeviceKind kind, unsigned id, char* name) override {
        const std::string& text = names[kind].at(id) == "<fails>" ? "garbage" : names[kind][id];
        CopyMemory(name, text.c_str(), std::min<std::size_t>(text.size() + 1, NameSize));
        return names[kind][id] != "<fails>";
    }
};

// A left click at point of window's client area, as the mouse gives it: the press and the
// release each carry their point, as a mouse's do. A pointer placed before the click would race
// the window system's own pointer events still on their way to the dialog's thread (those of a
// window just shown under the pointer), which move it back where the pointer was. Done once
// the dialog's thread has taken the click; false when window did not show at point.
bool Click(HWND window, POINT point) {
    ClientToScreen(window, &point);
    // A user clicks what shows under the pointer. The dialog shows only once a box of its start
    // has gone, while its controls answer before: a press until then would fall on the desktop.
    const bool shown = WaitUntil([&] { return WindowFromPoint(point) == window; });
    SetForegroundWindow(GetAncestor(window, GA_ROOT));
    // Absolute points run from 0 to 65535 across the primary screen; rounded up, each maps
    // back to its own pixel.
    const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const LONG x = (point.x * 65536 + width - 1) / width,
               y = (point.y * 65536 + height - 1) / height;
    const DWORD at = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return shown && SendAndWait(GetAncestor(window, GA_ROOTOWNER),
                                {{INPUT_MOUSE, {{x, y, 0, at | MOUSEEVENTF_LEFTDOWN, 0, 0}}},
                                 {INPUT_MOUSE, {{x, y, 0, at | MOUSEEVENTF_LEFTUP, 0, 0}}}});
}

// The rows of list, "|" between them: each its box's tick ("x" or "-") when ticks, and the texts
// of columns, separator between them.
std::string Rows(HWND list, std::vector<int> columns, const std::string& separator, bool ticks) {
    std::string rows;
    char text[256];
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        rows += row > 0 ? "|" : "";
        rows += !ticks ? "" : ListView_GetCheckState(list, row) ? "x" : "-";
        for (std::size_t i = 0; i < columns.size(); ++i) {
            ListView_GetItemText(list, row, columns[i], text, sizeof(text));
            rows += (i > 0 || ticks ? separator : "") + text;
        }
    }
    return rows;
}

// Clicks the row of list whose first column shows name, found by its text as the user finds it
// ("below": below the rows), and waits until the selection shows it. Each click lies beside the
// one before: clicks in one place in quick succession would make a double click.
bool ClickRow(HWND list, const std::string& name) {
    const LVFINDINFOA find = {LVFI_STRING, name.c_str(), 0, {0, 0}, 0};
    int row = -1;
    // A step posted before, such as a press, may still be filling the list.
    WaitUntil([&] { return (row = ListView_FindItem(list, -1, &find)) >= 0 || name == "below"; });
    if (row < 0 && name != "below") {
        throw std::out_of_range("no row " + name);
    }
    RECT bounds = {};
    row < 0 ? GetClientRect(list, &bounds) : ListView_GetItemRect(list, row, &bounds, LVIR_LABEL);
    static int offset = 0;
    return Click(list, {bounds.left + 4 + 12 * (++offset % 4),
                        row < 0 ? bounds.bottom - 4 : (bounds.top + bounds.bottom) / 2}) &&
           WaitUntil([&] { return ListView_GetNextItem(list, -1, LVNI_SELECTED) == row; });
}

// The program's installation as a scenario finds it, and what it holds between steps.
class Installation {
public:
    // <empty> holds no settings file and no XGworks, only some other file to pick; <other> is
    // another XGworks without its settings file.
    Installation() {
        WriteBytes(Path("XGworks.exe"), "");
        WriteBytes(empty.Path("notes.txt"), "");
        WriteBytes(another.Path("XGworks.exe"), "");
    }
    ~Installation() { RegDeleteKeyExA(HKEY_LOCAL_MACHINE, XGworksUninstallKey, View, 0); }

    std::string Path(const std::string& name) const { return folder.Path(name); }

    std::string Expand(const std::string& text) const {
        return ReplaceAll(
            ReplaceAll(ReplaceAll(text, "<inst>", folder.Path()), "<empty>", empty.Path()),
            "<other>", another.Path());
    }

    // The entry where the program looks; "none" leaves the key without one.
    void SetUninstallString(const std::string& value) {
        HKEY key = nullptr;
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, XGworksUninstallKey, View, 0);
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, XGworksUninstallKey, 0, nullptr, 0, KEY_WRITE | View,
                        nullptr, &key, nullptr);
        const std::string text = Expand(value);
        if (value != "none") {
            RegSetKeyValueA(key, nullptr, XGworksUninstallValue, REG_SZ, text.c_str(),
                            static_cast<DWORD>(text.size() + 1));
        }
        RegCloseKey(key);
    }

    // One step of a script; an unknown step, word or row throws std::out_of_range. A check
    // compares words, so an unknown word in it fails as well.
    void Do(HWND dialog, const std::string& step) {
        const std::string op = step.substr(0, step.find(' ')), rest = After(op, step);
        const std::string word = rest.substr(0, rest.find(' ')), text = After(word, rest);
        const auto shows = [](const std::string& expected, const auto& actual) {
            WaitUntil([&] { return actual() == expected; });
            EXPECT_EQ(actual(), expected);
        };
        if (op == "click") {
            EXPECT_TRUE(ClickRow(GetDlgItem(dialog, IDC_DEVICE_LIST), rest));
        } else if (op == "key" || op == "chars") {
            // Each pressed and let go: the key, or every character as KEYEVENTF_UNICODE sends it.
            std::wstring keys(rest.size() + 1, L'\0');
            const int size = static_cast<int>(keys.size());
            keys.resize(MultiByteToWideChar(CP_ACP, 0, rest.c_str(), -1, &keys[0], size) - 1);
            if (rest.rfind("U+", 0) == 0) { // a character the code page lacks, by its number
                keys =
                    std::wstring(1, static_cast<wchar_t>(std::stoul(rest.substr(2), nullptr, 16)));
            }
            const DWORD unicode = op == "chars" ? KEYEVENTF_UNICODE : 0;
            std::vector<INPUT> inputs;
            for (const wchar_t key : unicode ? keys : std::wstring(1, At(Keys, rest))) {
                inputs.push_back(Key(key, unicode));
                inputs.push_back(Key(key, unicode | KEYEVENTF_KEYUP));
            }
            // With Alt held, as the key of a button's marked letter is pressed.
            if (rest.rfind("alt+", 0) == 0) {
                inputs.insert(inputs.begin(), Key(VK_MENU));
                inputs.push_back(Key(VK_MENU, KEYEVENTF_KEYUP));
            }
            // Typed once the dialog shows, as a user does. Input is queued, while the later
            // steps' messages are sent at once: they wait until the dialog has taken the keys.
            EXPECT_TRUE(WaitUntil([dialog] { return IsWindowVisible(dialog); }) &&
                        SendAndWait(dialog, inputs))
                << "the dialog did not take the keys";
        } else if (op == "paste") {
            // As Ctrl+V does it: the text goes onto the clipboard and from there into the box.
            const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, rest.size() + 1);
            lstrcpyA(static_cast<char*>(GlobalLock(memory)), rest.c_str());
            GlobalUnlock(memory);
            OpenClipboard(nullptr);
            EmptyClipboard();
            SetClipboardData(CF_TEXT, memory);
            CloseClipboard();
            SendDlgItemMessageA(dialog, IDC_SHORT_NAME, WM_PASTE, 0, 0);
        } else if (op == "type") {
            SetDlgItemTextA(dialog, IDC_SHORT_NAME, rest.c_str());
        } else if (op == "kind") {
            SendDlgItemMessageA(dialog, IDC_DEVICE_KIND, CB_SETCURSEL, At(Kinds, word), 0);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_DEVICE_KIND, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_DEVICE_KIND)));
        } else if (op == "press" || op == "closebox") {
            // Posted, as a click arrives, since it may open a box. The later steps' messages,
            // sent, would come before it: they wait, as a user does, until it has been handled.
            const ThreadWatch watch(dialog);
            op == "press" ? PostMessageA(GetDlgItem(dialog, At(Buttons, word)), BM_CLICK, 0, 0)
                          : PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            EXPECT_TRUE(watch.WaitUntilIdle());
        } else if (op == "box") {
            std::string question = At(Boxes, word).first;
            if (word == "restore") { // the time of the backup, as the file system keeps it
                WIN32_FILE_ATTRIBUTE_DATA data = {};
                FILETIME local = {};
                SYSTEMTIME time = {};
                GetFileAttributesExA(Path("DrvShortName.ini.bak").c_str(), GetFileExInfoStandard,
                                     &data);
                FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
                FileTimeToSystemTime(&local, &time);
                question.resize(question.size() + 64);
                question.resize(wsprintfA(&question[0], ConfirmRestoreFormat, time.wYear,
                                          time.wMonth, time.wDay, time.wHour, time.wMinute));
            }
            ExpectBox(dialog, question, At(Boxes, word).second, At(Answers, text), asked);
        } else if (op == "asked") {
            EXPECT_EQ(asked, ReplaceAll(rest, "|", "\n"));
        } else if (op == "error") {
            const HWND box = WaitFor([dialog] { return FindOwned(dialog, false); });
            ASSERT_TRUE(box);
            const std::string shown = TextOf(GetDlgItem(box, MessageTextId));
            std::istringstream parts(rest);
            for (std::string part; std::getline(parts, part, '|');) {
                EXPECT_NE(shown.find(part), std::string::npos) << part << " in " << shown;
            }
            char system[512] = "";
            ASSERT_TRUE(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr,
                                       std::stoul(shown.substr(shown.rfind('(') + 1)), 0, system,
                                       sizeof(system), nullptr));
            std::string words = system;
            words.erase(words.find_last_not_of("\r\n") + 1);
            EXPECT_NE(shown.find(words), std::string::npos) << shown;
            EXPECT_TRUE(TextOf(box) == ErrorCaption && Answer(box, IDOK));
        } else if (op == "shows" && (word == "rows" || word == "states")) {
            shows(text, [&] {
                return Rows(GetDlgItem(dialog, IDC_DEVICE_LIST), {0, word == "rows" ? 1 : 2}, "=",
                            false);
            });
        } else if (op == "shows" && word == "file") {
            shows(Data(text), [&] { return ReadBytes(Path("DrvShortName.ini")); });
        } else if (op == "shows") {
            shows(text, [&] { return TextOf(GetDlgItem(dialog, At(Fields, word))); });
        } else if (op == "enabled") {
            const HWND field = GetDlgItem(dialog, At(Fields, text));
            const bool enabled = At(Choices, word);
            shows("yes", [&] { return IsWindowEnabled(field) == enabled ? "yes" : "no"; });
        } else if (op == "browse") {
            chooser = AnswerFileDialog(At(Choices, word), text, dialog);
        } else if (op == "chosen") {
            EXPECT_EQ(chooser.get(), FileDialog::DefaultOpenTitle);
        } else if (op == "focus") {
            GUITHREADINFO info = {};
            info.cbSize = sizeof(info);
            shows("yes", [&] {
                GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
                return info.hwndFocus == GetDlgItem(dialog, At(Fields, rest)) ? "yes" : "no";
            });
        } else if (op == "tip") {
            // The balloon of Wine, which shows none of the box's own, is a tooltip of the dialog
            // whose tool is the box.
            shows(Cp932(At(Tips, word)), [dialog] {
                wchar_t text[256] = L"";
                const auto box = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, IDC_SHORT_NAME));
                TTTOOLINFOW tool = {sizeof(tool), 0, dialog, box, {}, nullptr, text, 0, nullptr};
                SendMessageW(FindShown(TOOLTIPS_CLASSA, dialog), TTM_GETTEXTW, std::size(text),
                             reinterpret_cast<LPARAM>(&tool));
                return Cp932(text);
            });
        } else if (op == "dpi") {
            // On a monitor of another DPI the dialog manager scales the list; its columns fill it.
            const HWND list = GetDlgItem(dialog, IDC_DEVICE_LIST);
            RECT box = {};
            GetClientRect(list, &box);
            SetWindowPos(list, nullptr, 0, 0, box.right * 2, box.bottom, SWP_NOMOVE | SWP_NOZORDER);
            const WORD dpi = USER_DEFAULT_SCREEN_DPI * 2;
            GetWindowRect(dialog, &box);
            SendMessageW(dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                         reinterpret_cast<LPARAM>(&box));
            shows(std::to_string(GetClientRect(list, &box) ? box.right : 0), [list] {
                return std::to_string(ListView_GetColumnWidth(list, 0) +
                                      ListView_GetColumnWidth(list, 1) +
                                      ListView_GetColumnWidth(list, 2));
            });
        } else if (op == "label") {
            EXPECT_EQ(TextOf(GetWindow(GetDlgItem(dialog, At(Fields, word)), GW_HWNDPREV)), text);
        } else if (op == "change") {
            WriteBytes(Path(word == "bak" ? "DrvShortName.ini.bak" : "DrvShortName.ini"),
                       Data(word == "bak" ? text : rest));
        } else if (op == "activate") {
            SendMessageA(dialog, WM_ACTIVATE, WA_ACTIVE, 0);
        } else if (op == "lock" || op == "held") {
            other = CreateFileA(Path("DrvShortName.ini").c_str(), GENERIC_READ,
                                FILE_SHARE_READ | (op == "lock" ? FILE_SHARE_WRITE : 0), nullptr,
                                OPEN_EXISTING, 0, nullptr);
        } else if (op == "unlock") {
            CloseHandle(other);
        } else if (op == "menu") {
            EXPECT_TRUE(WaitFor([] { return FindShown("#32768", nullptr); }));
            // The keys choose, not an item that happens to lie under the pointer. The pointer
            // moves away once the menu has taken the window system's news of the pointer over
            // it, which would otherwise bring it back.
            EXPECT_TRUE(ThreadWatch(dialog).WaitUntilIdle());
            SetCursorPos(0, 0);
        } else if (op == "review") {
            const HWND review = WaitFor([dialog] {
                return FindShown("#32770", dialog, [](HWND window) {
                    return GetDlgItem(window, IDC_REVIEW_LIST) != nullptr;
                });
            });
            ASSERT_TRUE(review);
            const HWND list = GetDlgItem(review, IDC_REVIEW_LIST);
            if (word == "click") {
                const int row = std::stoi(text);
                const bool was = ListView_GetCheckState(list, row);
                RECT box = {};
                ListView_GetItemRect(list, row, &box, LVIR_BOUNDS);
                // The box is a small icon wide at the row's start.
                EXPECT_TRUE(Click(list, {box.left + GetSystemMetrics(SM_CXSMICON) / 2,
                                         (box.top + box.bottom) / 2}) &&
                            WaitUntil([&] { return ListView_GetCheckState(list, row) != was; }));
            } else if (word == "shows") {
                shows(text, [&] { return Rows(list, {0, 1, 2, 3, 4}, ", ", true); });
            } else {
                throw std::out_of_range("unknown word " + word);
            }
        } else if (op == "plug") {
            std::istringstream names(text);
            devices.names[At(Kinds, word)].clear();
            for (std::string name; std::getline(names, name, '|');) {
                devices.names[At(Kinds, word)].push_back(name);
            }
        } else if (op == "devicechange") {
            SendMessageA(dialog, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
        } else if (op == "closed") {
            EXPECT_TRUE(WaitUntil([dialog] { return !IsWindow(dialog); }));
        } else {
            throw std::out_of_range("no step " + op);
        }
    }

    FakeDeviceSource devices;

private:
    // Where a 32-bit program's entry is, which the program reads also when it is built 64-bit.
    static constexpr REGSAM View = XGworksUninstallAccess & KEY_WOW64_32KEY;
    ScratchFolder folder, empty, another;
    std::future<std::string> chooser;
    std::string asked;
    HANDLE other = INVALID_HANDLE_VALUE;
};

using Scenario = testing::TestWithParam<std::string>;

TEST_P(Scenario, Runs) {
    Installation installation;
    const std::string path = GetParam(), file = installation.Path("DrvShortName.ini");
    std::map<std::string, std::string> setting = {{"before", "settings.ini"}};
    std::vector<std::pair<int, std::string>> steps;
    std::ifstream lines(path, std::ios::binary);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        const std::string word = line.substr(0, line.find(' '));
        if (std::set<std::string>{"before", "after", "backup", "bak", "uninstall", "locale", "held"}
                .count(word)) {
            setting[word] = After(word, line);
        } else if (word == "devices") {
            installation.Do(nullptr, "plug " + line.substr(word.size() + 1));
        } else if (!line.empty() && line[0] != '#') {
            steps.emplace_back(number, installation.Expand(line));
        }
    }
    // A script that names a locale runs under it (tests/editor/CMakeLists.txt), the others under
    // Japanese.
    ASSERT_EQ(setting.count("locale") == 0, GetACP() == XGworksCodePage) << GetACP();
    setting["before"] == "none" ? DeleteFileA(file.c_str())
                                : WriteBytes(file, Data(setting["before"]));
    if (setting.count("bak")) {
        WriteBytes(file + ".bak", Data(setting["bak"]));
    }
    installation.SetUninstallString(setting.count("uninstall") ? setting["uninstall"] : Installed);
    if (setting.count("held")) {
        installation.Do(nullptr, "held");
    }
    const auto script = [&](HWND window) {
        for (std::size_t i = 0; i < steps.size() && !HasFailure(); ++i) {
            const auto& [number, step] = steps[i];
            const testing::ScopedTrace trace(path.c_str(), number, step);
            EXPECT_NO_THROW(installation.Do(window, step));
        }
    };
    MainDialog dialog(installation.devices);
    const auto run = [&dialog] { return dialog.RunModal(nullptr, 0); };
    EXPECT_EQ(RunAndDrive("Varnel", run, script), 0);
    EXPECT_EQ(ReadBytes(file), Data(setting.count("after") ? setting["after"] : setting["before"]));
    EXPECT_EQ(ReadBytes(file + ".bak"), setting["backup"].empty() ? "" : Data(setting["backup"]));
}

INSTANTIATE_TEST_SUITE_P(MainDialog, Scenario, testing::ValuesIn(FilesIn(DataFolder, ".script")),
                         [](const auto& info) {
                             std::string name = std::filesystem::path(info.param).stem().string();
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// The program as users start it, on the system's own devices, ends with 0.
TEST(MainDialog, WinMain) {
    Installation installation;
    installation.SetUninstallString(Installed);
    WriteBytes(installation.Path("DrvShortName.ini"), Data("settings.ini"));
    const auto winMain = [] { return WinMain(nullptr, nullptr, nullptr, 0); };
    EXPECT_EQ(RunAndDrive("Varnel", winMain, [](HWND dialog) { Answer(dialog, IDC_CANCEL); }), 0);
}

} // namespace
