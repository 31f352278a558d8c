#pragma once

#include "editor/DeviceKind.h"
#include "ini/NoCaseLess.h"

#include <functional>
#include <map>
#include <string>

class DeviceSource;

// A present device's system name -> its short name (empty: none), ordered ignoring case.
using DeviceNameMap = std::map<std::string, std::string, NoCaseLess>;

// Copies the short name the settings give deviceName into buffer (at most size - 1 bytes and a
// NUL); leaves buffer as it was when the settings have none.
using ShortNameLookup = std::function<void(const char* deviceName, char* buffer, int size)>;

// Adds every device of kind that the source can name, with the short name the lookup finds
// for it; a device named like an earlier one (ignoring case) shares its entry.
void MergeDeviceNames(DeviceNameMap& map, DeviceSource& devices, DeviceKind kind,
                      const ShortNameLookup& lookup);
