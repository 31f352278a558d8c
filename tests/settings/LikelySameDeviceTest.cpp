// The rule for "likely the same device", each pair both ways round (the rule has no direction):
// over the tables of tests/data, the pairs chosen by hand and the names users reported in public,
// and over names made as the system makes them, written here apart from the rule, from seeded
// originals, with look-alikes of other devices beside them. A failure prints its seed and pair;
// VARNEL_SEED=N replays seed N alone.

#include "settings/LikelySameDevice.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <random>
#include <regex>

namespace {

const std::string Reasons[] = {"none", "number", "cut", "old"}; // by RenameReason

// The rule's answer for a and b, the same both ways round, or "both ways differ".
std::string Rule(DeviceKind kind, const std::string& a, const std::string& b) {
    const RenameReason reason = LikelySameDevice(kind, a, b);
    return reason == LikelySameDevice(kind, b, a) ? Reasons[reason] : "both ways differ";
}

TEST(LikelySameDevice, Tables) {
    const std::regex pair("(midi|wave) \\| (.*) \\| (.*) \\| (\\w+)");
    int pairs = 0;
    for (const char* file : {"likely-same-device.txt", "renamed-in-public.txt"}) {
        std::ifstream table(VARNEL_TEST_DATA + std::string(file), std::ios::binary);
        std::smatch fields;
        for (std::string line; std::getline(table, line);) {
            if (std::regex_match(line, fields, pair)) {
                EXPECT_EQ(Rule(fields[1] == "midi" ? MidiOut : WaveOut, fields[2], fields[3]),
                          fields[4])
                    << file << ": " << line;
                ++pairs;
            }
        }
    }
    EXPECT_EQ(pairs, 58);
}

// What the system does to the name of a device (its original) when it names it again, as users
// report it: a number in front, one behind, and for a MIDI port the old style around all.
struct Steps {
    std::string front, back;
    bool oldStyle;
};

std::vector<Steps> AllSteps(DeviceKind kind) {
    std::vector<Steps> all;
    for (const std::string port : {"", "MIDIOUT1 (", "MIDIOUT2 (", "MIDIOUT12 ("}) {
        for (const char* number : {"", "2- ", "3- ", "12- ", "2 - ", "12 - "}) {
            for (const char* copy : {"", " (1)", " (2)", " (12)"}) {
                if (kind == MidiOut || port.empty()) {
                    all.push_back({port + number, copy + std::string(port.empty() ? "" : ")"),
                                   !port.empty()});
                }
            }
        }
    }
    return all;
}

// The start of text, of whole characters of code page 932, that size bytes hold.
std::string Cut(const std::string& text, std::size_t size) {
    std::size_t cut = 0;
    for (std::size_t next;
         cut < text.size() && (next = cut + 1 + IsDBCSLeadByteEx(932, text[cut])) <= size;) {
        cut = next;
    }
    return text.substr(0, cut);
}

// The name the system then gives the device, cut to the 31 bytes of a device name between whole
// characters of code page 932, without the blanks at its end, as the file's keys lose them; and
// how many bytes of the original it shows.
std::pair<std::string, std::size_t> Renamed(const std::string& original, const Steps& steps) {
    std::string name = Cut(steps.front + original + steps.back, 31);
    name.erase(name.find_last_not_of(' ') + 1);
    const std::size_t front = steps.front.size();
    return {name, name.size() > front ? std::min(original.size(), name.size() - front) : 0};
}

// Originals of devices, words of ASCII and double-byte characters (with second bytes that are
// "\", "]" or "@") between blanks, at times two, ending in a word, a number or ")"; at times with a
// blank at byte 31 or a double-byte character across it, where the system cuts. Beside each, a
// device that looks alike: a letter or digit changed, In/Out, A/B, a digit more ("Port 1", "Port
// 10"), a word more ("Q-Panel", "Q-Panel-Ext").
class Devices {
public:
    explicit Devices(unsigned seed) : random(seed) {}

    std::string Original() {
        std::string text = Word();
        for (const std::size_t size = 1 + Below(36); text.size() < size;) {
            text += (Below(8) ? " " : "  ") + Word();
        }
        const int end = Below(5);
        return end == 0   ? text + " " + std::to_string(1 + Below(12))
               : end == 1 ? text + Pick<std::string>({" (USB)", " (L)", " (ＵＳＢ)"})
               : end == 2 ? Filled(text) + " " + Word()
               : end == 3 ? Filled(text) + Pick<std::string>({"ＤＥＳＫ", "表示", "ゾーン"})
                          : text;
    }

    std::string LookAlike(std::string text) {
        for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
                 {"In", "Out"}, {"Out", "In"}, {" A", " B"}, {" B", " A"}}) {
            if (Below(3) == 0 && text.find(from) != std::string::npos) {
                return text.replace(text.find(from), from.size(), to);
            }
        }
        const std::size_t at = Below(text.size());
        if (Below(2) && isalnum(static_cast<unsigned char>(text[at])) &&
            (at == 0 || !IsDBCSLeadByteEx(932, text[at - 1]))) {
            text[at] = isdigit(static_cast<unsigned char>(text[at]))
                           ? '0' + (text[at] - '0' + 1) % 10
                       : text[at] == 'q' ? 'z'
                                         : 'q';
            return text;
        }
        return text + Pick<std::string>({"0", "-Ext", " 2"});
    }

    int Below(std::size_t n) { return static_cast<int>(random() % n); }
    template <typename T> T Pick(const std::vector<T>& items) { return items[Below(items.size())]; }

