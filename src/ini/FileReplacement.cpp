#include "ini/FileReplacement.h"

#include "ini/AnsiText.h"
#include "ini/FileOperations.h"

#include <windows.h>

#include <string>

namespace {

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The temporary file of one replacement; removed unless it took the file's place or is the
// only copy left.
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
    }

    // Fails early, before anything is written, where the replace would fail at the end.
    bool Begin() {
        FileOperations& operations = FileOperations::Current();
        if (backup.size() >= MAX_PATH || !operations.OpenExclusive(target.c_str())) {
            return false;
        }
        const char* slash = FindLastAnsiChar(target.c_str(), '\\');
        const std::string folder =
            slash ? target.substr(0, slash - target.c_str() + 1) : std::string(".");
        pending = operations.CreateTemporary(folder.c_str(), temporary);
        return pending;
    }

    const char* TemporaryPath() const { return temporary; }

    // The written and closed temporary file becomes the file.
    bool Commit() {
        FileOperations& operations = FileOperations::Current();
        const bool existed = Exists(target);
        if (existed ? operations.Replace(target.c_str(), temporary, backup.c_str())
                    : operations.Move(temporary, target.c_str())) {
            pending = false;
            return true;
        }
        // A replace that failed half-way may have left the old content under the backup name
        // alone: put it back.
        if (existed && !Exists(target)) {
            operations.Move(backup.c_str(), target.c_str());
        }
        if (!Exists(target)) {
            pending = false;
        }
        return false;
    }

private:
    std::string target;
    std::string backup;
    char temporary[MAX_PATH] = {};
    bool pending = false;
};

} // namespace

bool ReplaceFileBytes(const char* path, const void* data, unsigned long size) {
    char fullPath[MAX_PATH];
    if (!ResolveFullPath(path, fullPath)) {
        return false;
    }
    Replacement replacement(fullPath);
    if (!replacement.Begin()) {
        return false;
    }
    FileOperations& operations = FileOperations::Current();
    FILE* file = operations.OpenStream(replacement.TemporaryPath(), "wb");
    if (!file) {
        return false;
    }
    const bool written = operations.WriteStream(file, data, size) && operations.FlushStream(file);
    const bool closed = operations.CloseStream(file);
    return written && closed && replacement.Commit();
}
