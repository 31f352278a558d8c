#include "IniTestFiles.h"

#include "ini/FileOperations.h"
#include "ini/IniFile.h"
#include "ini/IniReader.h"

#include <gtest/gtest.h>

#include <cstring>
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
    EXPECT_STREQ("USB 31-16", midi->Get("YAMAHA USB OUT 31-16", value, sizeof value));
    EXPECT_EQ(nullptr, ini.FindSection("Audio Out"));

    // A missing key leaves the buffer alone; a long value is cut to the buffer.
    EXPECT_EQ(nullptr, midi->Get("No Such Device", value, sizeof value));
    EXPECT_STREQ("USB 31-16", value);
    midi->Set("yamaha cbx a driver", std::string(40, 'v').c_str());
    EXPECT_EQ(value, midi->Get("YAMAHA CBX A Driver", value, sizeof value));
    EXPECT_EQ(std::string(31, 'v'), value);
    EXPECT_EQ("YAMAHA CBX A Driver", midi->Find("YAMAHA cbx A DRIVER")->first);
    EXPECT_EQ(StatusOk, midi->Erase(midi->Find("YAMAHA CBX A Driver")));
    EXPECT_EQ(midi->end(), midi->Find("YAMAHA CBX A Driver"));
    EXPECT_EQ(522u, midi->EntryCount());

    EXPECT_EQ(StatusOk, ini.Close());
    EXPECT_EQ(0u, ini.SectionCount());
    EXPECT_EQ(nullptr, ini.NativeHandle());
    EXPECT_EQ(text, ReadBytes(folder.Path("test.ini")));
}

TEST(IniReader, Headers) {
    ScratchFolder folder;
    // Lines before the first header, and a "[" after a byte-order mark, are no headers.
    Document document = Load(folder, "x=1\r\n; note\r\n\xEF\xBB\xBF[Bom]\r\ny=2\r\n"
                                     "[ Midi Out ] trailing ; text\r\n"
                                     " [indented]\r\n"
                                     "[]\r\n"
                                     "[k]=v\r\n"
                                     "[\x83\x5D]\r\n" // "ゾ": its 0x5D is no bracket
                                     "[\x83\x5D\x81\x5B\x83\x93]\r\n"
                                     "[open\r\n");
    const Document expected = {
        {" Midi Out ", {{"[indented]", "[indented]"}}},     {"", {}}, {"k", {}}, {"\x83\x5D", {}},
        {"\x83\x5D\x81\x5B\x83\x93", {{"[open", "[open"}}},
    };
    EXPECT_EQ(expected, document);

    IniFile ini;
    StatusCode status;
    Load(folder, "[Midi Out]\r\nFoo=1\r\n[Wave Out]\r\n[MIDI OUT]\r\nFOO=2\r\nfoo=3\r\n", ini,
         status);
    ASSERT_EQ(3u, ini.SectionCount());
    EXPECT_EQ(ini.Section(0), ini.FindSection("midi out"));
    EXPECT_EQ(ini.Section(1), ini.FindSection("WAVE OUT"));
    EXPECT_EQ((Entries{{"FOO", "3"}}), Snapshot(ini)[2].second);
    EXPECT_EQ(nullptr, ini.FindSection(" Midi Out"));
}

TEST(IniReader, EntryLines) {
    ScratchFolder folder;
    const Document document = Load(folder, "[s]\r\n"
                                           "YAMAHA CBX A Driver= CBX A\r\n"
                                           "SB16 MIDI \x8F\x6F\x97\xCD[330]=SB16\r\n"
                                           " \t spaced key \t=\t spaced value \t \r\n"
                                           "a=b=c\r\n"
                                           "empty=\r\n"
                                           " =dropped\r\n"
                                           "lonely\r\n"
                                           ";comment=x\r\n"
                                           "key=value;comment\r\n"
                                           "\x83\x5C=\x95\x5C\r\n" // "ソ=表": 0x5C trail bytes
                                           "Foo=1\r\n"
                                           "FOO=2\r\n"
                                           "\r\n"
                                           "last   ");
    const Entries expected = {
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
    };
    EXPECT_EQ(expected, document.at(0).second);

    // Blanks with a line feed make an entry of empty key and value; without one, nothing.
    EXPECT_EQ((Entries{{"", ""}}), Load(folder, "[s]\r\n  \t\r\n").at(0).second);
    EXPECT_EQ(Entries{}, Load(folder, "[s]\r\n  \t").at(0).second);

    IniSection section;
    EXPECT_EQ(StatusNoKey, section.ParseLine(" \t= value\n"));
    EXPECT_EQ(StatusNoKey, section.ParseLine("; all comment\n"));
    EXPECT_EQ(StatusOk, section.ParseLine("k = v \n"));
    EXPECT_EQ(1u, section.EntryCount());
}

