#include "ini/FileReplacement.h"

#include "ini/AnsiText.h"
#include "ini/FileOperations.h"

FileReplacement::FileReplacement(const char* path) : target(path) {}

FileReplacement::~FileReplacement() {
    if (pending) {
        FileOperations::Current().Remove(temporary);
    }
}

bool FileReplacement::Begin() {
    FileOperations& operations = FileOperations::Current();
    if (!operations.OpenExclusive(target.c_str())) {
        return false;
    }
    const char* slash = FindLastAnsiChar(target.c_str(), '\\');
    const std::string folder =
        slash ? target.substr(0, slash - target.c_str() + 1) : std::string(".");
    pending = operations.CreateTemporary(folder.c_str(), temporary);
    return pending;
}

bool FileReplacement::Commit() {
    if (!pending || !FileOperations::Current().Replace(target.c_str(), temporary)) {
        return false;
    }
    pending = false;
    return true;
}

bool ReplaceFileBytes(const char* path, const void* data, unsigned long size) {
    char fullPath[MAX_PATH];
    const DWORD length = GetFullPathNameA(path, MAX_PATH, fullPath, nullptr);
    if (length == 0 || length >= MAX_PATH) {
        return false;
    }
    FileReplacement replacement(fullPath);
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
