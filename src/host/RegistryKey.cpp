#include "host/RegistryKey.h"

namespace {

const HKEY RootKeys[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS};

} // namespace

RegistryKey::~RegistryKey() {
    if (handle) {
        Close();
    }
}

LONG RegistryKey::Open(RegistryRoot root, const char* subKey, REGSAM access) {
    // A second Open must not leak the key held so far.
    if (handle) {
        Close();
    }
    const auto index = static_cast<size_t>(root);
    if (index >= sizeof(RootKeys) / sizeof(RootKeys[0])) {
        return ERROR_INVALID_PARAMETER;
    }
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(RootKeys[index], subKey, 0, access, &opened);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    handle = opened;

    // On failure the figure of an earlier opening (none on a fresh key) stays.
    const DWORD previousSize = bufferSize ? bufferSize - 1 : 0;
    DWORD subKeys = 0, maxSubKeyLength = 0, values = 0, maxValueNameLength = 0;
    DWORD maxValueSize = 0;
    if (RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, &subKeys, &maxSubKeyLength, nullptr,
                         &values, &maxValueNameLength, &maxValueSize, nullptr,
                         nullptr) != ERROR_SUCCESS) {
        maxValueSize = previousSize;
    }
    bufferSize = maxValueSize + 1; // room for a terminator
    buffer.assign(bufferSize, 0);
    return ERROR_SUCCESS;
}

RegistryValue* RegistryKey::QueryValue(const char* name) {
    DWORD size = bufferSize;
    DWORD type = 0;
    const LONG status = RegQueryValueExA(handle, name, nullptr, &type,
                                         buffer.empty() ? nullptr : buffer.data(), &size);
    if (status != ERROR_SUCCESS || size > buffer.size()) {
        value.Clear();
        return nullptr;
    }
    value.Assign(name, type, buffer.data(), size);
    return &value;
}

LONG RegistryKey::Close() {
    const LONG status = RegCloseKey(handle);
    if (status == ERROR_SUCCESS) {
        handle = nullptr;
    }
    return status;
}
