#pragma once

#include "app/ListView.h"
#include "settings/SettingsModel.h"

#include <commctrl.h>

#include <string>
#include <vector>

// The list of devices with their short names and states: it keeps the rows the model gave it,
// and the control only shows them. Rows are known by their device, never by their text.
class DeviceList : public ListView {
public:
    // The columns, shared out by FitColumns.
    void SetupColumns();
    // Shares the list's width between its columns, the state column fitting its words.
    void FitColumns();
    // Shows rows, selecting the row of device select when there is one.
    void Fill(std::vector<DeviceRow> rows, const std::string& select);
    // Shows what rows, the same devices in the same order, now say of them.
    void Update(std::vector<DeviceRow> rows);
    // True while the list is filled: its selection changes are the list's own, no user's.
    bool Filling() const { return filling; }
    // The row selected, or null when none is.
    const DeviceRow* Selected();
    // Where a menu for the selected row opens from the keyboard: below its label, on the screen.
    POINT BelowSelected();
    // Greys rows of devices that are not connected or cannot be named, and proposals in their
    // own column: a result for the dialog manager.
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw);

private:
    void ShowTexts();

    std::vector<DeviceRow> rows;
    bool filling = false;
};
