#pragma once

#include "support/WindowSearch.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Drives the main dialog from a second thread while the test's thread runs its modal loop.
namespace DialogDriver {

using Rows = std::vector<std::pair<std::string, std::string>>;

// Runs runModal on this thread and script on another once the dialog is shown, or an error box
// of its start-up is; afterwards answers stray message boxes (as failures) and closes the
// dialog, so a failing script never leaves the test hanging. Returns runModal's result.
INT_PTR RunAndDrive(const std::function<INT_PTR()>& runModal,
                    const std::function<void(HWND)>& script);

// Waits for the next message box of the dialog, checks it and presses button.
void ExpectBox(HWND dialog, const char* text, const char* caption, int button);

std::string ChildText(HWND dialog, int id);
Rows ListRows(HWND dialog);

// The user's actions: typing raises EN_CHANGE, a kind is chosen with its notification, rows
// are clicked with the mouse (true once the row is selected and its short name shown).
void Type(HWND dialog, const char* text);
void ChooseKind(HWND dialog, int kind);
bool ClickRow(HWND dialog, int row);
void ClickBelowRows(HWND dialog);

} // namespace DialogDriver
