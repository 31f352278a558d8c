#include "ini/FileReplacement.h"
#include "ini/IniFile.h"
#include "support/FileFaults.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

// A missing file is created, also while a backup of its name is held, since a move makes none.
// A file held unshared cannot be read, and says why.
// A file that another program holds open denying writes is read, but that open (which does not
// share deletion) refuses a replace, as do such a hold on the backup (before anything is
// written), a missing folder and a path too long for its backup's name, each naming its step;
// a path that cannot be opened leaves the document as it was, a read that fails drops it. A
// file that cannot be read to compare it is not replaced, so that its backup stays; a replace
// that fails half-way is undone, the backup it replaced put back, and reports its own error;
// when even that fails, the temporary files, then the only copies of the new content and of the
// old backup, stay beside the backup.
TEST(FileReplacement, RefusedAndHalfFailed) {
    ScratchFolder folder;
    const std::string path = folder.Path("test.ini");
    const std::string original = "[Wave Out]\r\nA=value\r\n";
    ASSERT_TRUE(ReplaceFileBytes(path.c_str(), original.data(), original.size()));
    IniFile ini;
    ASSERT_EQ(StatusOk, ini.Open(path.c_str()));
    const std::string unshared = folder.Path("unshared.ini");
    HANDLE other = CreateFileA(unshared.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    std::string bytes;
    EXPECT_EQ(DWORD{ERROR_SHARING_VIOLATION}, ReadFileBytes(unshared.c_str(), bytes).error);
    CloseHandle(other);
    DeleteFileA(unshared.c_str());
    other = CreateFileA((path + BackupSuffix).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                        OPEN_ALWAYS, 0, nullptr);
    const FileResult result = ReplaceFileBytes(path.c_str(), "[x]\n", 4);
    EXPECT_EQ(FileCommitFailed, result.step);
    EXPECT_EQ(DWORD{ERROR_SHARING_VIOLATION}, result.error);
    CloseHandle(other);
    DeleteFileA((path + BackupSuffix).c_str());
    const std::string created = folder.Path("created.ini"), held = created + BackupSuffix;
    other = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0,
                        nullptr);
    EXPECT_TRUE(ReplaceFileBytes(created.c_str(), "[x]\n", 4));
    CloseHandle(other);
    DeleteFileA(created.c_str());
    DeleteFileA(held.c_str());
    EXPECT_EQ(FileLocked, ReplaceFileBytes(folder.Path("no\\such.ini").c_str(), "abc", 3).step);
    const std::string overlong(MAX_PATH - 4 - folder.Path().size(), 'n');
    EXPECT_EQ(FilePathTooLong, ReplaceFileBytes(folder.Path(overlong).c_str(), "abc", 3).step);
    EXPECT_EQ(StatusOpenFailed, ini.Open(folder.Path(std::string(MAX_PATH, 'n')).c_str()));
    char value[8] = "";
    EXPECT_STREQ("va", ini.FindSection("WAVE OUT")->Get("a", value, 3));
    EXPECT_EQ(nullptr, ini.FindSection("Wave Out")->Get("b", value, sizeof value));

    Faults faults;
    faults.halfway = faults.shortReads = true;
    FileOperations::Override override(faults);
    EXPECT_EQ(StatusReadFailed, ini.Open(path.c_str()));
    EXPECT_EQ(0u, ini.SectionCount());
    EXPECT_EQ(nullptr, ini.NativeHandle());
    EXPECT_EQ(FileLocked, ReplaceFileBytes(path.c_str(), "[x]\n", 4).step);
    faults.shortReads = false;
    WriteBytes(path + BackupSuffix, "names to take back");
    EXPECT_EQ(DWORD{ERROR_DISK_FULL}, ReplaceFileBytes(path.c_str(), "[x]\n", 4).error);
    faults.stuckMoves = true;
    EXPECT_FALSE(ReplaceFileBytes(path.c_str(), "[x]\n", 4));
    EXPECT_EQ(3u, folder.Files().size());
    EXPECT_EQ(original, ReadBytes(path + BackupSuffix));
}
