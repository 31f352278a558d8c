#pragma once

#include "app/CheckBox.h"
#include "app/ComboBox.h"
#include "app/DialogBase.h"
#include "app/EditBox.h"
#include "app/ListView.h"
#include "editor/DeviceKind.h"
#include "editor/DeviceNameMap.h"
#include "ini/FileReplacement.h"
#include "ini/IniFile.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

class DeviceSource;

// The one window: lists the devices of one kind with their short names, edits them, and saves
// or resets the XGworks settings file.
class MainDialog : public DialogBase {
public:
    // Devices come from the multimedia API unless a source is given.
    MainDialog();
    explicit MainDialog(DeviceSource& devices);
    ~MainDialog() override;
    MainDialog(const MainDialog&) = delete;
    MainDialog& operator=(const MainDialog&) = delete;

    INT_PTR HandleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) override;

    // Loads the DrvShortName.ini beside executablePath, lists the devices with its names and
    // shows the path: E8Success, or E8SettingsNotFound keeping a loaded file loaded (when none
    // was, a file that exists, or a missing one beside an existing executable, becomes the one
    // a reset repairs or creates, and its path shows). Throws std::out_of_range when the path
    // names no folder.
    int OpenXGworksSettings(const char* executablePath);

private:
    void OnInitDialog(HWND handle);
    void OnCommand(int id, int code);
    // A result for the dialog manager (DWLP_MSGRESULT), or 0.
    LRESULT OnNotify(NMHDR& header);
    // Greys the rows of devices that are not connected.
    LRESULT OnListCustomDraw(NMLVCUSTOMDRAW& draw);
    void OnClose();
    void SetupListColumns();
    void ClearDeviceList();
    void FillDeviceList(DeviceKind kind);
    // Shows the short name of the selected row, or nothing in a disabled box when no row is
    // selected, however the selection came about (mouse, keyboard, a refill of the list).
    void OnDeviceSelectionChange();
    void OnShortNameChange();
    // What was just typed or pasted goes, with a beep: the box gets back the text it had, the
    // caret where the typing began.
    void RefuseShortNameChange();
    void ShowShortNameBytes(std::size_t bytes);
    // Shows text in the short-name box as the dialog's own doing, no edit, and accepts what the
    // box then holds.
    void SetShortNameBox(const std::string& text);
    // The short-name column of every row: its name, or its proposal.
    void ShowRowNames();
    // Right click, the Apps key or Shift+F10 on a present device's row (where: the screen point,
    // or -1 from the keyboard): a device not connected of the same kind gives it its short name.
    void OnListContextMenu(LPARAM where);
    // The devices not connected of the current kind that have a short name, the likely same
    // device (SameDeviceModel) first.
    std::vector<DeviceNameMap::value_type*> TakeOverChoices(const std::string& name);
    // For a present device of the current kind: the one device not connected with a short name
    // that is likely the same device, or null when there is none or more than one.
    const DeviceNameMap::value_type* ProposalFor(const DeviceNameMap::value_type& entry);
    // The entry of the selected row, or null when no row is selected. Each row is inserted with
    // its entry, so that no row is ever found by its text.
    DeviceNameMap::value_type* SelectedEntry();
    // Enter or F2 on a selected row: on to the short-name box, its text selected.
    void EditSelectedName();
    void OnBrowse();
    // Throws E8Error (or anything else, shown as code 5) when the installation cannot be
    // loaded; the lists then stay empty.
    void LocateXGworks();
    // Builds both kinds' maps from the system's devices and the loaded document, and lists
    // the current kind.
    void LoadDeviceMaps();
    void EnumerateDevices(DeviceKind kind);
    bool HasUnsavedEdits() const;
    // True when there is nothing to lose or the user agrees to lose it.
    bool ConfirmDiscard();
    // True when no two present devices of a kind share a short name, or the user saves anyway.
    bool ConfirmDuplicates();
    // True when the file holds what Varnel read, or the user agrees to write over what another
    // program changed.
    bool ConfirmOverwriteChanged();
    void UpdateFile();
    // On failure result says why, and the document is as it was before the call.
    bool SaveDeviceNames(ReplaceResult& result);
    void ResetFile();
    // Shows the error box; code 3 promises the file dialog, so it follows the box.
    void ShowError(int code);
    void ShowErrorText(const char* text);

    DeviceSource& devices;
    // Held by pointer: "..." opens the new file into a fresh document and keeps it only when
    // that open succeeds.
    std::unique_ptr<IniFile> iniFile;
    ListView deviceList;
    ComboBox kindCombo;
    EditBox pathEdit;
    EditBox shortNameEdit;
    EditBox authorEdit;
    EditBox webPageEdit;
    CheckBox showAbsentCheck;
    DeviceNameMap deviceMaps[DeviceKindCount];
    // Names of the settings without a present device, with their short names, shown on
    // request; and both kinds of maps as loaded, to tell edits from what the file holds.
    DeviceNameMap absentMaps[DeviceKindCount];
    DeviceNameMap loadedMaps[DeviceKindCount];
    DeviceNameMap loadedAbsentMaps[DeviceKindCount];
    // DrvShortName.ini of the folder the user sees, empty while none is known; whether it existed
    // and its bytes when it was read, to tell another program's changes; whether it held bytes
    // that no section could be read from, which a save would lose.
    std::string settingsPath;
    bool loadedExisted = false;
    std::string loadedBytes;
    bool unreadable = false;
    // The short-name box's text as last accepted, which a refused change brings back; set while
    // the dialog itself sets the box's text, whose change notification is then no edit.
    std::string acceptedName;
    bool settingShortNameBox = false;
    DeviceKind currentKind = MidiOut;
    int presentRows = 0;
    // Set once the file is written: the dialog then closes without asking.
    bool fileWritten = false;
};
