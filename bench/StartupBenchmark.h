#pragma once

// Starts Varnel at executable again and again, each time timing it from CreateProcess until
// its dialog waits for input (WaitForInputIdle), and prints the first time and the median; the
// same for the empty dialog program at baseline, which shows what any dialog program costs.
// Every start of Varnel must show the dialog with a loaded settings file, not an error box;
// false and a message on stderr otherwise.
bool PrintStartup(const char* executable, const char* baseline);
