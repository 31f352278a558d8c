#include "editor/MainDialog.h"

#include "dialogs/FileDialog.h"
#include "editor/E8Error.h"
#include "editor/EditorTexts.h"
#include "editor/ResourceIds.h"
#include "editor/WinmmDeviceSource.h"
#include "host/RegistryKey.h"
#include "host/XGworksLookup.h"
#include "ini/FileReplacement.h"
#include "ini/IniSection.h"

#include <commctrl.h>

#include <climits>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

DeviceSource& SystemDevices() {
    static WinmmDeviceSource devices;
    return devices;
}

// The default settings text carried in the program's own resources.
struct DefaultSettings {
    const void* bytes = nullptr;
    DWORD size = 0;
};

DefaultSettings LoadDefaultSettings() {
    DefaultSettings text;
    const HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_DEFAULT_SETTINGS), "Text");
    const HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    if (loaded) {
        text.bytes = LockResource(loaded);
        text.size = SizeofResource(nullptr, resource);
    }
    if (!text.bytes)
        throw E8Unknown;
    return text;
}

} // namespace

MainDialog::MainDialog() : MainDialog(SystemDevices()) {}

MainDialog::MainDialog(DeviceSource& devices)
    : DialogBase(IDD_MAIN), devices(devices), iniFile(std::make_unique<IniFile>()) {}

MainDialog::~MainDialog() = default;

INT_PTR MainDialog::HandleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    // Nothing may leave a window procedure; what the handlers do not report themselves is
    // reported here.
    try {
        switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(handle);
            break;
        case WM_COMMAND: {
            const int code = HIWORD(wParam);
            switch (LOWORD(wParam)) {
            case IDC_UPDATE:
                UpdateFile();
                break;
            case IDC_CANCEL:
                Close();
                break;
            case IDC_SHORT_NAME:
                if (code == EN_CHANGE)
                    OnShortNameChange();
                break;
            case IDC_BROWSE:
                OnBrowse();
                break;
            case IDC_DEVICE_KIND:
                if (code == CBN_SELCHANGE) {
                    const int kind = static_cast<int>(kindCombo.GetCurSel());
                    if (kind == MidiOut || kind == WaveOut)
                        FillDeviceList(static_cast<DeviceKind>(kind));
                }
                break;
            case IDC_RESET:
                ResetFile();
                break;
            }
            break;
        }
        case WM_NOTIFY:
            if (wParam == IDC_DEVICE_LIST && reinterpret_cast<NMHDR*>(lParam)->code == NM_CLICK)
                OnDeviceListClick();
            break;
        case WM_CLOSE:
            End(0);
            break;
        }
    } catch (...) {
        ShowError(E8Unknown);
    }
    return 0;
}

void MainDialog::OnInitDialog(HWND handle) {
    authorEdit.Attach(handle, IDC_AUTHOR);
    webPageEdit.Attach(handle, IDC_WEB_PAGE);
    shortNameEdit.Attach(handle, IDC_SHORT_NAME);
    pathEdit.Attach(handle, IDC_XGWORKS_PATH);
    deviceList.Attach(handle, IDC_DEVICE_LIST);
    kindCombo.Attach(handle, IDC_DEVICE_KIND);

    authorEdit.SetText(AuthorText);
    webPageEdit.SetText(WebPageText);
    kindCombo.AddString(DeviceKindTitle[MidiOut]);
    kindCombo.AddString(DeviceKindTitle[WaveOut]);
    SetupListColumns();
    ClearDeviceList();
    LocateXGworks();
    kindCombo.SetCurSel(MidiOut);
    FillDeviceList(MidiOut);
}

void MainDialog::SetupListColumns() {
    deviceList.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    int width = 0;
    deviceList.GetClientSize(&width, nullptr);
    deviceList.InsertColumn(OriginalNameColumn, width - width / 3, 0, LVCFMT_LEFT);
    deviceList.InsertColumn(ShortNameColumn, width / 3, 1, LVCFMT_LEFT);
}

void MainDialog::ClearDeviceList() {
    deviceList.DeleteAllItems();
}

void MainDialog::FillDeviceList(DeviceKind kind) {
    deviceList.DeleteAllItems();
    for (const auto& device : deviceMaps[kind]) {
        const int row = static_cast<int>(deviceList.PutItemText(device.first.c_str(), INT_MAX, 0));
        deviceList.PutItemText(device.second.c_str(), row, 1);
    }
    currentKind = kind;
    SetChildText(IDC_SHORT_NAME, "");
}

void MainDialog::OnDeviceListClick() {
    const int row = static_cast<int>(deviceList.GetNextSelected(0));
    if (row < 0)
        return;
    char name[DeviceSource::NameSize] = "";
    if (!deviceList.GetItemText(name, sizeof(name), row, 0))
        return;
    // A copy: the change notification that setting the text raises writes into the map.
    const std::string shortName = deviceMaps[currentKind][name];
    SetChildText(IDC_SHORT_NAME, shortName.c_str());
}

void MainDialog::OnShortNameChange() {
    const int row = static_cast<int>(deviceList.GetNextSelected(0));
    if (row < 0)
        return;
    const int length = static_cast<int>(shortNameEdit.GetTextLength());
    std::vector<char> text(length + 1, '\0');
    shortNameEdit.GetText(text.data(), length + 1);
    deviceList.SetItemText(text.data(), row, 1);
    char name[DeviceSource::NameSize] = "";
    if (deviceList.GetItemText(name, sizeof(name), row, 0))
        deviceMaps[currentKind][name] = text.data();
}

