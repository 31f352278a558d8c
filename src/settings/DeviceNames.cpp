#include "settings/DeviceNames.h"

#include "ini/AnsiText.h"
#include "ini/IniSection.h"
#include "settings/LikelySameDevice.h"

#include <utility>

namespace {

// Neither a control character, ";" nor "=" is ever the second byte of a double-byte character.
bool HoldsControl(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20) {
            return true;
        }
    }
    return false;
}

// The short name the file holds for device, cut as XGworks reads it; empty when none.
std::string FileShortName(const IniFile& document, DeviceKind kind, const std::string& device) {
    const IniSection* section = document.FindSection(DeviceKindSection[kind]);
    const auto found = section ? section->Find(device.c_str()) : IniSection::const_iterator();
    return section && found != section->end() ? FitShortName(found->second.c_str()) : "";
}

} // namespace

bool FileCanHoldKey(const std::string& name) {
    // A key that starts like a header is written after a blank, which the profile functions
    // skip: XGworks would read it as a section of its own, taking the names below it along.
    return !FindAnsiChar(name.c_str(), ';') && !FindAnsiChar(name.c_str(), '=') &&
           !HoldsControl(name) && name.compare(0, 1, "[") != 0;
}

ModelStep CheckShortName(const std::string& text) {
    if (AnsiFitLength(text.c_str(), MaxShortNameBytes) < text.size()) {
        return NameTooLong;
    }
    if (FindAnsiChar(text.c_str(), ';')) {
        return NameComment;
    }
    return HoldsControl(text) ? NameControl : ModelDone;
}

void DeviceNames::Load(DeviceSource& devices, const IniFile* document) {
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        counts[kind].clear();
        present[kind].clear();
        absent[kind].clear();
        takeOvers[kind].clear();
        // Names of a file that could not be read would be saved over what it holds.
        if (document) {
            counts[kind] = ListDevices(devices, static_cast<DeviceKind>(kind));
            for (const auto& entry : counts[kind]) {
                present[kind].emplace_hint(
                    present[kind].end(), entry.first,
                    FileShortName(*document, static_cast<DeviceKind>(kind), entry.first));
            }
        }
        const IniSection* section =
            document ? document->FindSection(DeviceKindSection[kind]) : nullptr;
        if (section) {
            // The section is in the map's order already: each name goes after the one before.
            for (const auto& [name, shortName] : *section) {
                if (present[kind].count(name) == 0) {
                    absent[kind].emplace_hint(absent[kind].end(), name,
                                              FitShortName(shortName.c_str()));
                }
            }
        }
        loadedPresent[kind] = present[kind];
        loadedAbsent[kind] = absent[kind];
    }
}

void DeviceNames::Refresh(DeviceSource& devices, const IniFile& document) {
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        // Every name with what the file held for it, wherever it is listed now.
        DeviceNameMap names = present[kind], loaded = loadedPresent[kind];
        names.insert(absent[kind].begin(), absent[kind].end());
        loaded.insert(loadedAbsent[kind].begin(), loadedAbsent[kind].end());
        counts[kind] = ListDevices(devices, static_cast<DeviceKind>(kind));
        DeviceNameMap comes, comesLoaded, stays, staysLoaded;
        for (const auto& entry : counts[kind]) {
            const auto known = names.find(entry.first);
            const std::string name =
                known != names.end()
                    ? known->second
                    : FileShortName(document, static_cast<DeviceKind>(kind), entry.first);
            comes.emplace_hint(comes.end(), entry.first, name);
            comesLoaded.emplace_hint(comesLoaded.end(), entry.first,
                                     known != names.end() ? loaded.at(known->first) : name);
        }
        for (const auto& [name, shortName] : names) {
            const std::string& was = loaded.at(name);
            if (comes.count(name) == 0 && (!shortName.empty() || !was.empty())) {
                stays.emplace_hint(stays.end(), name, shortName);
                staysLoaded.emplace_hint(staysLoaded.end(), name, was);
            }
        }
        present[kind] = std::move(comes);
        loadedPresent[kind] = std::move(comesLoaded);
        absent[kind] = std::move(stays);
        loadedAbsent[kind] = std::move(staysLoaded);
    }
}

