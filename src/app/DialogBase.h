#pragma once

#include "app/Window.h"

// The base of every dialog object: it receives every message of its dialog window, from the
// window's first message on, through HandleMessage. The object must outlive its window.
class DialogBase : public Window {
public:
    // templateId: the ordinal of the dialog template in the program's own module.
    explicit DialogBase(int templateId);
    // Posts WM_CLOSE to the window if it still exists.
    ~DialogBase() override;
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

    // Its result goes to the dialog manager unchanged (nonzero: processed).
    virtual INT_PTR HandleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) = 0;

    // The value given to End, or -1 when the dialog cannot be created.
    INT_PTR RunModal(HWND parent, LPARAM initParam);
    // A key pressed anywhere in the dialog while it runs modally, before the dialog manager or
    // the control with the focus sees it: true when the dialog took it. It runs outside the
    // window procedure, so it should only post what is to be done.
    virtual bool OnDialogKey(WPARAM key);
    BOOL End(INT_PTR result);
    BOOL Close();

    // Comes after every WM_DPICHANGED, once the dialog manager has scaled the dialog, its
    // controls and its font, which it does after that message: what follows their size (a
    // list's columns) follows on this one.
    static constexpr UINT DpiChangedMessage = WM_APP;

private:
    int templateId;
    int modal;
};
