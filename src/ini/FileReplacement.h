#pragma once

#include <windows.h>

#include <string>

// What a save or a reset leaves of the file's previous content: "DrvShortName.ini.bak" beside
// "DrvShortName.ini", one generation, replaced by the next save that changes the file.
constexpr const char* BackupSuffix = ".bak";

// The step of a replacement that failed.
enum ReplaceStep {
    ReplaceDone,         // nothing failed (also: the file already held the bytes)
    ReplacePathTooLong,  // the full path, or that of its backup, is MAX_PATH bytes or more
    ReplaceFileLocked,   // the file cannot be opened for writing and deletion (read-only, held
                         // by another program, missing folder)
    ReplaceNoTemporary,  // no temporary file can be created in the folder
    ReplaceWriteFailed,  // writing, flushing or closing the temporary file failed (a full disk)
    ReplaceCommitFailed, // the temporary file could not take the file's place or the backup
                         // could not be written
};
struct ReplaceResult {
    ReplaceStep step = ReplaceDone;
    DWORD error = ERROR_SUCCESS; // GetLastError() of the failed step; never ERROR_SUCCESS when
                                 // step != ReplaceDone (use ERROR_GEN_FAILURE when the step
                                 // left none)
    explicit operator bool() const { return step == ReplaceDone; }
};

// Replaces the file at path (relative or full) with exactly size bytes of data, without any
// translation, as one step: the data goes into a temporary file in the same folder, which then
// takes the file's place, and the file's old content becomes path + BackupSuffix. A file that
// already holds exactly these bytes is left alone, and so is its backup, so that saving or
// resetting twice keeps the content from before the first time; a file that cannot be read to
// compare is not replaced (ReplaceFileLocked).
// On failure the result names the step and its system error, the file keeps its old bytes (a
// replacement that fails half-way is undone; a missing file stays missing) and no temporary file
// is left, unless undoing a half-way failure failed too: then the old content is left as the
// backup and the temporary file, the only copy of the new content, stays beside it. Fails before
// anything is written while another program holds the file, or the backup of a file that
// exists, open without sharing deletion, or while that backup cannot be written (read-only, a
// folder of that name); a handle of our own (FileOperations::OpenStream) does not stop it. A
// missing file is created without a backup.
ReplaceResult ReplaceFileBytes(const char* path, const void* data, unsigned long size);

// The whole file, untranslated; false (bytes emptied) when it cannot be opened or read to its end.
bool ReadFileBytes(const char* path, std::string& bytes);
