#pragma once

#include "ini/IniFile.h"
#include "settings/DeviceNameMap.h"
#include "settings/DeviceSource.h"
#include "settings/ModelResult.h"

#include <map>
#include <string>
#include <vector>

// A short name that present devices of one kind share, with their names.
struct SharedShortName {
    std::string shortName;
    std::vector<std::string> devices;
};

// Whether name can be a key of the file: no ";" (a comment), "=" (the end of a key) or control
// character (a line end) in it, which would make the line read back as another device's, and no
// "[" at its start, which the platform's profile functions take for a header.
bool FileCanHoldKey(const std::string& name);

// Why text cannot be stored as a short name (NameTooLong, NameComment, NameControl), or
// ModelDone.
ModelStep CheckShortName(const std::string& text);

// The short names of both kinds of device: those of the present devices and those the file
// holds for devices not connected, each as read and as edited, and the take-overs between them.
// A name is only ever dropped by the user clearing, replacing or moving it.
class DeviceNames {
public:
    // Lists the devices with the names document holds for them, and the names it holds for
    // devices not connected; without a document (a file whose names could not be read), none.
    void Load(DeviceSource& devices, const IniFile* document);
    // Lists the present devices anew, as after a device was plugged in or out, keeping every
    // name and take-over: a device that comes gets the name it had here, or document's; one that
    // goes with a name, or with a line in the file, stays as not connected.
    void Refresh(DeviceSource& devices, const IniFile& document);

    const DeviceNameMap& Present(DeviceKind kind) const { return present[kind]; }
    const DeviceNameMap& Absent(DeviceKind kind) const { return absent[kind]; }
    // The short name of a device of either list, or null when the kind has no such device.
    const std::string* ShortNameOf(DeviceKind kind, const std::string& device) const;
    // Whether a device can be given a short name (one not connected always can).
    bool CanName(DeviceKind kind, const std::string& device) const;
    // How many present devices bear the name (ignoring case); 0 for none.
    unsigned DeviceCount(DeviceKind kind, const std::string& device) const;

    // Gives device the short name stored, which CheckShortName accepted; false when it cannot be
    // named.
    bool SetName(DeviceKind kind, const std::string& device, const std::string& stored);
    // A present device takes the short name of a device not connected of its kind, whose line
    // the next save then drops. A name that the device took over before and that its source has
    // not got back goes back there; any other name of the device is dropped only with consent.
    ModelStep TakeOver(DeviceKind kind, const std::string& device, const std::string& source,
                       bool consent);

    // Whether a name differs from what the file held.
    bool HasEdits() const;
    std::vector<SharedShortName> SharedShortNames(DeviceKind kind) const;

    // The bytes a save writes: the file as read (its bytes), with every name in its device
    // sections, sorted.
    std::string FileText(const std::string& read) const;

private:
    // A device of a kind took over the short name of source.
    struct TakeOverRecord {
        std::string source;
        std::string shortName;
    };

    std::string* NameSlot(DeviceKind kind, const std::string& device);

    DeviceCounts counts[DeviceKindCount];
    DeviceNameMap present[DeviceKindCount];
    DeviceNameMap absent[DeviceKindCount];
    DeviceNameMap loadedPresent[DeviceKindCount];
    DeviceNameMap loadedAbsent[DeviceKindCount];
    std::map<std::string, TakeOverRecord, NoCaseLess> takeOvers[DeviceKindCount];
};
