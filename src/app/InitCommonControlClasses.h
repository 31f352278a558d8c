#pragma once

#include <windows.h>
#include <commctrl.h>

// Registers the common control classes named by flags together with those of every earlier
// call; the process-wide record keeps them all.
BOOL InitCommonControlClasses(DWORD flags);

// The process-wide record, read-only.
const INITCOMMONCONTROLSEX& CommonControlClasses();
