#pragma once

#include "app/Control.h"

// A drop-down list combo box.
class ComboBox : public Control {
public:
    ComboBox();
    ~ComboBox() override;

    // Index of the new entry, or CB_ERR / CB_ERRSPACE.
    int AddString(const char* text);
    int SetCurSel(int index);
    // CB_ERR when nothing is selected.
    int GetCurSel();
};
