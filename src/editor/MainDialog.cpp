#include "editor/MainDialog.h"

#include "app/PopupMenu.h"
#include "dialogs/FileDialog.h"
#include "editor/E8Error.h"
#include "editor/EditorTexts.h"
#include "editor/RenameReviewDialog.h"
#include "editor/ResourceIds.h"
#include "editor/WinmmDeviceSource.h"
#include "host/RegistryKey.h"
#include "host/XGworksLookup.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <map>
#include <string>
#include <vector>

namespace {

DeviceSource& SystemDevices() {
    static WinmmDeviceSource devices;
    return devices;
}

// The default settings text carried in the program's own resources.
std::string LoadDefaultSettings() {
    const HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_DEFAULT_SETTINGS), "Text");
    const HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) {
        throw E8Unknown;
    }
    return std::string(static_cast<const char*>(bytes), SizeofResource(nullptr, resource));
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

constexpr int StateColumnIndex = 2;

static_assert(sizeof(RefusalTipText) / sizeof(*RefusalTipText) == NameNotStored + 1,
              "a refusal tip for each NameProblem");

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

// Device changes come in bursts as a device's drivers load: the list is filled once they settle.
constexpr UINT RefreshDelay = 500;

// One of the dialog's own modal loops, open while it lives.
class ModalLoop {
public:
    explicit ModalLoop(int& open) : open(open) { ++open; }
    ~ModalLoop() { --open; }
    ModalLoop(const ModalLoop&) = delete;
    ModalLoop& operator=(const ModalLoop&) = delete;

private:
    int& open;
};

} // namespace

MainDialog::MainDialog() : MainDialog(SystemDevices()) {}

