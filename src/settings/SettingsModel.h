#pragma once

#include "host/XGworksLookup.h"
#include "ini/FileReplacement.h"
#include "ini/IniFile.h"
#include "settings/DeviceKind.h"
#include "settings/DeviceNameMap.h"
#include "settings/DeviceSource.h"
#include "settings/LikelySameDevice.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// What the folder's DrvShortName.ini was when it was read.
enum SettingsFileState {
    FileNone,       // no folder is known
    FileMissing,    // the folder is known (XGworks.exe is there), the file is not
    FileUnreadable, // it holds what no section can be read from, or it cannot be read
    FileEmpty,      // nothing but blanks and line ends: no section yet, saved into as usual
    FileLoaded,     // its sections were read
};

// The file as one look at the disk found it.
struct DiskState {
    bool exists = false;
    bool read = false; // it exists and could be read to its end
    std::string bytes;
    bool operator==(const DiskState& other) const {
        return exists == other.exists && read == other.read && bytes == other.bytes;
    }
    bool operator!=(const DiskState& other) const { return !(*this == other); }
};

// How a save or a reset ended; only WriteDone may have changed the disk.
enum WriteStep {
    WriteDone,      // written, or the file already held the bytes
    WriteNoChanges, // a save without edits: nothing written, the backup kept
    WriteNoFolder,  // no folder is known
    WriteNoFile,    // a save of a file that is missing or that Varnel could not read
    WriteChanged,   // another program changed the file since it was read or last agreed to:
                    // nothing written; disk is what it holds now
    WriteFailed,    // the replacement failed, or the file cannot be read to compare (replace says
                    // where and why): nothing changed
    WriteReadOnly,  // the names are held in another code page than XGworks reads: nothing written
};
struct WriteResult {
    WriteStep step = WriteDone;
    ReplaceResult replace;
    DiskState disk;
    explicit operator bool() const { return step == WriteDone; }
};

// Why a short name cannot be stored as typed; NameFits when it can.
enum NameProblem {
    NameFits,
    NameTooLong,   // more than XGworks reads
    NameComment,   // ";" starts a comment in the file
    NameControl,   // a line end or another control character
    NameNotStored, // the device's own name cannot be a key of the file
};

enum TakeOverResult {
    TakenOver,
    TakeOverNeedsConsent, // the device's own name would be dropped: nothing done without consent
    TakeOverRefused,      // no such devices, or the source has no name to give
};

// A present device without a short name, a device not connected of its kind whose short name it
// could take over since it is likely the same device, with that name, and why. sure: the only
// such pair of either, which the user is offered as a proposal.
struct RenameMatch {
    DeviceKind kind;
    std::string device;
    std::string source;
    std::string shortName;
    RenameReason reason;
    bool sure;
};

// A short name that present devices of one kind share, with their names.
struct SharedShortName {
    std::string shortName;
    std::vector<std::string> devices;
};

// Whether name can be a key of the file: no ";" (a comment), "=" (the end of a key) or control
// character (a line end) in it, which would make the line read back as another device's, and no
// "[" at its start, which the platform's profile functions take for a header.
bool FileCanHoldKey(const std::string& name);

// Why text cannot be stored as a short name, or NameFits.
NameProblem CheckShortName(const std::string& text);

// What Varnel knows of the user's short names: the XGworks folder and its DrvShortName.ini as
// read, the names per kind of the present devices and of those not connected, the edits and
// take-overs on them, and everything that decides what gets written. No window in it: the dialog
// shows it and forwards the user's actions.
//
// What always holds: a save writes exactly the names the model shows and only after an edit; it
// never writes a file that could not be read, nor over what another program changed unless the
// caller passes that state as agreed to; a failed save or reset changes nothing, on disk or
// here; a name is only dropped by the user clearing, replacing or moving it.
class SettingsModel {
public:
    // codePage: the one the system's ANSI functions use, in which the names are read, typed and
    // written. In any other than XGworks' own, what would be written is not what XGworks reads:
    // the model then only shows.
    explicit SettingsModel(DeviceSource& devices, unsigned codePage = XGworksCodePage);
    SettingsModel(const SettingsModel&) = delete;
    SettingsModel& operator=(const SettingsModel&) = delete;
    ~SettingsModel();

    enum OpenResult {
        OpenLoaded,  // the folder's file was read
        OpenNoFile,  // the folder is now the one shown, but its file is missing or unreadable
                     // (or empty, holding no section yet)
        OpenRefused, // the path names no folder, or one without XGworks.exe and the file:
                     // nothing changed
    };
    // Takes the folder of executablePath as XGworks' when XGworks.exe or DrvShortName.ini is
    // there, reads its DrvShortName.ini and lists the devices with its names, dropping all that
    // was known of another folder.
    OpenResult Open(const std::string& executablePath);

    // The executable whose folder is known, empty while none is.
    const std::string& ExecutablePath() const { return executablePath; }
    const std::string& SettingsPath() const { return settingsPath; }
    SettingsFileState FileState() const { return fileState; }
    const DiskState& LoadedDisk() const { return loadedDisk; }

