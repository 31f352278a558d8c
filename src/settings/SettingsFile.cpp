#include "settings/SettingsFile.h"

#include "host/XGworksLookup.h"
#include "ini/AnsiText.h"
#include "ini/FileOperations.h"

#include <windows.h>

#include <cstring>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Whether bytes hold only blanks and line ends, after a UTF-8 byte-order mark an editor may
// have left: an empty file, ready to be saved into.
bool Blank(const std::string& bytes) {
    const std::size_t text = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    for (std::size_t i = text; i < bytes.size(); ++i) {
        if (!IsBlank(bytes[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

DiskState ReadDisk(const std::string& path) {
    DiskState state;
    state.exists = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (state.exists) {
        state.read = ReadFileBytes(path.c_str(), state.bytes);
    }
    return state;
}

SettingsFile::SettingsFile() : document(std::make_unique<IniFile>()) {}

SettingsFile::~SettingsFile() = default;

ModelResult SettingsFile::Open(const std::string& executable) {
    const char* separator = FindLastAnsiChar(executable.c_str(), '\\');
    if (!separator) {
        return {FolderRefused};
    }
    const std::string named =
        executable.substr(0, static_cast<std::size_t>(separator - executable.c_str())) +
        XGworksSettingsName;
    // A path too long for the file's full path still names the folder: its writes say why.
    char resolved[MAX_PATH];
    const std::string file = ResolveFullPath(named.c_str(), resolved) ? resolved : named;
    // One read is the file as read, both its bytes and its names: whatever another program
    // writes after it is seen as a change, never taken for what was read.
    DiskState disk = ReadDisk(file);
    // A folder without the file is XGworks' only when XGworks is there: a reset creates the file
    // nowhere else.
    const DWORD attributes = GetFileAttributesA(
        (file.substr(0, file.size() - std::strlen(XGworksSettingsName)) + XGworksExecutableName)
            .c_str());
    if (!disk.exists &&
        (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))) {
        return {FolderRefused};
    }
    auto opened = std::make_unique<IniFile>();
    const StatusCode status = disk.read ? opened->Read(disk.bytes) : StatusOpenFailed;
    // From here on the new folder is the one shown, written and reset, whatever its file holds.
    document = std::move(opened);
    executablePath = executable;
    path = file;
    read = std::move(disk);
    agreed = false;
    if (status == StatusOk) {
        state = FileLoaded;
    } else if (!read.exists) {
        state = FileMissing;
    } else if (status == StatusNoSection && Blank(read.bytes)) {
        state = FileEmpty;
    } else {
        state = FileUnreadable;
    }
    return {status == StatusOk ? ModelDone : OpenNoFile};
}

ModelResult SettingsFile::Replace(const std::string& bytes) {
    // Compared right before the write, after every question, so that nothing another program
    // wrote meanwhile is written over unasked.
    DiskState now = ReadDisk(path);
    const bool agreement = agreed;
    agreed = false;
    if (now.exists && !now.read) {
        // Held by a program that lets nobody read it: whether it changed cannot be told, and it
        // cannot be written either.
        return {WriteFailed, now.read};
    }
    if (now != (agreement ? seen : read)) {
        seen = std::move(now);
        return {WriteChanged};
    }
    const FileResult replaced =
        ReplaceFileBytes(path.c_str(), bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (!replaced) {
        return {WriteFailed, replaced};
    }
    // The file as written from now on: its names as XGworks will read them.
    const std::string executable = executablePath;
    Open(executable);
    return {};
}

void SettingsFile::AgreeToChange() {
    agreed = true;
}

bool SettingsFile::BackupUsable(DiskState& backup) const {
    if (state == FileNone) {
        backup = {};
        return false;
    }
    backup = ReadDisk(path + BackupSuffix);
    const DiskState now = ReadDisk(path);
    return backup.exists && backup.read && !(now.exists && now.read && now.bytes == backup.bytes);
}

bool SettingsFile::BackupTime(SYSTEMTIME& written) const {
    WIN32_FILE_ATTRIBUTE_DATA data;
    FILETIME local;
    return GetFileAttributesExA((path + BackupSuffix).c_str(), GetFileExInfoStandard, &data) &&
           FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) &&
           FileTimeToSystemTime(&local, &written);
}

ModelResult SettingsFile::Restore(const DiskState* shown) {
    // Read right before it is written: the backup goes back byte for byte, as it was shown.
    DiskState backup;
    const bool usable = BackupUsable(backup);
    if (backup.exists && !backup.read) {
        return {WriteFailed, {FileBackupLocked, backup.read.error}};
    }
    if (!usable) {
        return WriteNoBackup;
    }
    return shown && backup != *shown ? ModelResult{WriteBackupChanged} : Replace(backup.bytes);
}

void SettingsFile::DropAgreement() {
    agreed = false;
}
