// The platform's part of Varnel's start, for comparison with it on the same Wine: an empty
// dialog in a program that loads the DLLs Varnel loads, with common controls 6 (the manifest
// and InitCommonControlsEx for the list view), and that asks for the MIDI and wave output
// devices in its WM_INITDIALOG, as Varnel's dialog does before it shows.
#include "EmptyTemplate.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <shlwapi.h>

// Functions of the DLLs that Varnel imports and this program does not call: their addresses
// make the loader bring those DLLs in at start, as it does for Varnel (external linkage keeps
// them from being dropped).
const void* ImportedOnlyForLoading[] = {
    reinterpret_cast<const void*>(&GetOpenFileNameA),
    reinterpret_cast<const void*>(&PathFindFileNameA),
    reinterpret_cast<const void*>(&RegCloseKey),
};

namespace {

void AskForDevices() {
    for (UINT id = 0, count = midiOutGetNumDevs(); id < count; ++id) {
        MIDIOUTCAPSA caps{};
        midiOutGetDevCapsA(id, &caps, sizeof caps);
    }
    for (UINT id = 0, count = waveOutGetNumDevs(); id < count; ++id) {
        WAVEOUTCAPSA caps{};
        waveOutGetDevCapsA(id, &caps, sizeof caps);
    }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        AskForDevices();
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    RunEmptyDialog(instance, DialogProc);
    return 0;
}