void MainDialog::OnBrowse() {
    FileDialog dialog;
    dialog.SetOwner(GetHandle());
    dialog.SetFlags(dialog.Flags() | OFN_HIDEREADONLY);
    dialog.SetFilter(XGworksFilter, XGworksFilterSize);
    if (dialog.Run(0, nullptr, nullptr) == 0)
        return;
    if (OpenXGworksSettings(dialog.Selection(0)) != E8Success) {
        ShowError(E8SettingsNotFound);
        return;
    }
    for (DeviceNameMap& map : deviceMaps)
        map.clear();
    EnumerateMidiOutDevices();
    EnumerateWaveOutDevices();
    FillDeviceList(currentKind);
}

int MainDialog::OpenXGworksSettings(const char* executablePath) {
    std::string directory = executablePath;
    const std::size_t separator = FindLastSeparator(directory);
    if (separator == std::string::npos)
        throw std::out_of_range("the executable path names no folder");
    directory.resize(separator);

    auto document = std::make_unique<IniFile>();
    if (document->Open((directory + XGworksSettingsName).c_str()) < 0) {
        // A file that opened but holds no section stays bound when nothing else is, so that
        // a reset can still repair it.
        if (!iniFile->NativeHandle())
            iniFile = std::move(document);
        return E8SettingsNotFound;
    }
    iniFile = std::move(document);
    pathEdit.SetText(executablePath);
    return E8Success;
}

void MainDialog::LocateXGworks() {
    RegistryKey key;
    try {
        if (key.Open(RegistryRoot::LocalMachine, XGworksUninstallKey, XGworksUninstallAccess) !=
            ERROR_SUCCESS)
            throw E8InstallationNotFound;
        const RegistryValue* value = key.QueryValue(XGworksUninstallValue);
        if (!value)
            throw E8InstallationNotFound;
        std::string executable;
        switch (XGworksPathFromUninstallString(reinterpret_cast<const char*>(value->Data()),
                                               value->Size(), executable)) {
        case UninstallMarkerMissing:
            throw E8InstallationNotFound;
        case UninstallNoDirectory:
            throw E8Unknown;
        case UninstallPathFound:
            break;
        }
        const int result = OpenXGworksSettings(executable.c_str());
        if (result != E8Success)
            throw static_cast<E8Error>(result);
        EnumerateMidiOutDevices();
        EnumerateWaveOutDevices();
    } catch (E8Error error) {
        ShowError(error);
    } catch (...) {
        ShowError(E8Unknown);
    }
    key.Close();
}

void MainDialog::EnumerateMidiOutDevices() {
    EnumerateDevices(MidiOut);
}

void MainDialog::EnumerateWaveOutDevices() {
    EnumerateDevices(WaveOut);
}

void MainDialog::EnumerateDevices(DeviceKind kind) {
    const IniSection* section = iniFile->FindSection(DeviceKindSection[kind]);
    MergeDeviceNames(deviceMaps[kind], devices, kind,
                     [section](const char* name, char* buffer, int size) {
                         if (section)
                             section->Get(name, buffer, size);
                     });
}

void MainDialog::UpdateFile() {
    if (MessageBoxA(GetHandle(), ConfirmUpdateText, ConfirmUpdateCaption,
                    MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (!SaveDeviceNames()) {
        ShowError(E8Unknown);
        return;
    }
    MessageBoxA(GetHandle(), UpdateDoneText, UpdateDoneCaption, MB_OK | MB_ICONINFORMATION);
    Close();
}

bool MainDialog::SaveDeviceNames() {
    try {
        IniSection* sections[DeviceKindCount] = {};
        for (int kind = 0; kind < DeviceKindCount; ++kind) {
            sections[kind] = iniFile->FindSection(DeviceKindTitle[kind]);
            if (!sections[kind])
                return false;
        }
        for (int kind = 0; kind < DeviceKindCount; ++kind) {
            IniSection& section = *sections[kind];
            for (const auto& device : deviceMaps[kind]) {
                if (!device.second.empty()) {
                    section.Set(device.first.c_str(), device.second.c_str());
                } else {
                    const auto key = section.Find(device.first.c_str());
                    if (key != section.end())
                        section.Erase(key);
                }
            }
        }
        // A failed write leaves the file as it was and the document bound to it, so the
        // user can try again.
        if (iniFile->Write(true) != StatusOk)
            return false;
        iniFile->Close();
        return true;
    } catch (...) {
        return false;
    }
}

void MainDialog::ResetFile() {
    try {
        if (!iniFile->NativeHandle())
            throw E8NoSettingsFile;
        char path[MAX_PATH] = "";
        iniFile->FullPath(path, sizeof(path));
        if (MessageBoxA(GetHandle(), ConfirmResetText, ConfirmResetCaption,
                        MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        const DefaultSettings text = LoadDefaultSettings();
        // The document keeps the file open, which would stop its replacement.
        iniFile->Close();
        if (!ReplaceFileBytes(path, text.bytes, text.size)) {
            // The file kept its old bytes; bind it again so the edits can still be saved.
            iniFile->Open(path);
            throw E8ResetFailed;
        }
        MessageBoxA(GetHandle(), ResetDoneText, ResetDoneCaption, MB_OK | MB_ICONINFORMATION);
        Close();
    } catch (E8Error error) {
        ShowError(error);
    } catch (...) {
        ShowError(E8Unknown);
    }
}

void MainDialog::ShowError(int code) {
    if (code < 0 || code >= E8ErrorCount)
        code = E8Unknown;
    MessageBoxA(GetHandle(), ErrorMessageTable[code], ErrorCaption, MB_OK | MB_ICONERROR);
}
