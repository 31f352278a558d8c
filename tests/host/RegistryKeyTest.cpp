#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/RegistryKey.h"

namespace {

const char* const TestTree = "Software\\VarnelTest";
const char* const TestKey = "Software\\VarnelTest\\RegistryKey";
const char Text[] = "C:\\表示\\XG"; // the trail byte of 表 is a backslash

void SetValue(const char* name, DWORD type, const void* data, std::size_t size) {
    ASSERT_EQ(
        RegSetKeyValueA(HKEY_CURRENT_USER, TestKey, name, type, data, static_cast<DWORD>(size)),
        ERROR_SUCCESS);
}

std::string Bytes(const RegistryValue* value) {
    return std::string(reinterpret_cast<const char*>(value->Data()), value->Size());
}

} // namespace

TEST(RegistryKey, ReadsValuesAsRawBytesWithTheirType) {
    const DWORD number = 0x11223344;
    SetValue("WithNul", REG_SZ, Text, sizeof(Text));
    // The system counts a forgotten terminator that follows the data, so none may follow.
    SetValue("WithoutNul", REG_SZ, (std::string(Text) + "!").c_str(), sizeof(Text) - 1);
    SetValue("Number", REG_DWORD, &number, sizeof(number));
    RegistryKey key;
    ASSERT_EQ(key.Open(RegistryRoot::CurrentUser, TestKey, KEY_READ), ERROR_SUCCESS);

    RegistryValue* value = key.QueryValue("WithNul");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(Bytes(value), std::string(Text, sizeof(Text)));
    EXPECT_EQ(value->Type(), static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value->Name(), "WithNul");
    ASSERT_EQ(key.QueryValue("WithoutNul"), value);
    EXPECT_EQ(Bytes(value), std::string(Text, sizeof(Text) - 1));
    ASSERT_EQ(key.QueryValue("Number"), value);
    ASSERT_EQ(value->Size(), sizeof(number));
    EXPECT_EQ(std::memcmp(value->Data(), &number, sizeof(number)), 0);
    EXPECT_EQ(value->Type(), static_cast<DWORD>(REG_DWORD));

    // A failed read after a good one leaves an empty record.
    EXPECT_EQ(key.QueryValue("Missing"), nullptr);
    EXPECT_EQ(value->Size(), 0u);
    EXPECT_EQ(value->Type(), 0u);
    EXPECT_EQ(value->Name(), "");

    // A value that grew past the size learnt at opening is not read at all.
    SetValue("WithNul", REG_SZ, std::string(200, 'x').c_str(), 201);
    EXPECT_EQ(key.QueryValue("WithNul"), nullptr);

    EXPECT_EQ(key.Close(), ERROR_SUCCESS);
    EXPECT_EQ(key.QueryValue("Number"), nullptr);
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, TestTree), ERROR_SUCCESS);
}

TEST(RegistryKey, FailuresReturnTheSystemStatusUnchanged) {
    RegistryKey missing;
    EXPECT_EQ(missing.Open(RegistryRoot::CurrentUser, "Software\\VarnelTest\\Missing", KEY_READ),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing.QueryValue("Anything"), nullptr);
    EXPECT_EQ(missing.Open(static_cast<RegistryRoot>(4), "Software", KEY_READ),
              ERROR_INVALID_PARAMETER);
    RegistryKey never;
    EXPECT_EQ(never.Close(), ERROR_INVALID_HANDLE);

    RegistryKey root; // a null sub-key names the root itself
    EXPECT_EQ(root.Open(RegistryRoot::LocalMachine, nullptr, KEY_READ), ERROR_SUCCESS);
    EXPECT_EQ(root.Close(), ERROR_SUCCESS);
}
