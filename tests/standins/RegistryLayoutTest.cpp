// The system store in the registry is laid out as Windows mounts the BCD hive, so the program's
// registry view reads exactly what the tool wrote; and the demo seed helper for the program's tests.
#include <gtest/gtest.h>

#include <vector>

#include "StandinRun.h"

using namespace standin_tests;

namespace {

struct RegValue {
  DWORD type = 0;
  std::vector<BYTE> data;
};

RegValue Read(const std::wstring& root, const std::wstring& subkey, const wchar_t* name) {
  RegValue value;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (root + L"\\" + subkey).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return value;
  DWORD size = 0;
  RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size);
  value.data.resize(size);
  RegQueryValueExW(key, name, nullptr, &value.type, value.data.data(), &size);
  RegCloseKey(key);
  return value;
}

std::wstring Text(const RegValue& value) {
  return std::wstring(reinterpret_cast<const wchar_t*>(value.data.data()), value.data.size() / 2);
}

const std::wstring kManager = L"Objects\\{9dea862c-5cdd-4e70-acc1-f32b344d4795}";

}  // namespace

TEST(RegistryLayout, ElementsHaveTheValueKindsWindowsUses) {
  StandinSandbox sandbox;
  sandbox.SeedDemo();
  const std::wstring& root = sandbox.Root();

  RegValue type = Read(root, kManager + L"\\Description", L"Type");
  EXPECT_EQ(type.type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(type.data, (std::vector<BYTE>{0x02, 0x00, 0x10, 0x10}));

  RegValue order = Read(root, kManager + L"\\Elements\\24000001", L"Element");
  EXPECT_EQ(order.type, static_cast<DWORD>(REG_MULTI_SZ));
  EXPECT_EQ(Text(order), std::wstring(L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e10}\0{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}\0"
                                      L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e0e}\0{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e08}\0"
                                      L"{466f5a88-0af2-4f76-9038-095b170dc21c}\0{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3eb5}\0\0",
                                      6 * 39 + 1));

  RegValue def = Read(root, kManager + L"\\Elements\\23000003", L"Element");
  EXPECT_EQ(def.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Text(def), std::wstring(L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e10}", 39));

  RegValue timeout = Read(root, kManager + L"\\Elements\\25000004", L"Element");
  EXPECT_EQ(timeout.type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(timeout.data, (std::vector<BYTE>{0x1E, 0, 0, 0, 0, 0, 0, 0}));

  const std::wstring pe = L"Objects\\{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e0e}\\Elements\\";
  RegValue winpe = Read(root, pe + L"26000022", L"Element");
  EXPECT_EQ(winpe.type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(winpe.data, (std::vector<BYTE>{0x01}));
  RegValue path = Read(root, pe + L"12000002", L"Element");
  EXPECT_EQ(path.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(Text(path), std::wstring(L"\\windows\\system32\\winload.exe", 30));
  RegValue device = Read(root, pe + L"11000001", L"Element");
  EXPECT_EQ(Text(device), std::wstring(L"ramdisk=[C:]\\sources\\boot.wim,{ae5534e0-a924-466c-b836-758539a3ee3a}", 69));

  RegValue current = Read(root, L"Description", L"VexaCurrentObject");
  EXPECT_EQ(Text(current), std::wstring(L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e10}", 39));
}

TEST(RegistryLayout, ToolChangesLandInTheRegistryAndRegistryEditsReachTheTool) {
  StandinSandbox sandbox;
  sandbox.SeedDemo();
  sandbox.BcdEdit(L" /timeout 5");
  EXPECT_EQ(Read(sandbox.Root(), kManager + L"\\Elements\\25000004", L"Element").data,
            (std::vector<BYTE>{5, 0, 0, 0, 0, 0, 0, 0}));
  // The registry is the store: a description written there is what the tool lists.
  HKEY key = nullptr;
  std::wstring subkey = sandbox.Root() + L"\\Objects\\{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}\\Elements\\12000004";
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  const wchar_t kName[] = L"Seven edited";
  RegSetValueExW(key, L"Element", 0, REG_SZ, reinterpret_cast<const BYTE*>(kName), sizeof(kName));
  RegCloseKey(key);
  EXPECT_NE(sandbox.BcdEdit(L" /enum {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}").find("description             Seven edited\r\n"),
            std::string::npos);
}

TEST(RegistryLayout, SeedHelperForProgramTestsFillsTheStoreWithoutJournalling) {
  StandinSandbox sandbox;  // points VEXA_BCD_ROOT at a private key and the journal into its folder
  ASSERT_TRUE(testing_support::SeedDemoStore());
  EXPECT_EQ(Read(sandbox.Root(), kManager + L"\\Elements\\25000004", L"Element").data.size(), 8u);
  EXPECT_EQ(sandbox.Journal(), "");
  testing_support::CapturedRun listing = testing_support::RunBuiltStandin(L"bcdedit", L" /enum {current}");
  EXPECT_EQ(listing.exitCode, 0u);
  EXPECT_NE(listing.output.find("description             Windows 10\r\n"), std::string::npos);
}
