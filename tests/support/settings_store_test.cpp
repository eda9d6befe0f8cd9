#include "support/settings_store.h"
#include "support/text_codec.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace velk {
namespace {

// Each test process uses its own application name, so that tests running side by side and
// the wizard's own value FCDir are never touched.
class SettingsStore : public ::testing::Test {
 protected:
  void TearDown() override {
    std::string appKey = SettingsKeyPath(app_, "");
    appKey.pop_back();  // the application's key, without a section
    RegDeleteTreeW(HKEY_CURRENT_USER, Widen(appKey).c_str());
  }
  const std::string app_ = "VELK-Test-" + std::to_string(GetCurrentProcessId());
};

TEST_F(SettingsStore, RoundTripAndOverwrite) {
  EXPECT_EQ(ReadSetting(app_, "Settings", "FCDir"), std::nullopt);
  ASSERT_TRUE(WriteSetting(app_, "Settings", "FCDir", "D:\\Spiele\\Far Cry ä ö ü ß Игры"));
  EXPECT_EQ(ReadSetting(app_, "Settings", "FCDir"), "D:\\Spiele\\Far Cry ä ö ü ß Игры");
  ASSERT_TRUE(WriteSetting(app_, "Settings", "FCDir", ""));
  // An empty text is a stored value, not a missing one.
  EXPECT_EQ(ReadSetting(app_, "Settings", "FCDir"), "");
  EXPECT_EQ(ReadSetting(app_, "Settings", "Other"), std::nullopt);
  EXPECT_EQ(ReadSetting(app_, "Elsewhere", "FCDir"), std::nullopt);
}

TEST_F(SettingsStore, StoredWhereEarlierVersionsKeptIt) {
  ASSERT_TRUE(WriteSetting(app_, "Settings", "FCDir", "C:\\Far Cry"));
  const std::wstring key = Widen(SettingsKeyPath(app_, "Settings"));
  wchar_t value[64] = {};
  DWORD bytes = sizeof value;
  DWORD type = 0;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"FCDir", RRF_RT_ANY, &type, value, &bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(std::wstring(value), L"C:\\Far Cry");
  // A value seeded from outside (as "reg add" does) is read back.
  const std::wstring seeded = L"E:\\Games\\Far Cry 1.4";
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Seeded", REG_SZ, seeded.c_str(),
                            static_cast<DWORD>((seeded.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  EXPECT_EQ(ReadSetting(app_, "Settings", "Seeded"), "E:\\Games\\Far Cry 1.4");
}

TEST_F(SettingsStore, LongValues) {
  const std::string longPath = "C:\\" + std::string(2000, 'x') + "\\Far Cry";
  ASSERT_TRUE(WriteSetting(app_, "Settings", "FCDir", longPath));
  EXPECT_EQ(ReadSetting(app_, "Settings", "FCDir"), longPath);
}

TEST(GameDirSetting, NamesTheWizardsValue) {
  EXPECT_STREQ(kSettingsApp, "VELK-Installer");
  EXPECT_STREQ(kSettingsSection, "Settings");
  EXPECT_STREQ(kGameDirSetting, "FCDir");
  EXPECT_EQ(ReadGameDirSetting(), ReadSetting("VELK-Installer", "Settings", "FCDir"));
}

}  // namespace
}  // namespace velk
