#include "ini/IniSection.h"

#include <windows.h>

#include <iterator>

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
        if (it == last) {
            last = entries.end();
        }
        entries.erase(it);
    }
    return StatusOk;
}

StatusCode IniSection::Set(const char* key, const char* value) {
    // A file in key order, as every save leaves it, and a caller that walks the keys in order
    // set one key after the other: the place right after the key set last is tried first, so
    // that a key costs two comparisons instead of a search, each of them a call of lstrcmpiA.
    if (last != entries.end() && std::next(last) == entries.end()) {
        // After the greatest key the map's own check of the place is the one comparison; a
        // key that is not greater gets the map's search.
        const std::size_t count = entries.size();
        last = entries.emplace_hint(entries.end(), key, value);
        if (entries.size() == count) {
            last->second = value;
        }
        return StatusOk;
    }
    iterator place = entries.end();
    int order = 1;
    if (last != entries.end() && lstrcmpiA(last->first.c_str(), key) < 0) {
        place = std::next(last);
        order = place == entries.end() ? -1 : lstrcmpiA(key, place->first.c_str());
    }
    if (order > 0) {
        place = entries.lower_bound(key);
        order = place == entries.end() ? -1 : lstrcmpiA(key, place->first.c_str());
    }
    if (order == 0) {
        place->second = value;
    } else {
        place = entries.emplace_hint(place, key, value);
    }
    last = place;
    return StatusOk;
}
