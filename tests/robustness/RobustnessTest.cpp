#include "ini/IniTestFiles.h"

#include "ini/IniFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// Every heap of the process passes its own consistency check.
bool HeapsValid() {
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(ARRAYSIZE(heaps), heaps);
    return count > 0 && count <= ARRAYSIZE(heaps) &&
           std::all_of(heaps, heaps + count,
                       [](HANDLE heap) { return HeapValidate(heap, 0, nullptr); });
}

// The value of key in the first section called section, or "(none)".
std::string Probe(IniFile& ini, const char* section, const char* key) {
    IniSection* found = ini.FindSection(section);
    const auto it = found ? found->Find(key) : IniSection::iterator();
    return found && it != found->end() ? it->second : "(none)";
}

struct Fixture {
    const char* file;
    StatusCode status;
    // As read, and as read again after a sorted write.
    const char* sections;
    const char* rewritten;
    // One entry to look up, and its value both times.
    const char* section;
    const char* key;
    const char* value;
};

const std::string Key2047(2047, 'k');

// Each awkward file is read, left alone, written and read again; the sections and one value
// are checked each time, and the heaps after each file.
TEST(IniRobustness, AwkwardFiles) {
    const Fixture fixtures[] = {
        {"empty.ini", StatusNoSection, "", "", "Midi Out", "A", "(none)"},
        {"header-only.ini", StatusNoSection, "", "", "Midi Out", "A", "(none)"},
        {"header-only-crlf.ini", StatusOk, "Midi Out:0", "Midi Out:0", "Midi Out", "A", "(none)"},
        // A "[" after a byte-order mark starts no section.
        {"bom.ini", StatusOk, "Wave Out:1", "Wave Out:1", "Wave Out", "B", "2"},
        // The text ends at the Ctrl-Z; 11 KB follow it.
        {"ctrl-z.ini", StatusOk, "Midi Out:2", "Midi Out:2", "Midi Out", "B", "2"},
        // A line ends at its first NUL.
        {"nul-bytes.ini", StatusOk, "Midi Out:4", "Midi Out:4", "Midi Out", "[Wa", "[Wa"},
        // Lines of 3000 bytes arrive in pieces of 2047; the second piece may be a header.
        // Written, every entry of a section with such a key is longer than a line.
        {"long-lines.ini", StatusOk, "Long:5|Next:1", "Long:7|Next:1", "Long", Key2047.c_str(),
         Key2047.c_str()},
        {"cp932-trail.ini", StatusOk, "ゼソゾ:3|ゾx:0|ゾ=ゼ:0", "ゼソゾ:3|ゾ=ゼ:0|ゾx:0", "ゼソゾ",
         "ソ\\", "\\ソ"},
        {"lead-at-end.ini", StatusOk, "Midi Out:2", "Midi Out:2", "Midi Out", "B", "\x83"},
        {"duplicates.ini", StatusOk, "Midi Out:2|Wave Out:1|MIDI OUT:1",
         "Midi Out:2|MIDI OUT:1|Wave Out:1", "midi out", "A", "2"},
        // A CR alone ends no line.
        {"cr-only.ini", StatusNoSection, "", "", "Midi Out", "A", "(none)"},
        {"cr-inside.ini", StatusOk, "Midi Out:2", "Midi Out:2", "Midi Out", "A", "1\rB=2"},
    };
    ScratchFolder folder;
    const std::string path = folder.Path("DrvShortName.ini");
    for (const Fixture& fixture : fixtures) {
        SCOPED_TRACE(fixture.file);
        const std::string bytes = ReadBytes(std::string(VARNEL_TEST_DATA) + fixture.file);
        ASSERT_TRUE(!bytes.empty() || fixture.status == StatusNoSection);
        IniFile ini;
        StatusCode status;
        const Document read = Load(folder, bytes, ini, status, "DrvShortName.ini");
        EXPECT_EQ(fixture.status, status);
        EXPECT_EQ(fixture.sections, Summary(read));
        EXPECT_EQ(fixture.value, Probe(ini, fixture.section, fixture.key));
        ini.Close();
        EXPECT_EQ(bytes, ReadBytes(path));

        ASSERT_EQ(status, ini.Open(path.c_str()));
        EXPECT_EQ(StatusOk, ini.Write(true));
        ini.Close();
        EXPECT_EQ(2u, folder.Files().size());
        const std::string written = ReadBytes(path);
        EXPECT_EQ(*fixture.rewritten ? StatusOk : StatusNoSection, ini.Open(path.c_str()));
        EXPECT_EQ(fixture.rewritten, Summary(Snapshot(ini))) << written;
        EXPECT_EQ(fixture.value, Probe(ini, fixture.section, fixture.key));
        ini.Close();
        EXPECT_EQ(written, ReadBytes(path));
        ASSERT_TRUE(HeapsValid());
    }
}

// Inputs glued together from the pieces of the awkward files. Reading must neither fail nor
// change the file; now and then the document is written and read again.
TEST(IniRobustness, RandomInputs) {
    // The pieces of generated documents, with line ends, headers and what ends a text.
    std::vector<std::string> pieces = Pieces;
    pieces.insert(pieces.end(), {"[Midi Out]", "[Wave Out]\r\n", "\r", "\x1A", "\xEF\xBB\xBF",
                                 "\x83", "Key", "value", "YAMAHA CBX A Driver= CBX A\r\n", "\r\n",
                                 "\r\n", "\n", std::string(1, '\0')});
    const std::string longPiece(3000, 'L');
    std::mt19937 random(5150);
    auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };

    ScratchFolder folder;
    const std::string path = folder.Path("DrvShortName.ini");
    IniFile ini;
    int loaded = 0;
    for (int n = 0; n < 10000; ++n) {
        std::string input;
        for (int count = below(40); count > 0; --count) {
            input += below(300) == 0 ? longPiece : pieces[below(int(pieces.size()))];
        }
        SCOPED_TRACE(testing::Message() << "input " << n << ", " << input.size() << " bytes");
        ASSERT_TRUE(WriteBytes(path, input));
        const StatusCode status = ini.Open(path.c_str());
        ASSERT_TRUE(status == StatusOk || status == StatusNoSection);
        ASSERT_EQ(status == StatusOk, ini.SectionCount() > 0);
        ASSERT_NE(nullptr, ini.NativeHandle());
        loaded += status == StatusOk;
        if (n % 100 == 0) {
            ASSERT_EQ(StatusOk, ini.Write(true));
            const std::size_t sections = ini.SectionCount();
            ini.Close();
            ASSERT_EQ(sections > 0 ? StatusOk : StatusNoSection, ini.Open(path.c_str()));
            ini.Close();
        } else {
            ini.Close();
            ASSERT_TRUE(input == ReadBytes(path));
        }
        ASSERT_TRUE(HeapsValid());
    }
    // Both outcomes were tried many times.
    EXPECT_GT(loaded, 1000);
    EXPECT_LT(loaded, 9000);
}

} // namespace
