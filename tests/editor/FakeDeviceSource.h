#pragma once

#include "editor/DeviceSource.h"

#include <windows.h>

#include <string>
#include <vector>

// Devices a test makes up; a name of FailingDevice stands for a device whose capabilities
// query fails.
class FakeDeviceSource : public DeviceSource {
public:
    static constexpr const char* FailingDevice = "<fails>";

    std::vector<std::string> names[DeviceKindCount];

    unsigned Count(DeviceKind kind) override { return static_cast<unsigned>(names[kind].size()); }
    bool Name(DeviceKind kind, unsigned id, char* name) override {
        const std::string& n = names[kind].at(id);
        if (n == FailingDevice) {
            lstrcpyA(name, "garbage");
            return false;
        }
        lstrcpynA(name, n.c_str(), NameSize);
        return true;
    }
};
