// Device element texts split and put back together, on texts as the tool prints them.
#include <gtest/gtest.h>

#include "core/DeviceSpec.h"

namespace {

DeviceSpec Parsed(const core::String& text) {
  DeviceSpec spec;
  ParseDevice(text, &spec);
  return spec;
}

void ExpectSpec(const DeviceSpec& spec, int kind, const core::String& volume, const core::String& path,
                const core::String& options) {
  EXPECT_EQ(spec.kind, kind);
  EXPECT_EQ(spec.volume, volume);
  EXPECT_EQ(spec.path, path);
  EXPECT_EQ(spec.options, options);
}

}  // namespace

TEST(DeviceSpec, PartitionAndWordsRoundTrip) {
  ExpectSpec(Parsed(T16("partition=C:")), 0, T16("C:"), T16(""), T16(""));
  ExpectSpec(Parsed(T16("PARTITION=D:")), 0, T16("D:"), T16(""), T16(""));
  ExpectSpec(Parsed(T16("boot")), 0, T16("boot"), T16(""), T16(""));
  ExpectSpec(Parsed(T16("unknown")), 0, T16("unknown"), T16(""), T16(""));
  const core::Char* guidPath = T16("partition=\\\\?\\Volume{4c1b02c1-d990-11dc-99ae-806e6f6e6963}");
  ExpectSpec(Parsed(guidPath), 0, T16("\\\\?\\Volume{4c1b02c1-d990-11dc-99ae-806e6f6e6963}"), T16(""), T16(""));
  for (const core::Char* text : {T16("partition=C:"), T16("boot"), T16("unknown"), T16("BOOT"), guidPath}) {
    DeviceSpec spec = Parsed(text);
    EXPECT_EQ(BuildDevice(&spec), text);
  }
}

TEST(DeviceSpec, RamdiskSplitsAndMapsTheWellKnownOptions) {
  DeviceSpec spec = Parsed(T16("ramdisk=[C:]\\sources\\boot.wim,{AE5534E0-A924-466C-B836-758539A3EE3A}"));
  ExpectSpec(spec, 1, T16("C:"), T16("\\sources\\boot.wim"), T16("{ramdiskoptions}"));
  EXPECT_EQ(BuildDevice(&spec), T16("ramdisk=[C:]\\sources\\boot.wim,{ramdiskoptions}"));

  spec = Parsed(T16("Ramdisk=[\\\\?\\Volume{1b2c}]\\boot.wim,{7619dcc8-fafe-11d9-b411-000476eba25f}"));
  ExpectSpec(spec, 1, T16("\\\\?\\Volume{1b2c}"), T16("\\boot.wim"), T16("{7619dcc8-fafe-11d9-b411-000476eba25f}"));
  EXPECT_EQ(BuildDevice(&spec), T16("ramdisk=[\\\\?\\Volume{1b2c}]\\boot.wim,{7619dcc8-fafe-11d9-b411-000476eba25f}"));

  spec = Parsed(T16("ramdisk=[D:]\\boot.wim"));
  ExpectSpec(spec, 1, T16("D:"), T16("\\boot.wim"), T16(""));
  EXPECT_EQ(BuildDevice(&spec), T16("ramdisk=[D:]\\boot.wim,{ramdiskoptions}"));
}

TEST(DeviceSpec, VirtualDiskLocateAndOptions) {
  DeviceSpec spec = Parsed(T16("VHD=[locate]\\vhd\\win7.vhd"));
  ExpectSpec(spec, 2, T16("boot"), T16("\\vhd\\win7.vhd"), T16(""));
  EXPECT_EQ(BuildDevice(&spec), T16("vhd=[locate]\\vhd\\win7.vhd"));

  // Only the "boot" a parse gives for "locate" is written "locate" again.
  spec = Parsed(T16("vhd=[Boot]\\w.vhd"));
  ExpectSpec(spec, 2, T16("Boot"), T16("\\w.vhd"), T16(""));
  EXPECT_EQ(BuildDevice(&spec), T16("vhd=[Boot]\\w.vhd"));

  spec = Parsed(T16("vhd=[E:]\\w.vhdx,{a1b2c3d4-0000-1111-2222-333344445555}"));
  ExpectSpec(spec, 2, T16("E:"), T16("\\w.vhdx"), T16("{a1b2c3d4-0000-1111-2222-333344445555}"));
  EXPECT_EQ(BuildDevice(&spec), T16("vhd=[E:]\\w.vhdx,{a1b2c3d4-0000-1111-2222-333344445555}"));
}

TEST(DeviceSpec, UnknownAndMalformedTextsAreKeptWhole) {
  const core::Char* kept[] = {T16("\\Device\\HarddiskVolume1"), T16("file=[C:]\\x.sdi"), T16("ramdisk=[C:\\sources\\boot.wim"),
                           T16("vhd=[C:"), T16("ramdisk=C:\\x.wim"), T16("partition"), T16("ramdisk=["),
                           // Without a volume a split record would build back to nothing.
                           T16("partition="), T16("ramdisk=[]\\boot.wim"), T16("VHD=[]\\x.vhd,{id}")};
  for (const core::Char* text : kept) {
    DeviceSpec spec = Parsed(text);
    ExpectSpec(spec, 3, text, T16(""), T16(""));
    EXPECT_EQ(BuildDevice(&spec), text);
  }
}

TEST(DeviceSpec, NothingToParseOrBuild) {
  DeviceSpec spec{2, T16("C:"), T16("\\x.vhd"), T16("{id}")};
  ParseDevice(T16(""), &spec);
  ExpectSpec(spec, 2, T16("C:"), T16("\\x.vhd"), T16("{id}"));
  ParseDevice(T16("partition=C:"), nullptr);
  EXPECT_EQ(BuildDevice(nullptr), T16(""));
  spec = DeviceSpec{1, T16(""), T16("\\x.wim"), T16("")};
  EXPECT_EQ(BuildDevice(&spec), T16(""));
  // A parse starts from a clean record: nothing of the previous device survives.
  spec = DeviceSpec{1, T16("C:"), T16("\\x.wim"), T16("{id}")};
  ParseDevice(T16("partition=D:"), &spec);
  ExpectSpec(spec, 0, T16("D:"), T16(""), T16(""));
}

TEST(DeviceSpec, TextsThatWouldBreakACommandLineAreDetected) {
  EXPECT_TRUE(DeviceTextIsSafe(T16("ramdisk=[C:]\\My Files\\boot.wim,{ramdiskoptions}")));
  EXPECT_FALSE(DeviceTextIsSafe(T16("partition=C:\" /delete {current}")));
  EXPECT_FALSE(DeviceTextIsSafe(T16("partition=C:\n")));
  EXPECT_FALSE(DeviceTextIsSafe(T16("vhd=[C:]\\My Disks\\")));
  EXPECT_TRUE(DeviceSpecIsSafe(Parsed(T16("vhd=[locate]\\a b.vhd"))));
  DeviceSpec spec{1, T16("C:"), T16("\\a\"b.wim"), T16("")};
  EXPECT_FALSE(DeviceSpecIsSafe(spec));
}
