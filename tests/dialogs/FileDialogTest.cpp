#include <gtest/gtest.h>

#include <tuple>

#include "dialogs/FileDialog.h"
#include "support/DialogDriver.h"
#include "support/ScratchFolder.h"

using namespace std::string_literals;

TEST(FileDialog, ReadsOnePathOrADirectoryWithNamesAndRefusesTooLongPaths) {
    const DWORD file = FILE_ATTRIBUTE_ARCHIVE, dir = FILE_ATTRIBUTE_DIRECTORY;
    const std::string longDir = "X:\\" + std::string(MAX_PATH - 10, 'd'); // 253 bytes
    // The buffer's strings without the empty one that ends them; directory "-": refused.
    const std::tuple<std::string, DWORD, WORD, std::vector<std::string>, std::string> cases[] = {
        {"X:\\Apps\\XGworks.exe", file, 8, {"X:\\Apps\\XGworks.exe"}, "X:\\Apps"},
        // Sorted ignoring case: a byte-wise order would put C first.
        {"X:\\D\0b\0C\0a"s, dir, 0, {"X:\\D\\a", "X:\\D\\b", "X:\\D\\C"}, "X:\\D"},
        // A real backslash ends a directory only once; the trail byte 0x5C of 表 is none.
        {"X:\\\0a"s, dir, 0, {"X:\\a"}, "X:\\"},
        {"X:\\表\0a"s, dir, 0, {"X:\\表\\a"}, "X:\\表"},
        {longDir + "\0abcde"s, dir, 0, {longDir + "\\abcde"}, longDir},
        {longDir + "\0ok\0abcdef"s, dir, 0, {}, "-"},
        {longDir + "\\abcdefghij", INVALID_FILE_ATTRIBUTES, MAX_PATH - 6, {}, "-"}};
    for (const auto& [text, attributes, offset, paths, directory] : cases) {
        SCOPED_TRACE(text);
        std::pair<std::vector<std::string>, std::string> got{{}, "-"};
        EXPECT_EQ(FileDialog::ReadSelections((text + "\0\0"s).data(), text.size() + 2, attributes,
                                             offset, got.second, got.first),
                  directory != "-");
        EXPECT_EQ(got, std::make_pair(paths, directory));
    }
    std::string start, name;
    EXPECT_FALSE(FileDialog::SplitInitialFile(longDir, "abcdef", start, name));
    EXPECT_TRUE(FileDialog::SplitInitialFile(longDir, "C:\\abcdef", start, name) && start == "C:");
}

static int hookCalls = 0;
static UINT_PTR CALLBACK CountingHook(HWND, UINT, WPARAM, LPARAM) {
    return ++hookCalls, 0;
}

TEST(FileDialog, RunsTheSystemOpenDialogWithAHookForOneRun) {
    FileDialog dialog;
    dialog.SetFilter("a\0*.a", 5); // the two NULs that end it are added
    EXPECT_EQ(std::string(dialog.Filter().begin(), dialog.Filter().end()), "a\0*.a\0\0"s);
    ScratchFolder scratch;
    const std::string chosen = scratch.Path("chosen.txt"), second = scratch.Path("second.txt");
    // A hook flag the caller set goes after every run, with a hook or without one. The second
    // run confirms the name it proposes; a cancel keeps the directory and chooses nothing.
    dialog.SetFlags(OFN_EXPLORER | OFN_ENABLEHOOK);
    const std::tuple<std::string, const char*, LPOFNHOOKPROC, const char*> runs[] = {
        {chosen, nullptr, nullptr, chosen.c_str()},
        {"", "second.txt", CountingHook, second.c_str()},
        {"", nullptr, CountingHook, nullptr}};
    for (const auto& [typed, initialFile, hook, selection] : runs) {
        auto driver = AnswerFileDialog(selection != nullptr, typed);
        EXPECT_EQ(dialog.Run(0, initialFile, hook), selection ? 1 : 0);
        EXPECT_EQ(driver.get(), FileDialog::DefaultOpenTitle);
        EXPECT_EQ(lstrcmpiA(dialog.Selection(0), selection), 0); // also when both are null
        const DWORD flags = dialog.Flags() & (OFN_EXPLORER | OFN_ENABLEHOOK); // Wine adds others
        EXPECT_TRUE(dialog.Selection(1) == nullptr && flags == OFN_EXPLORER);
        EXPECT_EQ(lstrcmpiA((dialog.InitialDirectory() + "\\").c_str(), scratch.Path().c_str()), 0);
    }
    EXPECT_GT(hookCalls, 0);
}
