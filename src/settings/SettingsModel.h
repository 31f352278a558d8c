#pragma once

#include "host/XGworksLookup.h"
#include "settings/DeviceNames.h"
#include "settings/Installation.h"
#include "settings/NameChanges.h"
#include "settings/RenameReview.h"
#include "settings/SettingsFile.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// What the list shows of a device.
enum RowState {
    RowPresent,   // a present device
    RowAbsent,    // a device not connected, whose short name the file holds
    RowUnnamable, // a present device whose name cannot be a key of the file
    RowProposed,  // a present device without a short name, shown the one it would likely take
                  // over (the review's sure match)
};

// Two or more present devices of one kind under one name, which XGworks cannot tell apart: the
// row "Desk MIDI (2 台)".
constexpr char SameNameDevicesFormat[] = "%s (%u 台)";
// Before the short name a device would take over, in its short-name column: "→ UM". Only a
// take-over makes it the device's name.
constexpr const char* ProposalMarker = "→ ";
// The short-name column of a device whose name the file cannot hold as a key (";", "=", a
// control character, "[" at its start): any line for it would read back as another device's.
constexpr const char* UnnamableDeviceText = "(設定ファイルに書けない名前)";

// A row of the list as the user sees it.
struct DeviceRow {
    std::string device;    // as the model spells it
    std::string label;     // the first column: its name, with the count of devices bearing it
    std::string text;      // the short-name column: its short name, its proposal, or why none
    std::string shortName; // what the short-name box shows: its short name
    RowState state;
    unsigned count;     // present devices under the name; 0 for a device not connected
    bool editable;      // its short name can be typed: it can be named, and the model writes
    std::string source; // for a proposal, the device not connected whose name it would take
};

// What the dialog shows of the names: the rows of one kind, and how many present devices the
// review could give an old short name.
struct DevicePicture {
    std::vector<DeviceRow> rows;
    int renamed = 0;
};

// What Varnel knows of the user's short names: the XGworks folder and its DrvShortName.ini as
// read, the names of the present devices and of those not connected with the edits and
// take-overs on them, the review of renamed devices, and everything that decides what gets
// written and what the dialog shows. No window in it: the dialog shows its rows and forwards the
// user's actions.
//
// What always holds: a save writes exactly the names the model shows and only after an edit; it
// never writes a file that could not be read, nor over what another program changed unless the
// user agreed to; a failed save, reset or restore changes nothing, on disk or here; a name is
// only dropped by the user clearing, replacing or moving it.
class SettingsModel {
public:
    // codePage: the one the system's ANSI functions use, in which the names are read, typed and
    // written. In any other than XGworks' own, what would be written is not what XGworks reads:
    // the model then only shows.
    SettingsModel(DeviceSource& devices, Installation& installation,
                  unsigned codePage = XGworksCodePage);

    // Opens the folder that XGworks' uninstall entry names, as Open does; NoInstallation when
    // the entry names none.
    ModelResult Locate();
    // Takes the folder of executablePath as XGworks' (SettingsFile::Open: ModelDone, OpenNoFile,
    // FolderRefused) and lists its devices with its names, dropping all that was known of another
    // folder; a folder refused changes nothing.
    ModelResult Open(const std::string& executablePath);

    const std::string& ExecutablePath() const { return file.ExecutablePath(); }
    SettingsFileState FileState() const { return file.State(); }
    // Whether the model may change names and write: only in XGworks' code page.
    bool Writable() const { return codePage == XGworksCodePage; }

    // The list of kind: the present devices, then, with absent, those not connected. Read only,
    // nothing can be taken over: no proposals, and no device to review.
    DevicePicture Picture(DeviceKind kind, bool absent) const;

    const DeviceNameMap& Present(DeviceKind kind) const { return names.Present(kind); }
    const DeviceNameMap& Absent(DeviceKind kind) const { return names.Absent(kind); }
    const std::string* ShortNameOf(DeviceKind kind, const std::string& device) const {
        return names.ShortNameOf(kind, device);
    }

    // Gives device the short name typed, without the blanks around it; why not (NameTooLong,
    // NameComment, NameControl, NameNotInCodePage, NameNotStored, WriteReadOnly), changing
    // nothing.
    ModelResult SetName(DeviceKind kind, const std::string& device, const std::wstring& typed);
    // Whether the present device can take over a name from a device not connected.
    bool CanTakeOver(DeviceKind kind, const std::string& device) const;
    // DeviceNames::TakeOver: ModelDone, TakeOverNeedsConsent or TakeOverRefused.
    ModelResult TakeOver(DeviceKind kind, const std::string& device, const std::string& source,
                         bool consent);
    // The devices not connected of kind that have a short name, the likely same device first.
    std::vector<std::string> TakeOverChoices(DeviceKind kind, const std::string& device) const;
    std::vector<RenameMatch> RenameMatches(DeviceKind kind) const {
        return ::RenameMatches(names, kind);
    }

    // Lists the present devices anew (DeviceNames::Refresh); a file whose names could not be
    // read lists nothing.
    void Refresh();
    bool HasEdits() const { return names.HasEdits(); }
    std::vector<SharedShortName> SharedShortNames(DeviceKind kind) const {
        return names.SharedShortNames(kind);
    }

    // Why a save cannot start (WriteReadOnly, WriteNoFolder, WriteNoFile, WriteNoChanges), or
    // ModelDone; a reset needs only a folder.
    ModelResult SaveBlocker() const;
    ModelResult ResetBlocker() const;
    // Writes every name into the file, sorted, or replaces it with the default text, creating it
    // in a known folder (SettingsFile::Replace); after a success the model shows what it holds.
    ModelResult Save();
    ModelResult Reset();
    // The user agrees to write over another program's change, which the last write found.
    void AgreeToChange() { file.AgreeToChange(); }

    // The short names that Save would add, change or remove in the file.
    std::vector<NameChange> SaveChanges() const;
    // Of the short names the file holds, how many Reset changes or drops.
    NameCount ResetChanges() const;

    // Why the backup that the last save or reset left cannot be taken back (WriteReadOnly,
    // WriteNoFolder, WriteNoBackup: none that can be read and differs from the file), or
    // ModelDone.
    ModelResult RestoreBlocker() const;
    // The short names that Restore would change, for the question before it: Restore then takes
    // back the backup only as it is now (else WriteBackupChanged).
    std::vector<NameChange> RestoreChanges();
    // When the backup was last written, in local time; false when it cannot be told.
    bool BackupTime(SYSTEMTIME& written) const { return file.BackupTime(written); }
    // Swaps the file and its backup (SettingsFile::Restore): the backup's bytes become the
    // file, and what the file held the backup, so that a second Restore goes back. After a
    // success the model shows what the file holds now.
    ModelResult Restore();

private:
    void LoadNames();
    // Ends a write: what the user agreed to is used up, and after a success the names are the
    // file's as written.
    ModelResult Written(const ModelResult& result);
    // A document of the names text holds.
    static std::unique_ptr<IniFile> Parsed(const std::string& text);
    // The file's names as read, none where they could not be read.
    const IniFile& NamesRead() const;

    DeviceSource& devices;
    Installation& installation;
    unsigned codePage;
    SettingsFile file;
    DeviceNames names;
    // A document without sections, for a file whose names could not be read.
    std::unique_ptr<IniFile> noNames;
    // The backup as the question before Restore showed it.
    std::optional<DiskState> shownBackup;
};
