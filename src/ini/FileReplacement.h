#pragma once

#include <windows.h>

#include <string>

// Replaces the whole content of a file as one step: the new content goes into a temporary
// file in the same folder, which then takes the file's place. Until Commit succeeds the file
// keeps its old bytes, and a replacement that is given up removes its temporary file.
class FileReplacement {
public:
    explicit FileReplacement(const char* path);
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement();

    // Fails while another handle holds the file open (a replace would fail later anyway, and
    // this is the moment to learn it); otherwise creates the empty temporary file.
    bool Begin();
    const char* TemporaryPath() const { return temporary; }
    // The temporary file, written and closed, becomes the file.
    bool Commit();

private:
    std::string target;
    char temporary[MAX_PATH] = {};
    bool pending = false;
};

// Replaces the file at path (relative or full) with exactly size bytes of data, without any
// translation. On failure the file keeps its old bytes and no temporary file is left. Fails
// while any other handle, the caller's own included, holds the file open.
bool ReplaceFileBytes(const char* path, const void* data, unsigned long size);
