#pragma once

#include <windows.h>

#include <atomic>
#include <map>

#include "app/CriticalSection.h"
#include "app/Event.h"

class DialogBase;

// The process-wide table from dialog window to dialog object (not owned). A window that is
// being created finds its object through PendingDialog on its first message; its entry goes
// with WM_NCDESTROY. Dialogs may run on several threads: creations pass through
// PendingDialog one at a time, and a change of the table waits until no lookup reads it.
class DialogRegistry {
public:
    // The dialog procedure of every dialog that DialogBase runs.
    static INT_PTR CALLBACK DialogProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

    // Waits until the slot is free, then hands dialog to the next new window.
    static void SetPendingDialog(DialogBase* dialog);
    // Takes dialog back if no window took it.
    static void WithdrawPendingDialog(DialogBase* dialog);
    // The object of a registered window, else null.
    static DialogBase* Find(HWND handle);

private:
    static DialogBase* Register(HWND handle);
    static void Unregister(HWND handle);
    static void BeginRegistryChange();
    static void EndRegistryChange();

    // Defined in this order in one translation unit, so they are constructed in this order
    // before WinMain and destroyed in reverse after it.
    static std::map<HWND, DialogBase*> Map;
    static CriticalSection PendingLock;
    static CriticalSection RegistryLock;
    static Event RegistryReady;
    // Constant-initialised.
    static std::atomic<DialogBase*> PendingDialog;
    static volatile LONG LookupCount;
};