MainDialog::MainDialog(DeviceSource& devices) : DialogBase(IDD_MAIN), model(devices, GetACP()) {}

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
        case DpiChangedMessage:
            FitListColumns();
            return TRUE;
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == deviceList.GetHandle()) {
                OnListContextMenu(lParam);
                return TRUE;
            }
            break;
        case WM_DEVICECHANGE:
            SetTimer(handle, IDC_REFRESH, RefreshDelay, nullptr);
            return TRUE;
        case WM_TIMER:
            // A question open now is about the rows as they are: the list waits until it closes.
            if (wParam == IDC_REFRESH && modalLoops == 0) {
                KillTimer(handle, IDC_REFRESH);
                RefreshDevices();
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

bool MainDialog::OnDialogKey(WPARAM key) {
    return key == VK_F5 && Post(WM_COMMAND, MAKEWPARAM(IDC_REFRESH, 0), 0);
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
    if (!model.Writable()) {
        TellReadOnly(L"");
    }
    LocateXGworks();
}

void MainDialog::OnCommand(int id, int code) {
    switch (id) {
    case IDC_UPDATE:
        // Enter on a selected row means that row's name, and Enter in the name ends its edit,
        // as a rename ends elsewhere: only a press of the button saves the whole file.
        if (GetKeyState(VK_RETURN) & 0x8000) {
            if (GetFocus() == deviceList.GetHandle() && SelectedDevice()) {
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
    case IDC_REVIEW:
        OnReview();
        break;
    case IDC_REFRESH:
        RefreshDevices();
        break;
    }
}

LRESULT MainDialog::OnNotify(NMHDR& header) {
    if (header.idFrom != IDC_DEVICE_LIST) {
        return 0;
    }
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (!filling && (change.uChanged & LVIF_STATE) &&
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
    const std::size_t row = draw.nmcd.dwItemSpec;
    const std::string* device = row < rowDevices.size() ? &rowDevices[row] : nullptr;
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        if (device && (row >= presentRows || !model.CanName(currentKind, *device))) {
            draw.clrText = GetSysColor(COLOR_GRAYTEXT);
            return CDRF_NEWFONT;
        }
        // A proposal is greyed in its own column only.
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const bool proposed = draw.iSubItem == 1 && row < rowProposed.size() && rowProposed[row];
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
    deviceList.InsertColumn(OriginalNameColumn, 0, 0, LVCFMT_LEFT);
    deviceList.InsertColumn(ShortNameColumn, 0, 1, LVCFMT_LEFT);
    deviceList.InsertColumn(StateColumn, 0, StateColumnIndex, LVCFMT_LEFT);
    FitListColumns();
}

void MainDialog::FitListColumns() {
    // The state column as wide as its longest word, with room for the margins of the header and
    // the rows, about two characters; the names share the rest two to one.
    int state = 0;
    for (const char* text : {StateColumn, AbsentStateText, ProposalStateText}) {
        state = std::max(state, deviceList.GetStringWidth(text));
    }
    state += deviceList.GetStringWidth("00");
    int width = 0;
    deviceList.GetClientSize(&width, nullptr);
    const int names = width - state;
    deviceList.SetColumnWidth(0, names - names / 3);
    deviceList.SetColumnWidth(1, names / 3);
    deviceList.SetColumnWidth(StateColumnIndex, state);
}

void MainDialog::FillDeviceList(DeviceKind kind, const std::string& select) {
    filling = true;
    deviceList.DeleteAllItems();
    currentKind = kind;
    rowDevices.clear();
    for (const auto& entry : model.Present(kind)) {
        rowDevices.push_back(entry.first);
    }
    presentRows = rowDevices.size();
    if (showAbsentCheck.GetCheck() == BST_CHECKED) {
        for (const auto& entry : model.Absent(kind)) {
            rowDevices.push_back(entry.first);
        }
    }
    for (std::size_t row = 0; row < rowDevices.size(); ++row) {
        deviceList.InsertItem(RowText(rowDevices[row]).c_str(), INT_MAX, static_cast<LPARAM>(row));
        if (!select.empty() && lstrcmpiA(rowDevices[row].c_str(), select.c_str()) == 0) {
            deviceList.SelectRow(static_cast<int>(row));
        }
    }
    filling = false;
    // Rows past the list's height bring a scroll bar, which takes from the columns' width.
    FitListColumns();
    ShowRowNames();
    OnDeviceSelectionChange();
}

std::string MainDialog::RowText(const std::string& device) {
    const unsigned same = model.DeviceCount(currentKind, device);
    if (same < 2) {
        return device;
    }
    char text[DeviceSource::NameSize + sizeof(SameNameDevicesFormat) * 2];
    wsprintfA(text, SameNameDevicesFormat, device.c_str(), same);
    return text;
}

void MainDialog::RefreshDevices() {
    const std::string* selected = SelectedDevice();
    const std::string keep = selected ? *selected : "";
    DWORD start = 0;
    DWORD end = 0;
    shortNameEdit.GetSel(&start, &end);
    const std::string typed = TextOf(shortNameEdit);
    model.Refresh();
    FillDeviceList(currentKind, keep);
    selected = SelectedDevice();
    if (selected && lstrcmpiA(selected->c_str(), keep.c_str()) == 0) {
        // The box as the user left it, with the blanks still being typed that the model's
        // name leaves off.
        if (StoredShortName(typed) == *model.ShortNameOf(currentKind, *selected)) {
            SetShortNameBox(typed);
        }
        shortNameEdit.SetSel(static_cast<int>(start), static_cast<int>(end));
    }
}

void MainDialog::OnReview() {
    RenameReview review(model);
    RenameReviewDialog dialog(review);
    INT_PTR result = IDCANCEL;
    if (!review.Matches().empty()) {
        const ModalLoop loop(modalLoops);
        result = dialog.RunModal(GetHandle(), 0);
    }
    if (result == -1) {
        throw E8Unknown;
    }
    if (result == IDOK) {
        review.Apply(model);
        ShowRowNames();
        OnDeviceSelectionChange();
    }
}

void MainDialog::OnDeviceSelectionChange() {
    refusalTip.Hide();
    const std::string* device = SelectedDevice();
    const bool named = device && model.CanName(currentKind, *device);
    const bool editable = named && model.Writable();
    const std::string shortName = named ? *model.ShortNameOf(currentKind, *device) : "";
    SetShortNameBox(shortName);
    // A disabled box would take the keyboard's focus with it: Escape and Tab would go nowhere.
    if (!editable && GetFocus() == shortNameEdit.GetHandle()) {
        Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(deviceList.GetHandle()), TRUE);
    }
    shortNameEdit.Enable(editable);
    ShowShortNameBytes(shortName.size());
    const unsigned same = device ? model.DeviceCount(currentKind, *device) : 0;
    char note[sizeof(SameNameDevicesNote) * 2] = "";
    if (same > 1) {
        wsprintfA(note, SameNameDevicesNote, same);
    }
    SetChildText(IDC_DEVICE_NOTE, note);
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

const std::string* MainDialog::SelectedDevice() {
    const int row = deviceList.GetNextSelected(0);
    return row >= 0 && static_cast<std::size_t>(row) < rowDevices.size() ? &rowDevices[row]
                                                                         : nullptr;
}

void MainDialog::OnShortNameChange() {
    const std::string* device = SelectedDevice();
    const std::string text = TextOf(shortNameEdit);
    if (!device || settingShortNameBox || text == acceptedName) {
        return;
    }
    // What XGworks cannot read back is refused where the user sees it (the model's reasons),
    // and so is a character that the code page lacks, which would be stored as another one or
    // as "?".
    if (!HoldsOnlyCodePageText(shortNameEdit.GetHandle())) {
        RefuseShortNameChange(NotInCodePageTipText);
        return;
    }
    if (!model.SetName(currentKind, *device, text)) {
        RefuseShortNameChange(RefusalTipText[CheckShortName(text)]);
        return;
    }
    acceptedName = text;
    ShowRowNames();
    ShowShortNameBytes(model.ShortNameOf(currentKind, *device)->size());
}

void MainDialog::ShowRowNames() {
    // A name given or taken elsewhere may make or end the proposal of another row.
    std::map<std::string, std::string, NoCaseLess> proposals;
    int renamed = 0;
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        const std::string* last = nullptr;
        for (const RenameMatch& match : model.RenameMatches(static_cast<DeviceKind>(kind))) {
            // A device's matches come together.
            renamed += !last || *last != match.device;
            last = &match.device;
            if (match.sure && kind == currentKind) {
                proposals[match.device] = match.shortName;
            }
        }
    }
    rowProposed.assign(rowDevices.size(), false);
    for (std::size_t row = 0; row < rowDevices.size(); ++row) {
        const std::string& device = rowDevices[row];
        const auto proposal = proposals.find(device);
        // Read only, nothing can be taken over: no proposal either.
        rowProposed[row] = model.Writable() && proposal != proposals.end();
        const std::string text = !model.CanName(currentKind, device) ? UnnamableDeviceText
                                 : rowProposed[row] ? ProposalMarker + proposal->second
                                                    : *model.ShortNameOf(currentKind, device);
        deviceList.SetItemText(text.c_str(), static_cast<int>(row), 1);
        const char* state = row >= presentRows ? AbsentStateText
                            : rowProposed[row] ? ProposalStateText
                                               : "";
        deviceList.SetItemText(state, static_cast<int>(row), StateColumnIndex);
    }
    // Read only, nothing can be taken over.
    renamed = model.Writable() ? renamed : 0;
    char count[sizeof(RenamedDevicesFormat) + sizeof(int) * CHAR_BIT] = "";
    if (renamed) {
        wsprintfA(count, RenamedDevicesFormat, renamed);
    }
    SetChildText(IDC_RENAMED, count);
    // A hidden button cannot keep the keyboard's focus.
    if (!renamed && GetFocus() == GetChild(IDC_REVIEW)) {
        Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(deviceList.GetHandle()), TRUE);
    }
    for (const int id : {IDC_RENAMED, IDC_REVIEW}) {
        ShowWindow(GetChild(id), renamed ? SW_SHOW : SW_HIDE);
        EnableWindow(GetChild(id), renamed > 0);
    }
}

void MainDialog::OnListContextMenu(LPARAM where) {
    const int row = deviceList.GetNextSelected(0);
    // A copy: the menu and the question run message loops, in which the list may be filled anew.
    const std::string device = SelectedDevice() ? *SelectedDevice() : "";
    if (device.empty() || static_cast<std::size_t>(row) >= presentRows ||
        !model.CanName(currentKind, device) || !model.Writable()) {
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
    const std::vector<std::string> choices = model.TakeOverChoices(currentKind, device);
    PopupMenu menu;
    PopupMenu devicesMenu;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const std::string text = MenuText(choices[i]) + TakeOverSeparator +
                                 MenuText(*model.ShortNameOf(currentKind, choices[i]));
        devicesMenu.AppendItem(static_cast<UINT>(i + 1), text.c_str());
    }
    if (model.ProposalFor(currentKind, device)) {
        devicesMenu.SetDefaultItem(1);
    }
    menu.AppendSubmenu(devicesMenu, TakeOverMenuText, !choices.empty());
    UINT chosen = 0;
    {
        const ModalLoop loop(modalLoops);
        chosen = menu.Track(GetHandle(), point);
    }
    if (chosen == 0 || chosen > choices.size()) {
        return;
    }
    // The present device takes the name; the old line goes with the next save. A name of its
    // own goes only when the user says so.
    const std::string& source = choices[chosen - 1];
    if (model.TakeOver(currentKind, device, source, false) == TakeOverNeedsConsent &&
        Ask(ReplaceNameText, ReplaceNameCaption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) ==
            IDYES) {
        model.TakeOver(currentKind, device, source, true);
    }
    ShowRowNames();
    OnDeviceSelectionChange();
}

void MainDialog::RefuseShortNameChange(const wchar_t* reason) {
    MessageBeep(MB_OK);
    DWORD caret = 0;
    shortNameEdit.GetSel(nullptr, &caret);
    const int grown = shortNameEdit.LineLength();
    SetShortNameBox(acceptedName);
    const int typed = grown - shortNameEdit.LineLength();
    const int start = std::max(0, static_cast<int>(caret) - typed);
    shortNameEdit.SetSel(start, start);
    refusalTip.Show(shortNameEdit, RefusalTipTitle, reason, TTI_WARNING);
}

void MainDialog::ShowShortNameBytes(std::size_t bytes) {
    // Room for the format with both numbers as long as an int can be.
    char count[sizeof(ShortNameBytesFormat) + 2 * sizeof(int) * CHAR_BIT];
    wsprintfA(count, ShortNameBytesFormat, static_cast<int>(bytes), MaxShortNameBytes);
    SetChildText(IDC_SHORT_NAME_BYTES, count);
}

void MainDialog::EditSelectedName() {
    if (!SelectedDevice() || !IsWindowEnabled(shortNameEdit.GetHandle())) {
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
    {
        const ModalLoop loop(modalLoops);
        if (dialog.Run(0, nullptr, nullptr) == 0) {
            return;
        }
    }
    switch (ShowFolder(dialog.Selection(0))) {
    case SettingsModel::OpenLoaded:
        break;
    case SettingsModel::OpenRefused:
        // A folder that is not XGworks' changes nothing, and says so.
        throw E8Detail{std::string(ErrorMessageTable[E8SettingsNotFound]) + "\n\n" +
                       NotXGworksFolderText};
    default:
        throw E8SettingsNotFound;
    }
}

int MainDialog::OpenXGworksSettings(const char* executablePath) {
    return ShowFolder(executablePath) == SettingsModel::OpenLoaded ? E8Success : E8SettingsNotFound;
}

SettingsModel::OpenResult MainDialog::ShowFolder(const char* executablePath) {
    const SettingsModel::OpenResult result = model.Open(executablePath);
    if (result != SettingsModel::OpenRefused) {
        // The folder shows whenever it is known, as the place a save or a reset writes to.
        pathEdit.SetText(model.ExecutablePath().c_str());
        FillDeviceList(currentKind);
    }
    return result;
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

void MainDialog::TellReadOnly(const wchar_t* before) {
    const ModalLoop loop(modalLoops);
    MessageBoxW(GetHandle(), (std::wstring(before) + CodePageNoticeText).c_str(), CodePageCaption,
                MB_OK | MB_ICONWARNING);
}

int MainDialog::Ask(const char* text, const char* caption, UINT style) {
    const ModalLoop loop(modalLoops);
    return MessageBoxA(GetHandle(), text, caption, style);
}

bool MainDialog::ConfirmDiscard() {
    return !model.HasEdits() || Ask(DiscardEditsText, DiscardEditsCaption,
                                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

bool MainDialog::ConfirmDuplicates() {
    std::string lines;
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        for (const SharedShortName& shared :
             model.SharedShortNames(static_cast<DeviceKind>(kind))) {
            lines += DuplicateNameOpen + shared.shortName + DuplicateNameClose;
            for (std::size_t i = 0; i < shared.devices.size(); ++i) {
                lines += (i > 0 ? DuplicateDeviceSeparator : "") + shared.devices[i];
            }
            lines += '\n';
        }
    }
    return lines.empty() ||
           Ask((DuplicateNamesText + lines + DuplicateNamesQuestion).c_str(), DuplicateNamesCaption,
               MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

bool MainDialog::WriteAsking(const std::function<WriteResult(const DiskState*)>& write,
                             const char* failure) {
    DiskState agreed;
    for (const DiskState* overwrite = nullptr;; overwrite = &agreed) {
        WriteResult result = write(overwrite);
        if (result.step == WriteChanged) {
            // What the user agrees to write over is what the file held when asked: a change
            // made while the question is open is asked about again.
            if (Ask(ChangedOnDiskText, ChangedOnDiskCaption,
                    MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) {
                return false;
            }
            agreed = std::move(result.disk);
            continue;
        }
        if (result.step == WriteFailed) {
            throw DescribeReplaceFailure(failure, result.replace);
        }
        if (!result) {
            throw E8Unknown;
        }
        fileWritten = true;
        // The model read the file again; the rows show what it holds now.
        FillDeviceList(currentKind);
        return true;
    }
}

void MainDialog::UpdateFile() {
    switch (model.SaveBlocker()) {
    case WriteReadOnly:
        TellReadOnly(ReadOnlyRefusalText);
        return;
    case WriteNoFolder:
        throw E8Detail{NoSettingsToUpdateText};
    case WriteNoFile:
        // A file that could not be read is never written over: what it holds would be lost.
        throw E8SettingsNotFound;
    case WriteNoChanges:
        Ask(NoChangesText, NoChangesCaption, MB_OK | MB_ICONINFORMATION);
        return;
    default:
        break;
    }
    if (!ConfirmDuplicates() ||
        Ask(ConfirmUpdateText, ConfirmUpdateCaption, MB_YESNO | MB_ICONQUESTION) != IDYES ||
        !SaveDeviceNames()) {
        return;
    }
    Ask(UpdateDoneText, UpdateDoneCaption, MB_OK | MB_ICONINFORMATION);
    Close();
}

bool MainDialog::SaveDeviceNames() {
    return WriteAsking([this](const DiskState* agreed) { return model.Save(agreed); },
                       UpdateFailedText);
}

void MainDialog::ResetFile() {
    if (!model.Writable()) {
        TellReadOnly(ReadOnlyRefusalText);
        return;
    }
    if (model.FileState() == FileNone) {
        throw E8NoSettingsFile;
    }
    if (Ask(ConfirmResetText, ConfirmResetCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) !=
        IDYES) {
        return;
    }
    const std::string text = LoadDefaultSettings();
    if (!WriteAsking([&](const DiskState* agreed) { return model.Reset(text, agreed); },
                     ErrorMessageTable[E8ResetFailed])) {
        return;
    }
    Ask(ResetDoneText, ResetDoneCaption, MB_OK | MB_ICONINFORMATION);
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
    Ask(text, ErrorCaption, MB_OK | MB_ICONERROR);
}
