#pragma once

#include "ini/FileOperations.h"

#include <gtest/gtest.h>

#include <io.h>

// File operations of which the Nth (counting from 1) fails and every other one succeeds.
// A failing close still releases the stream, as fclose does, and loses what was written. Install it
// with FileOperations::Override; the code under test needs the varnel_ini library.
class FailingFileOperations : public FileOperations {
public:
    using Base = FileOperations;
    explicit FailingFileOperations(int failAt) : failAt(failAt) {}

    // Whether the failure happened: false when the code under test did fewer operations.
    bool Failed() const { return count >= failAt; }

    FILE* OpenStream(const char* path, const char* mode) override {
        return Fail() ? nullptr : Base::OpenStream(path, mode);
    }
    bool WriteStream(FILE* file, const void* data, std::size_t size) override {
        return !Fail() && Base::WriteStream(file, data, size);
    }
    bool FlushStream(FILE* file) override { return !Fail() && Base::FlushStream(file); }
    bool CloseStream(FILE* file) override {
        const bool fail = Fail();
        // As a close that fails to write out: what was written is lost.
        if (fail && fflush(file) == 0) {
            _chsize(_fileno(file), 0);
        }
        return Base::CloseStream(file) && !fail;
    }
    bool OpenExclusive(const char* path) override { return !Fail() && Base::OpenExclusive(path); }
    bool CreateTemporary(const char* folder, char* path) override {
        return !Fail() && Base::CreateTemporary(folder, path);
    }
    bool Replace(const char* target, const char* replacement, const char* backup) override {
        return !Fail() && Base::Replace(target, replacement, backup);
    }
    bool Move(const char* from, const char* to) override { return !Fail() && Base::Move(from, to); }
    bool Remove(const char* path) override { return !Fail() && Base::Remove(path); }

private:
    bool Fail() { return ++count == failAt; }

    int failAt;
    int count = 0;
};

// Calls attempt(operations) with operations failing their Nth call, for N = 1, 2, ... until
// an attempt needs fewer calls; returns for how many N the attempt reported a failure.
template <typename Attempt> int CountFailures(Attempt attempt) {
    int failures = 0;
    for (int failAt = 1;; ++failAt) {
        SCOPED_TRACE(failAt);
        FailingFileOperations operations(failAt);
        failures += attempt(operations) ? 1 : 0;
        if (!operations.Failed()) {
            return failures;
        }
    }
}
