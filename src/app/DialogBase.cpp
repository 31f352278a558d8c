#include "app/DialogBase.h"

#include "app/DialogRegistry.h"

namespace {

// The modal loop hands every message of its dialog to this filter before the dialog manager:
// the one place where a dialog run by DialogBoxParam sees a key whatever control has the focus.
LRESULT CALLBACK DialogKeyFilter(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && message->message == WM_KEYDOWN) {
        DialogBase* dialog = DialogRegistry::Find(GetAncestor(message->hwnd, GA_ROOT));
        if (dialog && dialog->OnDialogKey(message->wParam)) {
            return TRUE;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

DialogBase::DialogBase(int templateId) : templateId(templateId), modal(1) {}

DialogBase::~DialogBase() {
    // A null or dead handle would post to the thread's own queue or nowhere.
    if (IsAlive()) {
        Close();
    }
}

INT_PTR DialogBase::RunModal(HWND parent, LPARAM initParam) {
    modal = 1;
    const HHOOK filter =
        SetWindowsHookExA(WH_MSGFILTER, DialogKeyFilter, nullptr, GetCurrentThreadId());
    DialogRegistry::SetPendingDialog(this);
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr),
                                     MAKEINTRESOURCEA(static_cast<WORD>(templateId & 0xFFFF)),
                                     parent, DialogRegistry::DialogProc, initParam);
    if (filter) {
        UnhookWindowsHookEx(filter);
    }
    // When no window took the object, the slot must not keep the next dialog waiting.
    DialogRegistry::WithdrawPendingDialog(this);
    return result;
}

bool DialogBase::OnDialogKey(WPARAM) {
    return false;
}

BOOL DialogBase::End(INT_PTR result) {
    if (modal) {
        return EndDialog(GetHandle(), result);
    }
    return DestroyWindow(GetHandle());
}

BOOL DialogBase::Close() {
    return Post(WM_CLOSE, 0, 0);
}
