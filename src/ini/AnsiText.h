#pragma once

// Searches over byte strings in the ANSI code page that step over double-byte characters, so
// that a second byte which happens to equal an ASCII character (0x5C in "表", 0x5D in "ゾ")
// is never taken for that character.

#include <windows.h>

#include <array>
#include <cstddef>

// Inline, with the table, as every scan of a file's lines asks for each of its bytes.
inline bool IsAnsiLeadByte(char c) {
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

// The character after the one at text; a lead byte before a byte that cannot follow it (the
// terminator, a line feed, a blank) stands alone.
inline const char* NextAnsiChar(const char* text) {
    // No ANSI code page has a second byte below "@": a lead byte before the terminator, a line
    // feed, a blank or an "=" is a broken character of its own, and they keep their meaning.
    constexpr unsigned char LowestSecondByte = 0x40;
    if (IsAnsiLeadByte(*text) && static_cast<unsigned char>(text[1]) >= LowestSecondByte) {
        return text + 2;
    }
    return text + 1;
}

// Bytes of the longest start of text that holds only whole characters and at most maxBytes
// bytes: a cut there never leaves half a double-byte character behind.
std::size_t AnsiFitLength(const char* text, std::size_t maxBytes);

// The first or the last character c in text, or null.
const char* FindAnsiChar(const char* text, char c);
const char* FindLastAnsiChar(const char* text, char c);

inline char* NextAnsiChar(char* text) {
    return const_cast<char*>(NextAnsiChar(static_cast<const char*>(text)));
}
inline char* FindAnsiChar(char* text, char c) {
    return const_cast<char*>(FindAnsiChar(static_cast<const char*>(text), c));
}
inline char* FindLastAnsiChar(char* text, char c) {
    return const_cast<char*>(FindLastAnsiChar(static_cast<const char*>(text), c));
}
