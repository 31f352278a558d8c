#include "editor/DevicePanel.h"

#include "app/PopupMenu.h"
#include "editor/E8Error.h"
#include "editor/EditorTexts.h"
#include "editor/RenameReviewDialog.h"
#include "editor/ResourceIds.h"

#include <windowsx.h>

#include <climits>
#include <vector>

namespace {

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

void DevicePanel::Attach(HWND window) {
    nameBox.Attach(window, IDC_SHORT_NAME);
    list.Attach(window, IDC_DEVICE_LIST);
    kindCombo.Attach(window, IDC_DEVICE_KIND);
    absentCheck.Attach(window, IDC_SHOW_ABSENT);
    kindCombo.AddString(DeviceKindTitle[MidiOut]);
    kindCombo.AddString(DeviceKindTitle[WaveOut]);
    list.SetupColumns();
    kindCombo.SetCurSel(MidiOut);
}

void DevicePanel::Fill(DeviceKind shown, const std::string& select) {
    kind = shown;
    DevicePicture picture = model.Picture(kind, ShowsAbsent());
    list.Fill(std::move(picture.rows), select);
    ShowRenamed(picture.renamed);
    OnSelectionChange();
}

void DevicePanel::ShowRows() {
    DevicePicture picture = model.Picture(kind, ShowsAbsent());
    list.Update(std::move(picture.rows));
    ShowRenamed(picture.renamed);
}

void DevicePanel::ShowRenamed(int renamed) {
    char count[sizeof(RenamedDevicesFormat) + sizeof(int) * CHAR_BIT] = "";
    if (renamed) {
        wsprintfA(count, RenamedDevicesFormat, renamed);
    }
    dialog.SetChildText(IDC_RENAMED, count);
    if (!renamed && GetFocus() == dialog.GetChild(IDC_REVIEW)) {
        FocusList();
    }
    for (const int id : {IDC_RENAMED, IDC_REVIEW}) {
        ShowWindow(dialog.GetChild(id), renamed ? SW_SHOW : SW_HIDE);
        EnableWindow(dialog.GetChild(id), renamed > 0);
    }
}

void DevicePanel::Refresh() {
    const DeviceRow* selected = list.Selected();
    const std::string keep = selected ? selected->device : "";
    DWORD start = 0;
    DWORD end = 0;
    nameBox.GetSel(&start, &end);
    const std::string typed = nameBox.Text();
    model.Refresh();
    Fill(kind, keep);
    selected = list.Selected();
    if (selected && lstrcmpiA(selected->device.c_str(), keep.c_str()) == 0) {
        // The box as the user left it, with the blanks still being typed that the model's
        // name leaves off.
        if (StoredShortName(typed) == selected->shortName) {
            nameBox.Show(typed);
        }
        nameBox.SetSel(static_cast<int>(start), static_cast<int>(end));
    }
}

LRESULT DevicePanel::OnNotify(NMHDR& header) {
    if (header.idFrom != IDC_DEVICE_LIST) {
        return 0;
    }
    if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (!list.Filling() && (change.uChanged & LVIF_STATE) &&
            ((change.uOldState ^ change.uNewState) & LVIS_SELECTED)) {
            OnSelectionChange();
        }
    } else if (header.code == LVN_KEYDOWN &&
               reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_F2) {
        EditSelectedName();
    } else if (header.code == NM_CUSTOMDRAW) {
        return list.OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
    }
    return 0;
}

void DevicePanel::OnCommand(int id, int code) {
    switch (id) {
    case IDC_DEVICE_KIND:
        if (code == CBN_SELCHANGE) {
            const int chosen = kindCombo.GetCurSel();
            if (chosen == MidiOut || chosen == WaveOut) {
                Fill(static_cast<DeviceKind>(chosen));
            }
        }
        break;
    case IDC_SHOW_ABSENT:
        Fill(kind);
        break;
    case IDC_REVIEW:
        OnReview();
        break;
    }
}

void DevicePanel::OnReview() {
    RenameReview review(model);
    RenameReviewDialog reviewDialog(review);
    INT_PTR result = IDCANCEL;
    if (!review.Matches().empty()) {
        const Questions::Loop loop(questions);
        result = reviewDialog.RunModal(dialog.GetHandle(), 0);
    }
    if (result == -1) {
        questions.ShowError(E8Unknown);
    } else if (result == IDOK) {
        review.Apply(model);
        ShowRows();
        OnSelectionChange();
    }
}

