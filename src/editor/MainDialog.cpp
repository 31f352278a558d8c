#include "editor/MainDialog.h"

#include "dialogs/FileDialog.h"
#include "editor/E8Error.h"
#include "editor/EditorTexts.h"
#include "editor/ResourceIds.h"
#include "editor/WinmmDeviceSource.h"
#include "host/RegistryKey.h"
#include "host/XGworksLookup.h"
#include "ini/AnsiText.h"
#include "ini/FileReplacement.h"
#include "ini/IniSection.h"

#include <commctrl.h>

#include <climits>
#include <map>
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
    if (!text.bytes) {
        throw E8Unknown;
    }
    return text;
}

std::string TextOf(Window& window) {
    std::string text(static_cast<std::size_t>(window.GetTextLength()) + 1, '\0');
    text.resize(static_cast<std::size_t>(window.GetText(&text[0], static_cast<int>(text.size()))));
    return text;
}

} // namespace

MainDialog::MainDialog() : MainDialog(SystemDevices()) {}

MainDialog::MainDialog(DeviceSource& devices)
    : DialogBase(IDD_MAIN), devices(devices), iniFile(std::make_unique<IniFile>()) {}

MainDialog::~MainDialog() = default;

INT_PTR MainDialog::HandleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    // The one place that catches: nothing may leave a window procedure, and whatever a handler
    // gives up on is told to the user here, after which the dialog goes on.
    try {
        switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(handle);
            break;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            break;
        case WM_NOTIFY:
            if (const LRESULT result = OnNotify(*reinterpret_cast<NMHDR*>(lParam))) {
                SetWindowLongPtrA(handle, DWLP_MSGRESULT, result);
                return TRUE;
            }
            break;
        case WM_CLOSE:
            // Handled: the dialog manager would turn an unhandled WM_CLOSE into another
            // キャンセル, and so ask again at once after a No.
            OnClose();
            return TRUE;
        }
    } catch (E8Error error) {
        ShowError(error);
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
    showAbsentCheck.Attach(handle, IDC_SHOW_ABSENT);

    authorEdit.SetText(AuthorText);
    webPageEdit.SetText(WebPageText);
    // The control may count characters; OnShortNameChange holds the box to bytes.
    shortNameEdit.LimitText(MaxShortNameBytes);
    kindCombo.AddString(DeviceKindTitle[MidiOut]);
    kindCombo.AddString(DeviceKindTitle[WaveOut]);
    SetupListColumns();
    kindCombo.SetCurSel(MidiOut);
    FillDeviceList(MidiOut);
    LocateXGworks();
}

void MainDialog::OnCommand(int id, int code) {
    switch (id) {
    case IDC_UPDATE:
        // Enter on a selected row means that row's name, not the default button.
        if (GetFocus() == deviceList.GetHandle() && (GetKeyState(VK_RETURN) & 0x8000) &&
            deviceList.GetNextSelected(0) >= 0) {
            EditSelectedName();
        } else {
            UpdateFile();
        }
        break;
    case IDC_CANCEL:
        Close();
        break;
    case IDC_SHORT_NAME:
        if (code == EN_CHANGE) {
            OnShortNameChange();
        }
        break;
    case IDC_BROWSE:
        OnBrowse();
        break;
    case IDC_DEVICE_KIND:
        if (code == CBN_SELCHANGE) {
            const int kind = kindCombo.GetCurSel();
            if (kind == MidiOut || kind == WaveOut) {
                FillDeviceList(static_cast<DeviceKind>(kind));
            }
        }
        break;
    case IDC_RESET:
        ResetFile();
        break;
    case IDC_SHOW_ABSENT:
        FillDeviceList(currentKind);
        break;
    }
}

LRESULT MainDialog::OnNotify(NMHDR& header) {
    if (header.idFrom != IDC_DEVICE_LIST) {
        return 0;
    }
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) &&
            ((change.uOldState ^ change.uNewState) & LVIS_SELECTED)) {
            OnDeviceSelectionChange();
        }
    } else if (header.code == LVN_KEYDOWN &&
               reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_F2) {
        EditSelectedName();
    } else if (header.code == NM_CUSTOMDRAW) {
        return OnListCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
    }
    return 0;
}

LRESULT MainDialog::OnListCustomDraw(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        if (static_cast<int>(draw.nmcd.dwItemSpec) >= presentRows) {
            draw.clrText = GetSysColor(COLOR_GRAYTEXT);
            return CDRF_NEWFONT;
        }
        break;
    }
    return CDRF_DODEFAULT;
}

