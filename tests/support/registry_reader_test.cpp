// Other programs' registry entries in the private prefix, read in the view they were written for.
#include "support/registry_reader.h"

#include <windows.h>

#include <algorithm>

#include <gtest/gtest.h>

namespace velk {
namespace {

// What a 32-bit installer leaves on 64-bit Windows: keys below HKLM\SOFTWARE\WOW6432Node.
class RegistryReader : public ::testing::Test {
 protected:
  void SetUp() override {
    SetText(L"\\a", L"path", REG_SZ, L"D:\\Spiele\\Far Cry ä");
    SetText(L"\\a", L"empty", REG_SZ, L"");
    SetText(L"\\a", L"expand", REG_EXPAND_SZ, L"%SystemRoot%\\x");
    const DWORD number = 7;
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, (wow_ + L"\\a").c_str(), L"number", REG_DWORD, &number,
                    sizeof number);
    SetText(L"\\b", L"path", REG_SZ, L"E:\\");
  }
  void TearDown() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, wow_.c_str()); }

  void SetText(const std::wstring& sub, const wchar_t* name, DWORD type, const std::wstring& text) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, (wow_ + sub).c_str(), name, type, text.c_str(),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }

  const std::wstring wow_ =
      L"SOFTWARE\\WOW6432Node\\VELK-Test-" + std::to_wstring(GetCurrentProcessId());
  const std::string key_ = "SOFTWARE\\VELK-Test-" + std::to_string(GetCurrentProcessId());
};

TEST_F(RegistryReader, TextValuesInTheChosenView) {
  const auto root = RegistryRoot::LocalMachine;
  const auto bit32 = RegistryView::Bit32;
  EXPECT_EQ(ReadRegistryText(root, key_ + "\\a", "path", bit32), "D:\\Spiele\\Far Cry ä");
  EXPECT_EQ(ReadRegistryText(root, key_ + "\\A", "PATH", bit32), "D:\\Spiele\\Far Cry ä");
  EXPECT_EQ(ReadRegistryText(root, key_ + "\\a", "path", RegistryView::Bit64), std::nullopt);
  EXPECT_EQ(ReadRegistryText(root, key_ + "\\a", "empty", bit32), "");
  const auto expanded = ReadRegistryText(root, key_ + "\\a", "expand", bit32);
  ASSERT_TRUE(expanded);
  EXPECT_EQ(expanded->find('%'), std::string::npos) << *expanded;
  EXPECT_EQ(ReadRegistryText(root, key_ + "\\a", "number", bit32), std::nullopt);
  EXPECT_EQ(ReadRegistryText(root, key_ + "\\a", "missing", bit32), std::nullopt);
  EXPECT_EQ(ReadRegistryText(root, key_ + "\\missing", "path", bit32), std::nullopt);
}

TEST_F(RegistryReader, SubKeyNamesInTheChosenView) {
  std::vector<std::string> names =
      ListRegistrySubKeys(RegistryRoot::LocalMachine, key_, RegistryView::Bit32);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));
  const auto hklm = RegistryRoot::LocalMachine;
  EXPECT_TRUE(ListRegistrySubKeys(hklm, key_, RegistryView::Bit64).empty());
  EXPECT_TRUE(ListRegistrySubKeys(hklm, key_ + "\\a", RegistryView::Bit32).empty());
  EXPECT_TRUE(ListRegistrySubKeys(hklm, key_ + "\\missing", RegistryView::Bit32).empty());
}

}  // namespace
}  // namespace velk
