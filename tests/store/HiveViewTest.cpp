// The boot store read straight from the registry, against real keys in the mounted layout under a
// key of this test's own (never the machine's BCD00000000).
#include <windows.h>

#include <gtest/gtest.h>

#include "base/AppSettings.h"
#include "core/BootEntry.h"
#include "core/DeviceSpec.h"
#include "store/EntryList.h"
#include "store/HiveView.h"
#include "StoreSandbox.h"

using testing_support::StoreSandbox;
namespace demo = testing_support::demo_store;

namespace {

constexpr wchar_t kLoaderA[] = L"{0b2ac6a1-4c2b-11e0-9a3f-b3a2b6c41a01}";
constexpr wchar_t kLoaderB[] = L"{0b2ac6a1-4c2b-11e0-9a3f-b3a2b6c41a02}";

class HiveView : public ::testing::Test, protected StoreSandbox {
 protected:
  void SetUp() override {
    AppSettings = {};
    AppSettings.storeKeyName = storeKey;
  }
};

}  // namespace

TEST_F(HiveView, TimeoutIsLittleEndianAndUnknownWhenUnreadable) {
  ASSERT_TRUE(SetElementInteger(kBootMgrGuid, kHiveTimeout, 30));
  EntryList list;
  list.ReadTimeoutFromHive();  // not in hive mode: nothing is read
  EXPECT_EQ(list.bootManager.timeout, -1);
  list.registryMode = 1;
  list.ReadTimeoutFromHive();
  EXPECT_EQ(list.bootManager.timeout, 30);
  EXPECT_EQ(AppSettings.bcdTimeout, 30);

  ASSERT_TRUE(SetElementBytes(kBootMgrGuid, kHiveTimeout, std::string("\x2c\x01\x00\x00\x00\x00\x00\x00", 8)));
  list.ReadTimeoutFromHive();
  EXPECT_EQ(list.bootManager.timeout, 300);

  // A short value or a failed read must not repeat the last value read.
  ASSERT_TRUE(SetElementBytes(kBootMgrGuid, kHiveTimeout, std::string("\x05\x00", 2)));
  list.ReadTimeoutFromHive();
  EXPECT_EQ(list.bootManager.timeout, -1);
  EXPECT_EQ(AppSettings.bcdTimeout, -1);
  ASSERT_TRUE(SetElementInteger(kBootMgrGuid, kHiveTimeout, 7));
  list.ReadTimeoutFromHive();
  ASSERT_EQ(AppSettings.bcdTimeout, 7);
  AppSettings.storeKeyName = storeKey + L"Missing";
  list.ReadTimeoutFromHive();
  EXPECT_EQ(list.bootManager.timeout, -1);
  EXPECT_EQ(AppSettings.bcdTimeout, -1);
}

TEST_F(HiveView, ObjectPathAndDescription) {
  ASSERT_TRUE(SetElementText(kLoaderA, kHivePath, L"\\Windows\\system32\\winload.exe"));
  ASSERT_TRUE(SetElementText(kLoaderA, kHiveDescription, L"Windows 7"));
  ASSERT_TRUE(SetElementText(kLoaderB, kHivePath, L"%SystemRoot%\\grldr.mbr", REG_EXPAND_SZ));
  ASSERT_TRUE(SetElementText(kLoaderB, kHiveDescription, L"Grub"));

  BootEntry a;
  a.identifier = kLoaderA;
  ReadObjectFromHive(a);
  EXPECT_EQ(a.GetPath(), L"\\Windows\\system32\\winload.exe");
  EXPECT_EQ(a.description, L"Windows 7");

  wchar_t windows[MAX_PATH];
  ASSERT_GT(GetEnvironmentVariableW(L"SystemRoot", windows, MAX_PATH), 0u);
  BootEntry b;
  b.identifier = kLoaderB;
  ReadObjectFromHive(b);
  EXPECT_EQ(b.GetPath(), std::wstring(windows) + L"\\grldr.mbr");
  EXPECT_EQ(b.description, L"Grub");

  // An object the store does not hold reads as empty, including a stale description.
  BootEntry missing;
  missing.identifier = L"{00000000-0000-0000-0000-000000000001}";
  missing.description = L"old";
  ReadObjectFromHive(missing);
  EXPECT_EQ(missing.GetPath(), L"");
  EXPECT_EQ(missing.description, L"");
}

