#include "ini/TextFile.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(TextFile, TextMode) {
    ScratchFolder folder;
    const std::string path = folder.Path("t.txt");
    WriteBytes(path, "a\r\nx\ry\r\n" + std::string(3000, 'L') + "\r\nb\x1Ahidden\r\n");
    TextFile file;
    ASSERT_EQ(0, file.Open(path.c_str(), "r+"));
    std::vector<std::string> lines;
    std::string line;
    while (file.ReadString(line, 2048) != 0) {
        lines.push_back(line);
    }
    EXPECT_EQ((std::vector<std::string>{"a\n", "x\ry\n", std::string(2047, 'L'),
                                        std::string(953, 'L') + "\n", "b"}),
              lines);
    EXPECT_NE(0, file.AtEnd());

    // LF out is CR LF on disk, and the close cuts what the shorter text left behind.
    ASSERT_EQ(0, file.Seek(0, 0));
    EXPECT_EQ(1, file.WriteText("q\n", 0));
    EXPECT_EQ(0, file.Flush());
    EXPECT_EQ(0, file.Close());
    EXPECT_EQ("q\r\n", ReadBytes(path));
    EXPECT_EQ(nullptr, file.NativeHandle());
    EXPECT_EQ(-1, file.WriteText("x\n", 0));
    EXPECT_EQ(0, file.ReadString(line, 2048));
    EXPECT_EQ(-1, file.Open(folder.Path("missing").c_str(), "r+"));
}

// Neither an overlong path nor destruction touches the open file; destruction releases it.
// The name part of a name whose double-byte characters end in 0x5C starts after the last
// real backslash.
TEST(TextFile, RefusedPathDestructionAndNamePart) {
    ScratchFolder folder;
    const std::string name = "\x95\x5C\x83\x5C.ini"; // "表ソ.ini"
    const std::string path = folder.Path(name);
    WriteBytes(path, "0123456789\r\n");
    {
        TextFile file;
        ASSERT_EQ(0, file.Open(path.c_str(), "r+"));
        ASSERT_EQ(1, file.WriteText("a\n", 0));
        const std::string overlong = folder.Path(std::string(MAX_PATH, 'n'));
        EXPECT_EQ(-1, file.Open(overlong.c_str(), "w"));
        EXPECT_NE(nullptr, file.NativeHandle());
        char buffer[MAX_PATH];
        char* namePart = nullptr;
        ASSERT_EQ(buffer, file.FullPath(buffer, MAX_PATH, &namePart));
        EXPECT_EQ(path, buffer);
        EXPECT_EQ(name, namePart);
    }
    EXPECT_EQ("a\r\n3456789\r\n", ReadBytes(path));
    EXPECT_EQ(1u, folder.Files().size());
    const HANDLE exclusive =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, exclusive);
    CloseHandle(exclusive);
}

} // namespace
