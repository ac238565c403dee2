// Device values: what /set accepts and how the listing prints it.
#include <gtest/gtest.h>

#include "common/BcdIds.h"
#include "common/BcdStore.h"
#include "common/DeviceText.h"

using namespace standin;

TEST(DeviceText, NormalisesTheFormsTheToolAccepts) {
  BcdStore store;
  EXPECT_EQ(ParseDeviceText(L"partition=c:", store), L"partition=C:");
  EXPECT_EQ(ParseDeviceText(L"PARTITION=\\Device\\HarddiskVolume2", store), L"partition=\\Device\\HarddiskVolume2");
  EXPECT_EQ(ParseDeviceText(L"Boot", store), L"boot");
  EXPECT_EQ(ParseDeviceText(L"unknown", store), L"unknown");
  EXPECT_EQ(ParseDeviceText(L"ramdisk=[d:]\\sources\\boot.wim,{RAMDISKOPTIONS}", store),
            std::wstring(L"ramdisk=[D:]\\sources\\boot.wim,") + kRamdiskOptionsGuid);
  EXPECT_EQ(ParseDeviceText(L"ramdisk=[boot]\\x.wim,{AE5534E0-A924-466C-B836-758539A3EE3A}", store),
            std::wstring(L"ramdisk=[boot]\\x.wim,") + kRamdiskOptionsGuid);
  EXPECT_EQ(ParseDeviceText(L"vhd=[LOCATE]\\w8.vhd", store), L"vhd=[locate]\\w8.vhd");
  EXPECT_EQ(ParseDeviceText(L"vhd=[C:]\\w8.vhd,{01234567-89ab-cdef-0123-456789abcdef}", store),
            L"vhd=[C:]\\w8.vhd,{01234567-89ab-cdef-0123-456789abcdef}");
}

TEST(DeviceText, RefusesMalformedDevices) {
  BcdStore store;
  for (const wchar_t* text : {L"", L"disk=C:", L"partition=", L"partition=CC:", L"ramdisk=C:\\x.wim",
                              L"ramdisk=[C:\\x.wim", L"ramdisk=[C:]", L"vhd=[Q]\\x.vhd", L"ramdisk=[C:]\\x.wim,{nothing}",
                              L"ramdisk=[C:]\\x.wim,{current}"})
    EXPECT_FALSE(ParseDeviceText(text, store).has_value()) << std::wstring(text).c_str();
}

TEST(DeviceText, PrintsTheOptionsAliasUnlessVerbose) {
  std::wstring stored = std::wstring(L"ramdisk=[C:]\\sources\\boot.wim,") + kRamdiskOptionsGuid;
  EXPECT_EQ(DisplayDeviceText(stored, false), L"ramdisk=[C:]\\sources\\boot.wim,{ramdiskoptions}");
  EXPECT_EQ(DisplayDeviceText(stored, true), stored);
  EXPECT_EQ(DisplayDeviceText(L"vhd=[C:]\\a,b.vhd", false), L"vhd=[C:]\\a,b.vhd");
  EXPECT_EQ(DisplayDeviceText(L"partition=C:", false), L"partition=C:");
}
