#include "settings/SettingsModel.h"

#include "host/XGworksLookup.h"
#include "ini/AnsiText.h"
#include "ini/IniSection.h"

#include <windows.h>

#include <map>

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

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Whether bytes hold only blanks and line ends, after a UTF-8 byte-order mark an editor may
// have left: an empty file, ready to be saved into.
bool Blank(const std::string& bytes) {
    const std::size_t text = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    for (std::size_t i = text; i < bytes.size(); ++i) {
        if (!IsBlank(bytes[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

bool FileCanHoldKey(const std::string& name) {
    // A key that starts like a header is written after a blank, which the profile functions
    // skip: XGworks would read it as a section of its own, taking the names below it along.
    return !FindAnsiChar(name.c_str(), ';') && !FindAnsiChar(name.c_str(), '=') &&
           !HoldsControl(name) && name.compare(0, 1, "[") != 0;
}

NameProblem CheckShortName(const std::string& text) {
    if (AnsiFitLength(text.c_str(), MaxShortNameBytes) < text.size()) {
        return NameTooLong;
    }
    if (FindAnsiChar(text.c_str(), ';')) {
        return NameComment;
    }
    return HoldsControl(text) ? NameControl : NameFits;
}

DiskState ReadDisk(const std::string& path) {
    DiskState state;
    state.exists = GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    state.read = state.exists && ReadFileBytes(path.c_str(), state.bytes);
    return state;
}

SettingsModel::SettingsModel(DeviceSource& devices, unsigned codePage)
    : devices(devices), writable(codePage == XGworksCodePage),
      document(std::make_unique<IniFile>()) {}

SettingsModel::~SettingsModel() = default;

SettingsModel::OpenResult SettingsModel::Open(const std::string& path) {
    const char* separator = FindLastAnsiChar(path.c_str(), '\\');
    if (!separator) {
        return OpenRefused;
    }
    const std::string folder = path.substr(0, static_cast<std::size_t>(separator - path.c_str()));
    const std::string file = folder + XGworksSettingsName;
    // Read before the document, so that whatever another program writes after it is seen as a
    // change, never taken for what was read.
    DiskState disk = ReadDisk(file);
    // A folder without the file is XGworks' only when XGworks is there: a reset creates the file
    // nowhere else.
    const DWORD executable = GetFileAttributesA((folder + XGworksExecutableName).c_str());
    if (!disk.exists &&
        (executable == INVALID_FILE_ATTRIBUTES || (executable & FILE_ATTRIBUTE_DIRECTORY))) {
        return OpenRefused;
    }
    auto opened = std::make_unique<IniFile>();
    const StatusCode status = opened->Open(file.c_str());
    // From here on the new folder is the one shown, written and reset, whatever its file holds.
    document = std::move(opened);
    executablePath = path;
    settingsPath = file;
    loadedDisk = std::move(disk);
    if (status == StatusOk) {
        fileState = FileLoaded;
    } else if (!loadedDisk.exists) {
        fileState = FileMissing;
    } else if (status == StatusNoSection && document->NativeHandle() && Blank(loadedDisk.bytes)) {
        fileState = FileEmpty;
    } else {
        fileState = FileUnreadable;
    }
    LoadNames();
    return status == StatusOk ? OpenLoaded : OpenNoFile;
}

void SettingsModel::ClearNames() {
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        counts[kind].clear();
        present[kind].clear();
        absent[kind].clear();
        loadedPresent[kind].clear();
        loadedAbsent[kind].clear();
        takeOvers[kind].clear();
    }
}

void SettingsModel::LoadNames() {
    ClearNames();
    // Names of a file that could not be read would be saved over what it holds.
    if (fileState != FileLoaded && fileState != FileEmpty) {
        return;
    }
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        counts[kind] = ListDevices(devices, static_cast<DeviceKind>(kind));
        for (const auto& entry : counts[kind]) {
            present[kind].emplace_hint(present[kind].end(), entry.first,
                                       FileShortName(static_cast<DeviceKind>(kind), entry.first));
        }
        if (const IniSection* section = document->FindSection(DeviceKindSection[kind])) {
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

std::string SettingsModel::FileShortName(DeviceKind kind, const std::string& device) const {
    const IniSection* section = document->FindSection(DeviceKindSection[kind]);
    const auto found = section ? section->Find(device.c_str()) : IniSection::const_iterator();
    return section && found != section->end() ? FitShortName(found->second.c_str()) : "";
}

void SettingsModel::Refresh() {
    // A file that could not be read lists nothing: there are no names to keep.
    if (fileState != FileLoaded && fileState != FileEmpty) {
        return;
    }
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
                known != names.end() ? known->second
                                     : FileShortName(static_cast<DeviceKind>(kind), entry.first);
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

unsigned SettingsModel::DeviceCount(DeviceKind kind, const std::string& device) const {
    const auto found = counts[kind].find(device);
    return found != counts[kind].end() ? found->second : 0;
}

std::string* SettingsModel::NameSlot(DeviceKind kind, const std::string& device) {
    for (DeviceNameMap* map : {&present[kind], &absent[kind]}) {
        const auto found = map->find(device);
        if (found != map->end()) {
            return &found->second;
        }
    }
    return nullptr;
}

const std::string* SettingsModel::ShortNameOf(DeviceKind kind, const std::string& device) const {
    return const_cast<SettingsModel*>(this)->NameSlot(kind, device);
}

bool SettingsModel::CanName(DeviceKind kind, const std::string& device) const {
    return ShortNameOf(kind, device) && (absent[kind].count(device) || FileCanHoldKey(device));
}

bool SettingsModel::SetName(DeviceKind kind, const std::string& device, const std::string& text) {
    if (!writable || !CanName(kind, device) || CheckShortName(text) != NameFits) {
        return false;
    }
    *NameSlot(kind, device) = StoredShortName(text);
    return true;
}

TakeOverResult SettingsModel::TakeOver(DeviceKind kind, const std::string& device,
                                       const std::string& source, bool consent) {
    const auto target = present[kind].find(device);
    const auto from = absent[kind].find(source);
    if (!writable || target == present[kind].end() || from == absent[kind].end() ||
        from->second.empty() || !CanName(kind, device)) {
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
    return TakenOver;
}

std::vector<std::string> SettingsModel::TakeOverChoices(DeviceKind kind,
                                                        const std::string& device) const {
    std::vector<std::string> likely;
    std::vector<std::string> others;
    for (const auto& [name, shortName] : absent[kind]) {
        if (!shortName.empty()) {
            (LikelySameDevice(kind, name, device) ? likely : others).push_back(name);
        }
    }
    likely.insert(likely.end(), others.begin(), others.end());
    return likely;
}

std::vector<RenameMatch> SettingsModel::RenameMatches(DeviceKind kind) const {
    std::vector<RenameMatch> matches;
    std::map<std::string, int, NoCaseLess> ofSource;
    for (const auto& [device, shortName] : present[kind]) {
        if (!shortName.empty() || !CanName(kind, device)) {
            continue;
        }
        const std::size_t first = matches.size();
        for (const auto& [source, sourceName] : absent[kind]) {
            const RenameReason reason =
                sourceName.empty() ? NotRenamed : LikelySameDevice(kind, device, source);
            if (reason != NotRenamed) {
                matches.push_back(
                    {kind, device, source, sourceName, reason, matches.size() == first});
                ++ofSource[source];
            }
        }
        // Two sources for one device would be a guess.
        if (matches.size() - first > 1) {
            matches[first].sure = false;
        }
    }
    // So would one source for two devices.
    for (RenameMatch& match : matches) {
        match.sure = match.sure && ofSource[match.source] == 1;
    }
    return matches;
}

const DeviceNameMap::value_type* SettingsModel::ProposalFor(DeviceKind kind,
                                                            const std::string& device) const {
    for (const RenameMatch& match : RenameMatches(kind)) {
        if (match.sure && lstrcmpiA(match.device.c_str(), device.c_str()) == 0) {
            return &*absent[kind].find(match.source);
        }
    }
    return nullptr;
}

bool SettingsModel::HasEdits() const {
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        if (present[kind] != loadedPresent[kind] || absent[kind] != loadedAbsent[kind]) {
            return true;
        }
    }
    return false;
}

std::vector<SharedShortName> SettingsModel::SharedShortNames(DeviceKind kind) const {
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

WriteStep SettingsModel::SaveBlocker() const {
    if (!writable) {
        return WriteReadOnly;
    }
    if (fileState == FileNone) {
        return WriteNoFolder;
    }
    // A file that could not be read is never written over: what it holds would be lost.
    if ((fileState != FileLoaded && fileState != FileEmpty) || !document->NativeHandle()) {
        return WriteNoFile;
    }
    // Nothing to save writes nothing, so that the backup keeps what a mistaken reset replaced.
    return HasEdits() ? WriteDone : WriteNoChanges;
}

WriteResult SettingsModel::CheckDisk(const DiskState* agreed) const {
    WriteResult result;
    result.disk = ReadDisk(settingsPath);
    const DWORD error = GetLastError();
    if (result.disk.exists && !result.disk.read) {
        // Held by a program that lets nobody read it: whether it changed cannot be told, and
        // it cannot be written either.
        result.step = WriteFailed;
        result.replace = {ReplaceFileLocked,
                          error != ERROR_SUCCESS ? error : ERROR_SHARING_VIOLATION};
    } else if (result.disk != (agreed ? *agreed : loadedDisk)) {
        result.step = WriteChanged;
    }
    return result;
}

WriteResult SettingsModel::Save(const DiskState* agreed) {
    if (const WriteStep blocker = SaveBlocker(); blocker != WriteDone) {
        WriteResult result;
        result.step = blocker;
        return result;
    }
    // Compared right before the write, after every question, so that nothing another program
    // wrote meanwhile is written over unasked.
    WriteResult result = CheckDisk(agreed);
    if (result.step == WriteDone && !WriteNames(result.replace)) {
        result.step = WriteFailed;
    }
    if (result) {
        Reopen();
    }
    return result;
}

bool SettingsModel::WriteNames(ReplaceResult& result) {
    // The device sections as they were, put back when the write fails: the next save then again
    // writes what the model shows over what was read.
    std::vector<std::pair<IniSection*, IniSection::Entries>> before;
    std::vector<IniSection*> added;
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        IniSection* section = document->FindSection(DeviceKindTitle[kind]);
        if (section) {
            before.emplace_back(section, IniSection::Entries(section->begin(), section->end()));
        }
        // A file without the section gets it with its first name, of a present device or of
        // one that went since it was read.
        const auto sectionToSet = [&] {
            if (!section) {
                section = new IniSection;
                section->SetName(DeviceKindSection[kind]);
                document->AddSection(section);
                added.push_back(section);
            }
            return section;
        };
        for (const auto& [name, shortName] : present[kind]) {
            if (!FileCanHoldKey(name)) {
                continue;
            }
            if (!shortName.empty()) {
                sectionToSet()->Set(name.c_str(), shortName.c_str());
            } else if (section) {
                section->Erase(section->Find(name.c_str()));
            }
        }
        // Lines of devices that are not connected change only where the user changed them, so
        // that a name longer than XGworks reads stays whole.
        for (const auto& [name, shortName] : absent[kind]) {
            if (shortName == loadedAbsent[kind].at(name)) {
                continue;
            }
            if (!shortName.empty()) {
                sectionToSet()->Set(name.c_str(), shortName.c_str());
            } else if (section) {
                section->Erase(section->Find(name.c_str()));
            }
        }
    }
    if (document->Write(true, &result) == StatusOk) {
        return true;
    }
    for (auto& [section, entries] : before) {
        while (section->begin() != section->end()) {
            section->Erase(section->begin());
        }
        for (const auto& [key, value] : entries) {
            section->Set(key.c_str(), value.c_str());
        }
    }
    for (IniSection* section : added) {
        document->RemoveSection(section);
    }
    return false;
}

WriteResult SettingsModel::Reset(const std::string& text, const DiskState* agreed) {
    // A known folder is enough: a missing file is created.
    if (!writable || fileState == FileNone) {
        WriteResult result;
        result.step = writable ? WriteNoFolder : WriteReadOnly;
        return result;
    }
    WriteResult result = CheckDisk(agreed);
    if (result.step == WriteDone) {
        // The document stays bound until the file is replaced, so that after a failure the
        // edits can still be saved.
        result.replace = ReplaceFileBytes(settingsPath.c_str(), text.data(),
                                          static_cast<unsigned long>(text.size()));
        if (!result.replace) {
            result.step = WriteFailed;
        }
    }
    if (result) {
        Reopen();
    }
    return result;
}

RenameReview::RenameReview(const SettingsModel& model) {
    for (int kind = 0; kind < DeviceKindCount; ++kind) {
        for (RenameMatch& match : model.RenameMatches(static_cast<DeviceKind>(kind))) {
            chosen.push_back(match.sure);
            matches.push_back(std::move(match));
        }
    }
}

void RenameReview::Choose(std::size_t match, bool choose) {
    const RenameMatch& it = matches.at(match);
    for (std::size_t other = 0; choose && other < matches.size(); ++other) {
        if (matches[other].kind == it.kind &&
            (matches[other].device == it.device || matches[other].source == it.source)) {
            chosen[other] = false;
        }
    }
    chosen[match] = choose;
}

int RenameReview::Apply(SettingsModel& model) const {
    int taken = 0;
    for (std::size_t match = 0; match < matches.size(); ++match) {
        if (chosen[match]) {
            const RenameMatch& it = matches[match];
            taken += model.TakeOver(it.kind, it.device, it.source, false) == TakenOver;
        }
    }
    return taken;
}

void SettingsModel::Reopen() {
    const std::string path = executablePath;
    Open(path);
}
