#include "IniTestFiles.h"

#include "ini/IniFile.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Double-byte characters ending in 0x5B, 0x5C or 0x5D ("ゼ", "ソ", "ゾ", "表", "ー", "―"),
// "出力", a half-width katakana, and single bytes that mean something to the format. Names
// take none of the last three, keys none of the last two, values not the last.
const std::vector<std::string> Pieces = {
    "a",        "B",        "z",        "Q",        "0",        "-",
    "#",        "[",        "\\",       " ",        "\t",       "\x83\x5B",
    "\x83\x5C", "\x83\x5D", "\x95\x5C", "\x81\x5B", "\x81\x5C", "\x8F\x6F\x97\xCD",
    "\xB1",     "]",        "=",        ";",
};

class Generator {
public:
    int Below(std::size_t n) { return std::uniform_int_distribution<int>(0, int(n) - 1)(random); }

    // Up to pieces of the first ones of Pieces, trimmed of blanks and tabs when asked.
    std::string Text(int pieces, int excluded, bool trim) {
        std::string text;
        for (int i = Below(pieces + 1); i > 0; --i) {
            text += Pieces[Below(Pieces.size() - excluded)];
        }
        if (trim) {
            text.erase(0, text.find_first_not_of(" \t"));
            text.erase(text.find_last_not_of(" \t") + 1);
        }
        return text;
    }

    IniSection* Section() {
        auto* section = new IniSection;
        section->SetName(Text(8, 3, false).c_str());
        std::vector<std::string> keys;
        for (int i = Below(12); i > 0; --i) {
            std::string key = Text(12, 2, true);
            if (key.empty() || key[0] == '[') {
                continue;
            }
            // Now and then a key again, spelled with other letter case.
            if (!keys.empty() && Below(4) == 0) {
                key = keys[Below(keys.size())];
                CharUpperA(key.data());
            }
            keys.push_back(key);
            section->Set(key.c_str(), Text(15, 1, true).c_str());
        }
        return section;
    }

private:
    std::mt19937 random{20240601};
};

TEST(IniRoundTrip, GeneratedDocuments) {
    ScratchFolder folder;
    const std::string path = folder.Path("round.ini");
    Generator generate;
    for (int n = 0; n < 3000; ++n) {
        SCOPED_TRACE(n);
        WriteBytes(path, "");
        IniFile ini;
        ASSERT_EQ(StatusNoSection, ini.Open(path.c_str()));
        for (int count = 1 + generate.Below(4); count > 0; --count) {
            ini.AddSection(generate.Section());
        }
        const Document document = Snapshot(ini);
        ASSERT_EQ(StatusOk, ini.Write(false));
        ini.Close();
        const std::string written = ReadBytes(path);

        ASSERT_EQ(StatusOk, ini.Open(path.c_str()));
        ASSERT_EQ(document, Snapshot(ini)) << written;
        ASSERT_EQ(StatusOk, ini.Write(false));
        ini.Close();
        ASSERT_EQ(written, ReadBytes(path));
    }
}

} // namespace
