#pragma once

#include "editor/DeviceKind.h"
#include "editor/DeviceSource.h"
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

// A present device's system name -> its short name (empty: none), ordered ignoring case.
using DeviceNameMap = std::map<std::string, std::string, NoCaseLess>;

// The short name the settings give deviceName, or null when they have none.
using ShortNameLookup = std::function<const char*(const char* deviceName)>;

// Adds every device of kind that the source can name, with the short name the lookup finds
// for it cut to MaxShortNameBytes; a device named like an earlier one (ignoring case) shares
// its entry.
void MergeDeviceNames(DeviceNameMap& map, DeviceSource& devices, DeviceKind kind,
                      const ShortNameLookup& lookup);
