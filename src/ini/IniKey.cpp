#include "ini/IniKey.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Room on the stack for the names of a settings file, which are short; a longer one takes the
// heap.
constexpr int ShortNameChars = 256;

// The name in UTF-16, through the ANSI code page; null when it cannot be converted. Every ANSI
// code page keeps the ASCII characters as they are: a name of those alone is widened without
// asking the system, which costs as much again for a short name.
const WCHAR* WideName(const char* name, WCHAR (&shortWide)[ShortNameChars],
                      std::vector<WCHAR>& longWide) {
    constexpr unsigned char FirstNonAscii = 0x80;
    for (int i = 0; i < ShortNameChars; ++i) {
        if (static_cast<unsigned char>(name[i]) >= FirstNonAscii) {
            break;
        }
        shortWide[i] = static_cast<WCHAR>(name[i]);
        if (name[i] == '\0') {
            return shortWide;
        }
    }
    if (MultiByteToWideChar(CP_ACP, 0, name, -1, shortWide, ARRAYSIZE(shortWide)) > 0) {
        return shortWide;
    }
    longWide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, name, -1, nullptr, 0)));
    if (longWide.empty() || MultiByteToWideChar(CP_ACP, 0, name, -1, longWide.data(),
                                                static_cast<int>(longWide.size())) == 0) {
        return nullptr;
    }
    return longWide.data();
}

// The sort keys of names of plain ASCII characters, composed without asking the platform, whose
// call costs half a microsecond a name under Wine: the key of such a name is the primary weights
// of its characters one after the other, then the bytes that end every key. The platform's own
// keys of each character make the table; a character whose key ends otherwise (the hyphen and
// the apostrophe, which word sort weighs apart) or holds no weight (an ignored control
// character) is not plain, and a name with one takes the platform's key. Where the platform does
// not compose its keys so for every pair of plain characters, the table serves no name at all.
class AsciiSortKeys {
public:
    static const AsciiSortKeys& ForThisProcess() {
        static const AsciiSortKeys keys;
        return keys;
    }

    // Writes the key of name into out (room bytes), without its final zero; false, with out in
    // any state, when the table does not serve name.
    bool Compose(const char* name, char* out, std::size_t room, std::size_t& size) const {
        if (!serves || GetThreadLocale() != locale) {
            return false;
        }
        size = 0;
        for (const char* p = name; *p != '\0'; ++p) {
            const auto c = static_cast<unsigned char>(*p);
            if (c >= Characters || weights[c].empty() || !Append(weights[c], out, room, size)) {
                return false;
            }
        }
        return Append(end, out, room, size);
    }

private:
    static constexpr unsigned Characters = 0x80;

    AsciiSortKeys() : locale(GetThreadLocale()), end(PlatformKey(L"")) {
        std::size_t widest = 0;
        for (unsigned c = 1; c < Characters; ++c) {
            const WCHAR text[] = {static_cast<WCHAR>(c), L'\0'};
            const std::string key = PlatformKey(text);
            if (key.size() > end.size() &&
                key.compare(key.size() - end.size(), end.size(), end) == 0) {
                weights[c] = key.substr(0, key.size() - end.size());
                widest = std::max(widest, weights[c].size());
            }
        }
        // A locale may weigh two letters as one (Czech "ch", Hungarian "cs"): one text that holds
        // every ordered pair of plain characters shows whether the platform composes its keys so.
        std::string pairs;
        for (unsigned c = 1; c < Characters; ++c) {
            for (unsigned d = 1; d < Characters; ++d) {
                if (!weights[c].empty() && !weights[d].empty()) {
                    pairs += {static_cast<char>(c), static_cast<char>(d)};
                }
            }
        }
        const std::wstring widePairs(pairs.begin(), pairs.end());
        std::string composed(pairs.size() * widest + end.size(), '\0');
        std::size_t size = 0;
        serves = !end.empty();
        serves = serves && Compose(pairs.c_str(), &composed[0], composed.size(), size);
        composed.resize(size);
        serves = serves && composed == PlatformKey(widePairs.c_str());
    }

