#include "app/CheckBox.h"

int CheckBox::GetCheck() {
    return static_cast<int>(Send(BM_GETCHECK, 0, 0));
}
