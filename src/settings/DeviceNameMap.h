#pragma once

#include "settings/DeviceKind.h"
#include "settings/DeviceSource.h"
#include "ini/NoCaseLess.h"

#include <functional>
#include <map>
#include <string>

// XGworks reads a short name into the same 32 bytes as a device name: at most 31 bytes of
// text, cut only between whole characters.
constexpr int MaxShortNameBytes = DeviceSource::NameSize - 1;

// The start of text that XGworks reads: at most MaxShortNameBytes, ending with a whole
// character.
std::string FitShortName(const char* text);

// The short name stored for what the short-name box holds: without the leading and trailing
// blanks that the file cannot keep, since its reader trims them; empty when only blanks.
std::string StoredShortName(const std::string& boxText);

// Whether two device names likely name one device that the system renamed: equal ignoring
// case once a leading number and "- " is taken from each, as the system numbers a second device
// of one model ("2- USB MIDI Cable") and numbers it anew after a move to another port.
bool SameDeviceModel(const std::string& a, const std::string& b);

// A present device's system name -> its short name (empty: none), ordered ignoring case.
using DeviceNameMap = std::map<std::string, std::string, NoCaseLess>;

// The short name the settings give deviceName, or null when they have none.
using ShortNameLookup = std::function<const char*(const char* deviceName)>;

// Adds every device of kind that the source can name, with the short name the lookup finds
// for it cut to MaxShortNameBytes; a device named like an earlier one (ignoring case) shares
// its entry. A name is taken without leading and trailing blanks, as the file's reader takes
// keys (the system may cut a long name right after a blank), so that the device finds its line
// and a save writes the key that is read back; a name of blanks alone is skipped.
void MergeDeviceNames(DeviceNameMap& map, DeviceSource& devices, DeviceKind kind,
                      const ShortNameLookup& lookup);
