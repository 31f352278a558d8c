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

DeviceCounts ListDevices(DeviceSource& devices, DeviceKind kind) {
    DeviceCounts counts;
    const unsigned count = devices.Count(kind);
    for (unsigned id = 0; id < count; ++id) {
        // One byte more than the field, so that a name filling it ends within the buffer.
        char name[DeviceSource::NameSize + 1] = "";
        if (!devices.Name(kind, id, name)) {
            continue;
        }
        name[AnsiFitLength(name, MaxShortNameBytes)] = '\0';
        if (const char* key = TrimField(name)) {
            ++counts[key];
        }
    }
    return counts;
}
