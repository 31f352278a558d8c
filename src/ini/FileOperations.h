#pragma once

#include <cstddef>
#include <cstdio>

// Every file operation by which a save or a reset changes the disk goes through the one
// process-wide instance returned by Current(). The base class does the real work; a test
// installs a subclass with an Override to make any one operation fail, wherever in the
// program the save or reset is started from.
class FileOperations {
public:
    FileOperations() = default;
    FileOperations(const FileOperations&) = delete;
    FileOperations& operator=(const FileOperations&) = delete;
    virtual ~FileOperations() = default;

    // fopen; null on failure.
    virtual FILE* OpenStream(const char* path, const char* mode);
    // Hands all the bytes to the operating system (fwrite, then fflush).
    virtual bool WriteStream(FILE* file, const void* data, std::size_t size);
    // fflush, then FlushFileBuffers: the bytes are on the disk.
    virtual bool FlushStream(FILE* file);
    // fclose; the stream is released even when this fails.
    virtual bool CloseStream(FILE* file);
    // Fails while any other handle holds the file open, or when it cannot be written;
    // a missing file passes (a replacement may create it).
    virtual bool OpenExclusive(const char* path);
    // GetTempFileNameA: creates an empty, uniquely named file in folder; path gets MAX_PATH
    // bytes.
    virtual bool CreateTemporary(const char* folder, char* path);
    // Puts replacement in the place of target in one step; replacement is gone afterwards.
    virtual bool Replace(const char* target, const char* replacement);
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
