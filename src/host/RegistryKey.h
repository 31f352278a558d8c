#pragma once

#include <windows.h>

#include <vector>

#include "host/RegistryRoot.h"
#include "host/RegistryValue.h"

// One open registry key. Values are read with a single call each into a buffer sized, when
// the key is opened, for the key's largest value.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // 0 when the key is open, otherwise the system's error code unchanged (positive).
    LONG Open(RegistryRoot root, const char* subKey, REGSAM access);
    // The key's own record of the value, valid until the next call; null on any failure.
    RegistryValue* QueryValue(const char* name);
    // RegCloseKey's status; the handle is forgotten only when the close succeeded.
    LONG Close();

private:
    HKEY handle = nullptr;
    DWORD bufferSize = 0;
    std::vector<BYTE> buffer;
    RegistryValue value;
};
