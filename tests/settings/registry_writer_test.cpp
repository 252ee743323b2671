#include "settings/registry_writer.h"

#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char kScratch[] = "Software\\TolvarenTest";

struct Stored {
    LONG result = 0;
    DWORD type = 0xDEADBEEF;
    std::vector<BYTE> data;
};

Stored Read(HKEY root, const std::string& key, const char* name, REGSAM view = 0)
{
    Stored stored;
    HKEY handle = nullptr;
    stored.result = RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | view, &handle);
    if (stored.result != ERROR_SUCCESS) {
        return stored;
    }
    DWORD size = 0;
    stored.result = RegQueryValueExA(handle, name, nullptr, &stored.type, nullptr, &size);
    if (stored.result == ERROR_SUCCESS) {
        stored.data.resize(size);
        stored.result =
            RegQueryValueExA(handle, name, nullptr, &stored.type, stored.data.data(), &size);
    }
    RegCloseKey(handle);
    return stored;
}

std::vector<BYTE> Bytes(const char* text, std::size_t size)
{
    return std::vector<BYTE>(text, text + size);
}

class RegistryWriterTest : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratch); }
    void TearDown() override
    {
        if (readOnly_ != nullptr) {
            // Hand the key back before it can be deleted.
            RegSetKeySecurity(readOnly_, DACL_SECURITY_INFORMATION, original_.data());
            RegCloseKey(readOnly_);
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, kScratch);
    }
    HKEY readOnly_ = nullptr;
    std::vector<BYTE> original_;
};

}  // namespace

TEST_F(RegistryWriterTest, StoresEachKindWithItsTypeAndBytes)
{
    const std::string key = std::string(kScratch) + "\\Missing\\Levels";
    const struct {
        const char* note;
        const char* name;
        RegistryValue value;
        DWORD type;
        std::vector<BYTE> data;
    } cases[] = {
        {"integer 1", "One", RegistryValue::Integer(1), REG_DWORD, {1, 0, 0, 0}},
        {"integer, least significant byte first",
         "Big",
         RegistryValue::Integer(0x12345678),
         REG_DWORD,
         {0x78, 0x56, 0x34, 0x12}},
        {"negative integer",
         "Minus",
         RegistryValue::Integer(-2),
         REG_DWORD,
         {0xFE, 0xFF, 0xFF, 0xFF}},
        {"text with its zero", "Url", RegistryValue::Text("http://h/x"), REG_SZ,
         Bytes("http://h/x", 11)},
        {"empty text is one zero byte", "Empty", RegistryValue::Text(""), REG_SZ, {0}},
        {"GBK text unconverted", "Gbk", RegistryValue::Text("\xD2\xD1\xB9\xD8"), REG_SZ,
         Bytes("\xD2\xD1\xB9\xD8", 5)},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(WriteRegistryValue(HKEY_CURRENT_USER, (key + "\\" + c.name).c_str(), c.value))
            << c.note;
        const Stored stored = Read(HKEY_CURRENT_USER, key, c.name);
        ASSERT_EQ(ERROR_SUCCESS, stored.result) << c.note;
        EXPECT_EQ(c.type, stored.type) << c.note;
        EXPECT_EQ(c.data, stored.data) << c.note;
    }
}

TEST_F(RegistryWriterTest, ReplacesAValueOfTheOtherTypeAndWritesTheDefaultValue)
{
    const std::string path = std::string(kScratch) + "\\Switch";
    ASSERT_TRUE(WriteRegistryValue(HKEY_CURRENT_USER, path.c_str(), RegistryValue::Text("old")));
    ASSERT_TRUE(WriteRegistryValue(HKEY_CURRENT_USER, path.c_str(), RegistryValue::Integer(1)));
    Stored stored = Read(HKEY_CURRENT_USER, kScratch, "Switch");
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), stored.type);
    EXPECT_EQ((std::vector<BYTE>{1, 0, 0, 0}), stored.data);

    ASSERT_TRUE(
        WriteRegistryValue(HKEY_CURRENT_USER, (path + "\\").c_str(), RegistryValue::Text("d")));
    stored = Read(HKEY_CURRENT_USER, path, "");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), stored.type);
    EXPECT_EQ(Bytes("d", 2), stored.data);
}

TEST_F(RegistryWriterTest, FailsAndWritesNothingWhenTheKeyCannotBeOpenedOrCreated)
{
    // Not a predefined key: open and create both fail.
    EXPECT_FALSE(WriteRegistryValue(reinterpret_cast<HKEY>(0x7FFFFFF0), "Software\\X\\Y",
                                    RegistryValue::Integer(1)));

    // Read-only for everyone: the open for writing is refused, the create
    // opens it for reading only, and the store is refused.
    ASSERT_EQ(
        ERROR_SUCCESS,
        RegCreateKeyA(HKEY_CURRENT_USER, (std::string(kScratch) + "\\Locked").c_str(), &readOnly_));
    DWORD size = 0;
    RegGetKeySecurity(readOnly_, DACL_SECURITY_INFORMATION, nullptr, &size);
    original_.resize(size);
    ASSERT_EQ(ERROR_SUCCESS,
              RegGetKeySecurity(readOnly_, DACL_SECURITY_INFORMATION, original_.data(), &size));
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
        "D:P(A;;KR;;;WD)", SDDL_REVISION_1, &readOnly, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeySecurity(readOnly_, DACL_SECURITY_INFORMATION, readOnly));
    LocalFree(readOnly);

    const std::string locked = std::string(kScratch) + "\\Locked";
    EXPECT_FALSE(WriteRegistryValue(HKEY_CURRENT_USER, (locked + "\\Value").c_str(),
                                    RegistryValue::Integer(1)));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, Read(HKEY_CURRENT_USER, locked, "Value").result);
}

TEST(RegistryWriterView, A32BitProgramWritesMachineSoftwareToThe32BitView)
{
    const char path[] = "Software\\TolvarenViewTest\\Value";
    ASSERT_TRUE(WriteRegistryValue(HKEY_LOCAL_MACHINE, path, RegistryValue::Integer(7)));
    const Stored in32 =
        Read(HKEY_LOCAL_MACHINE, "Software\\TolvarenViewTest", "Value", KEY_WOW64_32KEY);
    const Stored in64 =
        Read(HKEY_LOCAL_MACHINE, "Software\\TolvarenViewTest", "Value", KEY_WOW64_64KEY);
    const Stored wow = Read(HKEY_LOCAL_MACHINE, "Software\\Wow6432Node\\TolvarenViewTest", "Value",
                            KEY_WOW64_64KEY);
    EXPECT_EQ(ERROR_SUCCESS, in32.result);
    EXPECT_EQ(ERROR_SUCCESS, wow.result) << "stored below Wow6432Node";
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, in64.result) << "not in the 64-bit view";
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\TolvarenViewTest");
}
