#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// A line-oriented text stream. Every operation has a default that means "not supported", so
// a stream overrides only what it can do.
class TextStream {
public:
    TextStream() = default;
    TextStream(const TextStream&) = delete;
    TextStream& operator=(const TextStream&) = delete;
    virtual ~TextStream();

    virtual char* FullPath(char* buffer, int size, char** namePart = nullptr);
    virtual int Close();
    virtual int Flush();
    virtual int ReadString(std::string& out, int count);
    virtual int ReadLine(char* buffer, int size);
    virtual int WriteString(const std::string& text, int reserved);
    virtual int WriteText(const char* text, int reserved);
    virtual int Seek(std::int32_t offset, int origin);
    virtual std::int64_t Seek64(std::int64_t offset, int origin);
    virtual std::int32_t Length();
    virtual std::int64_t Length64();
    virtual int AtEnd();
    virtual FILE* NativeHandle();
};
