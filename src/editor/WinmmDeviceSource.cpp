#include "editor/WinmmDeviceSource.h"

#include <windows.h>
#include <mmsystem.h>

unsigned WinmmDeviceSource::Count(DeviceKind kind) {
    return kind == MidiOut ? midiOutGetNumDevs() : waveOutGetNumDevs();
}

bool WinmmDeviceSource::Name(DeviceKind kind, unsigned id, char* name) {
    static_assert(sizeof(MIDIOUTCAPSA::szPname) == NameSize, "device name field");
    static_assert(sizeof(WAVEOUTCAPSA::szPname) == NameSize, "device name field");
    if (kind == MidiOut) {
        MIDIOUTCAPSA caps{};
        if (midiOutGetDevCapsA(id, &caps, sizeof(caps)) != MMSYSERR_NOERROR) {
            return false;
        }
        CopyMemory(name, caps.szPname, sizeof(caps.szPname));
    } else {
        WAVEOUTCAPSA caps{};
        if (waveOutGetDevCapsA(id, &caps, sizeof(caps)) != MMSYSERR_NOERROR) {
            return false;
        }
        CopyMemory(name, caps.szPname, sizeof(caps.szPname));
    }
    return true;
}
