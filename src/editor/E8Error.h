#pragma once

#include "ini/FileReplacement.h"

#include <string>

// The numbered failures the user is told about, each shown in the error box with its
// ErrorMessageTable text.
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

// headline, then where and why the file operation of result failed (its step), and the system's
// own words for its error code with the code itself.
std::string DescribeFileFailure(const std::string& headline, const FileResult& result);

// The texts of the failures beside the numbered ones.
extern const char* const UpdateFailedText;
extern const char* const NoSettingsToUpdateText;
extern const char* const RestoreFailedText;
extern const char* const NoBackupText;
extern const char* const BackupChangedText;
