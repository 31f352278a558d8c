#pragma once

#include <windows.h>

// Runs an empty dialog of 100 by 50 units, built in memory, with procedure: the least window a
// start-up benchmark program shows.
inline INT_PTR RunEmptyDialog(HINSTANCE instance, DLGPROC procedure) {
    struct {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    } empty = {};
    empty.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_CENTER;
    empty.header.cx = 100;
    empty.header.cy = 50;
    return DialogBoxIndirectParamA(instance, &empty.header, nullptr, procedure, 0);
}
