#include <gtest/gtest.h>

#include <tuple>

#include "dialogs/FileDialog.h"

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
