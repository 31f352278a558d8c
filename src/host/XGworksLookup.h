#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// Where XGworks' installer leaves its uninstall command, and how the installation folder is
// derived from it.
constexpr const char* XGworksUninstallKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\YAMAHA XGworks Ver.";
constexpr const char* XGworksUninstallValue = "UninstallString";
// The lookup only reads. XGworks' installer is a 32-bit program, so a 64-bit build has to look
// into the 32-bit view of the registry to find its entry.
constexpr REGSAM XGworksUninstallAccess = KEY_READ | (sizeof(void*) == 8 ? KEY_WOW64_32KEY : 0);
constexpr const char* XGworksLogMarker = "-f";
constexpr const char* XGworksExecutableName = "\\XGworks.exe";
constexpr const char* XGworksSettingsName = "\\DrvShortName.ini";

enum UninstallStringResult {
    UninstallPathFound,
    UninstallMarkerMissing,
    UninstallNoDirectory,
};

// Position of the last backslash of text that is a character of its own in codePage (not the
// second byte of a double-byte character), or std::string::npos.
std::size_t FindLastSeparator(const std::string& text, UINT codePage = CP_ACP);

// Derives the XGworks executable's path from the bytes of the uninstall command: the folder
// of the path that follows the first "-f" (found at a character boundary of codePage), plus
// the executable's name. A path after "-f" that begins with a double quote ends at the next
// one, so no quotation mark becomes part of the folder.
UninstallStringResult XGworksPathFromUninstallString(const char* data, std::size_t size,
                                                     std::string& executablePath,
                                                     UINT codePage = CP_ACP);
