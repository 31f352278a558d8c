#include "ini/FileReplacement.h"
#include "ini/IniFile.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace std::string_literals;

// Double-byte characters ending in 0x5B, 0x5C or 0x5D ("ゼ", "ソ", "ゾ", "表", "ー", "―"),
// "出力", a half-width katakana and single bytes that mean something to the format; from "]"
// on what names may not hold, from "=" on what keys may not, from ";" on what values may not,
// from "\r" on what only random inputs hold: line ends, the end of a text, a lone lead byte, a
// header at the start of a line, a NUL, a byte-order mark.
// clang-format off
static const std::vector<std::string> Pieces = {
    "a", "b", "B", "0", "#", "[", "\\", " ", "\t", "\x83\x5B", "\x83\x5C", "\x83\x5D", "\x95\x5C",
    "\x81\x5B", "\x81\x5C", "\x8F\x6F\x97\xCD", "\xB1", "]", "=", ";", "\r", "\n", "\x1A", "\x83",
    "\n[Midi]", "\0"s, "\xEF\xBB\xBF"};
// clang-format on
static std::mt19937 generator(5150);

static std::size_t Below(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(generator);
}

// Up to count of the first pieces of Pieces, without outer blanks and tabs, as a read leaves them.
static std::string Text(std::size_t count, std::size_t pieces) {
    std::string text;
    for (std::size_t i = Below(count + 1); i > 0; --i) {
        text += Pieces[Below(pieces)];
    }
    text.erase(0, text.find_first_not_of(" \t"));
    return text.erase(text.find_last_not_of(" \t") + 1);
}

// Each tests/data/NAME.ini and the default text, opened and closed, stay as they are; written
// back sorted they leave the bytes of tests/data/NAME.expected, their old bytes in the backup
// and no other file. What has no section header opens with StatusNoSection and leaves an empty
// file. Written again, the output stays, except where a key is written that reads as a header
// (headers.ini) or is longer than a line (long-lines.ini).
TEST(IniRobustness, GoldenFiles) {
    std::vector<std::string> names = {"DrvShortName"};
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(VARNEL_TEST_DATA "*.ini", &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        names.emplace_back(found.cFileName, lstrlenA(found.cFileName) - 4);
    }
    FindClose(search);
    ASSERT_GE(names.size(), 16u);
    ScratchFolder folder;
    const std::string path = folder.Path("DrvShortName.ini");
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string bytes = ReadBytes(
            name == "DrvShortName" ? VARNEL_DEFAULT_TEXT : VARNEL_TEST_DATA + name + ".ini");
        const std::string expected = ReadBytes(VARNEL_TEST_DATA + name + ".expected");
        WriteBytes(path, bytes);
        IniFile ini;
        EXPECT_EQ(expected.empty() ? StatusNoSection : StatusOk, ini.Open(path.c_str()));
        ini.Close();
        EXPECT_EQ(bytes, ReadBytes(path));
        for (int pass = 0; pass < (name == "headers" || name == "long-lines" ? 1 : 2); ++pass) {
            ini.Open(path.c_str());
            EXPECT_EQ(StatusOk, ini.Write(true));
            ini.Close();
            EXPECT_EQ(expected, ReadBytes(path));
            EXPECT_EQ(pass == 0 ? bytes : expected, ReadBytes(path + BackupSuffix));
            EXPECT_EQ(2u, folder.Files().size());
        }
    }
}

// Inputs glued together from all the pieces, some with 3000 bytes in a line: reading neither
// fails nor changes the file.
TEST(IniRobustness, RandomInputs) {
    ScratchFolder folder;
    const std::string path = folder.Path("DrvShortName.ini");
    IniFile ini;
    for (int n = 0; n < 10000; ++n) {
        std::string input = Text(40, Pieces.size());
        input.insert(Below(input.size() + 1), Below(15) == 0 ? 3000 : 0, 'L');
        WriteBytes(path, input);
        const StatusCode status = ini.Open(path.c_str());
        ASSERT_EQ(ini.SectionCount() > 0 ? StatusOk : StatusNoSection, status);
        ini.Close();
        ASSERT_EQ(input, ReadBytes(path));
    }
}

using Entries = IniSection::Entries;

// Keys set in runs of key order with jumps between (Set tries the place after the key it set
// last first) and erased now and then leave what a plain map leaves: a key's first spelling and
// its last value. Written unsorted and read back, the document is the same. Names hold no "]",
// keys start with "k" and hold no "=", values hold no ";".
TEST(IniRobustness, SetEraseAndRoundTrip) {
    ScratchFolder folder;
    const std::string path = folder.Path("round.ini");
    for (int n = 0; n < 1000; ++n) {
        WriteBytes(path, "");
        IniFile ini;
        ASSERT_EQ(StatusNoSection, ini.Open(path.c_str()));
        std::vector<std::pair<std::string, Entries>> document;
        for (std::size_t count = 1 + Below(3); count > 0; --count) {
            auto* section = new IniSection;
            ini.AddSection(section);
            section->SetName(Text(8, 17).c_str());
            std::vector<std::string> keys(Below(40));
            std::generate(keys.begin(), keys.end(), [] { return "k" + Text(3, 18); });
            for (std::size_t run = 0; run < keys.size(); run += 8) {
                const std::size_t end = std::min(keys.size(), run + 1 + Below(8));
                std::sort(keys.begin() + run, keys.begin() + end, NoCaseLess());
            }
            document.emplace_back(section->Name(), Entries());
            for (std::size_t i = 0; i < keys.size(); ++i) {
                const std::string value = Text(15, 19);
                section->Set(keys[i].c_str(), value.c_str());
                document.back().second.emplace(keys[i], value).first->second = value;
                if (Below(5) == 0) {
                    const std::string gone = keys[Below(2) ? i : Below(i + 1)];
                    section->Erase(section->Find(gone.c_str()));
                    document.back().second.erase(gone);
                }
            }
        }
        ASSERT_EQ(StatusOk, ini.Write(false));
        ASSERT_EQ(StatusOk, ini.Open(path.c_str()));
        ASSERT_EQ(document.size(), ini.SectionCount());
        for (std::size_t i = 0; i < document.size(); ++i) {
            const IniSection& section = *ini.Section(i);
            ASSERT_EQ(document[i].first, section.Name());
            ASSERT_EQ(document[i].second, Entries(section.begin(), section.end()));
        }
    }
}
