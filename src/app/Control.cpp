#include "app/Control.h"

Control::Control() {}

Control::~Control() {}

HWND Control::Attach(HWND parent, int id) {
    SetHandle(GetDlgItem(parent, id));
    return GetHandle();
}
