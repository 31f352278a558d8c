#pragma once

#include "app/DialogBase.h"
#include "app/EditBox.h"
#include "editor/DevicePanel.h"
#include "editor/Questions.h"
#include "editor/SystemInstallation.h"
#include "settings/SettingsModel.h"

#include <functional>
#include <string>

// The one window: lists the devices of one kind with their short names, edits them, and saves
// or resets the XGworks settings file. The model decides everything that is written and shown;
// the dialog shows its rows (DevicePanel), forwards the user's actions and asks the user's
// questions (Questions).
class MainDialog : public DialogBase {
public:
    // Devices come from the multimedia API unless a source is given; XGworks from the registry.
    MainDialog();
    explicit MainDialog(DeviceSource& devices);
    ~MainDialog() override;
    MainDialog(const MainDialog&) = delete;
    MainDialog& operator=(const MainDialog&) = delete;

    INT_PTR HandleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) override;
    // F5 lists the devices again, wherever the focus is.
    bool OnDialogKey(WPARAM key) override;

    // Takes the folder of executablePath as XGworks' and shows it (SettingsModel::Open):
    // ModelDone, OpenNoFile (its file is missing or unreadable; the folder is the one shown) or
    // FolderRefused (nothing changed).
    ModelResult OpenXGworksSettings(const std::string& executablePath);

private:
    void OnInitDialog(HWND handle);
    void OnCommand(int id, int code);
    void OnClose();
    // Lists the devices of kind.
    void FillDeviceList(DeviceKind kind);
    void OnShortNameChange();
    void OnBrowse();
    // Shows the folder the model opened, unless it refused it.
    ModelResult ShowFolder(const ModelResult& opened);
    // Opens the folder that XGworks' uninstall entry names; tells why when it cannot.
    void LocateXGworks();
    // Runs a save, a reset or a restore, asking before it writes over what another program
    // changed (the model compares right before it writes, after every other question): true
    // once written, else the user was told why not.
    bool Write(const std::function<ModelResult()>& write, UserAction action);
    void UpdateFile();
    bool SaveDeviceNames();
    void ResetFile();
    // 前の設定に戻す: the file and its backup swap their bytes, once the user agrees.
    void RestoreBackup();
    // 前の設定に戻す can be pressed while there is a backup to take back.
    void ShowRestore();
    void ShowError(int code);

    SystemInstallation installation;
    SettingsModel model;
    Questions questions{*this};
    DevicePanel panel{*this, model, questions};
    EditBox pathEdit;
    EditBox authorEdit;
    EditBox webPageEdit;
    // Set once the file is written: the dialog then closes without asking.
    bool fileWritten = false;
};
