#include "host/XGworksLookup.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The derived executable path, or "<missing>" / "<no directory>".
std::string Derive(const std::string& data, UINT codePage = 932) {
    std::string path = "<untouched>";
    switch (XGworksPathFromUninstallString(data.data(), data.size(), path, codePage)) {
    case UninstallMarkerMissing:
        return "<missing>";
    case UninstallNoDirectory:
        return "<no directory>";
    default:
        return path;
    }
}

} // namespace

TEST(XGworksPathFromUninstallString, TakesTheFolderOfThePathAfterTheFirstMarker) {
    EXPECT_EQ(Derive("X:\\Setup\\remove.exe -fX:\\Apps\\Host\\setup.log"),
              "X:\\Apps\\Host\\XGworks.exe");
    // The first "-f" counts, even inside a word.
    EXPECT_EQ(Derive("X:\\my-files\\remove.exe -fX:\\Apps\\Host\\setup.log"),
              "iles\\remove.exe -fX:\\Apps\\Host\\XGworks.exe");
    // Later arguments are not split off: the last backslash of the whole rest counts.
    EXPECT_EQ(Derive("r.exe -fX:\\Apps\\Host\\setup.log -lX:\\Temp\\x.txt"),
              "X:\\Apps\\Host\\setup.log -lX:\\Temp\\XGworks.exe");
    EXPECT_EQ(Derive("r.exe -f\\setup.log"), "\\XGworks.exe");
    EXPECT_EQ(Derive("r.exe -f X:\\A\\s.log"), " X:\\A\\XGworks.exe");
}

TEST(XGworksPathFromUninstallString, Failures) {
    EXPECT_EQ(Derive(""), "<missing>");
    EXPECT_EQ(Derive("r.exe -FX:\\Apps\\setup.log"), "<missing>");
    EXPECT_EQ(Derive("r.exe -f"), "<no directory>");
    EXPECT_EQ(Derive("r.exe -fsetup.log"), "<no directory>");
    std::string path;
    EXPECT_EQ(XGworksPathFromUninstallString(nullptr, 0, path), UninstallMarkerMissing);
    EXPECT_TRUE(path.empty());
}

TEST(XGworksPathFromUninstallString, ReadsTheTextUpToItsEndOrFirstNul) {
    const std::string text = "r.exe -fX:\\Apps\\setup.log";
    const std::string data = text + "\\tail\\more";
    std::string path;
    ASSERT_EQ(XGworksPathFromUninstallString(data.data(), text.size(), path, 932),
              UninstallPathFound);
    EXPECT_EQ(path, "X:\\Apps\\XGworks.exe");
    EXPECT_EQ(Derive(std::string("r.exe -fX:\\A\\s.log\0\\B\\C", 22)), "X:\\A\\XGworks.exe");
    EXPECT_EQ(Derive(std::string("r.exe\0 -fX:\\A\\s.log", 19)), "<missing>");
}

TEST(XGworksPathFromUninstallString, StepsOverDoubleByteCharacters) {
    // 0x81 is a lead byte in code page 932 and hides the hyphen after it.
    EXPECT_EQ(Derive("\x81-fX:\\A\\s.log"), "<missing>");
    EXPECT_EQ(Derive("\x81-fX:\\A\\s.log -fY:\\B\\s.log"), "Y:\\B\\XGworks.exe");
    EXPECT_EQ(Derive("\x81-fX:\\A\\s.log", 1252), "X:\\A\\XGworks.exe");
    // "表" is 95 5C: its second byte is no separator.
    EXPECT_EQ(Derive("r.exe -fX:\\データ\\表.log"), "X:\\データ\\XGworks.exe");
    EXPECT_EQ(Derive("r.exe -f表.log"), "<no directory>");
    EXPECT_EQ(FindLastSeparator("表", 1252), 1u);
}

TEST(XGworksPathFromUninstallString, QuotedPathEndsAtItsClosingQuote) {
    EXPECT_EQ(
        Derive("\"X:\\Setup\\remove.exe\" -f\"X:\\Program Files\\Host\\setup.log\" -lX:\\T\\x"),
        "X:\\Program Files\\Host\\XGworks.exe");
    EXPECT_EQ(Derive("r.exe -f\"X:\\Apps\\setup.log"), "X:\\Apps\\XGworks.exe");
    EXPECT_EQ(Derive("r.exe -f\"setup.log\" -lX:\\T\\x.txt"), "<no directory>");
    EXPECT_EQ(Derive("r.exe -f\""), "<no directory>");
    // A quote that does not follow the marker directly stays.
    EXPECT_EQ(Derive("r.exe -f X:\\\"A\\s.log"), " X:\\\"A\\XGworks.exe");
}
