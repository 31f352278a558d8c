#pragma once

#include <windows.h>

#include <string>

// What a save or a reset leaves of the file's previous content: "DrvShortName.ini.bak" beside
// "DrvShortName.ini", one generation, replaced by the next save that changes the file.
constexpr const char* BackupSuffix = ".bak";

// The result of the file operations of a load, a save or a reset: the step that failed, with
// the system's error taken right where it failed.
enum FileStep {
    FileDone,         // nothing failed (also: the file already held the bytes)
    FilePathTooLong,  // the full path, or that of its backup, is MAX_PATH bytes or more
    FileLocked,       // the file cannot be read to its end, or opened for writing and deletion
                      // (read-only, held by another program, missing folder)
    FileNoTemporary,  // no temporary file can be created in the folder
    FileWriteFailed,  // writing, flushing or closing the temporary file failed (a full disk)
    FileCommitFailed, // the temporary file could not take the file's place or the backup
                      // could not be written
    FileBackupLocked, // the backup to take back cannot be read to its end
};
struct FileResult {
    FileStep step = FileDone;
    DWORD error = ERROR_SUCCESS; // never ERROR_SUCCESS when step != FileDone (ERROR_GEN_FAILURE
                                 // when the step left none)
    explicit operator bool() const { return step == FileDone; }
};

// Replaces the file at path (relative or full) with exactly size bytes of data, without any
// translation, as one step: the data goes into a temporary file in the same folder, which then
// takes the file's place, and the file's old content becomes path + BackupSuffix. A file that
// already holds exactly these bytes is left alone, and so is its backup, so that saving or
// resetting twice keeps the content from before the first time; a file that cannot be read to
// compare is not replaced (FileLocked).
// On failure the result names the step and its system error, the file and its backup keep
// their old bytes (a replacement that fails half-way is undone; a missing file stays missing)
// and no temporary file is left, unless undoing a half-way failure failed too: then the old
// content is left as the backup, and beside it temporary files hold the only copies of the new
// content and of the old backup. Fails before
// anything is written while another program holds the file, or the backup of a file that
// exists, open without sharing deletion, or while that backup cannot be written (read-only, a
// folder of that name); a handle of our own (FileOperations::OpenStream) does not stop it. A
// missing file is created without a backup.
FileResult ReplaceFileBytes(const char* path, const void* data, unsigned long size);

// The whole file, untranslated; FileLocked (bytes emptied) when it cannot be opened or read to
// its end.
FileResult ReadFileBytes(const char* path, std::string& bytes);
