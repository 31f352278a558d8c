#pragma once

#include "ini/NoCaseLess.h"
#include "ini/StatusCode.h"

#include <cstddef>
#include <map>
#include <string>

// One "[name]" of an INI document and its entries. Keys that differ only in letter case are
// the same key; a key keeps the spelling it was first stored with.
class IniSection {
public:
    using Entries = std::map<std::string, std::string, NoCaseLess>;
    using iterator = Entries::iterator;
    using const_iterator = Entries::const_iterator;

    IniSection() = default;
    IniSection(const IniSection&) = delete;
    IniSection& operator=(const IniSection&) = delete;

    const char* Name() const { return name.c_str(); }
    StatusCode SetName(const char* text);

    // Copies the value of key into buffer as lstrcpynA does and returns buffer; null, with
    // buffer untouched, when key is absent.
    char* Get(const char* key, char* buffer, int size) const;
    iterator Find(const char* key);
    const_iterator Find(const char* key) const;
    iterator begin() { return entries.begin(); }
    iterator end() { return entries.end(); }
    const_iterator begin() const { return entries.begin(); }
    const_iterator end() const { return entries.end(); }
    std::size_t EntryCount() const { return entries.size(); }
    StatusCode Erase(iterator it);
    StatusCode Set(const char* key, const char* value);

private:
    Entries entries;
    // The entry that Set stored last, or end().
    iterator last = entries.end();
    std::string name;
};
