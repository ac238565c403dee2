// The firmware's menu read from listings shaped like real machines' (a German Windows without /v,
// duplicate boot managers, entries with neither path nor device, an order naming an object the
// listing lacks) and the answers of a BIOS machine.
#include <gtest/gtest.h>

#include <iterator>

#include "core/FirmwareMenu.h"

namespace {

// Headings and the identifier key in German, CR LF line ends, as a German bcdedit prints.
const core::Char kGermanMachine[] =
    T16("\r\nFirmware-Start-Manager\r\n----------------------\r\n")
    T16("Bezeichner              {fwbootmgr}\r\n")
    T16("displayorder            {bootmgr}\r\n")
    T16("                        {83222741-075c-11e6-b382-64006a688434}\r\n")
    T16("                        {83222742-075c-11e6-b382-64006a688434}\r\n")
    T16("                        {83222743-075c-11e6-b382-64006a688434}\r\n")
    T16("                        {83222744-075c-11e6-b382-64006a688434}\r\n")
    T16("                        {83222799-075c-11e6-b382-64006a688434}\r\n")
    T16("bootsequence            {83222743-075c-11e6-b382-64006a688434}\r\n")
    T16("timeout                 0\r\n\r\n")
    T16("Windows-Start-Manager\r\n---------------------\r\n")
    T16("Bezeichner              {bootmgr}\r\n")
    T16("device                  partition=\\Device\\HarddiskVolume1\r\n")
    T16("path                    \\EFI\\Microsoft\\Boot\\bootmgfw.efi\r\n")
    T16("description             Windows Boot Manager\r\n")
    T16("displayorder            {current}\r\n\r\n")
    T16("Firmwareanwendung (101fffff)\r\n----------------------------\r\n")
    T16("Bezeichner              {83222741-075c-11e6-b382-64006a688434}\r\n")
    T16("description             Windows Boot Manager\r\n")
    T16("badmemoryaccess         Yes\r\n\r\n")
    T16("Firmwareanwendung (101fffff)\r\n----------------------------\r\n")
    T16("Bezeichner              {83222742-075c-11e6-b382-64006a688434}\r\n")
    T16("device                  partition=\\Device\\HarddiskVolume1\r\n")
    T16("path                    \\EFI\\debian\\grubx64.efi\r\n")
    T16("description             debian\r\n\r\n")
    T16("Firmwareanwendung (101fffff)\r\n----------------------------\r\n")
    T16("Bezeichner              {83222743-075c-11e6-b382-64006a688434}\r\n")
    T16("description             UEFI: SanDisk Cruzer USB 1.00, Partition 1\r\n\r\n")
    T16("Firmwareanwendung (101fffff)\r\n----------------------------\r\n")
    T16("Bezeichner              {83222744-075c-11e6-b382-64006a688434}\r\n")
    T16("description             Onboard NIC (IPV4)\r\n");

bool NoVolumeIsRemovable(const core::String&) { return false; }

}  // namespace

TEST(FirmwareListing, ARealMachinesMenuComesInItsOrderWithEveryEntryAndItsKind) {
  FirmwareMenu menu = ParseFirmwareListing(kGermanMachine, NoVolumeIsRemovable);
  ASSERT_TRUE(menu.present);
  EXPECT_EQ(menu.timeout, 0);
  const struct {
    const core::Char* description;
    FirmwareKind kind;
    bool listed;
  } expected[] = {
      {T16("Windows Boot Manager"), FirmwareKind::kWindowsBootManager, true},
      {T16("Windows Boot Manager"), FirmwareKind::kWindowsBootManager, true},
      {T16("debian"), FirmwareKind::kOtherSystem, true},
      {T16("UEFI: SanDisk Cruzer USB 1.00, Partition 1"), FirmwareKind::kRemovable, true},
      {T16("Onboard NIC (IPV4)"), FirmwareKind::kNetwork, true},
      {T16(""), FirmwareKind::kOther, false},  // named by the order, missing from the listing
  };
  ASSERT_EQ(menu.entries.size(), std::size(expected));
  for (size_t i = 0; i < menu.entries.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(menu.entries[i].description, expected[i].description);
    EXPECT_EQ(menu.entries[i].kind, expected[i].kind);
    EXPECT_EQ(menu.entries[i].listed, expected[i].listed);
  }
  EXPECT_TRUE(menu.entries[0].bootManager);
  EXPECT_EQ(menu.entries[2].path, T16("\\EFI\\debian\\grubx64.efi"));
  EXPECT_TRUE(StartsOnce(menu, T16("{83222743-075C-11E6-B382-64006A688434}")));
  EXPECT_FALSE(StartsOnce(menu, T16("{bootmgr}")));
}

TEST(FirmwareListing, BiosAnswersAndErrorsHoldNoMenu) {
  for (const core::Char* answer : {T16(""), T16("There are no matching objects or the store is empty.\r\n"),
                                   T16("The boot configuration data store could not be opened.\r\nAccess is denied.\r\n"),
                                   T16("Windows Boot Manager\r\n--------------------\r\nidentifier              {bootmgr}\r\n")}) {
    EXPECT_FALSE(ParseFirmwareListing(answer).present) << core::String(answer).size();
  }
}
