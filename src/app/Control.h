#pragma once

#include "app/Window.h"

// A child control of a dialog, found by its control id once the dialog's controls exist.
class Control : public Window {
public:
    Control();
    ~Control() override;

    // Null when the dialog has no such control.
    HWND Attach(HWND parent, int id);
};
