// The small file and registry routines, for real in a temporary folder and the test prefix's
// registry.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "store/FileRoutines.h"
#include "store/RegistryRoutines.h"

using testing_support::RegistryKeyGuard;
using testing_support::TempProgramFolder;

TEST(FileRoutines, PathsAndFolders) {
  EXPECT_EQ(AddTrailingSlash(L"C:\\x"), L"C:\\x\\");
  EXPECT_EQ(AddTrailingSlash(L"C:\\x\\"), L"C:\\x\\");
  EXPECT_EQ(AddTrailingSlash(L""), L"");
  EXPECT_EQ(StripTrailingSlash(L"C:\\"), L"C:");
  EXPECT_EQ(StripTrailingSlash(L"SYS"), L"SYS");
  EXPECT_EQ(FileNameOf(L"D:\\Backup\\2026_12_07.BCD"), L"2026_12_07.BCD");
  EXPECT_EQ(FileNameOf(L"plain.bcd"), L"plain.bcd");
  EXPECT_EQ(FileNameOf(L""), L"");

  TempProgramFolder folder;
  std::wstring deep = folder.File(L"a\\b c\\d\\");
  EXPECT_TRUE(MakeDirectories(deep));
  EXPECT_TRUE(FileExists(deep));  // a directory counts as existing
  // A folder that carries more attributes than "directory" is still a folder.
  SetFileAttributesW(folder.File(L"a\\b c").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
  EXPECT_TRUE(MakeDirectories(folder.File(L"a\\b c")));
  SetFileAttributesW(folder.File(L"a\\b c").c_str(), FILE_ATTRIBUTE_NORMAL);

  ASSERT_TRUE(folder.WriteText(L"tool.exe", "MZ"));
  EXPECT_TRUE(CopyIntoDirectory(folder.File(L"tool.exe"), folder.File(L"x\\y\\"), L"bcdedit.exe", false));
  EXPECT_EQ(folder.ReadText(L"x\\y\\bcdedit.exe"), "MZ");
  EXPECT_FALSE(CopyIntoDirectory(folder.File(L"tool.exe"), folder.File(L"x\\y\\"), L"bcdedit.exe", true));
  EXPECT_FALSE(FileExists(folder.File(L"missing.exe")));
}

TEST(FileRoutines, CombineWithFolderNeverLooksAtTheCurrentFolder) {
  const struct {
    const wchar_t* path;
    const wchar_t* expected;
  } cases[] = {
      {L"Backup\\2026_12_06.BCD", L"C:\\Vexa\\Backup\\2026_12_06.BCD"},
      {L"D:\\Saved\\a.bcd", L"D:\\Saved\\a.bcd"},
      {L"..\\Other\\.\\b.bcd", L"C:\\Other\\b.bcd"},
      {L"\\Root.bcd", L"C:\\Root.bcd"},
      {L"Backup/Sub/c.bcd", L"C:\\Vexa\\Backup\\Sub\\c.bcd"},
      {L"Backup\\", L"C:\\Vexa\\Backup\\"},  // still names a folder
      {L"..\\..\\..\\x.bcd", L"C:\\x.bcd"},
      {L"\\\\server\\share\\..\\y.bcd", L"\\\\server\\share\\y.bcd"},
  };
  for (const auto& c : cases) EXPECT_EQ(CombineWithFolder(L"C:\\Vexa\\", c.path), c.expected) << c.path;
}

TEST(RegistryRoutines, WriteReadAndRemove) {
  const std::wstring key = L"Software\\VexaTest\\Routines";
  RegistryKeyGuard guard(HKEY_CURRENT_USER, L"Software\\VexaTest");
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, key, false, false));
  EXPECT_EQ(RegReadText(HKEY_CURRENT_USER, key, L"x", false, false, L"fallback"), L"fallback");
  ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, key, L"Run", L"\"C:\\Vexa\\vexa.exe\" -mini"));
  EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, key, false, false));
  EXPECT_EQ(RegReadText(HKEY_CURRENT_USER, key, L"Run", false, false, L""), L"\"C:\\Vexa\\vexa.exe\" -mini");

  // Environment references are expanded, even past 260 characters.
  std::wstring longTail(300, L'x');
  ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, key, L"Path", L"%SystemRoot%\\" + longTail));
  wchar_t root[MAX_PATH];
  GetEnvironmentVariableW(L"SystemRoot", root, MAX_PATH);
  EXPECT_EQ(RegReadText(HKEY_CURRENT_USER, key, L"Path", false, false, L""), std::wstring(root) + L"\\" + longTail);

  // A list of strings comes back joined by "\n", nothing before the first or after the last.
  HKEY handle;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &handle), ERROR_SUCCESS);
  const wchar_t multi[] = L"{a}\0{b}\0{c}\0";
  RegSetValueExW(handle, L"Order", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi), sizeof(multi));
  const BYTE timeout[] = {0x1E, 0, 0, 0, 0, 0, 0, 0};
  RegSetValueExW(handle, L"Timeout", 0, REG_BINARY, timeout, sizeof(timeout));
  RegCloseKey(handle);
  EXPECT_EQ(RegReadText(HKEY_CURRENT_USER, key, L"Order", true, false, L""), L"{a}\n{b}\n{c}");

  auto bytes = RegReadRaw(HKEY_CURRENT_USER, key, L"Timeout");
  ASSERT_TRUE(bytes.has_value());
  ASSERT_EQ(bytes->size(), 8u);
  EXPECT_EQ((*bytes)[0], 0x1E);
  // A failed read reports failure instead of repeating the bytes read before.
  EXPECT_FALSE(RegReadRaw(HKEY_CURRENT_USER, key, L"NoSuchValue").has_value());
  EXPECT_FALSE(RegReadRaw(HKEY_CURRENT_USER, key + L"\\Missing", L"Timeout").has_value());

  EXPECT_TRUE(RegRemoveValue(HKEY_CURRENT_USER, key, L"Run"));
  EXPECT_FALSE(RegRemoveValue(HKEY_CURRENT_USER, key, L"Run"));
  EXPECT_EQ(RegReadText(HKEY_CURRENT_USER, key, L"Run", false, false, L"gone"), L"gone");
  EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, key + L"\\Created", true, false));
  EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, key + L"\\Created", false, false));
}
