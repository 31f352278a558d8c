#pragma once

#include "ini/FileReplacement.h"

// What an action of the model came to: ModelDone, or why not. Only ModelDone and OpenNoFile
// change anything; every other step leaves the model's names and the disk as they were.
enum ModelStep {
    ModelDone,
    // A short name that cannot be stored as typed.
    NameTooLong,       // more than XGworks reads
    NameComment,       // ";" starts a comment in the file
    NameControl,       // a line end or another control character
    NameNotInCodePage, // a character the code page lacks, which XGworks would read as another
    NameNotStored,     // the device's own name cannot be a key of the file
    // A take-over.
    TakeOverNeedsConsent, // the device's own name would be dropped: nothing done without consent
    TakeOverRefused,      // no such devices, or the source has no name to give
    // A folder.
    NoInstallation, // XGworks' uninstall entry is missing or names no folder
    OpenNoFile,     // the folder is the one shown now, but its file is missing or unreadable (or
                    // empty, holding no section yet)
    FolderRefused,  // the path names no folder, or one without XGworks.exe and the file
    // A write: a save, a reset, or taking the backup back.
    WriteNoChanges,     // a save without edits: nothing written, the backup kept
    WriteNoFolder,      // no folder is known
    WriteNoFile,        // a save of a file that is missing or that could not be read
    WriteNoBackup,      // there is no backup that differs from the file and can be read
    WriteChanged,       // another program changed the file since it was read or last agreed to
    WriteBackupChanged, // another program changed the backup since the question showed it
    WriteFailed,        // reading or replacing failed (file says where and why)
    WriteReadOnly,      // the names are held in another code page than XGworks reads
    WriteNoDefault,     // the default text could not be loaded
};

struct ModelResult {
    // Implicit, so that a step alone is a result.
    ModelResult(ModelStep step = ModelDone, FileResult file = {}) : step(step), file(file) {}
    explicit operator bool() const { return step == ModelDone; }

    ModelStep step;
    FileResult file; // the file operation that failed, for WriteFailed
};
