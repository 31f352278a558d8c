#pragma once

// Starts the program at executable again and again, each time timing it from CreateProcess
// until its dialog waits for input (WaitForInputIdle), and prints the first time and the
// median. Every start must show the dialog with a loaded settings file, not an error box; false
// and a message on stderr otherwise.
bool PrintStartup(const char* executable);
