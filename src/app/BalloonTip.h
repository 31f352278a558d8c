#pragma once

#include "app/EditBox.h"

// A balloon with a title and a text pointing at an edit box, shown until Hide or the next key
// pressed on this thread: the box's own where the platform has one, else a tracking tooltip of
// the same look below the box (Wine's edit control shows none). One shows at a time.
class BalloonTip {
public:
    BalloonTip();
    ~BalloonTip();
    BalloonTip(const BalloonTip&) = delete;
    BalloonTip& operator=(const BalloonTip&) = delete;

    // Replaces any balloon shown; icon is a TTI_* value.
    void Show(EditBox& box, const wchar_t* title, const wchar_t* text, int icon);
    void Hide();

private:
    // Shows the tracking tooltip below box; false when it cannot be made.
    bool ShowOwn(EditBox& box, const wchar_t* title, const wchar_t* text, int icon);
    // The hook that takes the balloon away at the next key.
    static LRESULT CALLBACK OnKey(int code, WPARAM wParam, LPARAM lParam);

    static BalloonTip* Shown;
    EditBox* shownOn = nullptr;
    HWND tooltip = nullptr;
    HHOOK keyHook = nullptr;
};
