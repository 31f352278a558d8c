#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/RegistryKey.h"

namespace {

const char* const TestTree = "Software\\VarnelTest";
const char* const TestKey = "Software\\VarnelTest\\RegistryKey";
const char Text[] = "C:\\表示\\XG"; // the trail byte of 表 is a backslash
const DWORD Number = 0x11223344;

bool CreateTestKey(HKEY root) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, TestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const auto* text = reinterpret_cast<const BYTE*>(Text);
    RegSetValueExA(key, "WithNul", 0, REG_SZ, text, sizeof(Text));
    // The system counts a forgotten terminator that follows the data, so none may follow.
    const std::string unterminated = std::string(Text) + "!";
    RegSetValueExA(key, "WithoutNul", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated.data()),
                   sizeof(Text) - 1);
    RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&Number),
                   sizeof(Number));
    RegCloseKey(key);
    return true;
}

std::string Bytes(const RegistryValue* value) {
    return std::string(reinterpret_cast<const char*>(value->Data()), value->Size());
}

} // namespace

TEST(RegistryKey, ReadsValuesAsRawBytesWithTheirType) {
    const struct {
        RegistryRoot root;
        HKEY key;
    } roots[] = {{RegistryRoot::CurrentUser, HKEY_CURRENT_USER},
                 {RegistryRoot::LocalMachine, HKEY_LOCAL_MACHINE}};
    for (const auto& root : roots) {
        SCOPED_TRACE(static_cast<int>(root.root));
        if (!CreateTestKey(root.key)) {
            ASSERT_NE(root.root, RegistryRoot::CurrentUser) << "cannot create the test key";
            continue;
        }
        RegistryKey key;
        ASSERT_EQ(key.Open(root.root, TestKey, KEY_READ), ERROR_SUCCESS);

        RegistryValue* value = key.QueryValue("WithNul");
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(Bytes(value), std::string(Text, sizeof(Text)));
        EXPECT_EQ(value->Type(), static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(value->Name(), "WithNul");

        ASSERT_EQ(key.QueryValue("WithoutNul"), value);
        EXPECT_EQ(Bytes(value), std::string(Text, sizeof(Text) - 1));

        ASSERT_EQ(key.QueryValue("Number"), value);
        ASSERT_EQ(value->Size(), sizeof(Number));
        EXPECT_EQ(std::memcmp(value->Data(), &Number, sizeof(Number)), 0);
        EXPECT_EQ(value->Type(), static_cast<DWORD>(REG_DWORD));

        EXPECT_EQ(key.QueryValue("Missing"), nullptr);
        EXPECT_EQ(value->Size(), 0u);
        EXPECT_EQ(value->Type(), 0u);
        EXPECT_EQ(value->Name(), "");

        // A value that grew past the size learnt at opening is not read at all.
        HKEY writer = nullptr;
        ASSERT_EQ(RegOpenKeyExA(root.key, TestKey, 0, KEY_SET_VALUE, &writer), ERROR_SUCCESS);
        const std::string longer(200, 'x');
        RegSetValueExA(writer, "WithNul", 0, REG_SZ, reinterpret_cast<const BYTE*>(longer.c_str()),
                       static_cast<DWORD>(longer.size() + 1));
        RegCloseKey(writer);
        EXPECT_EQ(key.QueryValue("WithNul"), nullptr);

        EXPECT_EQ(key.Close(), ERROR_SUCCESS);
        EXPECT_EQ(key.QueryValue("Number"), nullptr);
        EXPECT_EQ(RegDeleteTreeA(root.key, TestTree), ERROR_SUCCESS);
    }
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

    RegistryKey root; // a null sub-key names the root itself; destruction after Close is harmless
    EXPECT_EQ(root.Open(RegistryRoot::CurrentUser, nullptr, KEY_READ), ERROR_SUCCESS);
    EXPECT_EQ(root.Close(), ERROR_SUCCESS);
}
