#include "ini/TextFile.h"

#include "ini/AnsiText.h"
#include "ini/FileOperations.h"

#include <windows.h>

#include <io.h>

#include <cstring>
#include <memory>

TextFile::~TextFile() {
    if (file) {
        fclose(file);
    }
}

int TextFile::Open(const char* name, const char* mode) {
    char fullPath[MAX_PATH];
    if (!ResolveFullPath(name, fullPath)) {
        return -1;
    }
    FILE* opened = FileOperations::Current().OpenStream(fullPath, mode);
    if (!opened) {
        return -1;
    }
    Close();
    file = opened;
    written = false;
    path = fullPath;
    return 0;
}

char* TextFile::FullPath(char* buffer, int size, char** namePart) {
    if (size < 1 || !lstrcpynA(buffer, path.c_str(), size)) {
        return nullptr;
    }
    if (namePart) {
        char* slash = FindLastAnsiChar(buffer, '\\');
        *namePart = slash ? slash + 1 : buffer;
    }
    return buffer;
}

int TextFile::Close() {
    if (!file) {
        return 0;
    }
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (handle == INVALID_HANDLE_VALUE) {
        return 0;
    }
    // A stream that only read says nothing about where the file should end: another program
    // may have changed its length since.
    if (written) {
        SetEndOfFile(handle);
    }
    FILE* closing = file;
    file = nullptr;
    return FileOperations::Current().CloseStream(closing) ? 0 : -1;
}

int TextFile::Flush() {
    return file && FileOperations::Current().FlushStream(file) ? 0 : -1;
}

int TextFile::ReadString(std::string& out, int count) {
    const std::unique_ptr<char[]> buffer(new char[count < 0 ? 1 : count + 1]);
    const int result = ReadLine(buffer.get(), count);
    if (result != 0) {
        out.assign(buffer.get());
    } else {
        out.clear();
    }
    return result;
}

int TextFile::ReadLine(char* buffer, int size) {
    if (!file || size < 1) {
        return 0;
    }
    return fgets(buffer, size, file) ? 1 : 0;
}

int TextFile::WriteString(const std::string& text, int) {
    return WriteText(text.c_str(), 0);
}

int TextFile::WriteText(const char* text, int) {
    if (!file) {
        return -1;
    }
    written = true;
    return FileOperations::Current().WriteStream(file, text, std::strlen(text)) ? 1 : -1;
}

int TextFile::Seek(std::int32_t offset, int origin) {
    return file ? fseek(file, offset, origin) : -1;
}

std::int64_t TextFile::Seek64(std::int64_t, int) {
    return -1;
}

std::int32_t TextFile::Length() {
    return file ? _filelength(_fileno(file)) : -1;
}

std::int64_t TextFile::Length64() {
    return file ? _filelengthi64(_fileno(file)) : -1;
}

int TextFile::AtEnd() {
    return file && feof(file) ? 1 : 0;
}

FILE* TextFile::NativeHandle() {
    return file;
}
