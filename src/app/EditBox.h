#pragma once

#include "app/Control.h"

// Its text is read and written through Window's text operations.
class EditBox : public Control {
public:
    // EM_SETSEL: selects from start to end; past the text means its end.
    void SetSel(int start, int end);
    // EM_GETSEL: where the selection starts and ends (the caret), in the control's own count.
    void GetSel(DWORD* start, DWORD* end);
    // EM_LINELENGTH of the one line, in the control's own count.
    int LineLength();
    // EM_SHOWBALLOONTIP: a balloon with title, text and icon (TTI_*) pointing at the box, until
    // the box hides it; FALSE where the platform shows none (Wine's edit control has none).
    BOOL ShowBalloonTip(const wchar_t* title, const wchar_t* text, int icon);
    // EM_HIDEBALLOONTIP.
    BOOL HideBalloonTip();
};
