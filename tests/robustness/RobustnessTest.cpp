#include "ini/FileReplacement.h"
#include "ini/IniFile.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

// Each tests/data/NAME.ini and the default text, opened and closed, stay as they are, and read
// from memory give the document the file gives; written back sorted they leave the bytes of
// tests/data/NAME.expected, their old bytes in the backup and no other file (a file that
// already holds those bytes is not touched and gets no backup).
// What has no section header opens with StatusNoSection and leaves an empty file. Written
// again, the output and the backup stay, since every line written reads back as the entry it
// was written for, except where a key is longer than a line (long-lines.ini).
TEST(IniRobustness, GoldenFiles) {
    std::vector<std::string> inputs = FilesIn(VARNEL_TEST_DATA, ".ini");
    inputs.push_back(VARNEL_DEFAULT_TEXT);
    ASSERT_GE(inputs.size(), 16u);
    for (const std::string& input : inputs) {
        const std::string name = std::filesystem::path(input).stem().string();
        SCOPED_TRACE(name);
        ScratchFolder folder;
        const std::string path = folder.Path("DrvShortName.ini");
        const std::string bytes = ReadBytes(input);
        const std::string expected = ReadBytes(VARNEL_TEST_DATA + name + ".expected");
        WriteBytes(path, bytes);
        IniFile ini, read;
        EXPECT_EQ(expected.empty() ? StatusNoSection : StatusOk, ini.Open(path.c_str()));
        // Read from memory, the bytes give what the file gives.
        EXPECT_EQ(expected.empty() ? StatusNoSection : StatusOk, read.Read(bytes));
        EXPECT_EQ(ini.Text(true), read.Text(true));
        ini.Close();
        EXPECT_EQ(bytes, ReadBytes(path));
        for (int pass = 0; pass < (name == "long-lines" ? 1 : 2); ++pass) {
            ini.Open(path.c_str());
            EXPECT_EQ(StatusOk, ini.Write(true));
            ini.Close();
            EXPECT_EQ(expected, ReadBytes(path));
            EXPECT_EQ(bytes == expected ? "" : bytes, ReadBytes(path + BackupSuffix));
            EXPECT_EQ(bytes == expected ? 1u : 2u, folder.Files().size());
        }
    }
}

// Set starts from the entry it set last; erasing that entry must not leave it a freed place to
// start from (Wine's heap checks make such a read fail).
TEST(IniRobustness, SetAfterErasingTheEntrySetLast) {
    IniSection section;
    section.Set("a", "a");
    section.Set("c", "c");
    section.Erase(section.Find("c"));
    section.Set("d", "d");
    section.Set("b", "b");
    EXPECT_EQ(IniSection::Entries(section.begin(), section.end()),
              (IniSection::Entries{{"a", "a"}, {"b", "b"}, {"d", "d"}}));
}
