#include "IniTestFiles.h"

#include "ini/FileOperations.h"
#include "ini/IniFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(IniReader, DefaultText) {
    const std::string text = DefaultText();
    ASSERT_EQ(16081u, text.size());
    ScratchFolder folder;
    IniFile ini;
    StatusCode status;
    Load(folder, text, ini, status);
    ASSERT_EQ(StatusOk, status);
    ASSERT_EQ(2u, ini.SectionCount());
    EXPECT_STREQ("Midi Out", ini.Section(0)->Name());
    EXPECT_EQ(523u, ini.Section(0)->EntryCount());
    EXPECT_STREQ("Wave Out", ini.Section(1)->Name());
    EXPECT_EQ(8u, ini.Section(1)->EntryCount());

    IniSection* midi = ini.FindSection("MIDI Out");
    ASSERT_EQ(ini.Section(0), midi);
    char value[32] = "";
    EXPECT_STREQ("CBX A", midi->Get("YAMAHA CBX A Driver", value, sizeof value));
    EXPECT_STREQ("SB16", midi->Get("sb16 midi 出力[330]", value, sizeof value));
    EXPECT_EQ(nullptr, midi->Get("No Such Device", value, sizeof value));
    EXPECT_STREQ("SB16", value);
    midi->Set("yamaha cbx a driver", std::string(40, 'v').c_str());
    EXPECT_EQ(std::string(31, 'v'), midi->Get("YAMAHA CBX A Driver", value, sizeof value));
    EXPECT_EQ("YAMAHA CBX A Driver", midi->Find("YAMAHA cbx A DRIVER")->first);

    ini.Close();
    EXPECT_EQ(text, ReadBytes(folder.Path("test.ini")));
}

TEST(IniReader, Headers) {
    ScratchFolder folder;
    // Lines before the first header, and a "[" after a byte-order mark, are no headers.
    EXPECT_EQ((Document{
                  {" Midi Out ", {{"[indented]", "[indented]"}}},
                  {"", {}},
                  {"k", {}},
                  {"\x83\x5D", {}},
                  {"\x83\x5D\x81\x5B\x83\x93", {{"[open", "[open"}}},
              }),
              Load(folder, "x=1\r\n; note\r\n\xEF\xBB\xBF[Bom]\r\ny=2\r\n"
                           "[ Midi Out ] trailing ; text\r\n"
                           " [indented]\r\n"
                           "[]\r\n"
                           "[k]=v\r\n"
                           "[\x83\x5D]\r\n" // "ゾ": its 0x5D is no bracket
                           "[\x83\x5D\x81\x5B\x83\x93]\r\n"
                           "[open\r\n"));

    IniFile ini;
    StatusCode status;
    Load(folder, "[Midi Out]\r\nFoo=1\r\n[Wave Out]\r\n[MIDI OUT]\r\nFOO=2\r\nfoo=3\r\n", ini,
         status);
    ASSERT_EQ(3u, ini.SectionCount());
    EXPECT_EQ(ini.Section(0), ini.FindSection("midi out"));
    EXPECT_EQ((Entries{{"FOO", "3"}}), Snapshot(ini)[2].second);
}

TEST(IniReader, EntryLines) {
    ScratchFolder folder;
    EXPECT_EQ((Entries{
                  {"a", "b=c"},
                  {"empty", ""},
                  {"Foo", "2"},
                  {"key", "value"},
                  {"last", "last"},
                  {"lonely", "lonely"},
                  {"SB16 MIDI \x8F\x6F\x97\xCD[330]", "SB16"},
                  {"spaced key", "spaced value"},
                  {"YAMAHA CBX A Driver", "CBX A"},
                  {"\x83\x5C", "\x95\x5C"},
              }),
              Load(folder, "[s]\r\n"
                           "YAMAHA CBX A Driver= CBX A\r\n"
                           "SB16 MIDI \x8F\x6F\x97\xCD[330]=SB16\r\n"
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

TEST(IniReader, WhatHoldsNoSection) {
    ScratchFolder folder;
    IniFile ini;
    StatusCode status;
    for (const char* text : {"", "a=b\r\n", "[Midi Out]"}) {
        Load(folder, text, ini, status);
        EXPECT_EQ(StatusNoSection, status) << text;
        EXPECT_NE(nullptr, ini.NativeHandle());
    }
    EXPECT_EQ((Document{{"Midi Out", {}}}), Load(folder, "[Midi Out]\r\n", ini, status));

    // The rest of a line longer than 2047 bytes is a line of its own, here a header.
    const std::string key(2047, 'k');
    EXPECT_EQ((Document{{"s", {{key, key}}}, {"next", {{"v", "1"}}}}),
              Load(folder, "[s]\r\n" + key + "[next]=x\r\nv=1\r\n"));

    EXPECT_EQ(StatusOpenFailed, ini.Open(folder.Path("missing.ini").c_str()));
    EXPECT_EQ(nullptr, ini.NativeHandle());
    EXPECT_EQ(1u, folder.Files().size());
}

// An overlong path and a failing read leave the file as it was, and the document holding
// nothing it did not read.
TEST(IniReader, RefusedPathAndReadError) {
    ScratchFolder folder;
    const std::string text = "[a]\r\nk=v\r\n";
    IniFile ini;
    StatusCode status;
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

} // namespace
