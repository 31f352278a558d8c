#pragma once

#include "settings/DeviceSource.h"

// The system's devices through the multimedia API (winmm).
class WinmmDeviceSource : public DeviceSource {
public:
    unsigned Count(DeviceKind kind) override;
    bool Name(DeviceKind kind, unsigned id, char* name) override;
};
