#include "IniTestFiles.h"

#include "ini/IniFile.h"
#include "ini/IniSection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using Reference = std::map<std::string, std::string, NoCaseLess>;

// Set takes the place after the key it set last when the new key belongs there; in whatever
// order keys come, and with entries erased between, the section must hold what a plain search
// for every key gives: the first spelling of a key and its last value.
TEST(IniSection, SetInAnyOrderWithErasesBetween) {
    std::vector<std::string> keys = {"", "a", "A", "ab", "B", "c-d", "cd", "CD", "ソ", "表", "z"};
    for (int n = 0; n < 40; ++n) {
        keys.push_back("Device " + std::to_string(n * 7 % 40));
    }
    std::sort(keys.begin(), keys.end(), NoCaseLess());
    std::mt19937 random(77);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        std::vector<std::string> order = keys;
        if (round == 1) {
            std::reverse(order.begin(), order.end());
        } else if (round > 1) {
            std::shuffle(order.begin(), order.end(), random);
            // Runs in key order, as a save walks them, between the jumps.
            std::sort(order.begin(), order.begin() + round % keys.size(), NoCaseLess());
        }
        IniSection section;
        Reference reference;
        for (std::size_t i = 0; i < order.size(); ++i) {
            const std::string value = std::to_string(i);
            section.Set(order[i].c_str(), value.c_str());
            reference.emplace(order[i], value).first->second = value;
            if (round > 1 && random() % 5 == 0) {
                // Now the key just set, now another one.
                const std::string& gone = random() % 2 ? order[i] : order[random() % (i + 1)];
                section.Erase(section.Find(gone.c_str()));
                reference.erase(gone);
            }
        }
        ASSERT_EQ(reference, Reference(section.begin(), section.end()));
        for (const auto& [key, value] : reference) {
            ASSERT_EQ(key, section.Find(key.c_str())->first);
        }
    }
}

// Names take none of the last three of Pieces, keys none of the last two, values not the last.
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
