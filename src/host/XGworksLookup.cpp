#include "host/XGworksLookup.h"

#include <cstring>

std::size_t FindLastSeparator(const std::string& text, UINT codePage) {
    // A byte 0x5C may be the second byte of a double-byte character ("ソ" is 83 5C).
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\')
            last = i;
        else if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[i])))
            ++i;
    }
    return last;
}

UninstallStringResult XGworksPathFromUninstallString(const char* data, std::size_t size,
                                                     std::string& executablePath, UINT codePage) {
    if (size == 0)
        return UninstallMarkerMissing;
    const char* end = static_cast<const char*>(std::memchr(data, '\0', size));
    const std::string text(data, end ? static_cast<std::size_t>(end - data) : size);

    std::size_t marker = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, XGworksLogMarker) == 0) {
            marker = i;
            break;
        }
        if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[i])))
            ++i;
    }
    if (marker == std::string::npos)
        return UninstallMarkerMissing;

    std::string rest = text.substr(marker + 2);
    if (!rest.empty() && rest[0] == '"') {
        const std::size_t closing = rest.find('"', 1);
        rest = rest.substr(1, closing == std::string::npos ? std::string::npos : closing - 1);
    }

    const std::size_t lastSeparator = FindLastSeparator(rest, codePage);
    if (lastSeparator == std::string::npos)
        return UninstallNoDirectory;

    executablePath = rest.substr(0, lastSeparator) + XGworksExecutableName;
    return UninstallPathFound;
}
