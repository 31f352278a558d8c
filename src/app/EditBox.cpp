#include "app/EditBox.h"

void EditBox::SetSel(int start, int end) {
    Send(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void EditBox::GetSel(DWORD* start, DWORD* end) {
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(start), reinterpret_cast<LPARAM>(end));
}

int EditBox::LineLength() {
    return static_cast<int>(Send(EM_LINELENGTH, 0, 0));
}
