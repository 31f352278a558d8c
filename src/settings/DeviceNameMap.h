#pragma once

#include "settings/DeviceKind.h"
#include "settings/DeviceSource.h"
#include "ini/NoCaseLess.h"

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

// A present device's system name -> its short name (empty: none), ordered ignoring case.
using DeviceNameMap = std::map<std::string, std::string, NoCaseLess>;

// The key of the file that a device named name finds: at most MaxShortNameBytes of whole
// characters (the system may fill the whole field without a terminator, and cuts longer names
// there), then without leading and trailing blanks, as the file's reader takes keys (the cut may
// leave a blank at the end); empty for a name of blanks alone.
std::string DeviceKeyOf(const std::string& name);

// The name of each device of a kind that the source can name -> how many devices bear it.
using DeviceCounts = std::map<std::string, unsigned, NoCaseLess>;

// The devices of kind that the source can name, each by its DeviceKeyOf, so that the device
// finds its line and a save writes the key that is read back; a name of blanks alone is skipped.
// Devices named alike (ignoring case) are one entry, which XGworks cannot tell apart either.
DeviceCounts ListDevices(DeviceSource& devices, DeviceKind kind);