unsigned DeviceNames::DeviceCount(DeviceKind kind, const std::string& device) const {
    const auto found = counts[kind].find(device);
    return found != counts[kind].end() ? found->second : 0;
}

std::string* DeviceNames::NameSlot(DeviceKind kind, const std::string& device) {
    for (DeviceNameMap* map : {&present[kind], &absent[kind]}) {
        const auto found = map->find(device);
        if (found != map->end()) {
            return &found->second;
        }
    }
    return nullptr;
}

const std::string* DeviceNames::ShortNameOf(DeviceKind kind, const std::string& device) const {
    return const_cast<DeviceNames*>(this)->NameSlot(kind, device);
}

bool DeviceNames::CanName(DeviceKind kind, const std::string& device) const {
    return ShortNameOf(kind, device) && (absent[kind].count(device) || FileCanHoldKey(device));
}

bool DeviceNames::SetName(DeviceKind kind, const std::string& device, const std::string& stored) {
    if (!CanName(kind, device)) {
        return false;
    }
    *NameSlot(kind, device) = stored;
    return true;
}

ModelStep DeviceNames::TakeOver(DeviceKind kind, const std::string& device,
                                const std::string& source, bool consent) {
    const auto target = present[kind].find(device);
    const auto from = absent[kind].find(source);
    if (target == present[kind].end() || from == absent[kind].end() || from->second.empty() ||
        !CanName(kind, device)) {
        return TakeOverRefused;
    }
    // A take-over is corrected by taking over again: the name taken before goes back to its
    // source, as long as the device still has it and the source has no other.
    const auto earlier = takeOvers[kind].find(device);
    std::string* giveBack = nullptr;
    if (earlier != takeOvers[kind].end() && earlier->second.shortName == target->second) {
        const auto old = absent[kind].find(earlier->second.source);
        if (old != absent[kind].end() && old->second.empty()) {
            giveBack = &old->second;
        }
    }
    if (!target->second.empty() && !giveBack && !consent) {
        return TakeOverNeedsConsent;
    }
    if (giveBack) {
        *giveBack = target->second;
    }
    target->second = from->second;
    from->second.clear();
    takeOvers[kind][device] = {from->first, target->second};
    return ModelDone;
}

bool DeviceNames::HasEdits() const {
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        if (present[kind] != loadedPresent[kind] || absent[kind] != loadedAbsent[kind]) {
            return true;
        }
    }
    return false;
}

std::vector<SharedShortName> DeviceNames::SharedShortNames(DeviceKind kind) const {
    std::map<std::string, std::vector<std::string>> devicesOfName;
    for (const auto& [name, shortName] : present[kind]) {
        if (!shortName.empty()) {
            devicesOfName[shortName].push_back(name);
        }
    }
    std::vector<SharedShortName> shared;
    for (auto& [shortName, names] : devicesOfName) {
        if (names.size() > 1) {
            shared.push_back({shortName, std::move(names)});
        }
    }
    return shared;
}

std::string DeviceNames::FileText(const std::string& read) const {
    // A document of its own, read anew from the file's bytes as read: what the model shows of the
    // file stays as it was, whatever becomes of the text.
    IniFile document;
    document.Read(read);
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        IniSection* section = document.FindSection(DeviceKindTitle[kind]);
        // A file without the section gets it with its first name, of a present device or of
        // one that went since it was read.
        const auto write = [&](const std::string& name, const std::string& shortName) {
            if (shortName.empty()) {
                if (section) {
                    section->Erase(section->Find(name.c_str()));
                }
                return;
            }
            if (!section) {
                section = new IniSection;
                section->SetName(DeviceKindSection[kind]);
                document.AddSection(section);
            }
            section->Set(name.c_str(), shortName.c_str());
        };
        for (const auto& [name, shortName] : present[kind]) {
            if (FileCanHoldKey(name)) {
                write(name, shortName);
            }
        }
        // Lines of devices that are not connected change only where the user changed them, so
        // that a name longer than XGworks reads stays whole.
        for (const auto& [name, shortName] : absent[kind]) {
            if (shortName != loadedAbsent[kind].at(name)) {
                write(name, shortName);
            }
        }
    }
    return document.Text(true);
}
