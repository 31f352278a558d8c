#include "editor/MainDialog.h"

#include "app/PopupMenu.h"
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
#include <windowsx.h>

#include <algorithm>
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

// Whether the box's text has a character that the ANSI code page lacks: the box holds Unicode,
// and reading it as ANSI text silently puts another character or "?" in its place.
bool HoldsOnlyCodePageText(HWND box) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(box, &text[0], static_cast<int>(text.size()))));
    BOOL lost = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr, &lost);
    return !lost;
}

// A menu takes "&" for the mark of the next letter's key, and shows "&&" as one; "&" is never
// the second byte of a double-byte character.
std::string MenuText(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        escaped += c;
        if (c == '&') {
            escaped += '&';
        }
    }
    return escaped;
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
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == deviceList.GetHandle()) {
                OnListContextMenu(lParam);
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
    } catch (const E8Detail& detail) {
        ShowErrorText(detail.text.c_str());
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
        // Enter on a selected row means that row's name, and Enter in the name ends its edit,
        // as a rename ends elsewhere: only a press of the button saves the whole file.
        if (GetKeyState(VK_RETURN) & 0x8000) {
            if (GetFocus() == deviceList.GetHandle() && SelectedEntry()) {
                EditSelectedName();
                break;
            }
            if (GetFocus() == shortNameEdit.GetHandle()) {
                Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(deviceList.GetHandle()), TRUE);
                break;
            }
        }
        UpdateFile();
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
        // A proposal is greyed in its own column only.
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const auto* entry =
            reinterpret_cast<const DeviceNameMap::value_type*>(draw.nmcd.lItemlParam);
        const bool proposed =
            draw.iSubItem == 1 && entry && entry->second.empty() && ProposalFor(*entry);
        draw.clrText = proposed ? GetSysColor(COLOR_GRAYTEXT) : CLR_DEFAULT;
        return CDRF_NEWFONT;
    }
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
        for (auto& entry : *map) {
            deviceList.InsertItem(entry.first.c_str(), INT_MAX, reinterpret_cast<LPARAM>(&entry));
        }
    }
    ShowRowNames();
    OnDeviceSelectionChange();
}

void MainDialog::OnDeviceSelectionChange() {
    const DeviceNameMap::value_type* entry = SelectedEntry();
    SetShortNameBox(entry ? entry->second : "");
    // A disabled box would take the keyboard's focus with it: Escape and Tab would go nowhere.
    if (!entry && GetFocus() == shortNameEdit.GetHandle()) {
        Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(deviceList.GetHandle()), TRUE);
    }
    shortNameEdit.Enable(entry != nullptr);
    ShowShortNameBytes(entry ? entry->second.size() : 0);
}

void MainDialog::SetShortNameBox(const std::string& text) {
    // Bytes that the box cannot show as they are (a character outside the code page, a broken
    // one) come back from it changed: only what the user types is an edit, never what the box
    // made of a name merely shown.
    settingShortNameBox = true;
    shortNameEdit.SetText(text.c_str());
    settingShortNameBox = false;
    acceptedName = TextOf(shortNameEdit);
}

DeviceNameMap::value_type* MainDialog::SelectedEntry() {
    const int row = deviceList.GetNextSelected(0);
    return row < 0 ? nullptr
                   : reinterpret_cast<DeviceNameMap::value_type*>(deviceList.GetItemParam(row));
}

void MainDialog::OnShortNameChange() {
    DeviceNameMap::value_type* entry = SelectedEntry();
    const std::string text = TextOf(shortNameEdit);
    if (!entry || settingShortNameBox || text == acceptedName) {
        return;
    }
    // What XGworks cannot read back is refused where the user sees it: more than it reads, a
    // ";", which the file takes for the start of a comment, or a character that the code page
    // lacks, which would be stored as another one or as "?".
    if (AnsiFitLength(text.c_str(), MaxShortNameBytes) < text.size() ||
        FindAnsiChar(text.c_str(), ';') || !HoldsOnlyCodePageText(shortNameEdit.GetHandle())) {
        RefuseShortNameChange();
        return;
    }
    acceptedName = text;
    entry->second = StoredShortName(text);
    ShowRowNames();
    ShowShortNameBytes(entry->second.size());
}

void MainDialog::ShowRowNames() {
    // A name given or taken elsewhere may make or end the proposal of another row.
    for (int row = 0; const LPARAM param = deviceList.GetItemParam(row); ++row) {
        const auto& entry = *reinterpret_cast<const DeviceNameMap::value_type*>(param);
        const DeviceNameMap::value_type* proposal =
            entry.second.empty() ? ProposalFor(entry) : nullptr;
        deviceList.SetItemText(
            proposal ? (ProposalMarker + proposal->second).c_str() : entry.second.c_str(), row, 1);
    }
}

