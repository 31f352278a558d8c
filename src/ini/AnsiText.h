#pragma once

// Searches over byte strings in the ANSI code page that step over double-byte characters, so
// that a second byte which happens to equal an ASCII character (0x5C in "表", 0x5D in "ゾ")
// is never taken for that character.

#include <cstddef>

bool IsAnsiLeadByte(char c);

// The character after the one at text; a lead byte before a byte that cannot follow it (the
// terminator, a line feed, a blank) stands alone.
const char* NextAnsiChar(const char* text);

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
