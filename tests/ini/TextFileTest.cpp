#include "ini/TextFile.h"

#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

// The name part of a name whose second bytes are 0x5C starts after the last real backslash. A
// refused overlong path leaves the open file open and untouched; without a file, operations fail.
TEST(TextFile, FullPathAndRefusals) {
    ScratchFolder folder;
    const std::string name = "\x95\x5C\x83\x5C.ini"; // "表ソ.ini"
    const std::string path = folder.Path(name);
    WriteBytes(path, "0123456789\r\n");
    char buffer[MAX_PATH];
    TextFile file;
    ASSERT_EQ(0, file.Open(path.c_str(), "r+"));
    EXPECT_EQ(-1, file.Open(folder.Path(std::string(MAX_PATH, 'n')).c_str(), "w"));
    char* namePart = nullptr;
    ASSERT_EQ(buffer, file.FullPath(buffer, MAX_PATH, &namePart));
    EXPECT_EQ(name, namePart);
    EXPECT_EQ(0, file.Close());
    EXPECT_EQ("0123456789\r\n", ReadBytes(path));
    EXPECT_EQ(-1, file.WriteText("x\n", 0));
    EXPECT_EQ(0, file.ReadLine(buffer, MAX_PATH));
}
