#include "settings/DeviceNameMap.h"

#include "ini/AnsiText.h"
#include "ini/IniReader.h"

std::string FitShortName(const char* text) {
    return std::string(text, AnsiFitLength(text, MaxShortNameBytes));
}

std::string StoredShortName(const std::string& boxText) {
    std::string text = boxText;
    const char* trimmed = TrimField(text.data());
    return trimmed ? trimmed : "";
}

std::string DeviceKeyOf(const std::string& name) {
    // Cut and trimmed as a short name is: both are read into the same field.
    return StoredShortName(FitShortName(name.c_str()));
}

DeviceCounts ListDevices(DeviceSource& devices, DeviceKind kind) {
    DeviceCounts counts;
    const unsigned count = devices.Count(kind);
    for (unsigned id = 0; id < count; ++id) {
        // One byte more than the field, so that a name filling it ends within the buffer.
        char name[DeviceSource::NameSize + 1] = "";
        if (!devices.Name(kind, id, name)) {
            continue;
        }
        const std::string key = DeviceKeyOf(name);
        if (!key.empty()) {
            ++counts[key];
        }
    }
    return counts;
}
