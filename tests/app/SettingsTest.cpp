// Settings file, language choice, autostart and the attribute rule, on real files and the registry
// of the test prefix.
#include <gtest/gtest.h>

#include "StoreSandbox.h"
#include "app/Environment.h"
#include "base/SettingsFile.h"
#include "app/Settings.h"
#include "base/Format.h"
#include "store/FileRoutines.h"
#include "store/RegistryRoutines.h"

using namespace testing_support;

namespace {

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

// Wine reports every plain file as ready for archiving, whatever was set.
DWORD AttributesBesidesArchive(const std::wstring& path) { return Attributes(path) & ~FILE_ATTRIBUTE_ARCHIVE; }

std::wstring Profile(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t buffer[260] = {};
  GetPrivateProfileStringW(section, key, L"<none>", buffer, 260, file.c_str());
  return buffer;
}

}  // namespace

TEST(Settings, DefaultsWithoutSettingsFile) {
  StoreSandbox sandbox;
  ResolveLanguage();
  EXPECT_EQ(AppSettings.settingsFile, sandbox.folder.File(L"wmast.dll"));
  AppSettings.startPage = AppSettings.bcdDelMode = AppSettings.showBalloon = 7;
  LoadSettings(L"");
  EXPECT_EQ(AppSettings.startPage, 1);
  EXPECT_EQ(AppSettings.bcdDelMode, 1);
  EXPECT_EQ(AppSettings.bcdNtldrAsk, 1);
  EXPECT_EQ(AppSettings.changeNtldrName, 1);
  EXPECT_EQ(AppSettings.showBalloon, 1);
  EXPECT_EQ(AppSettings.autoReBoot, 0);
  EXPECT_EQ(AppSettings.enableDelMode, 0);
  EXPECT_EQ(AppSettings.mbrUseSysMode, 0);
  EXPECT_EQ(AppSettings.debugMode, 0);
  EXPECT_TRUE(AppSettings.showWindow);
  EXPECT_EQ(AppSettings.pluginsFile, sandbox.folder.File(L"plugins.ini"));
  EXPECT_EQ(AppSettings.bootIniPath, L"c:\\boot.ini");
  EXPECT_EQ(AppSettings.storeKeyName, L"BCD00000000");
  EXPECT_EQ(AppSettings.osClass, GetOsClass());
  EXPECT_EQ(AppSettings.bcdSystem, AppSettings.osClass > 5);
  EXPECT_FALSE(AppSettings.toolsAvailable);
  EXPECT_FALSE(AppSettings.ntldrPresent);
  EXPECT_EQ(AppSettings.bcdTimeout, -1);
  EXPECT_EQ(AppSettings.winPeState, -1);
}

TEST(Settings, EveryKeyIsReadFromAHiddenSettingsFile) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.folder.WriteText(L"wmast.dll",
                                  "[Tavro]\r\nshowBalloon=0\r\nSwtich=0\r\nChangBCD_NTLDR_name=0\r\nAutoReBoot=1\r\n"
                                  "EnableDelMode=1\r\nBCDDelMode=0\r\nBCDntldrASK=0\r\nMBR_USE_SYS_MODE=1\r\n"
                                  "DEBUG=1\r\n[Other]\r\nSwtich=5\r\n"));
  ResolveLanguage();
  MarkHiddenSystem(AppSettings.settingsFile);
  LoadSettings(L"-mini");
  EXPECT_EQ(AppSettings.showBalloon, 0);
  EXPECT_EQ(AppSettings.startPage, 0);
  EXPECT_EQ(AppSettings.changeNtldrName, 0);
  EXPECT_EQ(AppSettings.autoReBoot, 1);
  EXPECT_EQ(AppSettings.enableDelMode, 1);
  EXPECT_EQ(AppSettings.bcdDelMode, 0);
  EXPECT_EQ(AppSettings.bcdNtldrAsk, 0);
  EXPECT_EQ(AppSettings.mbrUseSysMode, 1);
  EXPECT_EQ(AppSettings.debugMode, 1);
  EXPECT_FALSE(AppSettings.showWindow);
}

TEST(Settings, OnlyTheExactMiniSwitchStartsHidden) {
  StoreSandbox sandbox;
  ResolveLanguage();
  for (const wchar_t* line : {L"-MINI", L" -mini", L"-mini ", L"-mini -setdir", L"/mini", L""}) {
    LoadSettings(line);
    EXPECT_TRUE(AppSettings.showWindow) << "command line [" << base::Narrow(line, CP_UTF8) << "]";
  }
  LoadSettings(L"-mini");
  EXPECT_FALSE(AppSettings.showWindow);
}

// Removes the autostart value, whatever the test did.
struct AutostartGuard {
  ~AutostartGuard() { RegRemoveValue(HKEY_LOCAL_MACHINE, kRunKey, kRunValueName); }
};

