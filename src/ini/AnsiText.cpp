#include "ini/AnsiText.h"

#include <windows.h>

#include <array>

namespace {

constexpr unsigned char LowestSecondByte = 0x40;

} // namespace

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
    // No ANSI code page has a second byte below "@": a lead byte before the terminator, a line
    // feed, a blank or an "=" is a broken character of its own, and they keep their meaning.
    if (IsAnsiLeadByte(*text) && static_cast<unsigned char>(text[1]) >= LowestSecondByte) {
        return text + 2;
    }
    return text + 1;
}

std::size_t AnsiFitLength(const char* text, std::size_t maxBytes) {
    const char* end = text;
    for (const char* next; *end != '\0'; end = next) {
        next = NextAnsiChar(end);
        if (static_cast<std::size_t>(next - text) > maxBytes) {
            break;
        }
    }
    return static_cast<std::size_t>(end - text);
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
