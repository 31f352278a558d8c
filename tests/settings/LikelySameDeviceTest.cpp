// The rule for "likely the same device" over the table in tests/data, one pair a line, each
// checked both ways round: the rule has no direction.

#include "settings/LikelySameDevice.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

TEST(LikelySameDevice, Table) {
    const std::string reasons[] = {"none", "number", "cut", "old"}; // by RenameReason
    std::ifstream table(VARNEL_TEST_DATA "likely-same-device.txt", std::ios::binary);
    int pairs = 0;
    const std::regex pair("(midi|wave) \\| (.*) \\| (.*) \\| (\\w+)");
    std::smatch fields;
    for (std::string line; std::getline(table, line);) {
        if (std::regex_match(line, fields, pair)) {
            const DeviceKind kind = fields[1] == "midi" ? MidiOut : WaveOut;
            EXPECT_EQ(reasons[LikelySameDevice(kind, fields[2], fields[3])], fields[4]) << line;
            EXPECT_EQ(reasons[LikelySameDevice(kind, fields[3], fields[2])], fields[4]) << line;
            ++pairs;
        }
    }
    EXPECT_EQ(pairs, 31);
}
