#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The last value a RegistryKey read: the bytes exactly as the system returned them, with the
// type it reported. A string value ends in NUL only when it was stored with one.
class RegistryValue {
public:
    const BYTE* Data() const { return data.data(); }
    size_t Size() const { return data.size(); }
    DWORD Type() const { return type; }
    const std::string& Name() const { return name; }

    void Assign(const char* valueName, DWORD valueType, const BYTE* bytes, size_t size);
    void Clear();

private:
    std::string name;
    DWORD type = 0;
    std::vector<BYTE> data;
};