std::vector<DeviceNameMap::value_type*> MainDialog::TakeOverChoices(const std::string& name) {
    std::vector<DeviceNameMap::value_type*> likely;
    std::vector<DeviceNameMap::value_type*> others;
    for (auto& entry : absentMaps[currentKind]) {
        if (!entry.second.empty()) {
            (SameDeviceModel(entry.first, name) ? likely : others).push_back(&entry);
        }
    }
    likely.insert(likely.end(), others.begin(), others.end());
    return likely;
}

const DeviceNameMap::value_type* MainDialog::ProposalFor(const DeviceNameMap::value_type& entry) {
    // Only a present device, and only one match: two would be a guess.
    const auto present = deviceMaps[currentKind].find(entry.first);
    if (present == deviceMaps[currentKind].end() || &*present != &entry) {
        return nullptr;
    }
    const DeviceNameMap::value_type* match = nullptr;
    for (const auto& absent : absentMaps[currentKind]) {
        if (!absent.second.empty() && SameDeviceModel(absent.first, entry.first)) {
            if (match) {
                return nullptr;
            }
            match = &absent;
        }
    }
    return match;
}

void MainDialog::OnListContextMenu(LPARAM where) {
    const int row = deviceList.GetNextSelected(0);
    DeviceNameMap::value_type* entry = SelectedEntry();
    if (!entry || row >= presentRows) {
        return;
    }
    POINT point = {GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    // From the keyboard (the Apps key, Shift+F10) the menu opens below the selected row.
    if (point.x == -1 && point.y == -1) {
        RECT label = {};
        deviceList.GetItemLabelRect(row, &label);
        point = {label.left, label.bottom};
        ClientToScreen(deviceList.GetHandle(), &point);
    }
    const std::vector<DeviceNameMap::value_type*> choices = TakeOverChoices(entry->first);
    PopupMenu menu;
    PopupMenu devicesMenu;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const std::string text =
            MenuText(choices[i]->first) + TakeOverSeparator + MenuText(choices[i]->second);
        devicesMenu.AppendItem(static_cast<UINT>(i + 1), text.c_str());
    }
    if (entry->second.empty() && ProposalFor(*entry)) {
        devicesMenu.SetDefaultItem(1);
    }
    menu.AppendSubmenu(devicesMenu, TakeOverMenuText, !choices.empty());
    const UINT chosen = menu.Track(GetHandle(), point);
    if (chosen > 0 && chosen <= choices.size()) {
        // The present device takes the name; the old line goes with the next save.
        entry->second = choices[chosen - 1]->second;
        choices[chosen - 1]->second.clear();
        ShowRowNames();
        OnDeviceSelectionChange();
    }
}

void MainDialog::RefuseShortNameChange() {
    MessageBeep(MB_OK);
    DWORD caret = 0;
    shortNameEdit.GetSel(nullptr, &caret);
    const int grown = shortNameEdit.LineLength();
    SetShortNameBox(acceptedName);
    const int typed = grown - shortNameEdit.LineLength();
    const int start = std::max(0, static_cast<int>(caret) - typed);
    shortNameEdit.SetSel(start, start);
}

void MainDialog::ShowShortNameBytes(std::size_t bytes) {
    char count[16];
    wsprintfA(count, ShortNameBytesFormat, static_cast<int>(bytes), MaxShortNameBytes);
    SetChildText(IDC_SHORT_NAME_BYTES, count);
}

