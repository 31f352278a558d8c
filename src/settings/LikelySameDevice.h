#pragma once

#include "settings/DeviceKind.h"

#include <string>
#include <vector>

// Why a device not connected is likely a present device under the name the system gives it now;
// the user is told the reason beside each proposal.
enum RenameReason {
    NotRenamed,
    RenamedNumber,   // they differ in a number the system added: "2- X", "2 - X", "X (2)",
                     // "MIDIOUT2 (X)" against "MIDIOUT3 (X)"
    RenamedCut,      // one shows less of the device's own name than the other: the system cut
                     // it at 31 bytes after what it added ("2- Desk MIDI Interface Port 1 O" and
                     // "Desk MIDI Interface Port 1 Out"), or one is a line of the file longer
                     // than any name the system gives, and the other its cut
    RenamedOldStyle, // a MIDI port in the old style "MIDIOUT2 (X)" against one that is not
};

// The one rule for "likely the same device" of a kind, run forward from what the system does to
// the name of a device (its original) when it names it again:
//   1. a number in front, "2- X" or "2 - X" (a second unit, or a unit plugged in again);
//   2. a number behind, "X (2)";
//   3. for a MIDI port only, the old style around all, "MIDIOUT2 (X)", "MIDIOUT2 (2 - X)";
//   4. the cut to the 31 bytes of a device name between whole characters, and the loss of the
//      blanks at the ends that the file's keys have.
// Each step is taken or not. Two names are likely one device when they are not one key of the
// file (lstrcmpiA) and there is an original that the steps make into each of them, one of them
// possibly being that original as the file holds it, longer than 31 bytes. Where neither name
// shows the original whole, a cut is taken to have lost at most the blanks between two words,
// one or two. Whatever no steps make of one original is no match, however alike the names look.
//
// The reason is what sets the two names apart: RenamedCut when one shows less of the original,
// else RenamedOldStyle when one is the old style and the other not, else RenamedNumber. Where
// more than one original makes both, the number goes before the old style, and that before
// the cut. The rule has no direction.
RenameReason LikelySameDevice(DeviceKind kind, const std::string& a, const std::string& b);

// A name read once as every way the system may have made it, to be matched against many by the
// same rule: a present device against every device not connected.
class RenamedName {
public:
    RenamedName(DeviceKind kind, const std::string& name);
    // LikelySameDevice of this name and other, of the same kind.
    RenameReason Match(const RenamedName& other) const;

    // What the system put around the original: the old style's "MIDIOUT2 (" and a number in
    // front, a number and the old style's ")" behind. raw: nothing, and no cut either: the name
    // is an original as the file holds it, longer than any the system gives.
    struct Steps {
        std::string front;
        std::string back;
        bool oldStyle = false;
        bool raw = false;
    };
    // One way the system may have made the name: its steps, and the start of the original that
    // the name shows, with the blanks put back that a cut left at its end and the name lost.
    // whole: the original is exactly that; otherwise it goes on where the name was cut.
    struct Reading {
        Steps steps;
        std::string shown;
        bool whole;
        std::string capitals; // shown in capitals, compared first, as bytes
    };

private:
    std::string name;
    std::vector<Reading> readings;
};