void MainDialog::OnClose() {
    if (fileWritten || ConfirmDiscard()) {
        End(0);
    }
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
    ClearDeviceList();
    currentKind = kind;
    presentRows = static_cast<int>(deviceMaps[kind].size());
    const bool showAbsent = showAbsentCheck.GetCheck() == BST_CHECKED;
    for (const DeviceNameMap* map : {&deviceMaps[kind], &absentMaps[kind]}) {
        if (map == &absentMaps[kind] && !showAbsent) {
            break;
        }
        for (const auto& [name, shortName] : *map) {
            const int row = deviceList.PutItemText(name.c_str(), INT_MAX, 0);
            deviceList.PutItemText(shortName.c_str(), row, 1);
        }
    }
    shortNameEdit.SetText("");
}

void MainDialog::OnDeviceSelectionChange() {
    const int row = deviceList.GetNextSelected(0);
    char name[DeviceSource::NameSize] = "";
    // A copy: the change notification that setting the text raises writes into the map.
    std::string shortName;
    if (row >= 0 && deviceList.GetItemText(name, sizeof(name), row, 0)) {
        shortName = MapOfRow(row)[name];
    }
    shortNameEdit.SetText(shortName.c_str());
}

void MainDialog::OnShortNameChange() {
    std::string text = TextOf(shortNameEdit);
    char count[16];
    wsprintfA(count, ShortNameBytesFormat, static_cast<int>(text.size()), MaxShortNameBytes);
    SetChildText(IDC_SHORT_NAME_BYTES, count);
    const int row = deviceList.GetNextSelected(0);
    if (row < 0) {
        return;
    }
    const std::size_t fit = AnsiFitLength(text.c_str(), MaxShortNameBytes);
    if (fit < text.size()) {
        // What XGworks cannot read is refused here, where the user sees it; the change
        // notification of the shorter text stores it.
        MessageBeep(MB_OK);
        text.resize(fit);
        shortNameEdit.SetText(text.c_str());
        shortNameEdit.SetSel(INT_MAX, INT_MAX);
        return;
    }
    deviceList.SetItemText(text.c_str(), row, 1);
    char name[DeviceSource::NameSize] = "";
    if (deviceList.GetItemText(name, sizeof(name), row, 0)) {
        MapOfRow(row)[name] = text;
    }
}

void MainDialog::EditSelectedName() {
    if (deviceList.GetNextSelected(0) < 0) {
        return;
    }
    Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(shortNameEdit.GetHandle()), TRUE);
    shortNameEdit.SetSel(0, -1);
}

void MainDialog::OnBrowse() {
    if (!ConfirmDiscard()) {
        return;
    }
    FileDialog dialog;
    dialog.SetOwner(GetHandle());
    dialog.SetFlags(dialog.Flags() | OFN_HIDEREADONLY);
    dialog.SetFilter(XGworksFilter, XGworksFilterSize);
    if (dialog.Run(0, nullptr, nullptr) == 0) {
        return;
    }
    if (OpenXGworksSettings(dialog.Selection(0)) != E8Success) {
        throw E8SettingsNotFound;
    }
    LoadDeviceMaps();
}

int MainDialog::OpenXGworksSettings(const char* executablePath) {
    std::string directory = executablePath;
    const char* separator = FindLastAnsiChar(directory.c_str(), '\\');
    if (!separator) {
        throw std::out_of_range("the executable path names no folder");
    }
    directory.resize(static_cast<std::size_t>(separator - directory.c_str()));

    auto document = std::make_unique<IniFile>();
    if (document->Open((directory + XGworksSettingsName).c_str()) < 0) {
        // A file that opened but holds no section stays bound when nothing else is, so that
        // a reset can still repair it.
        if (!iniFile->NativeHandle()) {
            iniFile = std::move(document);
        }
        return E8SettingsNotFound;
    }
    iniFile = std::move(document);
    pathEdit.SetText(executablePath);
    return E8Success;
}

void MainDialog::LocateXGworks() {
    RegistryKey key;
    if (key.Open(RegistryRoot::LocalMachine, XGworksUninstallKey, XGworksUninstallAccess) !=
        ERROR_SUCCESS) {
        throw E8InstallationNotFound;
    }
    const RegistryValue* value = key.QueryValue(XGworksUninstallValue);
    if (!value) {
        throw E8InstallationNotFound;
    }
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
    if (result != E8Success) {
        throw static_cast<E8Error>(result);
    }
    LoadDeviceMaps();
}

void MainDialog::LoadDeviceMaps() {
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        deviceMaps[kind].clear();
        absentMaps[kind].clear();
        EnumerateDevices(static_cast<DeviceKind>(kind));
        loadedMaps[kind] = deviceMaps[kind];
        loadedAbsentMaps[kind] = absentMaps[kind];
    }
    FillDeviceList(currentKind);
}

