#include "settings/NameChanges.h"

#include "ini/IniSection.h"
#include "settings/DeviceNameMap.h"

namespace {

// The short names document holds for the devices of kind, as XGworks reads them.
DeviceNameMap NamesOf(const IniFile& document, DeviceKind kind) {
    DeviceNameMap names;
    if (const IniSection* section = document.FindSection(DeviceKindSection[kind])) {
        for (const auto& [key, value] : *section) {
            if (const std::string name = FitShortName(value.c_str()); !name.empty()) {
                names.emplace_hint(names.end(), key, name);
            }
        }
    }
    return names;
}

} // namespace

std::vector<NameChange> NameChanges(const IniFile& before, const IniFile& after) {
    std::vector<NameChange> changes;
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        const DeviceNameMap was = NamesOf(before, static_cast<DeviceKind>(kind));
        const DeviceNameMap is = NamesOf(after, static_cast<DeviceKind>(kind));
        DeviceNameMap devices = is;
        devices.insert(was.begin(), was.end());
        for (const auto& entry : devices) {
            const auto old = was.find(entry.first), now = is.find(entry.first);
            const std::string from = old != was.end() ? old->second : "";
            const std::string to = now != is.end() ? now->second : "";
            if (from != to) {
                changes.push_back({static_cast<DeviceKind>(kind), entry.first, from, to});
            }
        }
    }
    return changes;
}

NameCount CountChanges(const IniFile& before, const IniFile& after) {
    NameCount count;
    for (const NameChange& change : NameChanges(before, after)) {
        count.changed += !change.before.empty() && !change.after.empty();
        count.dropped += !change.before.empty() && change.after.empty();
    }
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        count.names += static_cast<int>(NamesOf(before, static_cast<DeviceKind>(kind)).size());
    }
    return count;
}
