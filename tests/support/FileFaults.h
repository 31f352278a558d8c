#pragma once

#include "ini/FileOperations.h"

#include <windows.h>

#include <io.h>

#include <set>

// File operations that fail as the system's may: the failAt-th call (counting from 1) of those
// below fails without a system error (a failed flush, exclusive open or temporary file ends a
// replace before the file is touched, as a failed write does); a failing close still releases
// the stream and loses what was written through it, as a close that cannot write out does. With halfway,
// every replace fails with the old content already under the backup name and the disk full;
// with stuckMoves, every move fails; with shortReads, a stream opened for reading writes only,
// so that a read fails before the end.
struct Faults : FileOperations {
    using Base = FileOperations;
    int failAt = 0;
    int count = 0;
    bool halfway = false;
    bool stuckMoves = false;
    bool shortReads = false;
    std::set<FILE*> written;

    bool Fail() { return ++count == failAt; }
    FILE* OpenStream(const char* path, const char* mode) override {
        return Fail() ? nullptr : Base::OpenStream(path, shortReads && *mode == 'r' ? "a" : mode);
    }
    bool WriteStream(FILE* file, const void* data, std::size_t size) override {
        written.insert(file);
        return !Fail() && Base::WriteStream(file, data, size);
    }
    // Whether the bytes reach the disk itself is not what these tests are about, and waiting for
    // it would take most of their time.
    bool FlushStream(FILE* file) override { return fflush(file) == 0; }
    bool CloseStream(FILE* file) override {
        const bool fail = Fail();
        if (fail && written.count(file) && fflush(file) == 0) {
            _chsize(_fileno(file), 0);
        }
        written.erase(file);
        return Base::CloseStream(file) && !fail;
    }
    bool Replace(const char* target, const char* replacement, const char* backup) override {
        if (halfway) {
            MoveFileExA(target, backup, MOVEFILE_REPLACE_EXISTING);
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        return !Fail() && Base::Replace(target, replacement, backup);
    }
    bool Move(const char* from, const char* to) override {
        return !stuckMoves && !Fail() && Base::Move(from, to);
    }
};
