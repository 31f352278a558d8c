#include "editor/E8Error.h"
#include "editor/EditorTexts.h"
#include "editor/MainDialog.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MainDialog dialog;
    if (dialog.RunModal(nullptr, 0) == -1) {
        // The dialog could not be created: say so where a box still can be shown, and let a
        // caller see it in the exit code.
        MessageBoxA(nullptr, ErrorMessageTable[E8Unknown], ErrorCaption, MB_OK | MB_ICONERROR);
        return 1;
    }
    return 0;
}
