#include "IniTestFiles.h"

#include "ini/FileOperations.h"
#include "ini/IniFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Opens bytes as test.ini, writes it back sorted, closes it, and returns the file's bytes.
std::string Rewrite(const ScratchFolder& folder, const std::string& bytes) {
    IniFile ini;
    StatusCode status;
    Load(folder, bytes, ini, status);
    EXPECT_EQ(StatusOk, ini.Write(true));
    EXPECT_NE(nullptr, ini.NativeHandle());
    ini.Close();
    return ReadBytes(folder.Path("test.ini"));
}

// The default text reads as it should, and comes back sorted and aligned section by section.
TEST(IniFile, DefaultText) {
    const std::string text = DefaultText();
    ASSERT_EQ(16081u, text.size());
    ScratchFolder folder;
    IniFile ini;
    StatusCode status;
    const Document original = Load(folder, text, ini, status);
    EXPECT_EQ(StatusOk, status);
    EXPECT_EQ("Midi Out:523|Wave Out:8", Summary(original));
    IniSection* midi = ini.FindSection("MIDI Out");
    char value[32] = "";
    EXPECT_STREQ("CBX A", midi->Get("YAMAHA CBX A Driver", value, sizeof value));
    EXPECT_STREQ("SB16", midi->Get("sb16 midi 出力[330]", value, sizeof value));
    EXPECT_EQ(nullptr, midi->Get("No Such Device", value, sizeof value));
    EXPECT_STREQ("SB16", value);
    midi->Set("yamaha cbx a driver", std::string(40, 'v').c_str());
    EXPECT_EQ(std::string(31, 'v'), midi->Get("YAMAHA CBX A Driver", value, sizeof value));
    EXPECT_EQ("YAMAHA CBX A Driver", midi->Find("YAMAHA cbx A DRIVER")->first);
    ini.Close();

    std::string waveOut = "[Wave Out]\r\n"
                          "SB16 WAVE \x8F\x6F\x97\xCD     = SB16\r\n";
    for (char n = '1'; n <= '6'; ++n) {
        waveOut += std::string("SW1000 #") + n + " WAVE OUT = SW " + n + "\r\n";
    }
    waveOut += "YAMAHA SXG Driver  = SXG\r\n\r\n\r\n\r\n";
    ASSERT_EQ(233u, waveOut.size());
    const std::string written = Rewrite(folder, text);
    EXPECT_EQ(0u, written.find("[Midi Out]\r\nSB16 MIDI \x8F\x6F\x97\xCD[330]"));
    EXPECT_NE(std::string::npos,
              written.find("\r\nYAMAHA CBX A Driver" + std::string(9, ' ') + "= CBX A\r\n"));
    EXPECT_EQ(written.size() - waveOut.size(), written.find(waveOut));
    EXPECT_EQ(original, Load(folder, written));
    EXPECT_EQ(written, Rewrite(folder, written));
}

// Lines before the first header are no entries. What files with a byte-order mark, duplicate
// sections, overlong lines or brackets as second bytes hold is checked with the awkward files.
TEST(IniReader, HeadersAndEntries) {
    ScratchFolder folder;
    EXPECT_EQ((Document{
                  {" Midi Out ", {{"[indented]", "[indented]"}}},
                  {"", {}},
                  {"k", {{"[open", "[open"}}},
              }),
              Load(folder, "x=1\r\n; note\r\n"
                           "[ Midi Out ] trailing ; text\r\n"
                           " [indented]\r\n"
                           "[]\r\n"
                           "[k]=v\r\n"
                           "[open\r\n"));

    EXPECT_EQ((Entries{
                  {"a", "b=c"},
                  {"empty", ""},
                  {"Foo", "2"},
                  {"key", "value"},
                  {"last", "last"},
                  {"lonely", "lonely"},
                  {"spaced key", "spaced value"},
                  {"\x83\x5C", "\x95\x5C"},
              }),
              Load(folder, "[s]\r\n"
                           " \t spaced key \t=\t spaced value \t \r\n"
                           "a=b=c\r\n"
                           "empty=\r\n"
                           " =dropped\r\n"
                           "lonely\r\n"
                           ";comment=x\r\n"
                           "key=value;comment\r\n"
                           "\x83\x5C \t=\x95\x5C \r\n" // "ソ", "表": second bytes 0x5C
                           "Foo=1\r\n"
                           "FOO=2\r\n"
                           "\r\n"
                           "last   ")
                  .at(0)
                  .second);

    // Blanks with a line feed make an entry of empty key and value; without one, nothing.
    EXPECT_EQ((Entries{{"", ""}}), Load(folder, "[s]\r\n  \t\r\n").at(0).second);
    EXPECT_EQ(Entries{}, Load(folder, "[s]\r\n  \t").at(0).second);
}

// A missing file, an overlong path and a failing read leave the file as it was, and the
// document holding nothing it did not read.
TEST(IniReader, RefusedPathAndReadError) {
    ScratchFolder folder;
    const std::string text = "[a]\r\nk=v\r\n";
    IniFile ini;
    StatusCode status;
    Load(folder, "a=b\r\n", ini, status);
    EXPECT_EQ(StatusNoSection, status);
    EXPECT_EQ(StatusOpenFailed, ini.Open(folder.Path("missing.ini").c_str()));
    EXPECT_EQ(nullptr, ini.NativeHandle());
    Load(folder, text, ini, status);
    const std::string overlong = folder.Path(std::string(MAX_PATH, 'n'));
    EXPECT_EQ(StatusOpenFailed, ini.Open(overlong.c_str()));
    EXPECT_EQ(1u, ini.SectionCount());
    EXPECT_NE(nullptr, ini.NativeHandle());
    ini.Close();

    // Reading a stream opened for writing only fails without reaching the end.
    class WriteOnlyOperations : public FileOperations {
        FILE* OpenStream(const char* path, const char*) override {
            return FileOperations::OpenStream(path, "a");
        }
    } writeOnly;
    {
        FileOperations::Override override(writeOnly);
        EXPECT_EQ(StatusReadFailed, ini.Open(folder.Path("test.ini").c_str()));
    }
    EXPECT_EQ(0u, ini.SectionCount());
    EXPECT_EQ(nullptr, ini.NativeHandle());
    EXPECT_EQ(text, ReadBytes(folder.Path("test.ini")));
}

TEST(IniWriter, Layout) {
    ScratchFolder folder;
    EXPECT_EQ("[empty]\r\n"
              "\r\n\r\n\r\n"
              "[Midi Out]\r\n"
              "a  = 1\r\n"
              "bb = 2\r\n"
              "e  = \r\n"
              "\r\n\r\n\r\n"
              "[wave out]\r\n"
              "x = \x83\x5D=\r\n"
              "\r\n\r\n\r\n",
              Rewrite(folder, "; a long comment that the shorter new text leaves behind\r\n"
                              "[wave out]\r\nx=\x83\x5D=\r\n"
                              "[empty]\r\n"
                              "[Midi Out]\r\nbb=2\r\n\r\na=1\r\ne=\r\n"));

    // A document without sections leaves an empty file.
    EXPECT_EQ("", Rewrite(folder, "no header\r\n"));
}

} // namespace
