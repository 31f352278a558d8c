#include "app/DialogBase.h"

#include "app/DialogRegistry.h"

DialogBase::DialogBase(int templateId) : templateId(templateId), modal(1) {}

DialogBase::~DialogBase() {
    // A null or dead handle would post to the thread's own queue or nowhere.
    if (IsAlive()) {
        Close();
    }
}

INT_PTR DialogBase::RunModal(HWND parent, LPARAM initParam) {
    modal = 1;
    DialogRegistry::SetPendingDialog(this);
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr),
                                     MAKEINTRESOURCEA(static_cast<WORD>(templateId & 0xFFFF)),
                                     parent, DialogRegistry::DialogProc, initParam);
    // When no window took the object, the slot must not keep the next dialog waiting.
    DialogRegistry::WithdrawPendingDialog(this);
    return result;
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
