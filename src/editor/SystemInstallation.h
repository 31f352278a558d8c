#pragma once

#include "settings/Installation.h"

// XGworks as this system has it: its uninstall entry in the registry, and the default settings
// text carried in the program's own resources.
class SystemInstallation : public Installation {
public:
    bool Locate(std::string& executablePath) override;
    bool DefaultText(std::string& text) override;
};