void MainDialog::EditSelectedName() {
    if (!SelectedEntry()) {
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
}

int MainDialog::OpenXGworksSettings(const char* executablePath) {
    std::string directory = executablePath;
    const char* separator = FindLastAnsiChar(directory.c_str(), '\\');
    if (!separator) {
        throw std::out_of_range("the executable path names no folder");
    }
    directory.resize(static_cast<std::size_t>(separator - directory.c_str()));

    const std::string path = directory + XGworksSettingsName;
    // Read before the document, so that whatever another program writes after it is seen as a
    // change, never taken for what was loaded.
    std::string bytes;
    const bool existed = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    ReadFileBytes(path.c_str(), bytes);
    auto document = std::make_unique<IniFile>();
    const StatusCode status = document->Open(path.c_str());
    // A folder without the file is XGworks' only when XGworks is there: a reset creates the
    // file nowhere else.
    const DWORD executable = GetFileAttributesA((directory + XGworksExecutableName).c_str());
    const bool folderKnown = existed || (executable != INVALID_FILE_ATTRIBUTES &&
                                         !(executable & FILE_ATTRIBUTE_DIRECTORY));
    if (status != StatusOk && (iniFile->NativeHandle() || !folderKnown)) {
        return E8SettingsNotFound;
    }
    iniFile = std::move(document);
    settingsPath = path;
    loadedExisted = existed;
    loadedBytes = std::move(bytes);
    // A file without sections may be empty (an editor may have left a byte-order mark), ready
    // to be saved into; with anything else in it, it holds what Varnel could not read, and only
    // the reset may replace it.
    const std::size_t text = loadedBytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    unreadable = status == StatusNoSection &&
                 loadedBytes.find_first_not_of(" \t\r\n", text) != std::string::npos;
    if (status == StatusOk || (iniFile->NativeHandle() && !unreadable)) {
        LoadDeviceMaps();
    }
    // The folder shows whenever it is known, as the place a reset writes to.
    pathEdit.SetText(executablePath);
    return status == StatusOk ? E8Success : E8SettingsNotFound;
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
    // Without a folder to look in, the user is the one to name it.
    if (XGworksPathFromUninstallString(reinterpret_cast<const char*>(value->Data()), value->Size(),
                                       executable) != UninstallPathFound) {
        throw E8InstallationNotFound;
    }
    const int result = OpenXGworksSettings(executable.c_str());
    if (result != E8Success) {
        throw static_cast<E8Error>(result);
    }
}

void MainDialog::LoadDeviceMaps() {
    // The rows point into the maps: none may outlive them.
    ClearDeviceList();
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
                                             MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
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
                       DuplicateNamesCaption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

bool MainDialog::ConfirmOverwriteChanged() {
    std::string bytes;
    const bool exists = GetFileAttributesA(settingsPath.c_str()) != INVALID_FILE_ATTRIBUTES;
    // A file that cannot be read now is left to the write to report.
    const bool changed =
        exists != loadedExisted ||
        (exists && ReadFileBytes(settingsPath.c_str(), bytes) && bytes != loadedBytes);
    return !changed || MessageBoxA(GetHandle(), ChangedOnDiskText, ChangedOnDiskCaption,
                                   MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void MainDialog::UpdateFile() {
    if (!iniFile->NativeHandle() || unreadable) {
        // A file that could not be read is never written over: what it holds would be lost.
        if (settingsPath.empty()) {
            throw E8Detail{NoSettingsToUpdateText};
        }
        throw E8SettingsNotFound;
    }
    if (!ConfirmOverwriteChanged() || !ConfirmDuplicates() ||
        MessageBoxA(GetHandle(), ConfirmUpdateText, ConfirmUpdateCaption,
                    MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return;
    }
    ReplaceResult result;
    if (!SaveDeviceNames(result)) {
        throw DescribeReplaceFailure(UpdateFailedText, result);
    }
    fileWritten = true;
    MessageBoxA(GetHandle(), UpdateDoneText, UpdateDoneCaption, MB_OK | MB_ICONINFORMATION);
    Close();
}

bool MainDialog::SaveDeviceNames(ReplaceResult& result) {
    // The device sections as they were, put back when the write fails: the next save then
    // again writes what the dialog shows over what was loaded.
    std::vector<std::pair<IniSection*, IniSection::Entries>> before;
    std::vector<IniSection*> added;
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        IniSection* section = iniFile->FindSection(DeviceKindTitle[kind]);
        if (section) {
            before.emplace_back(section, IniSection::Entries(section->begin(), section->end()));
        }
        for (const auto& [name, shortName] : deviceMaps[kind]) {
            if (!shortName.empty()) {
                // A file without the section gets it with its first name.
                if (!section) {
                    section = new IniSection;
                    section->SetName(DeviceKindSection[kind]);
                    iniFile->AddSection(section);
                    added.push_back(section);
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
    if (iniFile->Write(true, &result) == StatusOk) {
        iniFile->Close();
        return true;
    }
    for (auto& [section, entries] : before) {
        while (section->begin() != section->end()) {
            section->Erase(section->begin());
        }
        for (const auto& [key, value] : entries) {
            section->Set(key.c_str(), value.c_str());
        }
    }
    for (IniSection* section : added) {
        iniFile->RemoveSection(section);
    }
    return false;
}

void MainDialog::ResetFile() {
    // A known folder is enough: a missing file is created.
    if (settingsPath.empty()) {
        throw E8NoSettingsFile;
    }
    if (!ConfirmOverwriteChanged() ||
        MessageBoxA(GetHandle(), ConfirmResetText, ConfirmResetCaption,
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    const DefaultSettings text = LoadDefaultSettings();
    // The document stays bound until the file is replaced, so that after a failure the edits
    // can still be saved.
    const ReplaceResult result = ReplaceFileBytes(settingsPath.c_str(), text.bytes, text.size);
    if (!result) {
        throw DescribeReplaceFailure(ErrorMessageTable[E8ResetFailed], result);
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
    ShowErrorText(ErrorMessageTable[code]);
    if (code == E8InstallationNotFound) {
        Post(WM_COMMAND, MAKEWPARAM(IDC_BROWSE, BN_CLICKED), 0);
    }
}

void MainDialog::ShowErrorText(const char* text) {
    MessageBoxA(GetHandle(), text, ErrorCaption, MB_OK | MB_ICONERROR);
}
