#pragma once

// The predefined keys a RegistryKey can be opened below; no other root can be named.
enum class RegistryRoot : int {
    ClassesRoot = 0,
    CurrentUser = 1,
    LocalMachine = 2,
    Users = 3,
};
