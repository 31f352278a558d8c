#include "editor/DeviceNameMap.h"

#include "FakeDeviceSource.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

// Stands for a section of the settings file: keys ignore case.
ShortNameLookup SectionOf(std::map<std::string, std::string, NoCaseLess> keys) {
    return [keys](const char* name) -> const char* {
        const auto found = keys.find(name);
        return found != keys.end() ? found->second.c_str() : nullptr;
    };
}

Entries Merged(FakeDeviceSource& devices, DeviceKind kind, const ShortNameLookup& section) {
    DeviceNameMap map;
    MergeDeviceNames(map, devices, kind, section);
    return Entries(map.begin(), map.end());
}

} // namespace

TEST(MergeDeviceNames, PairsPresentDevicesWithTheirShortNames) {
    FakeDeviceSource devices;
    devices.names[MidiOut] = {"YAMAHA CBX A Driver", "SW1000 MIDI OUT", "Long One",  "Empty Value",
                              "sb16 midi",           "No Key",          "SB16 MIDI", "another"};
    const auto section = SectionOf({{"yamaha cbx a driver", "CBX A"},
                                    {"SW1000 MIDI OUT", "SW"},
                                    {"Long One", std::string(40, 'x')},
                                    // 16 full-width characters, 32 bytes: the last one goes.
                                    {"No Key", "１２３４５６７８９０１２３４５６"},
                                    {"Empty Value", ""},
                                    {"SB16 MIDI", "SB16"},
                                    {"Not Installed", "gone"}});
    // Ordered by name ignoring case; one entry for names equal ignoring case, spelled as the
    // device with the lower identifier; keys of absent devices are not taken in.
    EXPECT_EQ(Merged(devices, MidiOut, section), (Entries{{"another", ""},
                                                          {"Empty Value", ""},
                                                          {"Long One", std::string(31, 'x')},
                                                          {"No Key", "１２３４５６７８９０１２３４５"},
                                                          {"sb16 midi", "SB16"},
                                                          {"SW1000 MIDI OUT", "SW"},
                                                          {"YAMAHA CBX A Driver", "CBX A"}}));
    // Only the kind asked for is read.
    EXPECT_TRUE(Merged(devices, WaveOut, section).empty());

    // Devices that cannot be named are skipped; without the section every name is empty.
    devices.names[WaveOut] = {FakeDeviceSource::FailingDevice, "SW1000 #1 WAVE OUT",
                              FakeDeviceSource::FailingDevice, std::string(31, 'n')};
    EXPECT_EQ(Merged(devices, WaveOut, SectionOf({{"SW1000 #1 WAVE OUT", "SW 1"}})),
              (Entries{{std::string(31, 'n'), ""}, {"SW1000 #1 WAVE OUT", "SW 1"}}));
    EXPECT_EQ(Merged(devices, WaveOut, nullptr),
              (Entries{{std::string(31, 'n'), ""}, {"SW1000 #1 WAVE OUT", ""}}));
}
