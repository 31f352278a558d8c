#include "ini/IniKey.h"

#include <cstring>
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
    WCHAR shortWide[ShortNameChars];
    std::vector<WCHAR> longWide;
    const WCHAR* wide = WideName(name, shortWide, longWide);
    const LCID locale = GetThreadLocale();
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    // A sort key's size is counted in bytes, and it is written byte by byte, after the mark.
    shortBytes[0] = SortKeyMark;
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
