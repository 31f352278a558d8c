#pragma once

#include "ini/FileReplacement.h"

#include <string>

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

// An error told in a text made for the occasion, thrown and shown like an E8Error: a save or a
// reset that could not write, or an update with no file to write.
struct E8Detail {
    std::string text;
};

// What failed, why (the step of the replacement that failed), and the system's own words for
// its error code with the code itself.
E8Detail DescribeReplaceFailure(const char* what, const ReplaceResult& result);

// The texts of the failures beside the numbered ones.
extern const char* const UpdateFailedText;
extern const char* const NoSettingsToUpdateText;
