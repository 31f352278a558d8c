#include "ini/FileReplacement.h"

#include "ini/AnsiText.h"
#include "ini/FileOperations.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace {

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A stream of the C library may fail without leaving a system error behind.
FileResult Failed(FileStep step, DWORD error) {
    return {step, error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE};
}

// The temporary files of one replacement: the new content, removed unless it took the file's
// place or is the only copy left, and a copy of the backup that the file's old content is to
// replace, removed unless it is the only copy left of that backup.
class Replacement {
public:
    explicit Replacement(const std::string& target)
        : target(target), backup(target + BackupSuffix) {}
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;
    ~Replacement() {
        if (pending) {
            FileOperations::Current().Remove(temporary);
        }
        if (keeping) {
            FileOperations::Current().Remove(kept);
        }
    }

    // Fails early, before anything is written, where the replace would fail at the end. Each
    // step starts with no last error, so that a failure reports its own.
    FileResult Begin() {
        FileOperations& operations = FileOperations::Current();
        if (backup.size() >= MAX_PATH) {
            return Failed(FilePathTooLong, ERROR_FILENAME_EXCED_RANGE);
        }
        SetLastError(ERROR_SUCCESS);
        if (!operations.OpenExclusive(target.c_str())) {
            return Failed(FileLocked, GetLastError());
        }
        // A backup that cannot be replaced (read-only, held by another program, a folder) has to
        // stop the replace here: ReplaceFileA does not refuse every such backup itself, and once
        // it has begun the old content may be gone.
        // A missing file is created by a move that leaves the backup alone.
        SetLastError(ERROR_SUCCESS);
        if (Exists(target) && !operations.OpenExclusive(backup.c_str())) {
            return Failed(FileCommitFailed, GetLastError());
        }
        const char* slash = FindLastAnsiChar(target.c_str(), '\\');
        const std::string folder =
            slash ? target.substr(0, slash - target.c_str() + 1) : std::string(".");
        SetLastError(ERROR_SUCCESS);
        if (!operations.CreateTemporary(folder.c_str(), temporary)) {
            return Failed(FileNoTemporary, GetLastError());
        }
        pending = true;
        // A replace that fails half-way has put the file's old content over the backup, which
        // may hold the only copy of names (a backup being taken back): it is kept aside first.
        if (Exists(target) && Exists(backup)) {
            if (const FileResult read = ReadFileBytes(backup.c_str(), oldBackup); !read) {
                return Failed(FileCommitFailed, read.error);
            }
            SetLastError(ERROR_SUCCESS);
            if (!operations.CreateTemporary(folder.c_str(), kept)) {
                return Failed(FileNoTemporary, GetLastError());
            }
            keeping = true;
            if (const FileResult written = Write(kept, oldBackup); !written) {
                return written;
            }
        }
        return {};
    }

    const char* TemporaryPath() const { return temporary; }

    // Writes bytes into the temporary file at path, through to the disk.
    static FileResult Write(const char* path, const std::string& bytes) {
        FileOperations& operations = FileOperations::Current();
        SetLastError(ERROR_SUCCESS);
        FILE* file = operations.OpenStream(path, "wb");
        if (!file) {
            return Failed(FileNoTemporary, GetLastError());
        }
        SetLastError(ERROR_SUCCESS);
        const bool written = operations.WriteStream(file, bytes.data(), bytes.size()) &&
                             operations.FlushStream(file);
        const DWORD writeError = GetLastError();
        SetLastError(ERROR_SUCCESS);
        const bool closed = operations.CloseStream(file);
        if (!written || !closed) {
            return Failed(FileWriteFailed, written ? GetLastError() : writeError);
        }
        return {};
    }

    // The written and closed temporary file becomes the file.
    FileResult Commit() {
        FileOperations& operations = FileOperations::Current();
        const bool existed = Exists(target);
        SetLastError(ERROR_SUCCESS);
        if (existed ? operations.Replace(target.c_str(), temporary, backup.c_str())
                    : operations.Move(temporary, target.c_str())) {
            pending = false;
            return {};
        }
        // Taken before the undo below and the temporary files' removal overwrite it.
        const FileResult failed = Failed(FileCommitFailed, GetLastError());
        // A replace that failed half-way may have left the old content under the backup name
        // alone: put it back, and the backup as it was.
        if (existed && !Exists(target)) {
            operations.Move(backup.c_str(), target.c_str());
            // Should that fail too, the temporary file holds the only copy of the new content.
            pending = Exists(target);
        }
        std::string now;
        if (keeping && (!ReadFileBytes(backup.c_str(), now) || now != oldBackup)) {
            // Put back once the file's old content is out of the way; else, as should the move
            // fail, it stays beside them, the only copy left of the backup.
            if (Exists(target)) {
                operations.Move(kept, backup.c_str());
            }
            keeping = false;
        }
        return failed;
    }

private:
    std::string target;
    std::string backup;
    char temporary[MAX_PATH] = {};
    bool pending = false;
    std::string oldBackup;
    char kept[MAX_PATH] = {};
    bool keeping = false;
};

} // namespace

FileResult ReplaceFileBytes(const char* path, const void* data, unsigned long size) {
    char fullPath[MAX_PATH];
    if (!ResolveFullPath(path, fullPath)) {
        return Failed(FilePathTooLong, ERROR_FILENAME_EXCED_RANGE);
    }
    // A second save or reset would otherwise put its own bytes in the backup's place, and with
    // them lose the content from before the first; a file that cannot be read to tell is left
    // alone for the same reason.
    std::string current;
    if (const FileResult read = ReadFileBytes(fullPath, current); !read && Exists(fullPath)) {
        return read;
    }
    if (current == std::string_view(static_cast<const char*>(data), size) && Exists(fullPath)) {
        return {};
    }
    Replacement replacement(fullPath);
    if (const FileResult begun = replacement.Begin(); !begun) {
        return begun;
    }
    if (const FileResult written = Replacement::Write(
            replacement.TemporaryPath(), std::string(static_cast<const char*>(data), size));
        !written) {
        return written;
    }
    return replacement.Commit();
}

FileResult ReadFileBytes(const char* path, std::string& bytes) {
    bytes.clear();
    FileOperations& operations = FileOperations::Current();
    SetLastError(ERROR_SUCCESS);
    FILE* file = operations.OpenStream(path, "rb");
    if (!file) {
        return Failed(FileLocked, GetLastError());
    }
    char buffer[4096];
    SetLastError(ERROR_SUCCESS);
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, file)) > 0;) {
        bytes.append(buffer, got);
    }
    const bool whole = feof(file) && !ferror(file);
    const DWORD error = GetLastError();
    // Closing a stream that only read loses nothing, whatever it reports.
    operations.CloseStream(file);
    if (!whole) {
        bytes.clear();
        return Failed(FileLocked, error);
    }
    return {};
}
