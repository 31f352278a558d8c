#include "host/XGworksLookup.h"

#include <gtest/gtest.h>

#include <string>

TEST(XGworksPathFromUninstallString, DerivesTheExecutableFromTheFolderAfterTheFirstMarker) {
    const struct {
        std::string data;
        const char* expected;
        std::size_t cut = 0; // bytes past the given size
    } cases[] = {
        // clang-format off
        {"X:\\Setup\\remove.exe -fX:\\Apps\\Host\\setup.log", "X:\\Apps\\Host\\XGworks.exe"},
        // The marker starts the text or follows a blank, never inside a folder's name; the last
        // backslash of the whole rest counts, even in a later argument.
        {"X:\\my-files\\r.exe -fX:\\A\\s.log", "X:\\A\\XGworks.exe"},
        {"-fX:\\A\\s.log", "X:\\A\\XGworks.exe"},
        {"X:\\a-f\\r.exe\t-f\"X:\\my-files\\s.isu\"", "X:\\my-files\\XGworks.exe"},
        {"X:\\varnel-fresh\\r.exe", "<missing>"},
        {"r.exe -fX:\\A\\s.log -lX:\\T\\x.txt", "X:\\A\\s.log -lX:\\T\\XGworks.exe"},
        {"r.exe -f\\setup.log", "\\XGworks.exe"},
        {"", "<missing>"},
        {"r.exe -FX:\\Apps\\setup.log", "<missing>"}, {"r.exe -f", "<no folder>"},
        {"r.exe -fsetup.log", "<no folder>"},
        // The text ends at its first NUL; data without a NUL is read up to its size and no further.
        {std::string("r.exe -fX:\\A\\s.log\0\\B\\C", 22), "X:\\A\\XGworks.exe"},
        {std::string("r.exe\0 -fX:\\A\\s.log", 19), "<missing>"},
        {"r.exe -fX:\\Apps\\setup.log\\tail", "X:\\Apps\\XGworks.exe", 5},
        // 0x81 is a lead byte of code page 932, before the hyphen a broken character of its own
        // and no blank; "表" is 95 5C.
        {"\x81-fX:\\A\\s.log", "<missing>"},
        {"\x81-fX:\\A\\s.log -fY:\\B\\s.log", "Y:\\B\\XGworks.exe"},
        {"r.exe -fX:\\データ\\表.log", "X:\\データ\\XGworks.exe"}, {"r.exe -f表.log", "<no folder>"},
        // A quoted path ends at its closing quote, or at the end without one.
        {"\"X:\\S\\r.exe\" -f\"X:\\Program Files\\H\\s.log\" -lX:\\T\\x", "X:\\Program Files\\H\\XGworks.exe"},
        {"r.exe -f\"X:\\Apps\\setup.log", "X:\\Apps\\XGworks.exe"},
        {"r.exe -f\"setup.log\" -lX:\\T\\x.txt", "<no folder>"},
        {"r.exe -f X:\\\"A\\s.log", " X:\\\"A\\XGworks.exe"},
        // clang-format on
    };
    for (const auto& c : cases) {
        std::string path = "<untouched>";
        const UninstallStringResult result =
            XGworksPathFromUninstallString(c.data.data(), c.data.size() - c.cut, path);
        EXPECT_EQ(result == UninstallMarkerMissing ? "<missing>"
                  : result == UninstallNoDirectory ? "<no folder>"
                                                   : path,
                  c.expected)
            << c.data;
    }
    std::string path;
    EXPECT_EQ(XGworksPathFromUninstallString(nullptr, 0, path), UninstallMarkerMissing);
}
