#pragma once

// Starts Varnel at executable again and again, each time timing it from CreateProcess until
// its dialog waits for input (WaitForInputIdle), and prints the first time and the median; the
// same for two programs to compare with: the empty dialog program at baseline, which shows what
// any dialog program costs, and the one at platform, an empty dialog that loads Varnel's DLLs
// and asks for the devices, which shows what of Varnel's start is the platform's. Every start
// of Varnel must show the dialog with a loaded settings file, not an error box; false and a
// message on stderr otherwise.
bool PrintStartup(const char* executable, const char* baseline, const char* platform);
