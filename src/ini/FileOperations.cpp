#include "ini/FileOperations.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdint>
#include <cstring>

bool ResolveFullPath(const char* path, char* fullPath) {
    const DWORD length = GetFullPathNameA(path, MAX_PATH, fullPath, nullptr);
    return length != 0 && length < MAX_PATH;
}

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
    const bool update = std::strchr(mode, '+') != nullptr;
    DWORD access = update ? GENERIC_READ | GENERIC_WRITE : 0;
    DWORD disposition = 0;
    int flags = std::strchr(mode, 'b') ? _O_BINARY : _O_TEXT;
    switch (mode[0]) {
    case 'r':
        access |= GENERIC_READ;
        disposition = OPEN_EXISTING;
        flags |= update ? _O_RDWR : _O_RDONLY;
        break;
    case 'w':
        access |= GENERIC_WRITE;
        disposition = CREATE_ALWAYS;
        flags |= update ? _O_RDWR : _O_WRONLY;
        break;
    case 'a':
        access |= GENERIC_WRITE;
        disposition = OPEN_ALWAYS;
        flags |= _O_APPEND | (update ? _O_RDWR : _O_WRONLY);
        break;
    default:
        return nullptr;
    }
    const HANDLE handle =
        CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<std::intptr_t>(handle), flags);
    if (descriptor < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    FILE* file = _fdopen(descriptor, mode);
    if (!file) {
        _close(descriptor);
    }
    return file;
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
    const HANDLE handle = CreateFileA(path, GENERIC_WRITE | DELETE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    CloseHandle(handle);
    return true;
}

bool FileOperations::CreateTemporary(const char* folder, char* path) {
    return GetTempFileNameA(folder, "vrn", 0, path) != 0;
}

bool FileOperations::Replace(const char* target, const char* replacement, const char* backup) {
    // ReplaceFileA keeps the target's attributes and security.
    return ReplaceFileA(target, replacement, backup, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                        nullptr) != FALSE;
}

bool FileOperations::Move(const char* from, const char* to) {
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool FileOperations::Remove(const char* path) {
    return DeleteFileA(path) != FALSE;
}
