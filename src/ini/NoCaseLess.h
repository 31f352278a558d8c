#pragma once

#include <windows.h>

#include <string>

// The one ordering of device names, section names, key names (IniKey keeps it in a sort key)
// and file dialog selections: the user's locale decides what "ignoring case" means, exactly as
// lstrcmpiA does.
struct NoCaseLess {
    bool operator()(const char* a, const char* b) const { return lstrcmpiA(a, b) < 0; }
    bool operator()(const std::string& a, const std::string& b) const {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    }
};
