// ReadRegistryString against Wine's real registry through the real Windows backend:
// the values are made under HKEY_CURRENT_USER\Software\KelvoraTest and removed again.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "host/startup.h"
#include "backends/windows/windows_backends.h"

namespace {

constexpr const char* TestKey = "Software\\KelvoraTest\\ReadRegistryString";

class ReadRegistryString : public ::testing::Test {
protected:
    void SetUp() override {
        platform::Windows.Install(*windows_);
        RegDeleteTreeA(HKEY_CURRENT_USER, TestKey);
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, TestKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }

    void TearDown() override {
        RegCloseKey(key_);
        EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, TestKey), ERROR_SUCCESS);
        // The shared parent goes too once no other test keeps values under it.
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\KelvoraTest");
    }

    void Set(const char* name, DWORD type, const void* data, DWORD length) {
        ASSERT_EQ(RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), length),
                  ERROR_SUCCESS);
    }

    void SetDword(const char* name, DWORD value) { Set(name, REG_DWORD, &value, sizeof value); }

    // The text as stored by a string value: its characters and the closing zero.
    void SetString(const char* name, const std::string& text) {
        Set(name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }

    static std::string Read(const char* subKey, const char* name) {
        return mScreenSaver::ReadRegistryString(platform::HkeyCurrentUser, subKey, name);
    }

    std::unique_ptr<platform::WindowsApi> windows_ = platform::NewWin32WindowsApi();
    HKEY key_ = nullptr;
};

TEST_F(ReadRegistryString, GivesADwordAsTheFirstThreeCharactersOfItsPaddedDecimalText) {
    SetDword("One", 1);
    SetDword("Zero", 0);
    SetDword("Big", 1234);
    EXPECT_EQ(Read(TestKey, "One"), "001");
    EXPECT_EQ(Read(TestKey, "Zero"), "000");
    EXPECT_EQ(Read(TestKey, "Big"), "123");
}

TEST_F(ReadRegistryString, GivesAStringValueWithoutItsClosingZero) {
    SetString("Digit", "1");
    SetString("Longest", std::string(254, 'x'));
    EXPECT_EQ(Read(TestKey, "Digit"), "1");
    EXPECT_EQ(Read(TestKey, "Longest"), std::string(254, 'x'));
}

TEST_F(ReadRegistryString, GivesTheEmptyTextForWhatCannotBeRead) {
    Set("NoData", REG_SZ, "", 0);
    Set("NoBinary", REG_BINARY, "", 0);
    // 256 bytes with the zero do not fit the 255-byte buffer.
    SetString("TooLong", std::string(255, 'x'));
    EXPECT_EQ(Read(TestKey, "NoData"), "");
    EXPECT_EQ(Read(TestKey, "NoBinary"), "");
    EXPECT_EQ(Read(TestKey, "TooLong"), "");
    EXPECT_EQ(Read(TestKey, "Missing"), "");
    EXPECT_EQ(Read("Software\\KelvoraTest\\MissingKey", "One"), "");
}

TEST_F(ReadRegistryString, GivesTheEmptyTextForARootOutsideThePredefinedKeys) {
    SetDword("One", 1);
    EXPECT_EQ(mScreenSaver::ReadRegistryString(0x80000007u, TestKey, "One"), "");
    EXPECT_EQ(mScreenSaver::ReadRegistryString(0x7FFFFFFFu, TestKey, "One"), "");
}

}  // namespace
