#include "editor/DeviceNameMap.h"

#include "ini/AnsiText.h"

std::string FitShortName(const char* text) {
    return std::string(text, AnsiFitLength(text, MaxShortNameBytes));
}

void MergeDeviceNames(DeviceNameMap& map, DeviceSource& devices, DeviceKind kind,
                      const ShortNameLookup& lookup) {
    const unsigned count = devices.Count(kind);
    for (unsigned id = 0; id < count; ++id) {
        char name[DeviceSource::NameSize] = "";
        if (!devices.Name(kind, id, name)) {
            continue;
        }
        name[DeviceSource::NameSize - 1] = '\0';
        const char* stored = lookup ? lookup(name) : nullptr;
        map[name] = stored ? FitShortName(stored) : "";
    }
}
