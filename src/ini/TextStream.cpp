#include "ini/TextStream.h"

TextStream::~TextStream() = default;

char* TextStream::FullPath(char*, int, char**) {
    return nullptr;
}

int TextStream::Close() {
    return -1;
}

int TextStream::Flush() {
    return -1;
}

int TextStream::ReadString(std::string& out, int) {
    out.clear();
    return -1;
}

int TextStream::ReadLine(char*, int) {
    return -1;
}

int TextStream::WriteString(const std::string&, int) {
    return -1;
}

int TextStream::WriteText(const char*, int) {
    return -1;
}

int TextStream::Seek(std::int32_t, int) {
    return 0;
}

std::int64_t TextStream::Seek64(std::int64_t, int) {
    return 0;
}

std::int32_t TextStream::Length() {
    return 0;
}

std::int64_t TextStream::Length64() {
    return 0;
}

int TextStream::AtEnd() {
    return 0;
}

FILE* TextStream::NativeHandle() {
    return nullptr;
}
