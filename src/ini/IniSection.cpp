#include "ini/IniSection.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// Bytes from..from+8 of collation as a number that compares as they do; a collation that ends
// before gives zeros, as comparing a shorter one ranks it first.
std::uint64_t Bytes(std::string_view collation, std::size_t from) {
    std::uint64_t number = 0;
    if (from + sizeof number <= collation.size()) {
        // Read at once; the first byte weighs most, so on this little-endian machine the
        // bytes swap.
        std::memcpy(&number, collation.data() + from, sizeof number);
        return __builtin_bswap64(number);
    }
    for (std::size_t i = from; i < from + sizeof number; ++i) {
        number = number << CHAR_BIT |
                 (i < collation.size() ? static_cast<unsigned char>(collation[i]) : 0u);
    }
    return number;
}

// Copies text with its NUL into resource.
const char* Keep(std::pmr::memory_resource& resource, std::string_view text) {
    char* kept = static_cast<char*>(resource.allocate(text.size() + 1, 1));
    std::memcpy(kept, text.data(), text.size());
    kept[text.size()] = '\0';
    return kept;
}

} // namespace

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
    Place(key, value);
    return StatusOk;
}

void IniSection::Place(IniKey&& key, const char* value) {
    // A file in key order, as every save leaves it, and a caller that walks the keys in order
    // set one key after the other: the place right after the key set last is tried first, for
    // two comparisons instead of a search.
    const IniKey::Less less;
    iterator place = entries.end();
    bool search = true;
    if (last != entries.end() && less(last->first, key)) {
        place = std::next(last);
        search = place != entries.end() && less(place->first, key);
    }
    if (search) {
        place = entries.lower_bound(key);
    }
    if (place != entries.end() && !less(key, place->first)) {
        place->second = value;
    } else {
        place = entries.emplace_hint(place, std::move(key), value);
    }
    last = place;
}

StatusCode IniSection::Load(const char* key, const char* value) {
    // From the first line out of order on, every line is kept, so that the lines of one key
    // reach Settle in the file's order.
    const IniSortKey collation(key);
    const std::string_view bytes = collation.Bytes();
    if (!kept.empty()) {
        const std::string_view first = kept.front().collation.substr(0, keptShared);
        keptShared = static_cast<std::size_t>(
            std::mismatch(first.begin(), first.end(), bytes.begin(), bytes.end()).first -
            first.begin());
    } else if (entries.empty() || std::prev(entries.end())->first.Collation() < bytes) {
        last =
            entries.emplace_hint(entries.end(), std::piecewise_construct,
                                 std::forward_as_tuple(key, bytes), std::forward_as_tuple(value));
        return StatusOk;
    } else {
        keptShared = bytes.size();
    }
    const char* keptCollation = Keep(keptText, bytes);
    kept.push_back({0, 0, kept.size(), Keep(keptText, key), Keep(keptText, value),
                    std::string_view(keptCollation, bytes.size())});
    return StatusOk;
}

StatusCode IniSection::Settle() {
    // The bytes that all collations share tell no two lines apart; the sixteen after those
    // order most of them by themselves, without a look at the collations, which lie scattered
    // over keptText and would keep the sort waiting on memory.
    bool ordered = true;
    for (KeptLine& line : kept) {
        line.high = Bytes(line.collation, keptShared);
        line.low = Bytes(line.collation, keptShared + sizeof(std::uint64_t));
        ordered = ordered && (line.line == 0 || !(line.collation < kept[line.line - 1].collation));
    }
    if (!ordered) {
        std::sort(kept.begin(), kept.end(), [](const KeptLine& a, const KeptLine& b) {
            if (a.high != b.high || a.low != b.low) {
                return a.high < b.high || (a.high == b.high && a.low < b.low);
            }
            const int order = a.collation.compare(b.collation);
            return order < 0 || (order == 0 && a.line < b.line);
        });
    }
    // Each line goes after the one before; the nodes come one after the other in memory.
    for (const KeptLine& line : kept) {
        // The place after the line before is the right one unless a line that Load set lies
        // between; the map checks it, and searches then.
        const std::size_t count = entries.size();
        last = entries.emplace_hint(
            last == entries.end() ? last : std::next(last), std::piecewise_construct,
            std::forward_as_tuple(line.key, line.collation), std::forward_as_tuple(line.value));
        // A key already there keeps its spelling and takes the later line's value.
        if (entries.size() == count) {
            last->second = line.value;
        }
    }
    kept.clear();
    keptText.release();
    return StatusOk;
}
