#include "editor/MainDialog.h"

#include "dialogs/FileDialog.h"
#include "editor/E8Error.h"
#include "editor/EditorTexts.h"
#include "editor/ResourceIds.h"
#include "editor/WinmmDeviceSource.h"

namespace {

DeviceSource& SystemDevices() {
    static WinmmDeviceSource devices;
    return devices;
}

// Device changes come in bursts as a device's drivers load: the list is filled once they settle.
constexpr UINT RefreshDelay = 500;

} // namespace

MainDialog::MainDialog() : MainDialog(SystemDevices()) {}

MainDialog::MainDialog(DeviceSource& devices)
    : DialogBase(IDD_MAIN), model(devices, installation, GetACP()) {}

MainDialog::~MainDialog() = default;

INT_PTR MainDialog::HandleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    // The one place that catches: nothing may leave a window procedure, and whatever a handler
    // could not foresee (memory running out) is told to the user here, after which the dialog
    // goes on.
    try {
        switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(handle);
            break;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            break;
        case WM_NOTIFY:
            if (const LRESULT result = panel.OnNotify(*reinterpret_cast<NMHDR*>(lParam))) {
                SetWindowLongPtrA(handle, DWLP_MSGRESULT, result);
                return TRUE;
            }
            break;
        case DpiChangedMessage:
            panel.FitColumns();
            return TRUE;
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == panel.ListHandle()) {
                panel.OnContextMenu(lParam);
                return TRUE;
            }
            break;
        case WM_DEVICECHANGE:
            SetTimer(handle, IDC_REFRESH, RefreshDelay, nullptr);
            return TRUE;
        case WM_TIMER:
            // A question open now is about the rows as they are: the list waits until it closes.
            if (wParam == IDC_REFRESH && !questions.LoopOpen()) {
                KillTimer(handle, IDC_REFRESH);
                panel.Refresh();
            }
            break;
        case WM_ACTIVATE:
            // Back from another program, which may have written the file or its backup.
            if (LOWORD(wParam) != WA_INACTIVE) {
                ShowRestore();
            }
            break;
        case WM_CLOSE:
            // Handled: the dialog manager would turn an unhandled WM_CLOSE into another
            // キャンセル, and so ask again at once after a No.
            OnClose();
            return TRUE;
        }
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
    pathEdit.Attach(handle, IDC_XGWORKS_PATH);
    panel.Attach(handle);
    authorEdit.SetText(AuthorText);
    webPageEdit.SetText(WebPageText);
    FillDeviceList(MidiOut);
    if (!model.Writable()) {
        questions.TellReadOnly(L"");
    }
    LocateXGworks();
}

void MainDialog::OnCommand(int id, int code) {
    switch (id) {
    case IDC_UPDATE:
        // Enter in the list or the short-name box is theirs: only a press of the button saves
        // the whole file.
        if (!(GetKeyState(VK_RETURN) & 0x8000) || !panel.TakeReturn()) {
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
    case IDC_RESET:
        ResetFile();
        break;
    case IDC_RESTORE:
        RestoreBackup();
        break;
    case IDC_REFRESH:
        panel.Refresh();
        break;
    default:
        panel.OnCommand(id, code);
    }
}

void MainDialog::OnClose() {
    if (fileWritten || questions.ConfirmDiscard(model)) {
        End(0);
    }
}

void MainDialog::FillDeviceList(DeviceKind kind) {
    panel.Fill(kind);
    ShowRestore();
}

void MainDialog::ShowRestore() {
    const bool usable = bool(model.RestoreBlocker());
    if (!usable && GetFocus() == GetChild(IDC_RESTORE)) {
        panel.FocusList();
    }
    EnableWindow(GetChild(IDC_RESTORE), usable);
}

void MainDialog::OnShortNameChange() {
    panel.OnNameChange();
}

void MainDialog::OnBrowse() {
    if (!questions.ConfirmDiscard(model)) {
        return;
    }
    FileDialog dialog;
    dialog.SetOwner(GetHandle());
    dialog.SetFlags(dialog.Flags() | OFN_HIDEREADONLY);
    dialog.SetFilter(XGworksFilter, XGworksFilterSize);
    {
        const Questions::Loop loop(questions);
        if (dialog.Run(0, nullptr, nullptr) == 0) {
            return;
        }
    }
    if (const ModelResult opened = OpenXGworksSettings(dialog.Selection(0)); !opened) {
        questions.Tell(opened, Browsing);
    }
}

ModelResult MainDialog::OpenXGworksSettings(const std::string& executablePath) {
    return ShowFolder(model.Open(executablePath));
}

ModelResult MainDialog::ShowFolder(const ModelResult& opened) {
    if (opened.step != FolderRefused && opened.step != NoInstallation) {
        // The folder shows whenever it is known, as the place a save or a reset writes to.
        pathEdit.SetText(model.ExecutablePath().c_str());
        FillDeviceList(panel.Kind());
    }
    return opened;
}

void MainDialog::LocateXGworks() {
    if (const ModelResult located = ShowFolder(model.Locate()); !located) {
        questions.Tell(located, Locating);
    }
}

bool MainDialog::Write(const std::function<ModelResult()>& write, UserAction action) {
    for (;;) {
        const ModelResult result = write();
        if (result.step == WriteChanged) {
            // What the user agrees to write over is what the file held when asked: a change
            // made while the question is open is asked about again.
            if (questions.Ask(ChangedOnDiskText, ChangedOnDiskCaption,
                              MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) {
                return false;
            }
            model.AgreeToChange();
            continue;
        }
        if (!result) {
            questions.Tell(result, action);
            return false;
        }
        // The model read the file again; the rows show what it holds now.
        FillDeviceList(panel.Kind());
        return true;
    }
}

void MainDialog::UpdateFile() {
    if (const ModelResult blocker = model.SaveBlocker(); !blocker) {
        questions.Tell(blocker, Saving);
        return;
    }
    if (!questions.ConfirmDuplicates(model) || !questions.ConfirmUpdate(model) ||
        !SaveDeviceNames()) {
        return;
    }
    fileWritten = true;
    questions.Ask(UpdateDoneText, UpdateDoneCaption, MB_OK | MB_ICONINFORMATION);
    Close();
}

bool MainDialog::SaveDeviceNames() {
    return Write([this] { return model.Save(); }, Saving);
}

void MainDialog::ResetFile() {
    if (const ModelResult blocker = model.ResetBlocker(); !blocker) {
        questions.Tell(blocker, Resetting);
        return;
    }
    if (!questions.ConfirmReset(model) || !Write([this] { return model.Reset(); }, Resetting)) {
        return;
    }
    fileWritten = true;
    questions.Ask(ResetDoneText, ResetDoneCaption, MB_OK | MB_ICONINFORMATION);
    Close();
}

void MainDialog::RestoreBackup() {
    if (const ModelResult blocker = model.RestoreBlocker(); !blocker) {
        questions.Tell(blocker, Restoring);
        ShowRestore();
        return;
    }
    // The dialog stays open on the names the file holds then: pressed again, it goes back.
    if (questions.ConfirmDiscard(model) && questions.ConfirmRestore(model)) {
        Write([this] { return model.Restore(); }, Restoring);
    }
}

void MainDialog::ShowError(int code) {
    questions.ShowError(code);
}
