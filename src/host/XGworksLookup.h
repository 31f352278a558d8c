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
// XGworks reads and writes its file in the Japanese code page, whatever the system's.
constexpr unsigned XGworksCodePage = 932;

enum UninstallStringResult {
    UninstallPathFound,
    UninstallMarkerMissing,
    UninstallNoDirectory,
};

// Derives the XGworks executable's path from the bytes of the uninstall command (up to the
// first NUL): the folder of the path that follows the first "-f" standing at the start of the
// text or after a blank, as installers write it (IsUninst.exe -f"C:\...\Uninst.isu",
// remove.exe -fC:\...\setup.log), so that the "-f" of a folder like "my-files" is no marker,
// plus the executable's name. A path after "-f" that begins with a double quote ends at the
// next one, so no quotation mark becomes part of the folder. Any other path ends before the
// first blank followed by "-", where the installer's next argument begins (IsUninst.exe
// -fC:\XG\DeIsL1.isu -cC:\XG\_ISREG32.DLL), so a blank in a folder's name ("Program Files")
// stays part of it. The text is walked character by character in the ANSI code page, so no
// second byte of a double-byte character is taken for "-" or a backslash.
UninstallStringResult XGworksPathFromUninstallString(const char* data, std::size_t size,
                                                     std::string& executablePath);
