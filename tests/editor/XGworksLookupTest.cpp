#include "host/XGworksLookup.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <sstream>

// The uninstall strings of tests/data/uninstall-strings.txt, each with what is derived from it.
TEST(XGworksPathFromUninstallString, DerivesTheExecutableFromTheFolderAfterTheFirstMarker) {
    std::istringstream lines(ReadBytes(VARNEL_TEST_DATA "uninstall-strings.txt"));
    int cases = 0;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t arrow = line.find(" => ");
        if (line[0] == '#' || arrow == std::string::npos) {
            continue;
        }
        const std::string data = ReplaceAll(line.substr(0, arrow), "<NUL>", std::string(1, '\0'));
        std::string path = "<untouched>";
        const UninstallStringResult result = XGworksPathFromUninstallString(
            data.data(), std::min(data.find("<END>"), data.size()), path);
        EXPECT_EQ(result == UninstallMarkerMissing ? "<missing>"
                  : result == UninstallNoDirectory ? "<no folder>"
                                                   : path,
                  line.substr(arrow + 4))
            << line;
        ++cases;
    }
    EXPECT_EQ(cases, 25);
    std::string path;
    EXPECT_EQ(XGworksPathFromUninstallString(nullptr, 0, path), UninstallMarkerMissing);
}
