// Device element texts split and put back together, on texts as the tool prints them.
#include <gtest/gtest.h>

#include "store/DeviceSpec.h"

namespace {

DeviceSpec Parsed(const std::wstring& text) {
  DeviceSpec spec;
  ParseDevice(text, &spec);
  return spec;
}

void ExpectSpec(const DeviceSpec& spec, int kind, const std::wstring& volume, const std::wstring& path,
                const std::wstring& options) {
  EXPECT_EQ(spec.kind, kind);
  EXPECT_EQ(spec.volume, volume);
  EXPECT_EQ(spec.path, path);
  EXPECT_EQ(spec.options, options);
}

}  // namespace

TEST(DeviceSpec, PartitionAndWordsRoundTrip) {
  ExpectSpec(Parsed(L"partition=C:"), 0, L"C:", L"", L"");
  ExpectSpec(Parsed(L"PARTITION=D:"), 0, L"D:", L"", L"");
  ExpectSpec(Parsed(L"boot"), 0, L"boot", L"", L"");
  ExpectSpec(Parsed(L"unknown"), 0, L"unknown", L"", L"");
  const wchar_t* guidPath = L"partition=\\\\?\\Volume{4c1b02c1-d990-11dc-99ae-806e6f6e6963}";
  ExpectSpec(Parsed(guidPath), 0, L"\\\\?\\Volume{4c1b02c1-d990-11dc-99ae-806e6f6e6963}", L"", L"");
  for (const wchar_t* text : {L"partition=C:", L"boot", L"unknown", L"BOOT", guidPath}) {
    DeviceSpec spec = Parsed(text);
    EXPECT_EQ(BuildDevice(&spec), text);
  }
}

TEST(DeviceSpec, RamdiskSplitsAndMapsTheWellKnownOptions) {
  DeviceSpec spec = Parsed(L"ramdisk=[C:]\\sources\\boot.wim,{AE5534E0-A924-466C-B836-758539A3EE3A}");
  ExpectSpec(spec, 1, L"C:", L"\\sources\\boot.wim", L"{ramdiskoptions}");
  EXPECT_EQ(BuildDevice(&spec), L"ramdisk=[C:]\\sources\\boot.wim,{ramdiskoptions}");

  spec = Parsed(L"Ramdisk=[\\\\?\\Volume{1b2c}]\\boot.wim,{7619dcc8-fafe-11d9-b411-000476eba25f}");
  ExpectSpec(spec, 1, L"\\\\?\\Volume{1b2c}", L"\\boot.wim", L"{7619dcc8-fafe-11d9-b411-000476eba25f}");
  EXPECT_EQ(BuildDevice(&spec), L"ramdisk=[\\\\?\\Volume{1b2c}]\\boot.wim,{7619dcc8-fafe-11d9-b411-000476eba25f}");

  spec = Parsed(L"ramdisk=[D:]\\boot.wim");
  ExpectSpec(spec, 1, L"D:", L"\\boot.wim", L"");
  EXPECT_EQ(BuildDevice(&spec), L"ramdisk=[D:]\\boot.wim,{ramdiskoptions}");
}

TEST(DeviceSpec, VirtualDiskLocateAndOptions) {
  DeviceSpec spec = Parsed(L"VHD=[locate]\\vhd\\win7.vhd");
  ExpectSpec(spec, 2, L"boot", L"\\vhd\\win7.vhd", L"");
  EXPECT_EQ(BuildDevice(&spec), L"vhd=[locate]\\vhd\\win7.vhd");

  spec = Parsed(L"vhd=[E:]\\w.vhdx,{a1b2c3d4-0000-1111-2222-333344445555}");
  ExpectSpec(spec, 2, L"E:", L"\\w.vhdx", L"{a1b2c3d4-0000-1111-2222-333344445555}");
  EXPECT_EQ(BuildDevice(&spec), L"vhd=[E:]\\w.vhdx,{a1b2c3d4-0000-1111-2222-333344445555}");
}

TEST(DeviceSpec, UnknownAndMalformedTextsAreKeptWhole) {
  const wchar_t* kept[] = {L"\\Device\\HarddiskVolume1", L"file=[C:]\\x.sdi", L"ramdisk=[C:\\sources\\boot.wim",
                           L"vhd=[C:", L"ramdisk=C:\\x.wim", L"partition", L"ramdisk=["};
  for (const wchar_t* text : kept) {
    DeviceSpec spec = Parsed(text);
    ExpectSpec(spec, 3, text, L"", L"");
    EXPECT_EQ(BuildDevice(&spec), text);
  }
}

TEST(DeviceSpec, NothingToParseOrBuild) {
  DeviceSpec spec{2, L"C:", L"\\x.vhd", L"{id}"};
  ParseDevice(L"", &spec);
  ExpectSpec(spec, 2, L"C:", L"\\x.vhd", L"{id}");
  ParseDevice(L"partition=C:", nullptr);
  EXPECT_EQ(BuildDevice(nullptr), L"");
  spec = DeviceSpec{1, L"", L"\\x.wim", L""};
  EXPECT_EQ(BuildDevice(&spec), L"");
  // A parse starts from a clean record: nothing of the previous device survives.
  spec = DeviceSpec{1, L"C:", L"\\x.wim", L"{id}"};
  ParseDevice(L"partition=D:", &spec);
  ExpectSpec(spec, 0, L"D:", L"", L"");
}

TEST(DeviceSpec, TextsThatWouldBreakACommandLineAreDetected) {
  EXPECT_TRUE(DeviceTextIsSafe(L"ramdisk=[C:]\\My Files\\boot.wim,{ramdiskoptions}"));
  EXPECT_FALSE(DeviceTextIsSafe(L"partition=C:\" /delete {current}"));
  EXPECT_FALSE(DeviceTextIsSafe(L"partition=C:\n"));
  EXPECT_FALSE(DeviceTextIsSafe(L"vhd=[C:]\\My Disks\\"));
  EXPECT_TRUE(DeviceSpecIsSafe(Parsed(L"vhd=[locate]\\a b.vhd")));
  DeviceSpec spec{1, L"C:", L"\\a\"b.wim", L""};
  EXPECT_FALSE(DeviceSpecIsSafe(spec));
}
