#include "ini/IniFile.h"
#include "ini/NoCaseLess.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using Entries = std::vector<std::pair<std::string, std::string>>;

// A section holds its keys in lstrcmpiA's order, one entry for names that lstrcmpiA finds equal
// with the first name's spelling and the last one's value, whether read or set line by line, and
// finds each name. The names, in shuffled order: the default text's, and pieces
// joined in pairs, bare and around a blank, alone and after letters enough for a key that
// barely fits in place, or not, with its collation: double-byte characters (one with
// "\" for its second byte, katakana of both widths, hiragana, a sound mark that follows its
// neighbour), the hyphen and apostrophe that word sort weighs apart, other punctuation, digits,
// and letters in both cases and widths, some of which other regional formats weigh two as one
// (Czech "ch", run as its own ctest entry).
TEST(IniKeyOrder, SameAsLstrcmpi) {
    IniFile ini;
    ASSERT_EQ(StatusOk, ini.Read(ReadBytes(VARNEL_DEFAULT_TEXT)));
    Entries lines(ini.Section(0)->begin(), ini.Section(0)->end());
    const char* pieces[] = {"a",  "A",  "b",  "Z",  "0",  "1",  "10", "9",  "-", "'",
                            "_",  "#",  "!",  ".",  "&",  "~",  "表", "ソ", "ｿ", "そ",
                            "ー", "ｶﾞ", "ガ", "ａ", "Ａ", "２", "c",  "h",  "s"};
    for (const std::string& prefix : {std::string(), std::string(28, 'M'), std::string(70, 'M')}) {
        for (const char* p : pieces) {
            for (const char* q : pieces) {
                lines.emplace_back(prefix + p + q, std::to_string(lines.size()));
                lines.emplace_back(prefix + p + " " + q, std::to_string(lines.size()));
            }
        }
    }
    std::shuffle(lines.begin(), lines.end(), std::mt19937(23));
    std::map<std::string, std::string, NoCaseLess> byLstrcmpi;
    std::string text = "[s]\n";
    IniSection section;
    for (const auto& [name, value] : lines) {
        byLstrcmpi.emplace(name, value).first->second = value;
        text += name + "=" + value + "\n";
        section.Set(name.c_str(), value.c_str());
    }
    const Entries expected(byLstrcmpi.begin(), byLstrcmpi.end());
    ASSERT_LT(expected.size(), lines.size());
    ASSERT_EQ(StatusOk, ini.Read(text));
    EXPECT_TRUE(expected == Entries(ini.Section(0)->begin(), ini.Section(0)->end()));
    EXPECT_TRUE(expected == Entries(section.begin(), section.end()));
    for (const auto& [name, value] : lines) {
        const auto found = section.Find(name.c_str());
        EXPECT_TRUE(found != section.end() && lstrcmpiA(found->first.c_str(), name.c_str()) == 0)
            << name;
    }
}
