#include "app/ComboBox.h"

ComboBox::ComboBox() {}

ComboBox::~ComboBox() {}

int ComboBox::AddString(const char* text) {
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int ComboBox::SetCurSel(int index) {
    return static_cast<int>(Send(CB_SETCURSEL, static_cast<WPARAM>(index), 0));
}

int ComboBox::GetCurSel() {
    return static_cast<int>(Send(CB_GETCURSEL, 0, 0));
}
