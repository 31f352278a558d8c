#include <gtest/gtest.h>

#include <tuple>

#include "host/RegistryKey.h"

TEST(RegistryKey, ReadsRawBytesAndReturnsTheSystemStatusOfFailures) {
    const char* const key = "Software\\VarnelTest\\RegistryKey";
    const std::string text = "C:\\表示\\XG"; // the trail byte of 表 is a backslash
    const std::tuple<const char*, DWORD, std::string> values[] = {
        {"WithNul", REG_SZ, text + '\0'},
        {"WithoutNul", REG_SZ, text},
        {"Number", REG_DWORD, "\x44\x33\x22\x11"}};
    for (const auto& [name, type, bytes] : values) {
        // The system would count a NUL that follows a string's data.
        ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, key, name, type, (bytes + '!').data(),
                                  DWORD(bytes.size())),
                  0);
    }
    RegistryKey opened;
    ASSERT_EQ(opened.Open(RegistryRoot::CurrentUser, key, KEY_READ), ERROR_SUCCESS);
    for (const auto& [name, type, bytes] : values) {
        const RegistryValue* value = opened.QueryValue(name);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(value->Data()), value->Size()), bytes);
        EXPECT_TRUE(value->Type() == type && value->Name() == name);
    }
    // A failed read empties the record; a value that grew past the size learnt at opening fails.
    const RegistryValue* last = opened.QueryValue("Number");
    EXPECT_EQ(opened.QueryValue("Missing"), nullptr);
    EXPECT_TRUE(last->Size() == 0 && last->Type() == 0 && last->Name().empty());
    RegSetKeyValueA(HKEY_CURRENT_USER, key, "WithNul", REG_SZ, std::string(200, 'x').c_str(), 201);
    EXPECT_EQ(opened.QueryValue("WithNul"), nullptr);

    EXPECT_EQ(opened.Close(), ERROR_SUCCESS);
    EXPECT_EQ(opened.Open(RegistryRoot::CurrentUser, "NoVarnel", KEY_READ), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(opened.Open(static_cast<RegistryRoot>(4), "", KEY_READ), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\VarnelTest"), ERROR_SUCCESS);
}