void DevicePanel::OnSelectionChange() {
    nameBox.HideTip();
    const DeviceRow* row = list.Selected();
    const bool editable = row && row->editable;
    const std::string shortName = row ? row->shortName : "";
    const unsigned same = row ? row->count : 0;
    nameBox.Show(shortName);
    // A disabled box would take the keyboard's focus with it: Escape and Tab would go nowhere.
    if (!editable && GetFocus() == nameBox.GetHandle()) {
        FocusList();
    }
    nameBox.Enable(editable);
    ShowNameBytes(shortName.size());
    char note[sizeof(SameNameDevicesNote) * 2] = "";
    if (same > 1) {
        wsprintfA(note, SameNameDevicesNote, same);
    }
    dialog.SetChildText(IDC_DEVICE_NOTE, note);
}

void DevicePanel::OnNameChange() {
    const DeviceRow* row = list.Selected();
    if (!row || !nameBox.Changed()) {
        return;
    }
    // A copy: the rows are shown anew below.
    const std::string device = row->device;
    // What XGworks cannot read back is refused where the user sees it, and why.
    if (const ModelResult set = model.SetName(kind, device, nameBox.Typed()); !set) {
        nameBox.Refuse(RefusalTipTitle, Questions::RefusalText(set.step));
        return;
    }
    nameBox.Accept();
    ShowRows();
    ShowNameBytes(model.ShortNameOf(kind, device)->size());
}

void DevicePanel::ShowNameBytes(std::size_t bytes) {
    // Room for the format with both numbers as long as an int can be.
    char count[sizeof(ShortNameBytesFormat) + 2 * sizeof(int) * CHAR_BIT];
    wsprintfA(count, ShortNameBytesFormat, static_cast<int>(bytes), MaxShortNameBytes);
    dialog.SetChildText(IDC_SHORT_NAME_BYTES, count);
}

void DevicePanel::OnContextMenu(LPARAM where) {
    const DeviceRow* row = list.Selected();
    // Copies: the menu and the question run message loops, in which the list may be filled anew.
    const std::string device = row ? row->device : "";
    const std::string proposal = row ? row->source : "";
    if (!row || !model.CanTakeOver(kind, device)) {
        return;
    }
    POINT point = {GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    // From the keyboard (the Apps key, Shift+F10) the menu opens below the selected row.
    if (point.x == -1 && point.y == -1) {
        point = list.BelowSelected();
    }
    const std::vector<std::string> choices = model.TakeOverChoices(kind, device);
    PopupMenu menu;
    PopupMenu devicesMenu;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const std::string text = MenuText(choices[i]) + TakeOverSeparator +
                                 MenuText(*model.ShortNameOf(kind, choices[i]));
        devicesMenu.AppendItem(static_cast<UINT>(i + 1), text.c_str());
        if (!proposal.empty() && lstrcmpiA(choices[i].c_str(), proposal.c_str()) == 0) {
            devicesMenu.SetDefaultItem(static_cast<UINT>(i + 1));
        }
    }
    menu.AppendSubmenu(devicesMenu, TakeOverMenuText, !choices.empty());
    UINT chosen = 0;
    {
        const Questions::Loop loop(questions);
        chosen = menu.Track(dialog.GetHandle(), point);
    }
    if (chosen == 0 || chosen > choices.size()) {
        return;
    }
    // The present device takes the name; the old line goes with the next save. A name of its
    // own goes only when the user says so.
    const std::string& source = choices[chosen - 1];
    if (model.TakeOver(kind, device, source, false).step == TakeOverNeedsConsent &&
        questions.Ask(ReplaceNameText, ReplaceNameCaption,
                      MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES) {
        model.TakeOver(kind, device, source, true);
    }
    ShowRows();
    OnSelectionChange();
}

bool DevicePanel::TakeReturn() {
    if (GetFocus() == list.GetHandle() && list.Selected()) {
        EditSelectedName();
        return true;
    }
    if (GetFocus() == nameBox.GetHandle()) {
        FocusList();
        return true;
    }
    return false;
}

void DevicePanel::EditSelectedName() {
    if (!list.Selected() || !IsWindowEnabled(nameBox.GetHandle())) {
        return;
    }
    dialog.Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(nameBox.GetHandle()), TRUE);
    nameBox.SetSel(0, -1);
}

void DevicePanel::FocusList() {
    dialog.Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list.GetHandle()), TRUE);
}