// The bcdedit stand-in writes the store; the hive view must read back what the tool's listing shows.
TEST(HiveViewWithStandin, ReadsTheStoreTheToolWrote) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.SeedDemo());
  AppSettings = {};
  AppSettings.storeKeyName = sandbox.storeKey;

  EntryList list;
  list.registryMode = 1;
  list.ReadManagerFromHive();
  std::wstring order;
  for (const wchar_t* id : {demo::kWindows10, demo::kWindows7, demo::kWindowsPe, demo::kWindows8Vhd, kNtldrGuid,
                            demo::kGrub})
    order += (order.empty() ? L"" : L"\n") + std::wstring(id);
  EXPECT_EQ(list.bootManager.displayorder, order);
  EXPECT_EQ(list.bootManager.defaultId, demo::kWindows10);
  EXPECT_EQ(list.bootManager.timeout, 30);
  // The pairs match what the listing would have put there, so copies of the record agree.
  EXPECT_EQ(list.bootManager.elements[L"displayorder"], order);
  EXPECT_EQ(list.bootManager.elements[L"timeout"], L"30");

  BootEntry grub;
  grub.identifier = demo::kGrub;
  ReadObjectFromHive(grub);
  EXPECT_EQ(grub.GetPath(), L"\\grldr.mbr");
  EXPECT_EQ(grub.description, L"GRUB");
  EXPECT_FALSE(HiveLegacyEntryMissing());

  // Devices as the tool keeps them split like the listing's.
  DeviceSpec pe;
  ParseDevice(ReadHiveText(demo::kWindowsPe, kHiveDevice, false), &pe);
  EXPECT_EQ(pe.kind, DeviceSpec::kRamdisk);
  EXPECT_EQ(pe.volume, L"C:");
  EXPECT_EQ(pe.path, L"\\sources\\boot.wim");
  EXPECT_EQ(pe.options, L"{ramdiskoptions}");

  // Changes made through the tool show up in the next read.
  ASSERT_EQ(sandbox.RunTool(L"bcdedit", L" /timeout 5").exitCode, 0u);
  ASSERT_EQ(sandbox.RunTool(L"bcdedit", L" /default " + std::wstring(demo::kGrub)).exitCode, 0u);
  ASSERT_EQ(sandbox.RunTool(L"bcdedit", L" /set " + std::wstring(demo::kWindows7) +
                                        L" device vhd=[locate]\\vhd\\w7.vhd").exitCode,
            0u);
  ASSERT_EQ(sandbox.RunTool(L"bcdedit", L" /deletevalue {ntldr} device").exitCode, 0u);
  ASSERT_EQ(sandbox.RunTool(L"bcdedit", L" /bootsequence " + std::wstring(demo::kWindows7) + L" " + demo::kGrub).exitCode, 0u);
  list.ReadManagerFromHive();
  EXPECT_EQ(list.bootManager.elements[L"bootsequence"], std::wstring(demo::kWindows7) + L"\n" + demo::kGrub);
  EXPECT_EQ(list.bootManager.timeout, 5);
  EXPECT_EQ(AppSettings.bcdTimeout, 5);
  EXPECT_EQ(list.bootManager.defaultId, demo::kGrub);
  DeviceSpec vhd;
  ParseDevice(ReadHiveText(demo::kWindows7, kHiveDevice, false), &vhd);
  EXPECT_EQ(vhd.kind, DeviceSpec::kVirtualDisk);
  EXPECT_EQ(vhd.volume, L"boot");
  EXPECT_EQ(BuildDevice(&vhd), L"vhd=[locate]\\vhd\\w7.vhd");
  EXPECT_TRUE(HiveLegacyEntryMissing());
  ASSERT_EQ(sandbox.RunTool(L"bcdedit", L" /set {ntldr} device partition=C:").exitCode, 0u);
  EXPECT_FALSE(HiveLegacyEntryMissing());
  ASSERT_EQ(sandbox.RunTool(L"bcdedit", L" /deletevalue {ntldr} path").exitCode, 0u);
  EXPECT_TRUE(HiveLegacyEntryMissing());
}

