#include "ini/AnsiText.h"

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
