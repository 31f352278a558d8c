#include "editor/MainDialog.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MainDialog dialog;
    dialog.RunModal(nullptr, 0);
    return 0;
}
