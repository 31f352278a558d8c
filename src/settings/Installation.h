#pragma once

#include <string>

// Where the system says XGworks is installed, and the default text of its settings file that
// the program carries: the model decides from them which folder is shown and written, and what
// a reset writes.
class Installation {
public:
    virtual ~Installation() = default;
    // Whether XGworks' uninstall entry names the path of its executable, given in
    // executablePath; untouched when the entry is missing, cannot be read or names no folder.
    virtual bool Locate(std::string& executablePath) = 0;
    // Whether the default text of DrvShortName.ini could be loaded into text.
    virtual bool DefaultText(std::string& text) = 0;
};
