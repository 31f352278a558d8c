#include "app/EditBox.h"

#include <commctrl.h>

void EditBox::SetSel(int start, int end) {
    Send(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void EditBox::GetSel(DWORD* start, DWORD* end) {
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(start), reinterpret_cast<LPARAM>(end));
}

int EditBox::LineLength() {
    return static_cast<int>(Send(EM_LINELENGTH, 0, 0));
}

BOOL EditBox::ShowBalloonTip(const wchar_t* title, const wchar_t* text, int icon) {
    EDITBALLOONTIP tip = {sizeof(tip), title, text, icon};
    return static_cast<BOOL>(Send(EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip)));
}

BOOL EditBox::HideBalloonTip() {
    return static_cast<BOOL>(Send(EM_HIDEBALLOONTIP, 0, 0));
}
