#pragma once

#include "ini/TextStream.h"

#include <string>

// A text file through a buffered stream of the C library, in text mode: CR LF on disk is LF
// in memory and a Ctrl-Z ends the input. Closing a stream that wrote cuts the file where its
// handle stands, so text rewritten from the start replaces a longer old content; closing one
// that only read cuts nothing. Every write is handed to the operating system at once;
// destroying an open TextFile therefore writes nothing, and it releases the handle without
// cutting the file. Without an open file every operation fails harmlessly.
class TextFile : public TextStream {
public:
    TextFile() = default;
    ~TextFile() override;

    // 0 when the new file is open (the old one closed), -1 otherwise: then a file still open
    // stays open and whole.
    int Open(const char* name, const char* mode);

    char* FullPath(char* buffer, int size, char** namePart = nullptr) override;
    // 0, or -1 when the C library reported a failed close; the stream is released either way.
    int Close() override;
    int Flush() override;
    int ReadString(std::string& out, int count) override;
    int ReadLine(char* buffer, int size) override;
    int WriteString(const std::string& text, int reserved) override;
    int WriteText(const char* text, int reserved) override;
    int Seek(std::int32_t offset, int origin) override;
    std::int64_t Seek64(std::int64_t offset, int origin) override;
    std::int32_t Length() override;
    std::int64_t Length64() override;
    int AtEnd() override;
    FILE* NativeHandle() override;

private:
    std::string path;
    FILE* file = nullptr;
    bool written = false;
};
