// The least a dialog program does: for comparison with Varnel's start-up on the same Wine.
#include <windows.h>

namespace {

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } empty = {};
    empty.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_CENTER;
    empty.header.cx = 100;
    empty.header.cy = 50;
    DialogBoxIndirectParamA(instance, &empty.header, nullptr, DialogProc, 0);
    return 0;
}
