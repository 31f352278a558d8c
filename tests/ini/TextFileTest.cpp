#include "ini/TextFile.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

// Text mode writes LF as CR LF. Neither a refused overlong path nor destruction touches the
// open file, and destruction releases it; a close cuts the file only after a write, also when
// an open closes the file before. The name part of a name whose second bytes are 0x5C starts
// after the last real backslash. Without a file, operations fail.
TEST(TextFile, CutsOnlyAfterWrite) {
    ScratchFolder folder;
    const std::string name = "\x95\x5C\x83\x5C.ini"; // "表ソ.ini"
    const std::string path = folder.Path(name);
    WriteBytes(path, "0123456789\r\n");
    char buffer[MAX_PATH];
    {
        TextFile file;
        ASSERT_EQ(0, file.Open(path.c_str(), "r+"));
        ASSERT_EQ(1, file.WriteText("a\n", 0));
        EXPECT_EQ(-1, file.Open(folder.Path(std::string(MAX_PATH, 'n')).c_str(), "w"));
        char* namePart = nullptr;
        ASSERT_EQ(buffer, file.FullPath(buffer, MAX_PATH, &namePart));
        EXPECT_EQ(name, namePart);
    }
    EXPECT_EQ("a\r\n3456789\r\n", ReadBytes(path));
    const HANDLE exclusive =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, exclusive);
    CloseHandle(exclusive);

    TextFile file;
    ASSERT_EQ(0, file.Open(path.c_str(), "r+"));
    ASSERT_EQ(1, file.WriteText("q\n", 0));
    ASSERT_EQ(0, file.Open(path.c_str(), "r+"));
    EXPECT_EQ(0, file.Close());
    EXPECT_EQ("q\r\n", ReadBytes(path));
    EXPECT_EQ(-1, file.WriteText("x\n", 0));
    EXPECT_EQ(0, file.ReadLine(buffer, MAX_PATH));
}
