#pragma once

#include "ini/IniKey.h"
#include "ini/StatusCode.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

// One "[name]" of an INI document and its entries, in lstrcmpiA's order of their keys. Keys
// that lstrcmpiA finds equal, as those that differ only in letter case, are the same key; a key
// keeps the spelling it was first stored with.
class IniSection {
public:
    using Entries = std::pmr::map<IniKey, std::string, IniKey::Less>;
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

    // The lines of a file, in the file's order: Load takes each as Set would, one after the
    // other, and Settle, after the last, puts those that came out of key order in their places
    // at once. A file in key order, as every save leaves it, gives each key the place after the
    // one before, for one comparison; the others are ordered once, instead of each searching
    // the keys. Until Settle, the section lacks those lines.
    StatusCode Load(const char* key, const char* value);
    StatusCode Settle();

private:
    // A line that Load kept, its texts in keptText, with the bytes of its collation that likely
    // decide its place and its place in the file.
    struct KeptLine {
        std::uint64_t high;
        std::uint64_t low;
        std::size_t line;
        const char* key;
        const char* value;
        std::string_view collation;
    };

    void Place(IniKey&& key, const char* value);

    // The nodes of entries, released all together with the section (an erased entry's too).
    // What stays behind is small: a failed save puts a section's entries back as new nodes
    // (about 90 KB for the default text), and a save that succeeds reads the file anew.
    std::pmr::monotonic_buffer_resource nodes;
    Entries entries{&nodes};
    // Lines that Load kept until Settle, and the bytes that all their collations share.
    std::pmr::monotonic_buffer_resource keptText;
    std::vector<KeptLine> kept;
    std::size_t keptShared = 0;
    // The entry stored last, or end().
    iterator last = entries.end();
    std::string name;
};
