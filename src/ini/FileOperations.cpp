#include "ini/FileOperations.h"

#include <windows.h>

#include <io.h>

FileOperations* FileOperations::installed = nullptr;

FileOperations& FileOperations::Current() {
    static FileOperations standard;
    return installed ? *installed : standard;
}

FileOperations::Override::Override(FileOperations& operations) : previous(installed) {
    installed = &operations;
}

FileOperations::Override::~Override() {
    installed = previous;
}

FILE* FileOperations::OpenStream(const char* path, const char* mode) {
    return fopen(path, mode);
}

bool FileOperations::WriteStream(FILE* file, const void* data, std::size_t size) {
    return fwrite(data, 1, size, file) == size && fflush(file) == 0;
}

bool FileOperations::FlushStream(FILE* file) {
    if (fflush(file) != 0) {
        return false;
    }
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle);
}

bool FileOperations::CloseStream(FILE* file) {
    return fclose(file) == 0;
}

bool FileOperations::OpenExclusive(const char* path) {
    const HANDLE handle =
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    CloseHandle(handle);
    return true;
}

bool FileOperations::CreateTemporary(const char* folder, char* path) {
    return GetTempFileNameA(folder, "vrn", 0, path) != 0;
}

bool FileOperations::Replace(const char* target, const char* replacement) {
    // ReplaceFileA keeps the target's attributes and security; it needs a target to replace.
    if (ReplaceFileA(target, replacement, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr)) {
        return true;
    }
    if (GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    return MoveFileExA(replacement, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool FileOperations::Remove(const char* path) {
    return DeleteFileA(path) != FALSE;
}
