#include "IniTestFiles.h"

#include "ini/FileReplacement.h"
#include "ini/IniFile.h"
#include "support/FailingFileOperations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string Original = "; kept until a save succeeds\r\n[Wave Out]\r\nA=1\r\n[Midi Out]\r\n"
                             "B=2\r\nC=3\r\n";

// The document of Original with a changed value, as Write puts it on disk.
std::string Edited() {
    return "[Midi Out]\r\nB = 2\r\nC = 4\r\n\r\n\r\n\r\n[Wave Out]\r\nA = 1\r\n\r\n\r\n\r\n";
}

void Edit(IniFile& ini) {
    ini.FindSection("MIDI Out")->Set("c", "4");
}

// A save whose Nth file operation fails, for every N: the file holds either its old bytes
// (Write returned 0, the document is still bound and saves on a second try) or the new ones,
// and no temporary file is left either way.
TEST(FileReplacement, SaveWithAFailingFileOperation) {
    ScratchFolder folder;
    const std::string path = folder.Path("test.ini");
    int refused = 0;
    for (int failAt = 1;; ++failAt) {
        SCOPED_TRACE(failAt);
        IniFile ini;
        StatusCode status;
        Load(folder, Original, ini, status);
        ASSERT_EQ(StatusOk, status);
        Edit(ini);
        FailingFileOperations failing(failAt);
        StatusCode written;
        {
            FileOperations::Override override(failing);
            written = ini.Write(true);
        }
        EXPECT_EQ(std::vector<std::string>{"test.ini"}, folder.Files());
        if (written == 0) {
            ++refused;
            EXPECT_EQ(Original, ReadBytes(path));
            ASSERT_NE(nullptr, ini.NativeHandle());
            EXPECT_EQ(StatusOk, ini.Write(true));
        } else {
            EXPECT_EQ(StatusOk, written);
        }
        ini.Close();
        EXPECT_EQ(Edited(), ReadBytes(path));
        EXPECT_EQ(std::vector<std::string>{"test.ini"}, folder.Files());
        if (!failing.Failed()) {
            EXPECT_EQ(StatusOk, written);
            break;
        }
    }
    // Probe, temporary file, its open, two sections, flush, close, replace.
    EXPECT_EQ(8, refused);
}

TEST(FileReplacement, ReplaceBytesWithAFailingFileOperation) {
    ScratchFolder folder;
    const std::string path = folder.Path("DrvShortName.ini");
    const std::string replacement = DefaultText() + "\n\x1A\r";
    int refused = 0;
    for (int failAt = 1;; ++failAt) {
        SCOPED_TRACE(failAt);
        WriteBytes(path, Original);
        FailingFileOperations failing(failAt);
        bool replaced;
        {
            FileOperations::Override override(failing);
            replaced = ReplaceFileBytes(path.c_str(), replacement.data(),
                                        static_cast<unsigned long>(replacement.size()));
        }
        EXPECT_EQ(replaced ? replacement : Original, ReadBytes(path));
        EXPECT_EQ(std::vector<std::string>{"DrvShortName.ini"}, folder.Files());
        refused += replaced ? 0 : 1;
        if (!failing.Failed()) {
            EXPECT_TRUE(replaced);
            break;
        }
    }
    // Probe, temporary file, its open, write, flush, close, replace.
    EXPECT_EQ(7, refused);
}

TEST(FileReplacement, FileHeldOpenByAnotherHandle) {
    ScratchFolder folder;
    const std::string path = folder.Path("test.ini");
    IniFile ini;
    StatusCode status;
    Load(folder, Original, ini, status);
    Edit(ini);

    // Another program's ordinary open does not share deletion: the save must wait for it.
    HANDLE other =
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    EXPECT_EQ(0, ini.Write(true));
    EXPECT_EQ(std::vector<std::string>{"test.ini"}, folder.Files());
    CloseHandle(other);
    EXPECT_EQ(Original, ReadBytes(path));
    ASSERT_NE(nullptr, ini.NativeHandle());

    // The document's own stream keeps a reset out, as does a handle that shares nothing.
    const std::string bytes = "[x]\n";
    EXPECT_FALSE(ReplaceFileBytes(path.c_str(), bytes.data(), 4));
    ini.Close();
    other = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    EXPECT_FALSE(ReplaceFileBytes(path.c_str(), bytes.data(), 4));
    EXPECT_EQ(std::vector<std::string>{"test.ini"}, folder.Files());
    CloseHandle(other);
    EXPECT_EQ(Original, ReadBytes(path));

    EXPECT_TRUE(ReplaceFileBytes(path.c_str(), bytes.data(), 4));
    EXPECT_EQ(bytes, ReadBytes(path));
}

TEST(FileReplacement, MissingFolderTooLongPathAndMissingFile) {
    ScratchFolder folder;
    const std::string bytes = "abc";
    EXPECT_FALSE(ReplaceFileBytes(folder.Path("no\\such.ini").c_str(), bytes.data(), 3));
    const std::string overlong = folder.Path(std::string(MAX_PATH, 'n'));
    EXPECT_FALSE(ReplaceFileBytes(overlong.c_str(), bytes.data(), 3));
    EXPECT_TRUE(folder.Files().empty());

    EXPECT_TRUE(ReplaceFileBytes(folder.Path("new.ini").c_str(), bytes.data(), 3));
    EXPECT_EQ(bytes, ReadBytes(folder.Path("new.ini")));
    EXPECT_EQ(std::vector<std::string>{"new.ini"}, folder.Files());
}

} // namespace
