#include "IniTestFiles.h"

#include "ini/FileOperations.h"
#include "ini/FileReplacement.h"
#include "ini/IniFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string Original = "; kept until a save succeeds\r\n[Wave Out]\r\nA=1\r\n";
using Names = std::vector<std::string>;

// ReplaceFileA failing half-way, as it may: the old content already under the backup name.
class HalfFailingReplace : public FileOperations {
public:
    explicit HalfFailingReplace(DWORD error, bool moves = true) : error(error), moves(moves) {}
    bool Replace(const char* target, const char*, const char* backup) override {
        MoveFileExA(target, backup, MOVEFILE_REPLACE_EXISTING);
        SetLastError(error);
        return false;
    }
    bool Move(const char* from, const char* to) override {
        return moves && FileOperations::Move(from, to);
    }

private:
    DWORD error;
    bool moves;
};

// A replace that fails half-way is undone; when even that fails, the temporary file, then the
// only copy of the new content, stays beside the backup. A success keeps one backup.
TEST(FileReplacement, HalfFailedReplaceAndBackup) {
    ScratchFolder folder;
    const std::string path = folder.Path("test.ini");
    WriteBytes(path, Original);
    for (const DWORD error : {ERROR_UNABLE_TO_MOVE_REPLACEMENT, ERROR_UNABLE_TO_MOVE_REPLACEMENT_2}) {
        SCOPED_TRACE(error);
        HalfFailingReplace failing(error);
        FileOperations::Override override(failing);
        EXPECT_FALSE(ReplaceFileBytes(path.c_str(), "[x]\n", 4));
        EXPECT_EQ(Original, ReadBytes(path));
        EXPECT_EQ(Names{"test.ini"}, folder.Files());
    }
    {
        HalfFailingReplace failing(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, false);
        FileOperations::Override override(failing);
        EXPECT_FALSE(ReplaceFileBytes(path.c_str(), "[x]\n", 4));
    }
    const Names left = folder.Files();
    ASSERT_EQ(2u, left.size());
    EXPECT_EQ(Original, ReadBytes(path + BackupSuffix));
    EXPECT_EQ("[x]\n", ReadBytes(folder.Path(left[0] == "test.ini.bak" ? left[1] : left[0])));
    DeleteFileA(folder.Path(left[0] == "test.ini.bak" ? left[1] : left[0]).c_str());

    for (const std::string text : {"first", "second"}) {
        EXPECT_TRUE(ReplaceFileBytes(path.c_str(), text.data(), text.size()));
    }
    EXPECT_EQ("second", ReadBytes(path));
    EXPECT_EQ("first", ReadBytes(path + BackupSuffix));
}

// Another program's ordinary open does not share deletion, so a save must wait for it; the
// document's own stream does not keep it out. Neither a missing folder nor an overlong path is
// created.
TEST(FileReplacement, RefusedReplacements) {
    ScratchFolder folder;
    const std::string path = folder.Path("test.ini");
    IniFile ini;
    StatusCode status;
    Load(folder, Original, ini, status);
    const HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    EXPECT_EQ(StatusWriteFailed, ini.Write(true));
    EXPECT_FALSE(ReplaceFileBytes(path.c_str(), "[x]\n", 4));
    CloseHandle(other);
    EXPECT_FALSE(ReplaceFileBytes(folder.Path("no\\such.ini").c_str(), "abc", 3));
    // Too long for its backup's name, though not for its own.
    const std::string overlong(MAX_PATH - 2 - folder.Path().size(), 'n');
    EXPECT_FALSE(ReplaceFileBytes(folder.Path(overlong).c_str(), "abc", 3));
    EXPECT_EQ(Original, ReadBytes(path));
    EXPECT_EQ(Names{"test.ini"}, folder.Files());

    EXPECT_EQ(StatusOk, ini.Write(true));
    EXPECT_NE(nullptr, ini.NativeHandle());
    EXPECT_EQ(Original, ReadBytes(path + BackupSuffix));
    EXPECT_TRUE(ReplaceFileBytes(folder.Path("new.ini").c_str(), "[x]\n", 4));
    EXPECT_EQ("[x]\n", ReadBytes(folder.Path("new.ini")));
}

} // namespace
