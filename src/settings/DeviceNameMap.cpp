#include "settings/DeviceNameMap.h"

#include "ini/AnsiText.h"
#include "ini/IniReader.h"

std::string FitShortName(const char* text) {
    return std::string(text, AnsiFitLength(text, MaxShortNameBytes));
}

namespace {

const char* WithoutNumber(const char* name) {
    const char* p = name;
    while (*p >= '0' && *p <= '9') {
        ++p;
    }
    return p != name && p[0] == '-' && p[1] == ' ' ? p + 2 : name;
}

} // namespace

bool SameDeviceModel(const std::string& a, const std::string& b) {
    return lstrcmpiA(WithoutNumber(a.c_str()), WithoutNumber(b.c_str())) == 0;
}

std::string StoredShortName(const std::string& boxText) {
    std::string text = boxText;
    const char* trimmed = TrimField(text.data());
    return trimmed ? trimmed : "";
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
        const char* key = TrimField(name);
        if (!key) {
            continue;
        }
        const char* stored = lookup ? lookup(key) : nullptr;
        map[key] = stored ? FitShortName(stored) : "";
    }
}
