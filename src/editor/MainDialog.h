#pragma once

#include "app/BalloonTip.h"
#include "app/CheckBox.h"
#include "app/ComboBox.h"
#include "app/DialogBase.h"
#include "app/EditBox.h"
#include "app/ListView.h"
#include "settings/SettingsModel.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

class DeviceSource;

// The one window: lists the devices of one kind with their short names, edits them, and saves
// or resets the XGworks settings file. What is written is the model's to decide; the dialog
// shows it, forwards the user's actions and asks the user's questions.
class MainDialog : public DialogBase {
public:
    // Devices come from the multimedia API unless a source is given.
    MainDialog();
    explicit MainDialog(DeviceSource& devices);
    ~MainDialog() override;
    MainDialog(const MainDialog&) = delete;
    MainDialog& operator=(const MainDialog&) = delete;

    INT_PTR HandleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) override;
    // F5 lists the devices again, wherever the focus is.
    bool OnDialogKey(WPARAM key) override;

    // Takes the folder of executablePath as XGworks' (SettingsModel::Open), lists its devices
    // and shows the path: E8Success, or E8SettingsNotFound when its file is missing or
    // unreadable (the folder is still the one shown) or the folder is refused (nothing changed).
    int OpenXGworksSettings(const char* executablePath);

private:
    // Opens the folder of executablePath in the model and, unless it is refused, shows it.
    SettingsModel::OpenResult ShowFolder(const char* executablePath);
    void OnInitDialog(HWND handle);
    void OnCommand(int id, int code);
    // A result for the dialog manager (DWLP_MSGRESULT), or 0.
    LRESULT OnNotify(NMHDR& header);
    // Greys the rows of devices that are not connected or cannot be named, and proposals.
    LRESULT OnListCustomDraw(NMLVCUSTOMDRAW& draw);
    void OnClose();
    void SetupListColumns();
    // Lists the devices of kind, selecting the row of device select when there is one.
    void FillDeviceList(DeviceKind kind, const std::string& select = std::string());
    // The first column of a device's row: its name, marked when devices share it.
    std::string RowText(const std::string& device);
    // Lists the devices the system has now, keeping every name, the selected row and the caret.
    void RefreshDevices();
    // The review of the devices that Windows renamed: the ones the user ticks take over their
    // old short names, as one take-over each.
    void OnReview();
    // Shares the list's width between its columns, the state column fitting its words.
    void FitListColumns();
    // Shows the short name of the selected row, or nothing in a disabled box when no row is
    // selected or its device cannot be named, however the selection came about (mouse,
    // keyboard, a refill of the list). While the model only shows, the box shows but stays
    // disabled.
    void OnDeviceSelectionChange();
    void OnShortNameChange();
    // What was just typed or pasted goes, with a beep and a balloon saying why: the box gets
    // back the text it had, the caret where the typing began.
    void RefuseShortNameChange(const wchar_t* reason);
    void ShowShortNameBytes(std::size_t bytes);
    // Shows text in the short-name box as the dialog's own doing, no edit, and accepts what the
    // box then holds.
    void SetShortNameBox(const std::string& text);
    // The short-name column of every row: its name, its proposal, or why it can have none; and
    // how many devices the review could give an old name.
    void ShowRowNames();
    // Right click, the Apps key or Shift+F10 on a present device's row (where: the screen point,
    // or -1 from the keyboard): a device not connected of the same kind gives it its short name.
    void OnListContextMenu(LPARAM where);
    // The device of the selected row, or null when no row is selected. Rows are known by the
    // device they were filled with, never by their text.
    const std::string* SelectedDevice();
    // Enter or F2 on a selected row: on to the short-name box, its text selected.
    void EditSelectedName();
    void OnBrowse();
    // Throws E8Error (or anything else, shown as code 5) when the installation cannot be
    // loaded; the lists then stay empty.
    void LocateXGworks();
    // True when there is nothing to lose or the user agrees to lose it.
    bool ConfirmDiscard();
    // True when no two present devices of a kind share a short name, or the user saves anyway.
    bool ConfirmDuplicates();
    // Runs a save or a reset, asking before it writes over what another program changed (the
    // model compares right before it writes, after every other question): true once written.
    // Throws the failure's description, headed by failure.
    bool WriteAsking(const std::function<WriteResult(const DiskState*)>& write,
                     const char* failure);
    void UpdateFile();
    // Writes every name into the file once no other program's change is in the way: true once
    // written.
    bool SaveDeviceNames();
    void ResetFile();
    // Shows the error box; code 3 promises the file dialog, so it follows the box.
    void ShowError(int code);
    void ShowErrorText(const char* text);
    int Ask(const char* text, const char* caption, UINT style);
    // Says, whatever the code page, why nothing can be written and how to change that; before
    // heads the notice.
    void TellReadOnly(const wchar_t* before);

    SettingsModel model;
    ListView deviceList;
    ComboBox kindCombo;
    EditBox pathEdit;
    EditBox shortNameEdit;
    EditBox authorEdit;
    EditBox webPageEdit;
    CheckBox showAbsentCheck;
    BalloonTip refusalTip;
    // The device of every row, present ones first: the list only shows them.
    std::vector<std::string> rowDevices;
    std::size_t presentRows = 0;
    // Whether a row shows a proposal, which is drawn grey.
    std::vector<bool> rowProposed;
    // Set while the list is filled: its selection changes are the dialog's own.
    bool filling = false;
    // The dialog's own modal loops open now (a question, a menu, a file dialog, the review): a
    // device change waits for them, as it would change the rows they are about.
    int modalLoops = 0;
    // The short-name box's text as last accepted, which a refused change brings back; set while
    // the dialog itself sets the box's text, whose change notification is then no edit.
    std::string acceptedName;
    bool settingShortNameBox = false;
    DeviceKind currentKind = MidiOut;
    // Set once the file is written: the dialog then closes without asking.
    bool fileWritten = false;
};
