#pragma once

#include "app/CheckBox.h"
#include "app/ComboBox.h"
#include "editor/DeviceList.h"
#include "editor/Questions.h"
#include "editor/ShortNameBox.h"
#include "settings/SettingsModel.h"

#include <commctrl.h>

#include <string>

// The dialog's controls of the names: the list of devices of the kind chosen, with or without
// those not connected, the short-name box with its byte count and note, and the review of
// renamed devices with its count. It shows the model's rows and forwards what the user does to
// the model; the dialog's commands (save, reset, another folder) fill it anew.
class DevicePanel {
public:
    DevicePanel(Window& dialog, SettingsModel& model, Questions& questions)
        : dialog(dialog), model(model), questions(questions) {}

    // Binds the controls of the dialog window, its kinds and columns.
    void Attach(HWND window);
    DeviceKind Kind() const { return kind; }

    // Lists the devices of kind, selecting the row of device select when there is one.
    void Fill(DeviceKind shown, const std::string& select = std::string());
    // Lists the devices the system has now, keeping every name, the selected row and the caret.
    void Refresh();
    // A notification of the dialog: for the list, a result for the dialog manager; else 0.
    LRESULT OnNotify(NMHDR& header);
    // A command of the panel's controls: the kind, the check box, the review.
    void OnCommand(int id, int code);
    // The user typed or pasted into the short-name box: the model takes the name or says why not.
    void OnNameChange();
    // Right click, the Apps key or Shift+F10 on a present device's row (where: the screen point,
    // or -1 from the keyboard): a device not connected of the same kind gives it its short name.
    void OnContextMenu(LPARAM where);
    // Enter on a selected row goes on to its name, and Enter in the name back to the list, as
    // a rename ends elsewhere: true when Enter was taken so.
    bool TakeReturn();
    void FitColumns() { list.FitColumns(); }
    // A control that is disabled or hidden cannot keep the keyboard's focus: the list takes it.
    void FocusList();
    HWND ListHandle() const { return list.GetHandle(); }

private:
    // What the rows say, after a name changed anywhere: a name given or taken may make or end
    // the proposal of another row; and how many devices the review could give an old name.
    void ShowRows();
    // The count of devices to review, and its button while there are any.
    void ShowRenamed(int renamed);
    // Shows the short name of the selected row, or nothing in a disabled box when no row is
    // selected or it cannot be named, however the selection came about (mouse, keyboard, a
    // refill of the list). While the model only shows, the box shows but stays disabled.
    void OnSelectionChange();
    void ShowNameBytes(std::size_t bytes);
    // The review of the devices that Windows renamed: the ones the user ticks take over their
    // old short names, as one take-over each.
    void OnReview();
    // Enter or F2 on a selected row: on to the short-name box, its text selected.
    void EditSelectedName();
    bool ShowsAbsent() { return absentCheck.GetCheck() == BST_CHECKED; }

    Window& dialog;
    SettingsModel& model;
    Questions& questions;
    DeviceList list;
    ComboBox kindCombo;
    CheckBox absentCheck;
    ShortNameBox nameBox;
    DeviceKind kind = MidiOut;
};
