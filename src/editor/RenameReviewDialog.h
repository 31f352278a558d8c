#pragma once

#include "app/DialogBase.h"
#include "app/ListView.h"

class RenameReview;

// Shows the devices that Windows likely renamed, each with the device not connected whose short
// name it would take and why, ticked as the review chose them; the user ticks and unticks by
// mouse or Space. The review keeps the choice; OK (IDOK) is the caller's sign to apply it,
// キャンセル and Escape leave it unapplied.
class RenameReviewDialog : public DialogBase {
public:
    explicit RenameReviewDialog(RenameReview& review);

    INT_PTR HandleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnInitDialog(HWND handle);
    // Each column as wide as its widest text and its header, in the list's font of the moment.
    void FitColumns();
    // Every row's box as the review has it: a tick may untick rows that share its device or source.
    void ShowChoices();

    RenameReview& review;
    ListView matchList;
    // Set while the dialog sets the boxes itself: their change notifications are no choice.
    bool showing = false;
};
