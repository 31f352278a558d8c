#include "editor/RenameReviewDialog.h"

#include "editor/EditorTexts.h"
#include "editor/ResourceIds.h"
#include "settings/SettingsModel.h"

#include <commctrl.h>

#include <climits>

namespace {

constexpr int Columns = sizeof(ReviewColumns) / sizeof(ReviewColumns[0]);

} // namespace

RenameReviewDialog::RenameReviewDialog(RenameReview& review)
    : DialogBase(IDD_RENAME_REVIEW), review(review) {}

INT_PTR RenameReviewDialog::HandleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    // Nothing may leave a window procedure: a failure leaves the choice unapplied, and the
    // caller says so.
    try {
        switch (message) {
        case WM_INITDIALOG:
            OnInitDialog(handle);
            return TRUE;
        case DpiChangedMessage:
            FitColumns();
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                End(LOWORD(wParam));
            }
            break;
        case WM_NOTIFY: {
            const auto& change = *reinterpret_cast<const NMLISTVIEW*>(lParam);
            if (change.hdr.idFrom == IDC_REVIEW_LIST && change.hdr.code == LVN_ITEMCHANGED &&
                !showing && (change.uChanged & LVIF_STATE) &&
                ((change.uOldState ^ change.uNewState) & LVIS_STATEIMAGEMASK)) {
                review.Choose(static_cast<std::size_t>(change.iItem),
                              matchList.GetCheck(change.iItem));
                ShowChoices();
            }
            break;
        }
        }
    } catch (...) {
        End(-1);
    }
    return 0;
}

void RenameReviewDialog::OnInitDialog(HWND handle) {
    matchList.Attach(handle, IDC_REVIEW_LIST);
    matchList.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    for (int column = 0; column < Columns; ++column) {
        matchList.InsertColumn(ReviewColumns[column], 0, column, LVCFMT_LEFT);
    }
    showing = true;
    const std::vector<RenameMatch>& matches = review.Matches();
    for (std::size_t row = 0; row < matches.size(); ++row) {
        const RenameMatch& match = matches[row];
        const int at =
            matchList.InsertItem(DeviceKindTitle[match.kind], INT_MAX, static_cast<LPARAM>(row));
        matchList.SetItemText(match.device.c_str(), at, 1);
        matchList.SetItemText(match.source.c_str(), at, 2);
        matchList.SetItemText(match.shortName.c_str(), at, 3);
        matchList.SetItemText(RenameReasonText[match.reason], at, 4);
    }
    showing = false;
    FitColumns();
    ShowChoices();
    matchList.SelectRow(0);
}

void RenameReviewDialog::FitColumns() {
    // Not every list view counts the header in: its text and some room around it, in the list's
    // font, so that it scales with the monitor's DPI.
    const int margin = matchList.GetStringWidth("MM");
    for (int column = 0; column < Columns; ++column) {
        matchList.SetColumnWidth(column, LVSCW_AUTOSIZE_USEHEADER);
        const int header = matchList.GetStringWidth(ReviewColumns[column]) + margin;
        if (matchList.GetColumnWidth(column) < header) {
            matchList.SetColumnWidth(column, header);
        }
    }
}

void RenameReviewDialog::ShowChoices() {
    showing = true;
    for (std::size_t row = 0; row < review.Matches().size(); ++row) {
        matchList.SetCheck(static_cast<int>(row), review.Chosen(row));
    }
    showing = false;
}
