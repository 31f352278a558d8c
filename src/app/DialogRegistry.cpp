#include "app/DialogRegistry.h"

#include <new>

#include "app/DialogBase.h"

std::map<HWND, DialogBase*> DialogRegistry::Map;
CriticalSection DialogRegistry::PendingLock;
CriticalSection DialogRegistry::RegistryLock;
Event DialogRegistry::RegistryReady(true);
std::atomic<DialogBase*> DialogRegistry::PendingDialog(nullptr);
volatile LONG DialogRegistry::LookupCount = 0;

INT_PTR CALLBACK DialogRegistry::DialogProc(HWND handle, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    DialogBase* dialog = Find(handle);
    if (dialog == nullptr) {
        dialog = Register(handle);
        if (dialog == nullptr) {
            return 0;
        }
    }
    if (message == WM_DPICHANGED) {
        PostMessageA(handle, DialogBase::DpiChangedMessage, 0, 0);
    }
    // Outside every lookup: handlers may send messages and run nested dialogs.
    INT_PTR result = dialog->HandleMessage(handle, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // A later window may get the same handle value.
        Unregister(handle);
    }
    return result;
}

void DialogRegistry::SetPendingDialog(DialogBase* dialog) {
    PendingLock.Enter();
    while (PendingDialog.load() != nullptr) {
        Sleep(0);
    }
    PendingDialog.store(dialog);
    PendingLock.Leave();
}

void DialogRegistry::WithdrawPendingDialog(DialogBase* dialog) {
    DialogBase* expected = dialog;
    PendingDialog.compare_exchange_strong(expected, nullptr);
}

DialogBase* DialogRegistry::Find(HWND handle) {
    for (;;) {
        // A failed wait is ignored: the lookup goes on.
        RegistryReady.Wait(INFINITE);
        InterlockedIncrement(&LookupCount);
        if (RegistryReady.Wait(0) != Event::WaitTimedOut) {
            break;
        }
        // A change began between the wait and the count: let it finish first.
        InterlockedDecrement(&LookupCount);
    }
    auto entry = Map.find(handle);
    DialogBase* dialog = entry != Map.end() ? entry->second : nullptr;
    InterlockedDecrement(&LookupCount);
    return dialog;
}

DialogBase* DialogRegistry::Register(HWND handle) {
    BeginRegistryChange();
    DialogBase* dialog = PendingDialog.load();
    if (dialog != nullptr) {
        try {
            Map[handle] = dialog;
            PendingDialog.store(nullptr);
            dialog->SetHandle(handle);
        } catch (const std::bad_alloc&) {
            // The object stays pending, so the window's next message tries again.
            dialog = nullptr;
        }
    }
    EndRegistryChange();
    return dialog;
}

void DialogRegistry::Unregister(HWND handle) {
    BeginRegistryChange();
    Map.erase(handle);
    EndRegistryChange();
}

void DialogRegistry::BeginRegistryChange() {
    RegistryLock.Enter();
    RegistryReady.Reset();
    // Lookups counted before the reset finish without waiting on anything.
    while (InterlockedCompareExchange(&LookupCount, 0, 0) != 0) {
        Sleep(0);
    }
}

void DialogRegistry::EndRegistryChange() {
    RegistryReady.Set();
    RegistryLock.Leave();
}
