#include "editor/SystemInstallation.h"

#include "editor/ResourceIds.h"
#include "host/RegistryKey.h"
#include "host/XGworksLookup.h"

#include <windows.h>

bool SystemInstallation::Locate(std::string& executablePath) {
    RegistryKey key;
    if (key.Open(RegistryRoot::LocalMachine, XGworksUninstallKey, XGworksUninstallAccess) !=
        ERROR_SUCCESS) {
        return false;
    }
    const RegistryValue* value = key.QueryValue(XGworksUninstallValue);
    // Without a folder to look in, the user is the one to name it.
    return value &&
           XGworksPathFromUninstallString(reinterpret_cast<const char*>(value->Data()),
                                          value->Size(), executablePath) == UninstallPathFound;
}

bool SystemInstallation::DefaultText(std::string& text) {
    const HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_DEFAULT_SETTINGS), "Text");
    const HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) {
        return false;
    }
    text.assign(static_cast<const char*>(bytes), SizeofResource(nullptr, resource));
    return true;
}
