#include "ini/FileOperations.h"
#include "ini/TextFile.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ReadAll(TextFile& file, int count = 2048) {
    std::string all, line;
    while (file.ReadString(line, count) != 0) {
        all += line + "|";
    }
    return all;
}

TEST(TextFile, TextModeTranslatesLineEndsAndStopsAtCtrlZ) {
    ScratchFolder folder;
    const std::string path = folder.Path("t.txt");
    TextFile file;

    WriteBytes(path, "a\r\nb");
    ASSERT_EQ(0, file.Open(path.c_str(), "r+"));
    std::string line;
    EXPECT_EQ(1, file.ReadString(line, 2048));
    EXPECT_EQ("a\n", line);
    EXPECT_EQ(0, file.AtEnd());
    EXPECT_EQ(1, file.ReadString(line, 2048));
    EXPECT_EQ("b", line);
    EXPECT_NE(0, file.AtEnd());
    EXPECT_EQ(0, file.ReadString(line, 2048));
    EXPECT_EQ("", line);
    file.Close();

    WriteBytes(path, "x\ry\r\n\x1Ahidden\r\n");
    ASSERT_EQ(0, file.Open(path.c_str(), "r+"));
    EXPECT_EQ("x\ry\n|", ReadAll(file));
    EXPECT_NE(0, file.AtEnd());
    file.Close();

    // LF out is CR LF on disk, and the close cuts what the shorter text left behind.
    WriteBytes(path, std::string(100, 'z'));
    ASSERT_EQ(0, file.Open(path.c_str(), "r+"));
    EXPECT_EQ(100, file.Length());
    EXPECT_EQ(1, file.WriteText("q\n", 0));
    EXPECT_EQ(0, file.Flush());
    EXPECT_EQ(0, file.Close());
    EXPECT_EQ("q\r\n", ReadBytes(path));
    EXPECT_EQ(nullptr, file.NativeHandle());
    EXPECT_EQ(0, file.Close());
}

TEST(TextFile, LongLineArrivesInPieces) {
    ScratchFolder folder;
    const std::string path = folder.Path("long.txt");
    WriteBytes(path, std::string(3000, 'L') + "\r\n");
    TextFile file;
    ASSERT_EQ(0, file.Open(path.c_str(), "r+"));
    std::string line;
    ASSERT_EQ(1, file.ReadString(line, 2048));
    EXPECT_EQ(std::string(2047, 'L'), line);
    ASSERT_EQ(1, file.ReadString(line, 2048));
    EXPECT_EQ(std::string(953, 'L') + "\n", line);
}

TEST(TextFile, PathsAndUnsupportedOperations) {
    ScratchFolder folder;
    TextFile file;
    EXPECT_EQ(-1, file.Open(folder.Path("missing.ini").c_str(), "r+"));
    EXPECT_EQ(nullptr, file.NativeHandle());
    EXPECT_TRUE(folder.Files().empty());

    // "表" and "ソ" end in 0x5C: only the real backslash separates the name.
    const std::string name = "\x95\x5C\x83\x5C.ini";
    WriteBytes(folder.Path(name), "");
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.Path().c_str());
    const int opened = file.Open(name.c_str(), "r+");
    SetCurrentDirectoryA(previous);
    ASSERT_EQ(0, opened);
    char buffer[MAX_PATH];
    char* namePart = nullptr;
    ASSERT_EQ(buffer, file.FullPath(buffer, MAX_PATH, &namePart));
    EXPECT_EQ(folder.Path(name), buffer);
    EXPECT_EQ(name, namePart);
    EXPECT_EQ(-1, file.Seek64(0, 0));
    EXPECT_EQ(-1, file.Seek64(5, 2));
    char small[4];
    EXPECT_EQ(folder.Path().substr(0, 3), file.FullPath(small, sizeof small));
    file.Close();
    EXPECT_EQ(buffer, file.FullPath(buffer, MAX_PATH));
    EXPECT_EQ(folder.Path(name), buffer);

    TextStream base;
    std::string text = "x";
    EXPECT_EQ(-1, base.ReadString(text, 10));
    EXPECT_EQ("", text);
    EXPECT_EQ(-1, base.Close());
    EXPECT_EQ(-1, base.WriteText("a", 0));
    EXPECT_EQ(nullptr, base.FullPath(buffer, MAX_PATH));
}

// A path too long for MAX_PATH is refused before the open file is touched.
TEST(TextFile, OverlongPathLeavesTheOpenFileAlone) {
    ScratchFolder folder;
    const std::string path = folder.Path("t.txt");
    WriteBytes(path, "0123456789\r\n");
    TextFile file;
    ASSERT_EQ(0, file.Open(path.c_str(), "r+"));
    ASSERT_EQ(1, file.WriteText("a\n", 0));

    const std::string overlong = folder.Path(std::string(MAX_PATH, 'n') + ".ini");
    EXPECT_EQ(-1, file.Open(overlong.c_str(), "w"));
    EXPECT_NE(nullptr, file.NativeHandle());
    EXPECT_EQ("a\r\n3456789\r\n", ReadBytes(path));
    EXPECT_EQ(1u, folder.Files().size());
}

// Destroying an open file releases its handle and neither writes nor cuts.
TEST(TextFile, DestructorReleasesWithoutTruncating) {
    ScratchFolder folder;
    const std::string path = folder.Path("t.txt");
    WriteBytes(path, std::string(100, 'z'));
    {
        TextFile file;
        ASSERT_EQ(0, file.Open(path.c_str(), "r+"));
        std::string line;
        file.ReadString(line, 10);
        file.Seek(0, 0);
        ASSERT_EQ(1, file.WriteText("ab\n", 0));
    }
    EXPECT_EQ("ab\r\n" + std::string(96, 'z'), ReadBytes(path));
    const HANDLE exclusive =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, exclusive);
    CloseHandle(exclusive);
}

// Reading a stream that was opened for writing only fails without reaching the end.
class WriteOnlyOperations : public FileOperations {
public:
    FILE* OpenStream(const char* path, const char*) override {
        return FileOperations::OpenStream(path, "a");
    }
};

TEST(TextFile, ReadErrorIsNotTheEnd) {
    ScratchFolder folder;
    const std::string path = folder.Path("t.txt");
    WriteBytes(path, "[a]\r\n");
    WriteOnlyOperations writeOnly;
    FileOperations::Override override(writeOnly);
    TextFile file;
    ASSERT_EQ(0, file.Open(path.c_str(), "r+"));
    std::string line = "x";
    EXPECT_EQ(0, file.ReadString(line, 2048));
    EXPECT_EQ("", line);
    EXPECT_EQ(0, file.AtEnd());
}

} // namespace
