#include "settings/SettingsModel.h"

#include <windows.h>

#include <map>

SettingsModel::SettingsModel(DeviceSource& devices, Installation& installation, unsigned codePage)
    : devices(devices), installation(installation), codePage(codePage),
      noNames(std::make_unique<IniFile>()) {}

ModelResult SettingsModel::Locate() {
    std::string executable;
    return installation.Locate(executable) ? Open(executable) : ModelResult{NoInstallation};
}

ModelResult SettingsModel::Open(const std::string& executablePath) {
    const ModelResult result = file.Open(executablePath);
    if (result.step != FolderRefused) {
        LoadNames();
    }
    return result;
}

void SettingsModel::LoadNames() {
    names.Load(devices, file.NamesRead() ? &file.Document() : nullptr);
}

DevicePicture SettingsModel::Picture(DeviceKind kind, bool absent) const {
    DevicePicture picture;
    std::map<std::string, const RenameMatch*, NoCaseLess> proposals;
    std::vector<RenameMatch> matches[DeviceKindCount];
    for (int of = 0; of < DeviceKindCount && Writable(); ++of) {
        matches[of] = RenameMatches(static_cast<DeviceKind>(of));
        const std::string* last = nullptr;
        for (const RenameMatch& match : matches[of]) {
            // A device's matches come together.
            picture.renamed += !last || *last != match.device;
            last = &match.device;
            if (of == kind && match.sure) {
                proposals[match.device] = &match;
            }
        }
    }
    for (const auto& [device, shortName] : names.Present(kind)) {
        const unsigned count = names.DeviceCount(kind, device);
        char label[DeviceSource::NameSize + sizeof(SameNameDevicesFormat) * 2];
        wsprintfA(label, count > 1 ? SameNameDevicesFormat : "%s", device.c_str(), count);
        const auto found = proposals.find(device);
        const RenameMatch* proposal = found != proposals.end() ? found->second : nullptr;
        const bool named = names.CanName(kind, device);
        picture.rows.push_back({device, label,
                                !named     ? UnnamableDeviceText
                                : proposal ? ProposalMarker + proposal->shortName
                                           : shortName,
                                named ? shortName : "",
                                !named     ? RowUnnamable
                                : proposal ? RowProposed
                                           : RowPresent,
                                count, named && Writable(), proposal ? proposal->source : ""});
    }
    for (const auto& [device, shortName] : absent ? names.Absent(kind) : DeviceNameMap()) {
        picture.rows.push_back(
            {device, device, shortName, shortName, RowAbsent, 0, Writable(), ""});
    }
    return picture;
}

ModelResult SettingsModel::SetName(DeviceKind kind, const std::string& device,
                                   const std::wstring& typed) {
    if (!Writable()) {
        return {WriteReadOnly};
    }
    if (!names.CanName(kind, device)) {
        return {NameNotStored};
    }
    // What the user types is Unicode: a character the code page lacks would silently become
    // another one, or "?".
    BOOL lost = FALSE;
    std::string text(typed.size() * 2 + 1, '\0');
    text.resize(static_cast<std::size_t>(WideCharToMultiByte(
        codePage, WC_NO_BEST_FIT_CHARS, typed.c_str(), static_cast<int>(typed.size()), &text[0],
        static_cast<int>(text.size()), nullptr, &lost)));
    if (lost) {
        return {NameNotInCodePage};
    }
    if (const ModelStep problem = CheckShortName(text); problem != ModelDone) {
        return {problem};
    }
    names.SetName(kind, device, StoredShortName(text));
    return {};
}

bool SettingsModel::CanTakeOver(DeviceKind kind, const std::string& device) const {
    return Writable() && names.Present(kind).count(device) && names.CanName(kind, device);
}

ModelResult SettingsModel::TakeOver(DeviceKind kind, const std::string& device,
                                    const std::string& source, bool consent) {
    if (!CanTakeOver(kind, device)) {
        return {TakeOverRefused};
    }
    return {names.TakeOver(kind, device, source, consent)};
}

std::vector<std::string> SettingsModel::TakeOverChoices(DeviceKind kind,
                                                        const std::string& device) const {
    std::vector<std::string> likely;
    std::vector<std::string> others;
    const RenamedName renamed(kind, device);
    for (const auto& [name, shortName] : names.Absent(kind)) {
        if (!shortName.empty()) {
            (renamed.Match(RenamedName(kind, name)) ? likely : others).push_back(name);
        }
    }
    likely.insert(likely.end(), others.begin(), others.end());
    return likely;
}

void SettingsModel::Refresh() {
    // A file whose names could not be read lists nothing: there are no names to keep.
    if (file.NamesRead()) {
        names.Refresh(devices, file.Document());
    }
}

ModelResult SettingsModel::ResetBlocker() const {
    // A known folder is enough: a missing file is created.
    return {!Writable() ? WriteReadOnly : file.State() == FileNone ? WriteNoFolder : ModelDone};
}

ModelResult SettingsModel::SaveBlocker() const {
    if (const ModelResult blocker = ResetBlocker(); !blocker) {
        return blocker;
    }
    // A file that could not be read is never written over: what it holds would be lost. Nothing
    // to save writes nothing, so that the backup keeps what a mistaken reset replaced.
    return {!file.NamesRead() ? WriteNoFile : !HasEdits() ? WriteNoChanges : ModelDone};
}

ModelResult SettingsModel::Save() {
    const ModelResult blocker = SaveBlocker();
    return Written(!blocker ? blocker : file.Replace(names.FileText(file.Read().bytes)));
}

ModelResult SettingsModel::Reset() {
    std::string text;
    const ModelResult blocker = ResetBlocker();
    return Written(!blocker                          ? blocker
                   : !installation.DefaultText(text) ? WriteNoDefault
                                                     : file.Replace(text));
}

ModelResult SettingsModel::Restore() {
    const ModelResult blocker = ResetBlocker();
    return Written(!blocker ? blocker : file.Restore(shownBackup ? &*shownBackup : nullptr));
}

ModelResult SettingsModel::Written(const ModelResult& result) {
    // An agreement to write over another program's change is for the one write it was asked
    // about; a backup shown is for the one question.
    if (result.step != WriteChanged) {
        file.DropAgreement();
        shownBackup.reset();
    }
    if (result) {
        LoadNames();
    }
    return result;
}

std::unique_ptr<IniFile> SettingsModel::Parsed(const std::string& text) {
    auto document = std::make_unique<IniFile>();
    document->Read(text);
    return document;
}

const IniFile& SettingsModel::NamesRead() const {
    return file.NamesRead() ? file.Document() : *noNames;
}

std::vector<NameChange> SettingsModel::SaveChanges() const {
    return NameChanges(NamesRead(), *Parsed(names.FileText(file.Read().bytes)));
}

NameCount SettingsModel::ResetChanges() const {
    std::string text;
    installation.DefaultText(text);
    return CountChanges(NamesRead(), *Parsed(text));
}

ModelResult SettingsModel::RestoreBlocker() const {
    DiskState backup;
    const ModelResult blocker = ResetBlocker();
    return !blocker ? blocker : file.BackupUsable(backup) ? ModelDone : WriteNoBackup;
}

std::vector<NameChange> SettingsModel::RestoreChanges() {
    DiskState backup;
    file.BackupUsable(backup);
    const std::vector<NameChange> changes = NameChanges(NamesRead(), *Parsed(backup.bytes));
    shownBackup = std::move(backup);
    return changes;
}
