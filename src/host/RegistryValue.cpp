#include "host/RegistryValue.h"

void RegistryValue::Assign(const char* valueName, DWORD valueType, const BYTE* bytes, size_t size) {
    name = valueName ? valueName : "";
    type = valueType;
    data.assign(bytes, bytes + size);
}

void RegistryValue::Clear() {
    name.clear();
    type = 0;
    data.clear();
}
