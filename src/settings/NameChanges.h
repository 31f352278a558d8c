#pragma once

#include "ini/IniFile.h"
#include "settings/DeviceKind.h"

#include <string>
#include <vector>

// A short name that one text of the file holds and another holds otherwise or not at all: the
// device's line added, changed or removed. A name is as XGworks reads it; empty for none.
struct NameChange {
    DeviceKind kind;
    std::string device;
    std::string before;
    std::string after;
};

// The short names of both kinds that differ from before to after, in the order of the kinds,
// then of the devices.
std::vector<NameChange> NameChanges(const IniFile& before, const IniFile& after);

// Of the short names before holds, how many after holds otherwise (changed) and not at all
// (dropped).
struct NameCount {
    int names = 0;
    int changed = 0;
    int dropped = 0;
};
NameCount CountChanges(const IniFile& before, const IniFile& after);
