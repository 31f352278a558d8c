#include "ini/AnsiText.h"

#include <windows.h>

#include <array>

bool IsAnsiLeadByte(char c) {
    // The code page does not change while the process runs; one table saves a call per byte.
    static const std::array<bool, 256> leadBytes = [] {
        std::array<bool, 256> table{};
        for (int i = 0; i < 256; ++i) {
            table[i] = IsDBCSLeadByte(static_cast<BYTE>(i)) != FALSE;
        }
        return table;
    }();
    return leadBytes[static_cast<unsigned char>(c)];
}

const char* NextAnsiChar(const char* text) {
    if (IsAnsiLeadByte(*text) && text[1] != '\0') {
        return text + 2;
    }
    return text + 1;
}

const char* FindAnsiChar(const char* text, char c) {
    for (const char* p = text; *p != '\0'; p = NextAnsiChar(p)) {
        if (*p == c) {
            return p;
        }
    }
    return nullptr;
}

const char* FindLastAnsiChar(const char* text, char c) {
    const char* found = nullptr;
    for (const char* p = text; *p != '\0'; p = NextAnsiChar(p)) {
        if (*p == c) {
            found = p;
        }
    }
    return found;
}
