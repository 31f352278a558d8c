#pragma once

// The two kinds of output device; the value indexes the device maps, the kind combo box's
// items and the section tables below.
enum DeviceKind : int {
    MidiOut = 0,
    WaveOut = 1,
};

constexpr int DeviceKindCount = 2;

// Shown in the kind combo box, and the section the save writes into.
constexpr const char* DeviceKindTitle[DeviceKindCount] = {"MIDI Out", "Wave Out"};
// The section the enumeration reads. Sections are found ignoring case, so both name the
// file's "[Midi Out]".
constexpr const char* DeviceKindSection[DeviceKindCount] = {"Midi Out", "Wave Out"};
