#pragma once

// An error the user is told about: thrown by value inside the operation the user started and
// shown there in the error box with its ErrorMessageTable text.
enum E8Error : int {
    E8Success = 0,
    E8SettingsNotFound = 1,
    E8NoSettingsFile = 2,
    E8InstallationNotFound = 3,
    E8ResetFailed = 4,
    E8Unknown = 5,
};

constexpr int E8ErrorCount = 6;

extern const char* const ErrorMessageTable[E8ErrorCount];
