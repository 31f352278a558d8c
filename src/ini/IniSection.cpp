#include "ini/IniSection.h"

#include <windows.h>

StatusCode IniSection::SetName(const char* text) {
    name = text;
    return StatusOk;
}

char* IniSection::Get(const char* key, char* buffer, int size) const {
    const const_iterator it = Find(key);
    if (it == end() || size < 1) {
        return nullptr;
    }
    return lstrcpynA(buffer, it->second.c_str(), size);
}

IniSection::iterator IniSection::Find(const char* key) {
    return entries.find(key);
}

IniSection::const_iterator IniSection::Find(const char* key) const {
    return entries.find(key);
}

StatusCode IniSection::Erase(iterator it) {
    if (it != entries.end()) {
        entries.erase(it);
    }
    return StatusOk;
}

StatusCode IniSection::Set(const char* key, const char* value) {
    const iterator it = entries.find(key);
    if (it != entries.end()) {
        it->second = value;
    } else {
        entries.emplace(key, value);
    }
    return StatusOk;
}
