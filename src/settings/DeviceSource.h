#pragma once

#include "settings/DeviceKind.h"

// The output devices the system has, per kind: a count, and a product name for each
// identifier below it.
class DeviceSource {
public:
    // Longest device name plus its terminator, as the multimedia API reports it.
    static constexpr int NameSize = 32;

    virtual ~DeviceSource() = default;
    virtual unsigned Count(DeviceKind kind) = 0;
    // Copies the name of device id into name (NameSize bytes, as the system fills them: not
    // always with a terminator); false when its capabilities cannot be queried.
    virtual bool Name(DeviceKind kind, unsigned id, char* name) = 0;
};
