#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The collation of one name, made on construction: bytes that compare (as unsigned bytes) the way
// lstrcmpiA compares the names, equal exactly where lstrcmpiA finds the names equal. Held on the
// stack for a short name.
class IniSortKey {
public:
    explicit IniSortKey(const char* name);
    IniSortKey(const IniSortKey&) = delete;
    IniSortKey& operator=(const IniSortKey&) = delete;

    std::string_view Bytes() const { return view; }

private:
    // Room for the collation of a name of a few hundred characters; a longer one takes the heap.
    static constexpr std::size_t ShortBytes = 1024;

    char shortBytes[ShortBytes];
    std::string longBytes;
    std::string_view view;
};

// A key's name together with its collation (IniSortKey). One call of lstrcmpiA costs about a
// microsecond under Wine, and keeping a section ordered takes one or more per key; the collation
// costs half of one call, once per key, and every comparison after it is a comparison of bytes.
//
// It reads as its name (c_str, size, and as a std::string or std::string_view), so that whoever
// walks a section gets the names as before. Name and collation are kept in place when they fit,
// as those of device names do, so that an entry needs no memory beyond its node.
class IniKey {
public:
    // Implicit, so that a name goes wherever a key is expected, as it did while keys were
    // plain strings.
    IniKey(const char* name);
    // name with its collation, made already.
    IniKey(const char* name, std::string_view collation);
    // Copied, never moved: a move would take a long name's bytes out of spilled and leave the
    // key reading local for them.
    IniKey(const IniKey&) = default;
    IniKey& operator=(const IniKey&) = default;

    const char* c_str() const { return Bytes(); }
    std::size_t size() const { return nameSize; }
    operator std::string_view() const { return std::string_view(Bytes(), nameSize); }
    operator std::string() const { return std::string(Bytes(), nameSize); }

    std::string_view Collation() const {
        return std::string_view(Bytes() + nameSize + 1, collationSize);
    }

    // The order of a section's keys.
    struct Less {
        bool operator()(const IniKey& a, const IniKey& b) const {
            return a.Collation() < b.Collation();
        }
    };

private:
    const char* Bytes() const { return spilled.empty() ? local : spilled.data(); }

    // The name, its NUL and the collation, of a mark byte, two bytes a character and one after
    // each of its four levels: in place for a device name (Windows cuts them to MAXPNAMELEN - 1
    // bytes) of single-byte characters.
    static constexpr std::size_t LocalBytes = 3 * (MAXPNAMELEN - 1) + 1 + 1 + 4;

    char local[LocalBytes];
    std::string spilled;
    std::uint32_t nameSize;
    std::uint32_t collationSize;
};

// Spelt alike, byte for byte.
inline bool operator==(const IniKey& a, const IniKey& b) {
    return std::string_view(a) == std::string_view(b);
}
