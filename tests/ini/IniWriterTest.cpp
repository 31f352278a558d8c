#include "IniTestFiles.h"

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

TEST(IniWriter, WaveOutSectionOfTheDefaultText) {
    const std::string text = DefaultText();
    ScratchFolder folder;
    std::string expected = "[Wave Out]\r\n"
                           "SB16 WAVE \x8F\x6F\x97\xCD     = SB16\r\n";
    for (char n = '1'; n <= '6'; ++n) {
        expected += std::string("SW1000 #") + n + " WAVE OUT = SW " + n + "\r\n";
    }
    expected += "YAMAHA SXG Driver  = SXG\r\n\r\n\r\n\r\n";
    ASSERT_EQ(233u, expected.size());
    EXPECT_EQ(expected, Rewrite(folder, text.substr(text.find("[Wave Out]"))));
}

TEST(IniWriter, DefaultTextSurvivesARewrite) {
    const std::string text = DefaultText();
    ScratchFolder folder;
    const Document original = Load(folder, text);
    const std::string written = Rewrite(folder, text);
    EXPECT_EQ(0u, written.find("[Midi Out]\r\nSB16 MIDI \x8F\x6F\x97\xCD[330]"));
    EXPECT_NE(std::string::npos,
              written.find("\r\nYAMAHA CBX A Driver" + std::string(9, ' ') + "= CBX A\r\n"));
    EXPECT_EQ(original, Load(folder, written));
    EXPECT_EQ(written, Rewrite(folder, written));
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
