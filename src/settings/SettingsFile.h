#pragma once

#include "ini/IniFile.h"
#include "settings/ModelResult.h"

#include <memory>
#include <string>

// What the folder's DrvShortName.ini was when it was read.
enum SettingsFileState {
    FileNone,       // no folder is known
    FileMissing,    // the folder is known (XGworks.exe is there), the file is not
    FileUnreadable, // it holds what no section can be read from, or it cannot be read
    FileEmpty,      // nothing but blanks and line ends: no section yet, saved into as usual
    FileLoaded,     // its sections were read
};

// A file as one look at the disk found it.
struct DiskState {
    bool exists = false;
    FileResult read; // FileDone when it exists and could be read to its end
    std::string bytes;
    bool operator==(const DiskState& other) const {
        return exists == other.exists && bool(read) == bool(other.read) && bytes == other.bytes;
    }
    bool operator!=(const DiskState& other) const { return !(*this == other); }
};

// The file at path as it is now.
DiskState ReadDisk(const std::string& path);

// XGworks' folder and its DrvShortName.ini: the one path that is read and written, the document
// as it was read, and the states of the disk that decide whether a write may go ahead.
class SettingsFile {
public:
    SettingsFile();
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;
    ~SettingsFile();

    // Takes the folder of executablePath as XGworks' when XGworks.exe or DrvShortName.ini is
    // there, and reads its file: ModelDone, OpenNoFile (the folder is taken all the same), or
    // FolderRefused (nothing changed).
    ModelResult Open(const std::string& executablePath);

    // The executable whose folder is known, empty while none is.
    const std::string& ExecutablePath() const { return executablePath; }
    // DrvShortName.ini's full path, empty while no folder is known.
    const std::string& Path() const { return path; }
    SettingsFileState State() const { return state; }
    // Whether its names were read: it was loaded, or is empty and ready to be saved into.
    bool NamesRead() const { return state == FileLoaded || state == FileEmpty; }
    // The document as read; without sections unless NamesRead.
    const IniFile& Document() const { return *document; }
    // The file as it was read.
    const DiskState& Read() const { return read; }

    // Replaces the file with bytes, its old content becoming the backup, once no other program
    // changed it since it was read or agreed to, and reads it again: ModelDone, WriteChanged
    // (what it holds now is kept for AgreeToChange) or WriteFailed (nothing changed).
    ModelResult Replace(const std::string& bytes);
    // The user agrees to write over what the last Replace found; it holds for the next one only,
    // and is dropped by a write that ends before it (DropAgreement).
    void AgreeToChange();
    void DropAgreement();

    // The backup as it is now, in backup, and whether it can be taken back: it can be read, and
    // the file is missing or holds other bytes.
    bool BackupUsable(DiskState& backup) const;
    // When the backup was last written, in local time; false when it cannot be told.
    bool BackupTime(SYSTEMTIME& written) const;
    // Takes the backup back as Replace replaces the file: its bytes, unchanged, become the file,
    // and what the file held becomes the backup. WriteNoBackup when there is none to take back,
    // WriteFailed (FileBackupLocked) when it cannot be read, WriteBackupChanged when it is no
    // longer the backup shown, when one is given.
    ModelResult Restore(const DiskState* shown);

private:
    std::unique_ptr<IniFile> document;
    std::string executablePath;
    std::string path;
    SettingsFileState state = FileNone;
    DiskState read;
    DiskState seen;
    bool agreed = false;
};
