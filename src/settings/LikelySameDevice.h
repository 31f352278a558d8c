#pragma once

#include "settings/DeviceKind.h"

#include <string>

// Why a device not connected is likely a present device under the name the system gives it now,
// as a renaming shows it; the user is told the reason beside each proposal.
enum RenameReason {
    NotRenamed,
    RenamedNumber,   // a number before ("2- X", "12 - X") or after it ("X (2)")
    RenamedCut,      // a number pushed the end of a 31-byte name off ("2- Desk MIDI Interface
                     // Port 1 O" and "Desk MIDI Interface Port 1 Out")
    RenamedOldStyle, // a MIDI port in the old style "MIDIOUT2 (X)"
};

// The one rule for "likely the same device" of a kind: equal, ignoring case as the file does,
// once a leading number with "- " or " - ", a trailing " (n)" and the old style's "MIDIOUTn ( )"
// are taken from either or both. A name that the system cut at 31 bytes (exactly 31, or fewer
// where the cut left a blank or no room for a double-byte character) and that lost something so
// also matches a name that begins with what remains. No other shared beginning matches, and two
// names equal as they are (one line of the file) are no renaming.
RenameReason LikelySameDevice(DeviceKind kind, const std::string& a, const std::string& b);
