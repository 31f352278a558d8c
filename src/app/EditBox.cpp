#include "app/EditBox.h"

void EditBox::LimitText(int limit) {
    Send(EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

void EditBox::SetSel(int start, int end) {
    Send(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}
