// The rule for "likely the same device" over the table in tests/data, one pair a line, each
// checked both ways round: the rule has no direction.

#include "settings/LikelySameDevice.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

TEST(LikelySameDevice, Table) {
    const std::map<std::string, RenameReason> reasons = {
        {"none", NotRenamed}, {"number", RenamedNumber}, {"cut", RenamedCut}, {"old", RenamedOldStyle}};
    std::ifstream table(VARNEL_TEST_DATA "likely-same-device.txt", std::ios::binary);
    int pairs = 0;
    for (std::string line; std::getline(table, line);) {
        std::vector<std::string> fields;
        for (std::size_t at = 0; line[0] != '#' && at != std::string::npos;) {
            const std::size_t end = line.find(" | ", at);
            fields.push_back(line.substr(at, end - at));
            at = end == std::string::npos ? end : end + 3;
        }
        if (fields.size() == 4) {
            const DeviceKind kind = fields[0] == "midi" ? MidiOut : WaveOut;
            EXPECT_EQ(LikelySameDevice(kind, fields[1], fields[2]), reasons.at(fields[3])) << line;
            EXPECT_EQ(LikelySameDevice(kind, fields[2], fields[1]), reasons.at(fields[3])) << line;
            ++pairs;
        }
    }
    EXPECT_EQ(pairs, 31);
}