private:
    std::string Word() {
        return Pick<std::string>({"Desk", "MIDI", "Interface", "Port", "Out", "In", "A", "B", "USB",
                                  "Quince", "UX16", "Q-Panel", "ＤＥＳＫ", "インターフェース",
                                  "出力", "表示", "ゾーン", "＠"});
    }
    // text made exactly 30 bytes, so that byte 31 is what comes next.
    static std::string Filled(const std::string& text) {
        std::string filled = Cut(text, 30);
        filled.resize(30, 'x');
        return filled;
    }

    std::mt19937 random;
};

// What steps make of an original: each name, how much of the original it shows, and whether it
// is the old style.
struct Made {
    std::string name; // in capitals, as the file compares names
    std::size_t shown;
    bool oldStyle;
};

std::string Capitals(std::string text) {
    CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// The names made of each original that the cut cannot tell from the one given: it, its starts,
// and it going on beyond any cut. An original, as a key of the file, ends in no blank.
std::vector<std::vector<Made>> MadeOf(const std::string& original, const std::vector<Steps>& all) {
    std::vector<std::vector<Made>> made;
    std::vector<std::string> originals = {original + std::string(31, 'X'),
                                          original + "＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿＿"};
    for (std::size_t size = 0; size < original.size();) {
        size += 1 + IsDBCSLeadByteEx(932, original[size]);
        if (original[size - 1] != ' ') {
            originals.push_back(original.substr(0, size));
        }
    }
    for (const std::string& text : originals) {
        made.emplace_back();
        for (const Steps& steps : all) {
            const auto [name, shown] = Renamed(text, steps);
            made.back().push_back({Capitals(name), shown, steps.oldStyle});
        }
    }
    return made;
}

// Why a and b are one device, as the fewest steps that set them apart tell it: a number, the old
// style, the cut (that shows less of the original in one); none when no original makes both.
std::string Expected(const std::vector<std::vector<Made>>& made, const std::string& a,
                     const std::string& b) {
    RenameReason likely = NotRenamed;
    constexpr int Order[] = {3, 0, 2, 1}; // by RenameReason
    const std::string capitalA = Capitals(a), capitalB = Capitals(b);
    for (const std::vector<Made>& names : made) {
        for (const Made& x : names) {
            for (const Made& y : names) {
                const RenameReason reason = x.shown != y.shown         ? RenamedCut
                                            : x.oldStyle != y.oldStyle ? RenamedOldStyle
                                                                       : RenamedNumber;
                if (x.name == capitalA && y.name == capitalB && Order[reason] < Order[likely]) {
                    likely = reason;
                }
                if (x.name != capitalA) {
                    break; // on to the next x
                }
            }
        }
    }
    return Reasons[capitalA == capitalB ? NotRenamed : likely];
}

// A hundred seeds a test, so that each ends well within its time also under emulation.
using Generated = testing::TestWithParam<unsigned>;

TEST_P(Generated, WhatTheSystemMakes) {
    const char* replay = std::getenv("VARNEL_SEED");
    const unsigned first = replay ? std::stoul(replay) : GetParam() * 100 + 1;
    for (unsigned seed = first; seed < (replay ? first + (GetParam() == 0) : first + 100); ++seed) {
        Devices devices(seed);
        const DeviceKind kind = seed % 3 ? MidiOut : WaveOut;
        const std::vector<Steps> all = AllSteps(kind);
        // Beside the original, another device that looks alike, or under the wave devices the
        // old style of a MIDI port of its name.
        const std::string original = devices.Original();
        const bool oldStyle = kind == WaveOut && seed % 2;
        const std::string other = oldStyle ? original : devices.LookAlike(original);
        std::vector<std::vector<Made>> made = MadeOf(original, all), others = MadeOf(other, all);
        made.insert(made.end(), others.begin(), others.end());
        for (int pair = 0; pair < 20; ++pair) {
            const std::string a = Renamed(original, devices.Pick(all)).first;
            const std::string b = Renamed(original, devices.Pick(all)).first;
            const std::string look =
                Renamed(other, oldStyle ? AllSteps(MidiOut)[pair * 4] : devices.Pick(all)).first;
            for (const std::string& name : {b, look}) {
                EXPECT_EQ(Rule(kind, a, name), Expected(made, a, name))
                    << "seed " << seed << ": " << a << " | " << name;
            }
        }
        // A line of the file longer than any device name, and the name the system gives it.
        EXPECT_TRUE(original.size() <= 31 ||
                    Rule(kind, original, Renamed(original, all[0]).first) == "cut")
            << "seed " << seed << ": " << original;
    }
}

INSTANTIATE_TEST_SUITE_P(LikelySameDevice, Generated, testing::Range(0u, 3u));

} // namespace
