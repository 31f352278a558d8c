#pragma once

#include <windows.h>

#include <functional>

// Runs runModal on this thread and script on another once the dialog captioned caption is
// shown, or an error box of its start-up is; afterwards answers stray message boxes (as
// failures) and closes the dialog, so a failing script never leaves the test hanging.
// Returns runModal's result.
INT_PTR RunAndDrive(const char* caption, const std::function<INT_PTR()>& runModal,
                    const std::function<void(HWND)>& script);
