#include "host/XGworksLookup.h"

#include <gtest/gtest.h>

#include <string>

TEST(XGworksPathFromUninstallString, DerivesTheExecutableFromTheFolderAfterTheFirstMarker) {
    const struct {
        std::string data;
        UINT codePage;
        const char* expected;
        std::size_t cut = 0; // bytes past the given size
    } cases[] = {
        {"X:\\Setup\\remove.exe -fX:\\Apps\\Host\\setup.log", 932, "X:\\Apps\\Host\\XGworks.exe"},
        // The first "-f" counts, even inside a word; the last backslash of the whole rest
        // counts, even in a later argument.
        {"X:\\my-files\\r.exe -fX:\\A\\s.log", 932, "iles\\r.exe -fX:\\A\\XGworks.exe"},
        {"r.exe -fX:\\A\\s.log -lX:\\T\\x.txt", 932, "X:\\A\\s.log -lX:\\T\\XGworks.exe"},
        {"r.exe -f\\setup.log", 932, "\\XGworks.exe"},
        {"", 932, "<missing>"},
        {"r.exe -FX:\\Apps\\setup.log", 932, "<missing>"},
        {"r.exe -f", 932, "<no folder>"},
        {"r.exe -fsetup.log", 932, "<no folder>"},
        // The text ends at its first NUL.
        {std::string("r.exe -fX:\\A\\s.log\0\\B\\C", 22), 932, "X:\\A\\XGworks.exe"},
        {std::string("r.exe\0 -fX:\\A\\s.log", 19), 932, "<missing>"},
        // Data without a NUL is read up to its size and no further.
        {"r.exe -fX:\\Apps\\setup.log\\tail", 932, "X:\\Apps\\XGworks.exe", 5},
        // 0x81 is a lead byte of code page 932 and hides the hyphen after it; "表" is 95 5C.
        {"\x81-fX:\\A\\s.log", 932, "<missing>"},
        {"\x81-fX:\\A\\s.log -fY:\\B\\s.log", 932, "Y:\\B\\XGworks.exe"},
        {"\x81-fX:\\A\\s.log", 1252, "X:\\A\\XGworks.exe"},
        {"r.exe -fX:\\データ\\表.log", 932, "X:\\データ\\XGworks.exe"},
        {"r.exe -f表.log", 932, "<no folder>"},
        // A quoted path ends at its closing quote, or at the end without one.
        {"\"X:\\S\\r.exe\" -f\"X:\\Program Files\\H\\s.log\" -lX:\\T\\x", 932,
         "X:\\Program Files\\H\\XGworks.exe"},
        {"r.exe -f\"X:\\Apps\\setup.log", 932, "X:\\Apps\\XGworks.exe"},
        {"r.exe -f\"setup.log\" -lX:\\T\\x.txt", 932, "<no folder>"},
        {"r.exe -f X:\\\"A\\s.log", 932, " X:\\\"A\\XGworks.exe"},
    };
    for (const auto& c : cases) {
        std::string path = "<untouched>";
        const UninstallStringResult result =
            XGworksPathFromUninstallString(c.data.data(), c.data.size() - c.cut, path, c.codePage);
        EXPECT_EQ(result == UninstallMarkerMissing ? "<missing>"
                  : result == UninstallNoDirectory ? "<no folder>"
                                                   : path,
                  c.expected)
            << c.data;
    }
    std::string path;
    EXPECT_EQ(XGworksPathFromUninstallString(nullptr, 0, path), UninstallMarkerMissing);
}
