#include "ini/FileOperations.h"
#include "ini/FileReplacement.h"
#include "ini/IniFile.h"
#include "support/FailingFileOperations.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

// ReplaceFileA failing half-way, as it may: the old content already under the backup name.
// A stream opened for reading writes only, so that a read fails without reaching the end.
struct Faults : FileOperations {
    bool moves = true;
    FILE* OpenStream(const char* path, const char* mode) override {
        return FileOperations::OpenStream(path, mode[0] == 'r' ? "a" : mode);
    }
    bool Replace(const char* target, const char*, const char* backup) override {
        MoveFileExA(target, backup, MOVEFILE_REPLACE_EXISTING);
        return false;
    }
    bool Move(const char* from, const char* to) override {
        return moves && FileOperations::Move(from, to);
    }
};

// A missing file is created. Another program's ordinary open (which does not share deletion), a
// missing folder and a path too long for its backup's name refuse a replace; a path that
// cannot be opened leaves the document as it was, a read that fails drops it. A replace that
// fails half-way is undone; when even that fails, the temporary file, then the only copy of the
// new content, stays beside the backup.
TEST(FileReplacement, RefusedAndHalfFailed) {
    ScratchFolder folder;
    const std::string path = folder.Path("test.ini");
    const std::string original = "[Wave Out]\r\nA=value\r\n";
    ASSERT_TRUE(ReplaceFileBytes(path.c_str(), original.data(), original.size()));
    IniFile ini;
    ASSERT_EQ(StatusOk, ini.Open(path.c_str()));
    const HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(StatusWriteFailed, ini.Write(true));
    CloseHandle(other);
    EXPECT_FALSE(ReplaceFileBytes(folder.Path("no\\such.ini").c_str(), "abc", 3));
    const std::string overlong(MAX_PATH - 4 - folder.Path().size(), 'n');
    EXPECT_FALSE(ReplaceFileBytes(folder.Path(overlong).c_str(), "abc", 3));
    EXPECT_EQ(StatusOpenFailed, IniFile().Open(folder.Path("missing.ini").c_str()));
    EXPECT_EQ(StatusOpenFailed, ini.Open(folder.Path(std::string(MAX_PATH, 'n')).c_str()));
    char value[8] = "";
    EXPECT_STREQ("va", ini.FindSection("WAVE OUT")->Get("a", value, 3));
    EXPECT_EQ(nullptr, ini.FindSection("Wave Out")->Get("b", value, sizeof value));

    Faults faults;
    FileOperations::Override override(faults);
    EXPECT_EQ(StatusReadFailed, ini.Open(path.c_str()));
    EXPECT_EQ(0u, ini.SectionCount());
    EXPECT_EQ(nullptr, ini.NativeHandle());
    EXPECT_FALSE(ReplaceFileBytes(path.c_str(), "[x]\n", 4));
    EXPECT_EQ(original, ReadBytes(path));
    EXPECT_EQ(std::vector<std::string>{"test.ini"}, folder.Files());
    faults.moves = false;
    EXPECT_FALSE(ReplaceFileBytes(path.c_str(), "[x]\n", 4));
    EXPECT_EQ(2u, folder.Files().size());
    EXPECT_EQ(original, ReadBytes(path + BackupSuffix));
}

// A save or a reset whose Nth file operation fails, for every N: the file keeps its old bytes
// or holds the new ones, no temporary file is left, and after a failed save the document is
// still bound to its file, so that the user's next try succeeds.
TEST(FileReplacement, EveryFailingFileOperation) {
    ScratchFolder folder;
    const std::string path = folder.Path("test.ini"), old = "[a]\r\nk=v\r\n";
    for (const bool save : {true, false}) {
        EXPECT_GT(CountFailures([&](FileOperations& failing) {
                      WriteBytes(path, old);
                      IniFile ini;
                      ini.Open(path.c_str());
                      const auto replace = [&] {
                          return save ? ini.Write(true) == StatusOk
                                      : ReplaceFileBytes(path.c_str(), "[x]\r\n", 5);
                      };
                      bool replaced;
                      {
                          FileOperations::Override override(failing);
                          replaced = replace();
                      }
                      for (const std::string& name : folder.Files()) {
                          EXPECT_EQ(name.rfind("test.ini", 0), 0u) << name;
                      }
                      const std::string wanted = save ? "[a]\r\nk = v\r\n\r\n\r\n\r\n" : "[x]\r\n";
                      EXPECT_EQ(ReadBytes(path), replaced ? wanted : old);
                      EXPECT_TRUE(replaced || replace());
                      EXPECT_EQ(ReadBytes(path), wanted);
                      return !replaced;
                  }),
                  0);
    }
}
