#pragma once

#include "app/Control.h"

// An automatic check box.
class CheckBox : public Control {
public:
    // BM_GETCHECK: BST_CHECKED, BST_UNCHECKED or BST_INDETERMINATE.
    int GetCheck();
};
