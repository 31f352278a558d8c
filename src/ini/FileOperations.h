#pragma once

#include <cstddef>
#include <cstdio>

// A full path of at most MAX_PATH - 1 bytes for path (relative or full) in fullPath, which has
// MAX_PATH bytes; false when there is none. The one check every file name of ours passes, so
// that no later step meets a path the ANSI functions cannot take.
bool ResolveFullPath(const char* path, char* fullPath);

// Every file operation by which a load, a save or a reset touches the disk goes through the one
// process-wide instance returned by Current(). The base class does the real work; a test
// installs a subclass with an Override to make any one operation fail, wherever in the
// program the save or reset is started from.
class FileOperations {
public:
    FileOperations() = default;
    FileOperations(const FileOperations&) = delete;
    FileOperations& operator=(const FileOperations&) = delete;
    virtual ~FileOperations() = default;

    // fopen's modes ("r", "r+", "w", "wb", "a", ...); null on failure. The file is shared for
    // reading, writing and deletion, so that a replacement can take the place of a file that
    // a document still holds open; the handle then follows the old content.
    virtual FILE* OpenStream(const char* path, const char* mode);
    // Hands all the bytes to the operating system (fwrite, then fflush).
    virtual bool WriteStream(FILE* file, const void* data, std::size_t size);
    // fflush, then FlushFileBuffers: the bytes are on the disk.
    virtual bool FlushStream(FILE* file);
    // fclose; the stream is released even when this fails.
    virtual bool CloseStream(FILE* file);
    // Fails while another program holds the file open without sharing its deletion, or when
    // the file cannot be written; a missing file passes (a replacement may create it).
    virtual bool OpenExclusive(const char* path);
    // GetTempFileNameA: creates an empty, uniquely named file in folder; path gets MAX_PATH
    // bytes.
    virtual bool CreateTemporary(const char* folder, char* path);
    // ReplaceFileA: replacement takes target's place and target's old content goes to backup,
    // which it replaces. A failure may come half-way, with target already under the backup
    // name.
    virtual bool Replace(const char* target, const char* replacement, const char* backup);
    // MoveFileExA, replacing an existing file and returning once the move is on the disk.
    virtual bool Move(const char* from, const char* to);
    virtual bool Remove(const char* path);

    static FileOperations& Current();

    // Makes operations current for the lifetime of the Override.
    class Override {
    public:
        explicit Override(FileOperations& operations);
        Override(const Override&) = delete;
        Override& operator=(const Override&) = delete;
        ~Override();

    private:
        FileOperations* previous;
    };

private:
    static FileOperations* installed;
};
