#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/FileDialog.h"
#include "support/FileDialogDriver.h"

namespace {

using Paths = std::vector<std::string>;

// Keeps the NULs inside a literal.
template <size_t N> std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

struct Read {
    bool ok;
    std::string directory = "before";
    Paths paths;

    // `text` holds the buffer's strings; the terminating empty string is added here.
    Read(std::string text, DWORD attributes, WORD fileOffset = 0) {
        text.append(2, '\0');
        ok = FileDialog::ReadSelections(text.data(), text.size(), attributes, fileOffset, directory,
                                        paths);
    }
};

const DWORD Directory = FILE_ATTRIBUTE_DIRECTORY;

int hookCalls = 0;
UINT_PTR CALLBACK CountingHook(HWND, UINT, WPARAM, LPARAM) {
    ++hookCalls;
    return 0;
}

} // namespace

TEST(FileDialog, ReadsOnePathOrADirectoryWithNames) {
    Read one("X:\\Apps\\Host\\XGworks.exe", INVALID_FILE_ATTRIBUTES, 13);
    EXPECT_TRUE(one.ok);
    EXPECT_EQ(one.paths, Paths{"X:\\Apps\\Host\\XGworks.exe"});
    EXPECT_EQ(one.directory, "X:\\Apps\\Host");

    Read root("X:\\a.exe", FILE_ATTRIBUTE_ARCHIVE, 3);
    EXPECT_EQ(root.paths, Paths{"X:\\a.exe"});
    EXPECT_EQ(root.directory, "X:");

    // Case does not count: a byte-wise order would put C.txt first.
    Read many(Bytes("X:\\Dir\0b.txt\0C.txt\0a.txt"), Directory);
    EXPECT_EQ(many.paths, (Paths{"X:\\Dir\\a.txt", "X:\\Dir\\b.txt", "X:\\Dir\\C.txt"}));
    EXPECT_EQ(many.directory, "X:\\Dir");

    // A real backslash ends the directory only once; a trail byte 0x5C (表) is no separator.
    Read rooted(Bytes("X:\\\0a.txt"), Directory);
    EXPECT_EQ(rooted.paths, Paths{"X:\\a.txt"});
    Read trail(Bytes("X:\\表\0a.txt"), Directory);
    EXPECT_EQ(trail.paths, Paths{"X:\\表\\a.txt"});

    Read none("X:\\Dir", Directory);
    EXPECT_TRUE(none.ok);
    EXPECT_TRUE(none.paths.empty());
    EXPECT_EQ(none.directory, "X:\\Dir");
}

TEST(FileDialog, RefusesPathsLongerThanMaxPath) {
    const std::string directory = "X:\\" + std::string(MAX_PATH - 10, 'd');
    Read fits(directory + Bytes("\0abcde"), Directory);
    EXPECT_EQ(fits.paths, Paths{directory + "\\abcde"});
    Read tooLong(directory + Bytes("\0ok\0abcdef"), Directory);
    EXPECT_FALSE(tooLong.ok);
    EXPECT_TRUE(tooLong.paths.empty());
    EXPECT_EQ(tooLong.directory, "before");
    Read single(directory + "\\abcdefghij", INVALID_FILE_ATTRIBUTES, MAX_PATH - 6);
    EXPECT_FALSE(single.ok);

    std::string start, name;
    EXPECT_FALSE(FileDialog::SplitInitialFile(directory, "abcdef", start, name));
    EXPECT_TRUE(FileDialog::SplitInitialFile(directory, "C:\\abcdef", start, name));
    EXPECT_EQ(start, "C:");
}

TEST(FileDialog, FilterGetsTwoNuls) {
    FileDialog dialog;
    EXPECT_TRUE(dialog.Filter().empty());
    const char filter[] = "XGworks 実行ファイル\0xgworks.exe\0"; // 34 bytes with the array's NUL
    dialog.SetFilter(filter, sizeof(filter));
    ASSERT_EQ(dialog.Filter().size(), 36u);
    EXPECT_EQ(std::string(dialog.Filter().data(), 36),
              std::string(filter, sizeof(filter)) + std::string(2, '\0'));
    dialog.SetFilter("a\0*.a", 5);
    EXPECT_EQ(std::string(dialog.Filter().data(), dialog.Filter().size()), Bytes("a\0*.a\0\0"));
}

TEST(FileDialog, RunsTheSystemOpenDialog) {
    char temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathA(sizeof(temp), temp), 0u);
    const std::string folder = std::string(temp) + "VarnelFileDialog";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* file : {"\\chosen.txt", "\\second.txt"}) {
        CloseHandle(CreateFileA((folder + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                0, nullptr));
    }

    FileDialog dialog;
    FileDialogDriver typing(FileDialogDriver::Confirm, folder + "\\chosen.txt");
    EXPECT_EQ(dialog.Run(0, nullptr, nullptr), 1);
    EXPECT_TRUE(typing.Finish());
    EXPECT_EQ(typing.Caption(), "おとうさまっ！開くファイル名を指定して欲しいのっ。");
    ASSERT_NE(dialog.Selection(0), nullptr);
    EXPECT_EQ(lstrcmpiA(dialog.Selection(0), (folder + "\\chosen.txt").c_str()), 0);
    EXPECT_EQ(dialog.Selection(1), nullptr);
    EXPECT_EQ(lstrcmpiA(dialog.InitialDirectory().c_str(), folder.c_str()), 0);

    // The proposed name is confirmed as it stands; the hook lasts this run only, even when the
    // caller had set the flag as well.
    dialog.SetFlags(OFN_EXPLORER | OFN_ENABLEHOOK);
    FileDialogDriver proposed(FileDialogDriver::Confirm);
    EXPECT_EQ(dialog.Run(0, "second.txt", CountingHook), 1);
    EXPECT_TRUE(proposed.Finish());
    EXPECT_GT(hookCalls, 0);
    EXPECT_EQ(dialog.Flags(), static_cast<DWORD>(OFN_EXPLORER));
    ASSERT_NE(dialog.Selection(0), nullptr);
    EXPECT_EQ(lstrcmpiA(dialog.Selection(0), (folder + "\\second.txt").c_str()), 0);

    FileDialogDriver cancel(FileDialogDriver::Cancel);
    EXPECT_EQ(dialog.Run(0, nullptr, CountingHook), 0);
    EXPECT_TRUE(cancel.Finish());
    EXPECT_EQ(dialog.Selection(0), nullptr);
    EXPECT_EQ(dialog.Flags(), static_cast<DWORD>(OFN_EXPLORER));
    EXPECT_EQ(lstrcmpiA(dialog.InitialDirectory().c_str(), folder.c_str()), 0);

    DeleteFileA((folder + "\\chosen.txt").c_str());
    DeleteFileA((folder + "\\second.txt").c_str());
    RemoveDirectoryA(folder.c_str());
}
