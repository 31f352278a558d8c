#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/FileDialog.h"
#include "support/DialogDriver.h"
#include "support/ScratchFolder.h"

namespace {

using Paths = std::vector<std::string>;

// Keeps the NULs inside a literal.
template <size_t N> std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

int hookCalls = 0;
UINT_PTR CALLBACK CountingHook(HWND, UINT, WPARAM, LPARAM) {
    ++hookCalls;
    return 0;
}

} // namespace

TEST(FileDialog, ReadsOnePathOrADirectoryWithNamesAndRefusesTooLongPaths) {
    const DWORD one = INVALID_FILE_ATTRIBUTES;
    const DWORD many = FILE_ATTRIBUTE_DIRECTORY;
    const std::string longDir = "X:\\" + std::string(MAX_PATH - 10, 'd');
    const struct {
        std::string text; // the buffer's strings, without the terminating empty one
        DWORD attributes;
        WORD fileOffset;
        Paths paths;
        std::string directory; // "before": refused, nothing changed
    } cases[] = {
        {"X:\\Apps\\Host\\XGworks.exe", one, 13, {"X:\\Apps\\Host\\XGworks.exe"}, "X:\\Apps\\Host"},
        {"X:\\a.exe", FILE_ATTRIBUTE_ARCHIVE, 3, {"X:\\a.exe"}, "X:"},
        // Case does not count: a byte-wise order would put C.txt first.
        {Bytes("X:\\Dir\0b.txt\0C.txt\0a.txt"),
         many,
         0,
         {"X:\\Dir\\a.txt", "X:\\Dir\\b.txt", "X:\\Dir\\C.txt"},
         "X:\\Dir"},
        // A real backslash ends the directory only once; a trail byte 0x5C (表) is no separator.
        {Bytes("X:\\\0a.txt"), many, 0, {"X:\\a.txt"}, "X:\\"},
        {Bytes("X:\\表\0a.txt"), many, 0, {"X:\\表\\a.txt"}, "X:\\表"},
        {"X:\\Dir", many, 0, {}, "X:\\Dir"},
        {longDir + Bytes("\0abcde"), many, 0, {longDir + "\\abcde"}, longDir},
        {longDir + Bytes("\0ok\0abcdef"), many, 0, {}, "before"},
        {longDir + "\\abcdefghij", one, MAX_PATH - 6, {}, "before"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string buffer = c.text + std::string(2, '\0');
        std::string directory = "before";
        Paths paths;
        EXPECT_EQ(FileDialog::ReadSelections(buffer.data(), buffer.size(), c.attributes,
                                             c.fileOffset, directory, paths),
                  c.directory != "before");
        EXPECT_EQ(paths, c.paths);
        EXPECT_EQ(directory, c.directory);
    }

    std::string start, name;
    EXPECT_FALSE(FileDialog::SplitInitialFile(longDir, "abcdef", start, name));
    EXPECT_TRUE(FileDialog::SplitInitialFile(longDir, "C:\\abcdef", start, name));
    EXPECT_EQ(start, "C:");
}

TEST(FileDialog, RunsTheSystemOpenDialog) {
    FileDialog dialog;
    EXPECT_TRUE(dialog.Filter().empty());
    dialog.SetFilter("a\0*.a", 5);
    EXPECT_EQ(std::string(dialog.Filter().data(), dialog.Filter().size()), Bytes("a\0*.a\0\0"));

    ScratchFolder scratch;
    const std::string folder = scratch.Path().substr(0, scratch.Path().size() - 1);
    WriteBytes(scratch.Path("chosen.txt"), "");
    WriteBytes(scratch.Path("second.txt"), "");
    auto typing = FileDialogDriver::Start(FileDialogDriver::Confirm, scratch.Path("chosen.txt"));
    EXPECT_EQ(dialog.Run(0, nullptr, nullptr), 1);
    EXPECT_EQ(typing.get(), FileDialog::DefaultOpenTitle);
    ASSERT_NE(dialog.Selection(0), nullptr);
    EXPECT_EQ(lstrcmpiA(dialog.Selection(0), scratch.Path("chosen.txt").c_str()), 0);
    EXPECT_EQ(dialog.Selection(1), nullptr);
    EXPECT_EQ(lstrcmpiA(dialog.InitialDirectory().c_str(), folder.c_str()), 0);

    // The proposed name is confirmed as it stands; the hook lasts this run only, even when the
    // caller had set the flag as well.
    dialog.SetFlags(OFN_EXPLORER | OFN_ENABLEHOOK);
    auto proposed = FileDialogDriver::Start(FileDialogDriver::Confirm);
    EXPECT_EQ(dialog.Run(0, "second.txt", CountingHook), 1);
    EXPECT_NE(proposed.get(), "");
    EXPECT_GT(hookCalls, 0);
    EXPECT_EQ(dialog.Flags(), static_cast<DWORD>(OFN_EXPLORER));
    ASSERT_NE(dialog.Selection(0), nullptr);
    EXPECT_EQ(lstrcmpiA(dialog.Selection(0), scratch.Path("second.txt").c_str()), 0);

    auto cancel = FileDialogDriver::Start(FileDialogDriver::Cancel);
    EXPECT_EQ(dialog.Run(0, nullptr, CountingHook), 0);
    EXPECT_NE(cancel.get(), "");
    EXPECT_EQ(dialog.Selection(0), nullptr);
    EXPECT_EQ(dialog.Flags(), static_cast<DWORD>(OFN_EXPLORER));
    EXPECT_EQ(lstrcmpiA(dialog.InitialDirectory().c_str(), folder.c_str()), 0);
}
