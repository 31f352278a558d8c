#include "editor/DeviceNameMap.h"

#include "FakeDeviceSource.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// Stands for a section of the settings file: keys ignore case, values are cut like lstrcpynA.
ShortNameLookup SectionOf(std::map<std::string, std::string, NoCaseLess> keys) {
    return [keys](const char* name, char* buffer, int size) {
        const auto found = keys.find(name);
        if (found != keys.end())
            lstrcpynA(buffer, found->second.c_str(), size);
    };
}

Entries EntriesOf(const DeviceNameMap& map) {
    return Entries(map.begin(), map.end());
}

} // namespace

TEST(MergeDeviceNames, PairsPresentDevicesWithTheirShortNames) {
    FakeDeviceSource devices;
    devices.names[MidiOut] = {"YAMAHA CBX A Driver", "SW1000 MIDI OUT", "Long One",  "Empty Value",
                              "sb16 midi",           "No Key",          "SB16 MIDI", "another"};
    const std::string forty(40, 'x');
    auto section = SectionOf({{"yamaha cbx a driver", "CBX A"},
                              {"SW1000 MIDI OUT", "SW"},
                              {"Long One", forty},
                              {"Empty Value", ""},
                              {"SB16 MIDI", "SB16"},
                              {"Not Installed", "gone"}});
    DeviceNameMap map;
    MergeDeviceNames(map, devices, MidiOut, section);

    // Ordered by name ignoring case; one entry for names equal ignoring case, spelled as the
    // device with the lower identifier; keys of absent devices are not taken in.
    EXPECT_EQ(EntriesOf(map), (Entries{{"another", ""},
                                       {"Empty Value", ""},
                                       {"Long One", std::string(31, 'x')},
                                       {"No Key", ""},
                                       {"sb16 midi", "SB16"},
                                       {"SW1000 MIDI OUT", "SW"},
                                       {"YAMAHA CBX A Driver", "CBX A"}}));

    // Only the kind asked for is read.
    DeviceNameMap waves;
    MergeDeviceNames(waves, devices, WaveOut, section);
    EXPECT_TRUE(waves.empty());
}

TEST(MergeDeviceNames, SkipsDevicesThatCannotBeNamedAndToleratesAMissingSection) {
    FakeDeviceSource devices;
    devices.names[WaveOut] = {FakeDeviceSource::FailingDevice, "SW1000 #1 WAVE OUT",
                              FakeDeviceSource::FailingDevice, std::string(31, 'n')};
    DeviceNameMap map;
    MergeDeviceNames(map, devices, WaveOut, SectionOf({{"SW1000 #1 WAVE OUT", "SW 1"}}));
    EXPECT_EQ(EntriesOf(map),
              (Entries{{std::string(31, 'n'), ""}, {"SW1000 #1 WAVE OUT", "SW 1"}}));

    DeviceNameMap withoutSection;
    MergeDeviceNames(withoutSection, devices, WaveOut, nullptr);
    EXPECT_EQ(EntriesOf(withoutSection),
              (Entries{{std::string(31, 'n'), ""}, {"SW1000 #1 WAVE OUT", ""}}));
}
