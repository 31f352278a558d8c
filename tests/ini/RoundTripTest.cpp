#include "IniTestFiles.h"

#include "ini/IniFile.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>
#include <vector>

namespace {

// Pieces of generated text. The double-byte characters end in 0x5B, 0x5C or 0x5D ("ゼ", "ソ",
// "ゾ", "表", "ー", "能", "―"); 0xB1 is a single-byte half-width katakana.
const std::vector<std::string> Pieces = {
    "a",        "B",
    "z",        "Q",
    "0",        "7",
    "-",        "#",
    ".",        "(",
    ")",        "[",
    "]",        "\\",
    "=",        ";",
    " ",        "\t",
    "\x83\x5B", "\x83\x5C",
    "\x83\x5D", "\x95\x5C",
    "\x81\x5B", "\x94\x5C",
    "\x81\x5C", "\x8F\x6F\x97\xCD",
    "\xB1",
};

class Generator {
public:
    explicit Generator(unsigned seed) : random(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    // Text of up to maxPieces pieces without any of the excluded characters, and without blanks
    // or tabs at either end when trimmed is true.
    std::string Text(int minPieces, int maxPieces, const std::string& excluded, bool trimmed) {
        std::string text;
        const int count = minPieces + Below(maxPieces - minPieces + 1);
        for (int i = 0; i < count; ++i) {
            const std::string& piece = Pieces[Below(static_cast<int>(Pieces.size()))];
            const bool edge = i == 0 || i == count - 1;
            if ((piece.size() == 1 && excluded.find(piece[0]) != std::string::npos) ||
                (trimmed && edge && (piece == " " || piece == "\t"))) {
                --i;
                continue;
            }
            text += piece;
        }
        return text;
    }

    std::string Key() {
        std::string key;
        do {
            key = Text(1, 12, "=;", true);
        } while (key[0] == '[');
        return key;
    }

    IniSection* Section() {
        auto* section = new IniSection;
        section->SetName(Text(0, 8, "]", false).c_str());
        std::vector<std::string> keys;
        for (int count = Below(12); count > 0; --count) {
            std::string key = Key();
            // Now and then the same key again, spelled with other letter case.
            if (!keys.empty() && Below(4) == 0) {
                key = keys[Below(static_cast<int>(keys.size()))];
                for (char& c : key) {
                    c = std::isupper(static_cast<unsigned char>(c)) ? std::tolower(c)
                                                                    : std::toupper(c);
                }
            }
            keys.push_back(key);
            section->Set(key.c_str(), Text(0, 15, ";", true).c_str());
        }
        return section;
    }

private:
    std::mt19937 random;
};

TEST(IniRoundTrip, GeneratedDocuments) {
    ScratchFolder folder;
    const std::string path = folder.Path("round.ini");
    Generator generate(20240601);
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

        IniFile again;
        ASSERT_EQ(StatusOk, again.Open(path.c_str()));
        ASSERT_EQ(document, Snapshot(again)) << written;
        ASSERT_EQ(StatusOk, again.Write(false));
        again.Close();
        ASSERT_EQ(written, ReadBytes(path));
    }
    EXPECT_EQ(std::vector<std::string>{"round.ini"}, folder.Files());
}

} // namespace