    static bool Append(const std::string& bytes, char* out, std::size_t room, std::size_t& size) {
        if (size + bytes.size() > room) {
            return false;
        }
        std::memcpy(out + size, bytes.data(), bytes.size());
        size += bytes.size();
        return true;
    }

    // The platform's sort key of text, without its final zero; empty when it has none.
    std::string PlatformKey(const WCHAR* text) const {
        constexpr DWORD Flags = LCMAP_SORTKEY | NORM_IGNORECASE;
        const int bytes = LCMapStringW(locale, Flags, text, -1, nullptr, 0);
        std::string key(bytes > 0 ? static_cast<std::size_t>(bytes) : 0, '\0');
        if (key.empty() || LCMapStringW(locale, Flags, text, -1, reinterpret_cast<LPWSTR>(&key[0]),
                                        bytes) != bytes) {
            return std::string();
        }
        key.pop_back();
        return key;
    }

    const LCID locale;
    // The bytes that end every key (without its final zero), and the primary weights of each
    // plain character (empty: not plain).
    const std::string end;
    std::string weights[Characters];
    bool serves = false;
};

} // namespace

// lstrcmpiA compares as CompareStringA with the thread's locale and NORM_IGNORECASE |
// LOCALE_USE_CP_ACP does: both names become UTF-16 through the ANSI code page and compare at
// every level but case, in word sort. The sort key of the same conversion, locale and flag holds
// that order; its final zero byte, the same in every key, is left off.
//
// Never seen: without a sort key the name's own bytes keep it apart from every other name, so
// that no entry is lost, merely ordered differently. Any byte may begin or fill a sort key, so
// one mark byte before either tells them apart: a name's bytes then equal no sort key, and
// another name's only when spelt the same.
IniSortKey::IniSortKey(const char* name) {
    constexpr char NameMark = '\0';
    constexpr char SortKeyMark = '\1';
    shortBytes[0] = SortKeyMark;
    std::size_t composed = 0;
    if (AsciiSortKeys::ForThisProcess().Compose(name, shortBytes + 1, sizeof shortBytes - 1,
                                                composed)) {
        view = std::string_view(shortBytes, 1 + composed);
        return;
    }
    WCHAR shortWide[ShortNameChars];
    std::vector<WCHAR> longWide;
    const WCHAR* wide = WideName(name, shortWide, longWide);
    const LCID locale = GetThreadLocale();
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    // A sort key's size is counted in bytes, and it is written byte by byte, after the mark.
    int bytes = wide ? LCMapStringW(locale, flags, wide, -1,
                                    reinterpret_cast<LPWSTR>(shortBytes + 1), sizeof shortBytes - 1)
                     : 0;
    if (bytes > 0) {
        view = std::string_view(shortBytes, static_cast<std::size_t>(bytes));
        return;
    }
    if (wide) {
        longBytes.resize(
            1 + static_cast<std::size_t>(LCMapStringW(locale, flags, wide, -1, nullptr, 0)));
    }
    bytes = longBytes.size() > 1
                ? LCMapStringW(locale, flags, wide, -1, reinterpret_cast<LPWSTR>(&longBytes[1]),
                               static_cast<int>(longBytes.size() - 1))
                : 0;
    if (bytes > 0) {
        longBytes[0] = SortKeyMark;
        view = std::string_view(longBytes.data(), static_cast<std::size_t>(bytes));
        return;
    }
    longBytes.assign(1, NameMark);
    longBytes += name;
    view = longBytes;
}

IniKey::IniKey(const char* name) : IniKey(name, IniSortKey(name).Bytes()) {}

IniKey::IniKey(const char* name, std::string_view collation)
    : nameSize(static_cast<std::uint32_t>(std::strlen(name))),
      collationSize(static_cast<std::uint32_t>(collation.size())) {
    char* bytes = local;
    if (nameSize + 1 + collationSize > sizeof local) {
        spilled.resize(nameSize + 1 + collationSize);
        bytes = &spilled[0];
    }
    std::memcpy(bytes, name, nameSize + 1);
    std::memcpy(bytes + nameSize + 1, collation.data(), collationSize);
}