void MainDialog::EnumerateDevices(DeviceKind kind) {
    const IniSection* section = iniFile->FindSection(DeviceKindSection[kind]);
    MergeDeviceNames(deviceMaps[kind], devices, kind, [section](const char* name) -> const char* {
        const auto found = section ? section->Find(name) : IniSection::const_iterator();
        return section && found != section->end() ? found->second.c_str() : nullptr;
    });
    if (!section) {
        return;
    }
    for (const auto& [name, shortName] : *section) {
        if (deviceMaps[kind].count(name) == 0) {
            absentMaps[kind][name] = FitShortName(shortName.c_str());
        }
    }
}

DeviceNameMap& MainDialog::MapOfRow(int row) {
    return row < presentRows ? deviceMaps[currentKind] : absentMaps[currentKind];
}

bool MainDialog::HasUnsavedEdits() const {
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        if (deviceMaps[kind] != loadedMaps[kind] || absentMaps[kind] != loadedAbsentMaps[kind]) {
            return true;
        }
    }
    return false;
}

bool MainDialog::ConfirmDiscard() {
    return !HasUnsavedEdits() || MessageBoxA(GetHandle(), DiscardEditsText, DiscardEditsCaption,
                                             MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool MainDialog::ConfirmDuplicates() {
    std::string lines;
    for (const DeviceNameMap& map : deviceMaps) {
        std::map<std::string, std::vector<std::string>> devicesOfName;
        for (const auto& [name, shortName] : map) {
            if (!shortName.empty()) {
                devicesOfName[shortName].push_back(name);
            }
        }
        for (const auto& [shortName, names] : devicesOfName) {
            if (names.size() < 2) {
                continue;
            }
            lines += DuplicateNameOpen + shortName + DuplicateNameClose;
            for (std::size_t i = 0; i < names.size(); ++i) {
                lines += (i > 0 ? DuplicateDeviceSeparator : "") + names[i];
            }
            lines += '\n';
        }
    }
    return lines.empty() ||
           MessageBoxA(GetHandle(), (DuplicateNamesText + lines + DuplicateNamesQuestion).c_str(),
                       DuplicateNamesCaption, MB_YESNO | MB_ICONWARNING) == IDYES;
}

void MainDialog::UpdateFile() {
    if (!ConfirmDuplicates() || MessageBoxA(GetHandle(), ConfirmUpdateText, ConfirmUpdateCaption,
                                            MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    if (!SaveDeviceNames()) {
        throw E8Unknown;
    }
    fileWritten = true;
    MessageBoxA(GetHandle(), UpdateDoneText, UpdateDoneCaption, MB_OK | MB_ICONINFORMATION);
    Close();
}

bool MainDialog::SaveDeviceNames() {
    if (!iniFile->NativeHandle()) {
        return false;
    }
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        IniSection* section = iniFile->FindSection(DeviceKindTitle[kind]);
        for (const auto& [name, shortName] : deviceMaps[kind]) {
            if (!shortName.empty()) {
                // A file without the section gets it with its first name.
                if (!section) {
                    section = new IniSection;
                    section->SetName(DeviceKindSection[kind]);
                    iniFile->AddSection(section);
                }
                section->Set(name.c_str(), shortName.c_str());
            } else if (section) {
                section->Erase(section->Find(name.c_str()));
            }
        }
        // Lines of devices that are not connected change only where the user edited them.
        for (const auto& [name, shortName] : absentMaps[kind]) {
            if (section && shortName != loadedAbsentMaps[kind].at(name)) {
                if (shortName.empty()) {
                    section->Erase(section->Find(name.c_str()));
                } else {
                    section->Set(name.c_str(), shortName.c_str());
                }
            }
        }
    }
    // A failed write leaves the file as it was and the document bound to it, so the user can
    // try again.
    if (iniFile->Write(true) != StatusOk) {
        return false;
    }
    iniFile->Close();
    return true;
}

void MainDialog::ResetFile() {
    if (!iniFile->NativeHandle()) {
        throw E8NoSettingsFile;
    }
    char path[MAX_PATH] = "";
    iniFile->FullPath(path, sizeof(path));
    if (MessageBoxA(GetHandle(), ConfirmResetText, ConfirmResetCaption,
                    MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    const DefaultSettings text = LoadDefaultSettings();
    // The document stays bound until the file is replaced, so that after a failure the edits
    // can still be saved.
    if (!ReplaceFileBytes(path, text.bytes, text.size)) {
        throw E8ResetFailed;
    }
    iniFile->Close();
    fileWritten = true;
    MessageBoxA(GetHandle(), ResetDoneText, ResetDoneCaption, MB_OK | MB_ICONINFORMATION);
    Close();
}

void MainDialog::ShowError(int code) {
    if (code < 0 || code >= E8ErrorCount) {
        code = E8Unknown;
    }
    MessageBoxA(GetHandle(), ErrorMessageTable[code], ErrorCaption, MB_OK | MB_ICONERROR);
    if (code == E8InstallationNotFound) {
        Post(WM_COMMAND, MAKEWPARAM(IDC_BROWSE, BN_CLICKED), 0);
    }
}
