#pragma once

#include "app/CheckBox.h"
#include "app/ComboBox.h"
#include "app/DialogBase.h"
#include "app/EditBox.h"
#include "app/ListView.h"
#include "editor/DeviceKind.h"
#include "editor/DeviceNameMap.h"
#include "ini/IniFile.h"

#include <commctrl.h>

#include <memory>

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

    // Loads the DrvShortName.ini beside executablePath and shows the path: E8Success, or
    // E8SettingsNotFound leaving a loaded file loaded. Throws std::out_of_range when the path
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
    // Shows the short name of the selected row, or nothing when no row is selected, however
    // the selection came about (mouse, keyboard, a refill of the list).
    void OnDeviceSelectionChange();
    void OnShortNameChange();
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
    // The map that holds the device of a row: present devices come first.
    DeviceNameMap& MapOfRow(int row);
    bool HasUnsavedEdits() const;
    // True when there is nothing to lose or the user agrees to lose it.
    bool ConfirmDiscard();
    // True when no two present devices of a kind share a short name, or the user saves anyway.
    bool ConfirmDuplicates();
    void UpdateFile();
    bool SaveDeviceNames();
    void ResetFile();
    // Shows the error box; code 3 promises the file dialog, so it follows the box.
    void ShowError(int code);

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
    DeviceKind currentKind = MidiOut;
    int presentRows = 0;
    // Set once the file is written: the dialog then closes without asking.
    bool fileWritten = false;
};
