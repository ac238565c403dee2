// OS classes, finding and copying the tools, and finding the mounted store's key.
#include <gtest/gtest.h>

#include "StoreSandbox.h"
#include "app/Environment.h"
#include "store/ToolSetup.h"

using namespace testing_support;

TEST(Environment, OsClassTableEdges) {
  EXPECT_EQ(OsClassOf(VER_PLATFORM_WIN32_WINDOWS, 4, 10), -1);
  EXPECT_EQ(OsClassOf(VER_PLATFORM_WIN32_NT, 4, 0), 0);
  EXPECT_EQ(OsClassOf(VER_PLATFORM_WIN32_NT, 5, 0), 1);
  EXPECT_EQ(OsClassOf(VER_PLATFORM_WIN32_NT, 5, 2), 5);  // Server 2003 counts as XP
  EXPECT_EQ(OsClassOf(VER_PLATFORM_WIN32_NT, 6, 3), 9);
  EXPECT_EQ(OsClassOf(VER_PLATFORM_WIN32_NT, 6, 4), 10);
  EXPECT_EQ(OsClassOf(VER_PLATFORM_WIN32_NT, 10, 0), 10);
  EXPECT_GT(GetOsClass(), 5) << "Wine reports a Windows that boots through BCD";
}

TEST(Environment, EnsureToolsCopiesNativeToolsIntoBin64) {
  StoreSandbox sandbox(StoreSandbox::Tools::kNone);
  const TempProgramFolder& folder = sandbox.folder;
  // SysNative is the 64-bit system folder; system32 is redirected to the 32-bit one for us.
  ASSERT_TRUE(sandbox.PlaceFile(L"C:\\windows\\SysNative\\bcdedit.exe", "native bcdedit"));
  ASSERT_TRUE(sandbox.PlaceFile(L"C:\\windows\\SysNative\\bootsect.exe", "native bootsect"));
  ASSERT_TRUE(sandbox.PlaceFile(L"C:\\windows\\system32\\bcdedit.exe", "32-bit bcdedit"));

  AppSettings.toolsAvailable = false;
  AppSettings.bcdSystem = false;
  EXPECT_FALSE(EnsureTools()) << "without BCD nothing is copied";
  EXPECT_EQ(GetFileAttributesW(folder.File(L"bin64\\bcdedit.exe").c_str()), INVALID_FILE_ATTRIBUTES);

  AppSettings.bcdSystem = true;
  AppSettings.winPeState = -1;
  EXPECT_TRUE(EnsureTools());
  EXPECT_TRUE(AppSettings.toolsAvailable);
  EXPECT_EQ(AppSettings.winPeState, 0);
  EXPECT_EQ(folder.ReadText(L"bin64\\bcdedit.exe"), "native bcdedit");
  EXPECT_EQ(folder.ReadText(L"bin64\\bootsect.exe"), "native bootsect");
  EXPECT_EQ(GetFileAttributesW(folder.File(L"bin\\bcdedit.exe").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Environment, EnsureToolsCopiesOnlyWhatIsMissing) {
  StoreSandbox sandbox(StoreSandbox::Tools::kNone);
  const TempProgramFolder& folder = sandbox.folder;
  ASSERT_TRUE(sandbox.PlaceFile(L"C:\\windows\\SysNative\\bcdedit.exe", "native bcdedit"));
  ASSERT_TRUE(sandbox.PlaceFile(L"C:\\windows\\SysNative\\bootsect.exe", "native bootsect"));
  ASSERT_TRUE(folder.WriteText(L"bin64\\bcdedit.exe", "own bcdedit"));

  AppSettings.toolsAvailable = false;
  AppSettings.bcdSystem = true;
  EXPECT_TRUE(EnsureTools());
  EXPECT_EQ(folder.ReadText(L"bin64\\bcdedit.exe"), "own bcdedit") << "a present tool is not overwritten";
  EXPECT_EQ(folder.ReadText(L"bin64\\bootsect.exe"), "native bootsect");
}

TEST(Environment, EnsureToolsUnderWow64AcceptsBinFolder) {
  StoreSandbox sandbox(StoreSandbox::Tools::kNone);
  const TempProgramFolder& folder = sandbox.folder;
  ASSERT_EQ(GetFileAttributesW(L"C:\\windows\\SysNative\\bcdedit.exe"), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(folder.WriteText(L"bin\\bcdedit.exe", "bin bcdedit"));
  AppSettings.bcdSystem = true;
  AppSettings.toolsAvailable = false;
  EXPECT_TRUE(EnsureTools()) << "bin\\ counts under WOW64 even without bin64\\";

  ASSERT_TRUE(folder.WriteText(L"bin64\\bootsect.exe", "x"));
  DeleteFileW(folder.File(L"bin\\bcdedit.exe").c_str());
  AppSettings.toolsAvailable = false;
  EXPECT_FALSE(EnsureTools());

  ASSERT_TRUE(folder.WriteText(L"bin64\\bcdedit.exe", "bin64 bcdedit"));
  sandbox.PointRunner(0);  // a 32-bit Windows looks in bin\ only
  AppSettings.toolsAvailable = false;
  EXPECT_FALSE(EnsureTools());
}

TEST(Environment, FindSystemStoreKeyFindsAStoreMountedElsewhere) {
  StoreSandbox sandbox;
  const std::wstring mount = L"AAVexaMountedStore";
  // Enumerated first, but its boot manager has no display order: not the system store.
  const std::wstring half = L"AAVexaHalfStore";
  RegistryKeyGuard guard(HKEY_LOCAL_MACHINE, mount);
  RegistryKeyGuard halfGuard(HKEY_LOCAL_MACHINE, half);
  const std::wstring manager = L"\\Objects\\{9dea862c-5cdd-4e70-acc1-f32b344d4795}\\Elements\\";
  for (const std::wstring& path : {mount + manager + L"24000001", half + manager + L"25000004"}) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  AppSettings.osClass = 7;
  AppSettings.storeKeyName = L"VexaNoSuchStore";
  EXPECT_TRUE(FindSystemStoreKey());
  EXPECT_EQ(AppSettings.storeKeyName, mount);

  // The key in use is kept when it holds the boot manager's display order.
  EXPECT_TRUE(FindSystemStoreKey());
  EXPECT_EQ(AppSettings.storeKeyName, mount);
}