TEST(Settings, BootIniTimeoutAndAutostartAreRead) {
  StoreSandbox sandbox;
  AutostartGuard guard;
  ResolveLanguage();
  ASSERT_TRUE(sandbox.PlaceFile(L"c:\\boot.ini", "[boot loader]\r\ntimeout=17\r\n[operating systems]\r\n"));
  RegRemoveValue(HKEY_LOCAL_MACHINE, kRunKey, kRunValueName);

  LoadSettings(L"");
  EXPECT_EQ(AppSettings.bootIniTimeout, 17);
  EXPECT_FALSE(AppSettings.autoStart);

  ASSERT_TRUE(RegWriteString(HKEY_LOCAL_MACHINE, kRunKey, kRunValueName, L"\"c:\\vexa\\vexa.exe\" -mini"));
  EXPECT_TRUE(ReadAutoStart());
  LoadSettings(L"");
  EXPECT_TRUE(AppSettings.autoStart);
}

TEST(Settings, WriteSettingIntLeavesAHiddenSystemFile) {
  StoreSandbox sandbox;
  ResolveLanguage();
  WriteSettingInt(L"Tavro", L"AutoReBoot", 1);  // no file yet: created, then marked
  EXPECT_EQ(Profile(AppSettings.settingsFile, L"Tavro", L"AutoReBoot"), L"1");
  EXPECT_EQ(AttributesBesidesArchive(AppSettings.settingsFile), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));

  // A read-only file is still written: marking it first clears read-only.
  SetFileAttributesW(AppSettings.settingsFile.c_str(), FILE_ATTRIBUTE_READONLY);
  WriteSettingInt(L"Tavro", L"BCDDelMode", -3);
  EXPECT_EQ(Profile(AppSettings.settingsFile, L"Tavro", L"BCDDelMode"), L"-3");
  EXPECT_EQ(Profile(AppSettings.settingsFile, L"Tavro", L"AutoReBoot"), L"1");
  EXPECT_EQ(AttributesBesidesArchive(AppSettings.settingsFile), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  LoadSettings(L"");
  EXPECT_EQ(AppSettings.bcdDelMode, -3);
}

TEST(Settings, MarkHiddenSystemSetsExactlyHiddenAndSystem) {
  TempProgramFolder folder;
  std::wstring file = folder.File(L"flags.ini");
  MarkHiddenSystem(file);
  EXPECT_EQ(Attributes(file), INVALID_FILE_ATTRIBUTES) << "a missing file is not created";

  ASSERT_TRUE(folder.WriteText(L"flags.ini", "x"));
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  MarkHiddenSystem(file);
  EXPECT_EQ(AttributesBesidesArchive(file), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  EXPECT_EQ(folder.ReadText(L"flags.ini"), "x");
}

TEST(Settings, LanguageChoiceFallsBackFromKeyToUserLanguageToPrimaryLanguage) {
  StoreSandbox sandbox;
  ResolveLanguage();
  MakeDirectories(sandbox.folder.File(L"Language"));
  // No key, no files: the primary language's main variant, unchecked.
  EXPECT_EQ(SelectLanguageFor(0x0c04, 936), L"804");
  EXPECT_EQ(SelectLanguageFor(0x0c04, 950), L"404");
  EXPECT_EQ(SelectLanguageFor(0x0807, 850), L"407");

  ASSERT_TRUE(sandbox.folder.WriteText(L"Language\\c04.ini", Utf16File(L"[Info]\nLanguage=HK\n")));
  EXPECT_EQ(SelectLanguageFor(0x0c04, 936), L"c04") << "the user's own language when its file exists";

  // A Lang key naming a file that exists wins; AUTO or a missing file falls through.
  ASSERT_TRUE(sandbox.folder.WriteText(L"Language\\mine.ini", Utf16File(L"[Info]\nLanguage=Mine\n")));
  WritePrivateProfileStringW(L"Tavro", L"Lang", L"mine", AppSettings.settingsFile.c_str());
  EXPECT_EQ(SelectLanguageFor(0x0c04, 936), L"mine");
  WritePrivateProfileStringW(L"Tavro", L"Lang", L"AUTO", AppSettings.settingsFile.c_str());
  EXPECT_EQ(SelectLanguageFor(0x0c04, 936), L"c04");
  WritePrivateProfileStringW(L"Tavro", L"Lang", L"gone", AppSettings.settingsFile.c_str());
  EXPECT_EQ(SelectLanguageFor(0x0807, 850), L"407");
}

TEST(Settings, ResolveLanguageSetsTheFileOnlyWhenItExists) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.folder.WriteText(L"wmast.dll", "[Tavro]\r\nLang=mine\r\n"));
  MakeDirectories(sandbox.folder.File(L"Language"));
  ASSERT_TRUE(sandbox.folder.WriteText(L"Language\\mine.ini", Utf16File(L"[String]\n11=Fertig\n")));
  ResolveLanguage();
  EXPECT_EQ(AppSettings.languageCode, L"mine");
  EXPECT_EQ(AppSettings.languageFile, sandbox.folder.File(L"Language\\mine.ini"));

  DeleteFileW(sandbox.folder.File(L"Language\\mine.ini").c_str());
  ResolveLanguage();
  // The user's language and its primary variant have no file in this folder: built-in texts.
  EXPECT_NE(AppSettings.languageCode, L"mine");
  EXPECT_EQ(AppSettings.languageFile, L"");
}
