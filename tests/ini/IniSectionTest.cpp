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

} // namespace