    // Present devices and devices not connected (names the file holds for devices this system
    // does not have), each with its short name; empty while the file could not be read.
    const DeviceNameMap& Present(DeviceKind kind) const { return present[kind]; }
    const DeviceNameMap& Absent(DeviceKind kind) const { return absent[kind]; }
    // The short name of a device of either list, or null when the kind has no such device.
    const std::string* ShortNameOf(DeviceKind kind, const std::string& device) const;
    // Whether the model may change names and write: only in XGworks' code page.
    bool Writable() const { return writable; }
    // Whether a device can be given a short name (one not connected always can).
    bool CanName(DeviceKind kind, const std::string& device) const;
    // How many present devices bear the name (ignoring case); 0 for none.
    unsigned DeviceCount(DeviceKind kind, const std::string& device) const;

    // Lists the present devices anew, as after a device was plugged in or out, keeping every
    // name and take-over: a device that comes gets the name it had here, or the file's as at
    // start; one that goes with a name, or with a line in the file, stays as not connected.
    void Refresh();

    // Gives device the name text holds, without the blanks around it; false, changing nothing,
    // when it cannot be stored (CheckShortName) or the device cannot be named.
    bool SetName(DeviceKind kind, const std::string& device, const std::string& text);

    // A present device takes the short name of a device not connected of its kind, whose line
    // the next save then drops. A name that the device took over before and that its source has
    // not got back goes back there; any other name of the device is dropped only with consent.
    TakeOverResult TakeOver(DeviceKind kind, const std::string& device, const std::string& source,
                            bool consent);
    // The devices not connected of kind that have a short name, the likely same device first.
    std::vector<std::string> TakeOverChoices(DeviceKind kind, const std::string& device) const;
    // Every pair of a present device without a short name (that can have one) and a device not
    // connected with one that LikelySameDevice matches, in the order of the devices, then of the
    // sources.
    std::vector<RenameMatch> RenameMatches(DeviceKind kind) const;
    // The device not connected of the sure match of a present device, or null.
    const DeviceNameMap::value_type* ProposalFor(DeviceKind kind, const std::string& device) const;

    // Whether a name differs from what the file held.
    bool HasEdits() const;
    // Short names that present devices of one kind share, per kind.
    std::vector<SharedShortName> SharedShortNames(DeviceKind kind) const;

    // Why a save cannot start (WriteReadOnly, WriteNoFolder, WriteNoFile, WriteNoChanges), or
    // WriteDone.
    WriteStep SaveBlocker() const;
    // Writes every name into the file, sorted, the old content kept as its backup. agreed, when
    // given, is a state of the file that the user agreed to write over; otherwise only the state
    // that was read is. After a success the file is read again and the model shows what it holds.
    WriteResult Save(const DiskState* agreed = nullptr);
    // Replaces the file with text, creating it in a known folder; agreed as for Save.
    WriteResult Reset(const std::string& text, const DiskState* agreed = nullptr);

private:
    // A device of a kind took over the short name of source.
    struct TakeOverRecord {
        std::string source;
        std::string shortName;
    };

    std::string* NameSlot(DeviceKind kind, const std::string& device);
    // The short name the file holds for device, cut as XGworks reads it; empty when none.
    std::string FileShortName(DeviceKind kind, const std::string& device) const;
    void LoadNames();
    void ClearNames();
    // Writes the names into the document; false, with it as before, when the write fails.
    bool WriteNames(ReplaceResult& result);
    // WriteChanged with what the disk holds now, unless it is what was read or agreed to.
    WriteResult CheckDisk(const DiskState* agreed) const;
    void Reopen();

    DeviceSource& devices;
    bool writable;
    std::unique_ptr<IniFile> document;
    std::string executablePath;
    std::string settingsPath;
    SettingsFileState fileState = FileNone;
    DiskState loadedDisk;
    DeviceCounts counts[DeviceKindCount];
    DeviceNameMap present[DeviceKindCount];
    DeviceNameMap absent[DeviceKindCount];
    DeviceNameMap loadedPresent[DeviceKindCount];
    DeviceNameMap loadedAbsent[DeviceKindCount];
    std::map<std::string, TakeOverRecord, NoCaseLess> takeOvers[DeviceKindCount];
};

// The user's choice among the rename matches of both kinds, sure ones chosen at first. A device
// takes one name and a name goes to one device: choosing a match drops the chosen ones that
// share its device or its source.
class RenameReview {
public:
    explicit RenameReview(const SettingsModel& model);
    const std::vector<RenameMatch>& Matches() const { return matches; }
    bool Chosen(std::size_t match) const { return chosen.at(match); }
    void Choose(std::size_t match, bool choose);
    // Takes the chosen names over in the model, as the user would one by one; how many.
    int Apply(SettingsModel& model) const;

private:
    std::vector<RenameMatch> matches;
    std::vector<bool> chosen;
};

// The file at path as it is now.
DiskState ReadDisk(const std::string& path);