TEST(IniReader, TrimField) {
    auto trim = [](const char* text) -> std::string {
        std::string copy(text);
        const char* trimmed = TrimField(copy.data());
        return trimmed ? std::string("<") + trimmed + ">" : "null";
    };
    EXPECT_EQ("null", trim(""));
    EXPECT_EQ("null", trim(" \t "));
    EXPECT_EQ("<>", trim("  \n"));
    EXPECT_EQ("<a b>", trim("\t a b \t\n \n"));
    EXPECT_EQ("<a\rb\r>", trim("a\rb\r\n"));
    EXPECT_EQ("<\x83\x5C>", trim(" \x83\x5C \n"));
}

TEST(IniReader, WhatHoldsNoSection) {
    ScratchFolder folder;
    IniFile ini;
    StatusCode status;
    Load(folder, "", ini, status);
    EXPECT_EQ(StatusNoSection, status);
    EXPECT_NE(nullptr, ini.NativeHandle());
    Load(folder, "a=b\r\n", ini, status);
    EXPECT_EQ(StatusNoSection, status);
    Load(folder, "[Midi Out]", ini, status);
    EXPECT_EQ(StatusNoSection, status);
    EXPECT_EQ(0u, ini.SectionCount());

    EXPECT_EQ((Document{{"Midi Out", {}}}), Load(folder, "[Midi Out]\r\n", ini, status));
    EXPECT_EQ(StatusOk, status);

    // The 2047 bytes of a long line come first; a remainder that is a header starts a section.
    const std::string longLine = std::string(2047, 'k') + "[next]=x\r\nv=1\r\n";
    const Document document = Load(folder, "[s]\r\n" + longLine);
    ASSERT_EQ(2u, document.size());
    EXPECT_EQ((Entries{{std::string(2047, 'k'), std::string(2047, 'k')}}), document[0].second);
    EXPECT_EQ((Document::value_type{"next", {{"v", "1"}}}), document[1]);

    EXPECT_EQ(StatusOpenFailed, ini.Open(folder.Path("missing.ini").c_str()));
    EXPECT_EQ(nullptr, ini.NativeHandle());
    EXPECT_EQ(1u, folder.Files().size());

    IniFile never;
    EXPECT_EQ(StatusOk, never.Close());
    EXPECT_EQ(nullptr, never.NativeHandle());
    char buffer[MAX_PATH];
    EXPECT_EQ(nullptr, never.FullPath(buffer, MAX_PATH));
    EXPECT_EQ(0, never.Write(true));
}

// An overlong path and a failing read leave the file as it was and the document holding
// nothing it did not read.
TEST(IniReader, RefusedPathAndReadError) {
    ScratchFolder folder;
    const std::string text = "[a]\r\nk=v\r\n";
    IniFile ini;
    StatusCode status;
    Load(folder, text, ini, status);
    ASSERT_EQ(StatusOk, status);
    const std::string overlong = folder.Path(std::string(MAX_PATH, 'n') + ".ini");
    EXPECT_EQ(StatusOpenFailed, ini.Open(overlong.c_str()));
    EXPECT_EQ(1u, ini.SectionCount());
    EXPECT_NE(nullptr, ini.NativeHandle());
    EXPECT_EQ(StatusOk, ini.Write(false));
    ini.Close();

    class WriteOnlyOperations : public FileOperations {
    public:
        FILE* OpenStream(const char* path, const char*) override {
            return FileOperations::OpenStream(path, "a");
        }
    } writeOnly;
    WriteBytes(folder.Path("test.ini"), text);
    {
        FileOperations::Override override(writeOnly);
        EXPECT_EQ(StatusReadFailed, ini.Open(folder.Path("test.ini").c_str()));
    }
    EXPECT_EQ(0u, ini.SectionCount());
    EXPECT_EQ(nullptr, ini.NativeHandle());
    EXPECT_EQ(text, ReadBytes(folder.Path("test.ini")));
}

} // namespace
