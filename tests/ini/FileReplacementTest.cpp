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
const std::string Edited =
    "[Midi Out]\r\nB = 2\r\nC = 4\r\n\r\n\r\n\r\n[Wave Out]\r\nA = 1\r\n\r\n\r\n\r\n";

using Names = std::vector<std::string>;

// A save or a reset whose Nth file operation fails, for every N: the file holds either its old
// bytes or the new ones, and no temporary file is left. A refused save returns 0 and leaves
// the document bound, so that it saves on a second try.
TEST(FileReplacement, FailingFileOperations) {
    ScratchFolder folder;
    const std::string path = folder.Path("test.ini");
    // Probe, temporary file, its open, two sections, flush, close, replace.
    EXPECT_EQ(8, CountFailures([&](FileOperations& failing) {
                  IniFile ini;
                  StatusCode status;
                  Load(folder, Original, ini, status);
                  ini.FindSection("MIDI Out")->Set("c", "4");
                  StatusCode written;
                  {
                      FileOperations::Override override(failing);
                      written = ini.Write(true);
                  }
                  EXPECT_EQ(Names{"test.ini"}, folder.Files());
                  if (written != StatusOk) {
                      EXPECT_EQ(0, written);
                      EXPECT_EQ(Original, ReadBytes(path));
                      EXPECT_EQ(StatusOk, ini.Write(true));
                  }
                  ini.Close();
                  EXPECT_EQ(Edited, ReadBytes(path));
                  return written != StatusOk;
              }));

    const std::string replacement = DefaultText() + "\n\x1A\r";
    // Probe, temporary file, its open, write, flush, close, replace.
    EXPECT_EQ(7, CountFailures([&](FileOperations& failing) {
                  WriteBytes(path, Original);
                  FileOperations::Override override(failing);
                  const bool replaced =
                      ReplaceFileBytes(path.c_str(), replacement.data(),
                                       static_cast<unsigned long>(replacement.size()));
                  EXPECT_EQ(replaced ? replacement : Original, ReadBytes(path));
                  EXPECT_EQ(Names{"test.ini"}, folder.Files());
                  return !replaced;
              }));
}

// Another program's ordinary open does not share deletion, so a save must wait for it; the
// document's own stream keeps a reset out, as does a handle that shares nothing. Neither a
// missing folder nor an overlong path is created.
TEST(FileReplacement, RefusedReplacements) {
    ScratchFolder folder;
    const std::string path = folder.Path("test.ini");
    IniFile ini;
    StatusCode status;
    Load(folder, Original, ini, status);
    HANDLE other =
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    EXPECT_EQ(0, ini.Write(true));
    CloseHandle(other);
    EXPECT_FALSE(ReplaceFileBytes(path.c_str(), "[x]\n", 4));
    ini.Close();
    other = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    EXPECT_FALSE(ReplaceFileBytes(path.c_str(), "[x]\n", 4));
    CloseHandle(other);
    EXPECT_FALSE(ReplaceFileBytes(folder.Path("no\\such.ini").c_str(), "abc", 3));
    EXPECT_FALSE(ReplaceFileBytes(folder.Path(std::string(MAX_PATH, 'n')).c_str(), "abc", 3));
    EXPECT_EQ(Original, ReadBytes(path));
    EXPECT_EQ(Names{"test.ini"}, folder.Files());

    EXPECT_TRUE(ReplaceFileBytes(folder.Path("new.ini").c_str(), "[x]\n", 4));
    EXPECT_EQ("[x]\n", ReadBytes(folder.Path("new.ini")));
}

} // namespace