// The same store read through the tool's listing and, with the tool gone, through the hive gives
// the same menu: order, names, paths, default and timeout.
TEST(HiveViewWithStandin, MenuFromTheHiveMatchesTheMenuFromTheTool) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.SeedDemo());
  AppSettings = {};
  AppSettings.osClass = 10;
  AppSettings.storeKeyName = sandbox.storeKey;
  AppSettings.bootIniPath = sandbox.folder.File(L"boot.ini");

  EntryList byTool;
  byTool.InitialLoad();
  byTool.Reload(1);
  ASSERT_EQ(byTool.registryMode, 0);

  ASSERT_TRUE(DeleteFileW(sandbox.folder.File(L"bin64\\bcdedit.exe").c_str()));
  AppSettings.toolsAvailable = false;
  EntryList byHive;
  byHive.InitialLoad();
  ASSERT_EQ(byHive.registryMode, 1);
  byHive.Reload(1);

  EXPECT_EQ(byHive.bootManager.displayorder, byTool.bootManager.displayorder);
  EXPECT_EQ(byHive.bootManager.defaultId, byTool.bootManager.defaultId);
  EXPECT_EQ(byHive.bootManager.timeout, byTool.bootManager.timeout);
  ASSERT_EQ(byTool.displayIndex.size(), 6u);
  ASSERT_EQ(byHive.displayIndex.size(), byTool.displayIndex.size());
  for (size_t row = 0; row < byTool.displayIndex.size(); ++row) {
    const BootEntry& tool = byTool.entries[byTool.displayIndex[row]];
    const BootEntry& hiveEntry = byHive.entries[byHive.displayIndex[row]];
    EXPECT_EQ(hiveEntry.identifier, tool.identifier) << row;
    EXPECT_EQ(hiveEntry.description, tool.description) << row;
    EXPECT_EQ(hiveEntry.GetPath(), tool.GetPath()) << row;
    // The listing's device and the stored one split alike.
    ASSERT_FALSE(tool.device.empty()) << row;
    DeviceSpec listed, stored;
    ParseDevice(tool.device, &listed);
    ParseDevice(ReadHiveText(tool.identifier, kHiveDevice, false), &stored);
    EXPECT_EQ(BuildDevice(&stored), BuildDevice(&listed)) << row;
    EXPECT_EQ(stored.kind, listed.kind) << row;
  }
  EXPECT_EQ(byHive.ntldrIndex >= 0, byTool.ntldrIndex >= 0);
}

// A device composed here, set through the runner as the editing pages set it, is stored by the tool
// and parses back to the same parts.
TEST(HiveViewWithStandin, DevicesComposedHereSurviveTheTool) {
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.SeedDemo());
  AppSettings = {};
  AppSettings.storeKeyName = sandbox.storeKey;

  const DeviceSpec devices[] = {
      {DeviceSpec::kPartition, L"D:", L"", L""},
      {DeviceSpec::kPartition, L"boot", L"", L""},
      {DeviceSpec::kPartition, L"\\Device\\HarddiskVolume2", L"", L""},
      {DeviceSpec::kRamdisk, L"C:", L"\\sources\\boot.wim", L"{ramdiskoptions}"},
      {DeviceSpec::kVirtualDisk, L"boot", L"\\VHD\\My Disk.vhd", L""},
      {DeviceSpec::kVirtualDisk, L"E:", L"\\w.vhdx", kRamdiskOptionsGuid},
  };
  for (const DeviceSpec& device : devices) {
    std::wstring text = BuildDevice(&device);
    ASSERT_TRUE(DeviceTextIsSafe(text)) << text;
    ASSERT_TRUE(Runner().SetElement(demo::kWindows7, L" device ", text).started) << text;
    DeviceSpec stored;
    ParseDevice(ReadHiveText(demo::kWindows7, kHiveDevice, false), &stored);
    EXPECT_EQ(stored.kind, device.kind) << text;
    EXPECT_EQ(stored.volume, device.volume) << text;
    EXPECT_EQ(stored.path, device.path) << text;
    EXPECT_EQ(stored.options, device.options) << text;
  }
}
