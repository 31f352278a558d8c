#include "host/XGworksLookup.h"

#include "ini/AnsiText.h"

#include <cstring>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The first marker that starts the text or follows a blank, or null.
const char* FindMarker(const char* text) {
    const std::size_t length = std::strlen(XGworksLogMarker);
    for (const char* p = text; *p != '\0'; p = NextAnsiChar(p)) {
        // A blank is never a second byte, so the byte before p is a character of its own.
        if ((p == text || IsBlank(p[-1])) && std::strncmp(p, XGworksLogMarker, length) == 0) {
            return p + length;
        }
    }
    return nullptr;
}

// An unquoted path ends where the next argument ("-c...") begins; any other blank belongs to
// a folder's name, as in "Program Files".
std::size_t UnquotedPathLength(const char* path) {
    const char* p = path;
    while (*p != '\0' && !(IsBlank(*p) && p[1] == '-')) {
        p = NextAnsiChar(p);
    }
    return static_cast<std::size_t>(p - path);
}

} // namespace

UninstallStringResult XGworksPathFromUninstallString(const char* data, std::size_t size,
                                                     std::string& executablePath) {
    if (size == 0) {
        return UninstallMarkerMissing;
    }
    const char* end = static_cast<const char*>(std::memchr(data, '\0', size));
    const std::string text(data, end ? static_cast<std::size_t>(end - data) : size);
    const char* marker = FindMarker(text.c_str());
    if (!marker) {
        return UninstallMarkerMissing;
    }
    std::string rest = marker;
    if (!rest.empty() && rest[0] == '"') {
        const std::size_t closing = rest.find('"', 1);
        rest = rest.substr(1, closing == std::string::npos ? std::string::npos : closing - 1);
    } else {
        rest.resize(UnquotedPathLength(rest.c_str()));
    }
    const char* separator = FindLastAnsiChar(rest.c_str(), '\\');
    if (!separator) {
        return UninstallNoDirectory;
    }
    executablePath = rest.substr(0, separator - rest.c_str()) + XGworksExecutableName;
    return UninstallPathFound;
}
