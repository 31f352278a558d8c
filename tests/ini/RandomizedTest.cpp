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

// Documents of CP932 names, keys and values whose second bytes are "[", "\" and "]" read back
// as they were written. Names take none of the last three of Pieces, keys none of the last two,
// values not the last; keys and values lose their outer blanks and tabs, as a read would.
TEST(IniRoundTrip, GeneratedDocuments) {
    std::mt19937 random(20240601);
    const auto below = [&random](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    const auto text = [&](std::size_t pieces, std::size_t excluded, bool trim) {
        std::string text;
        for (std::size_t i = below(pieces + 1); i > 0; --i) {
            text += Pieces[below(Pieces.size() - excluded)];
        }
        if (trim) {
            text.erase(0, text.find_first_not_of(" \t"));
            text.erase(text.find_last_not_of(" \t") + 1);
        }
        return text;
    };
    ScratchFolder folder;
    const std::string path = folder.Path("round.ini");
    for (int n = 0; n < 3000; ++n) {
        SCOPED_TRACE(n);
        WriteBytes(path, "");
        IniFile ini;
        ASSERT_EQ(StatusNoSection, ini.Open(path.c_str()));
        for (std::size_t count = 1 + below(4); count > 0; --count) {
            auto* section = new IniSection;
            section->SetName(text(8, 3, false).c_str());
            for (std::size_t i = below(12); i > 0; --i) {
                const std::string key = text(12, 2, true);
                if (!key.empty() && key[0] != '[') {
                    section->Set(key.c_str(), text(15, 1, true).c_str());
                }
            }
            ini.AddSection(section);
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
