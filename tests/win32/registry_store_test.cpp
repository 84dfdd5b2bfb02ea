// The registry behind the settings seam, against the missing-value rules:
// each test works in a key of its own under HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <string>

#include "win/registry_store.h"
#include "waktuna/settings/settings.h"

using namespace app;
using namespace waktuna;

namespace {

class RegistryStoreTest : public testing::Test {
protected:
    void SetUp() override {
        path_ = "Software\\WaktunaTest" + std::to_string(GetCurrentProcessId());
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        store_ = RegistryStore::Open(HKEY_CURRENT_USER, path_.c_str(), KEY_READ | KEY_WRITE);
        ASSERT_NE(store_, nullptr);
    }
    void TearDown() override {
        store_.reset();
        RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
    }
    // Writes raw registry data, bypassing the store.
    void Raw(const char* name, DWORD type, const std::string& bytes) {
        ASSERT_EQ(RegSetValueExA(store_->key(), name, 0, type,
                                 reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }
    std::string path_;
    std::unique_ptr<RegistryStore> store_;
};

}  // namespace

TEST_F(RegistryStoreTest, MissingValuesReadAsZeroAndEmpty) {
    EXPECT_FALSE(store_->Read("Message1").has_value());
    EXPECT_EQ(ReadDword(*store_, "Message1"), 0u);
    EXPECT_EQ(ReadString(*store_, "Area"), "");
    EXPECT_EQ(ReadDouble(*store_, "MJumat"), 0.0);
}

TEST_F(RegistryStoreTest, DwordsMustBeFourBytesAndTextsMustBeStrings) {
    Raw("Four", REG_BINARY, std::string("\x07\x00\x00\x00", 4));
    Raw("Two", REG_BINARY, std::string("\x07\x00", 2));
    Raw("Eight", REG_BINARY, std::string(8, '\x01'));
    Raw("TextAsDword", REG_DWORD, std::string("\x41\x00\x00\x00", 4));
    Raw("Expand", REG_EXPAND_SZ, std::string("abc\0", 4));
    EXPECT_EQ(ReadDword(*store_, "Four"), 7u);
    EXPECT_EQ(ReadDword(*store_, "Two"), 0u);
    EXPECT_EQ(ReadDword(*store_, "Eight"), 0u);
    EXPECT_EQ(ReadString(*store_, "TextAsDword"), "");
    EXPECT_EQ(ReadString(*store_, "Expand"), "");
}

TEST_F(RegistryStoreTest, TextsWithAndWithoutTheirZero) {
    Raw("Terminated", REG_SZ, std::string("Jakarta\0", 8));
    Raw("Bare", REG_SZ, "Jakarta");
    Raw("Inner", REG_SZ, std::string("Jak\0arta\0", 9));
    EXPECT_EQ(ReadString(*store_, "Terminated"), "Jakarta");
    EXPECT_EQ(ReadString(*store_, "Bare"), "Jakarta");
    EXPECT_EQ(ReadString(*store_, "Inner"), "Jak");
    // Windows-1252 bytes go through unchanged (A functions).
    ASSERT_TRUE(WriteString(*store_, "Area", "Ma\xe2rib"));
    EXPECT_EQ(ReadString(*store_, "Area"), "Ma\xe2rib");
}

TEST_F(RegistryStoreTest, RoundTripsEnumeratesAndDeletes) {
    ASSERT_TRUE(WriteDword(*store_, "Hwnd", 0x1234abcd));
    ASSERT_TRUE(WriteDouble(*store_, "MJumat", 0.5));
    ASSERT_TRUE(WriteString(*store_, "Latitude", "-6.175"));
    EXPECT_EQ(ReadDword(*store_, "hwnd"), 0x1234abcdu);  // names ignore case
    EXPECT_EQ(ReadDouble(*store_, "MJumat"), 0.5);
    DWORD type = 0;
    RegQueryValueExA(store_->key(), "Latitude", nullptr, &type, nullptr, nullptr);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(store_->Names().size(), 3u);
    EXPECT_TRUE(store_->Delete("Latitude"));
    EXPECT_TRUE(store_->Delete("Latitude"));  // already gone
    EXPECT_EQ(store_->Names().size(), 2u);
}

TEST_F(RegistryStoreTest, ANameWithANulIsRefusedNotCutShort) {
    using namespace std::string_view_literals;
    ASSERT_TRUE(WriteDword(*store_, "Skin", 3));
    EXPECT_FALSE(WriteDword(*store_, "\0S\0k\0i\0n\0"sv, 7));  // as a UTF-16 file spells it
    EXPECT_FALSE(WriteDword(*store_, "Skin\0X"sv, 7));
    EXPECT_FALSE(store_->Delete("Skin\0X"sv));
    EXPECT_EQ(ReadDword(*store_, "Skin"), 3u);
    EXPECT_EQ(store_->Names(), std::vector<std::string>{"Skin"});  // no unnamed value either
}

TEST_F(RegistryStoreTest, StartSettingsFromTheRegistry) {
    WriteDword(*store_, "Syafii", 0);
    WriteDword(*store_, "TimeFormat", 5);
    WriteDword(*store_, "AlwaysOnTop", 2);
    WriteString(*store_, "TZ", "7");
    WriteString(*store_, "Gd", "20,0");
    const MainSettings s = ReadMainSettings(*store_);
    EXPECT_TRUE(s.calc.syafii);
    EXPECT_EQ(s.core.time_format, "HH:mm:ss");
    EXPECT_FALSE(s.always_on_top);
    EXPECT_EQ(s.calc.time_zone, 7.0f);
    EXPECT_EQ(s.calc.gd, 20.0f);
}

TEST(RegistryStore, AMissingKeyIsNotCreated) {
    EXPECT_EQ(RegistryStore::Open(HKEY_CURRENT_USER, "Software\\WaktunaNoSuchKey", KEY_READ),
              nullptr);
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\WaktunaNoSuchKey", 0, KEY_READ, &key),
              ERROR_SUCCESS);
}

TEST(SettingsKey, ReadsWhatItsWritesStoredAndCreatesTheKeyOnTheFirstWrite) {
    const std::string path = "Software\\WaktunaKey" + std::to_string(GetCurrentProcessId());
    SettingsKey key(HKEY_CURRENT_USER, path.c_str());
    // No key yet: nothing to read, every value missing.
    EXPECT_FALSE(key.Exists());
    EXPECT_EQ(ReadDword(key, "Methods"), 0u);
    // A Save creates it, and what it wrote reads back through the reading key.
    EXPECT_TRUE(WriteString(key, "Area", "Jakarta"));
    EXPECT_TRUE(key.Exists());
    EXPECT_EQ(ReadString(key, "Area"), "Jakarta");
    EXPECT_TRUE(WriteDword(key, "Methods", 3));
    EXPECT_EQ(ReadDword(key, "Methods"), 3u);
    EXPECT_TRUE(key.Delete("Methods"));
    EXPECT_EQ(key.Read("Methods"), std::nullopt);
    EXPECT_EQ(key.LastError(), ERROR_SUCCESS);
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

// The program's key: the user's values over the machine's, and every Save to
// the user's key only, so one user's settings never change another's.
TEST(ProgramSettingsKey, TheUsersValuesOverTheMachinesAndWritesOnlyTheUsers) {
    const std::string path = "Software\\WaktunaLayers" + std::to_string(GetCurrentProcessId());
    SettingsKey machine(HKEY_LOCAL_MACHINE, path.c_str());
    ASSERT_TRUE(WriteString(machine, "Area", "Jakarta"));
    ASSERT_TRUE(WriteString(machine, "Latitude", "-6.175"));
    {
        ProgramSettingsKey key(HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, path.c_str());
        EXPECT_TRUE(key.Exists());
        EXPECT_EQ(ReadString(key, "Latitude"), "-6.175");  // a user who never saved
        ASSERT_TRUE(WriteString(key, "Latitude", "21.42"));
        EXPECT_EQ(ReadString(key, "Latitude"), "21.42");
        EXPECT_EQ(ReadString(key, "Area"), "Jakarta");
        EXPECT_TRUE(key.Delete("Area"));  // the user's own copy only
        EXPECT_EQ(ReadString(key, "Area"), "Jakarta");
    }
    EXPECT_EQ(ReadString(machine, "Latitude"), "-6.175");
    EXPECT_EQ(ReadString(machine, "Area"), "Jakarta");
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
}
