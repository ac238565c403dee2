// The boot menu check over whole listings: a healthy multi-boot store says nothing, each fault
// alone is found with its fix, and all together are all found.
#include <gtest/gtest.h>

#include <set>

#include "core/ListingParser.h"
#include "core/MenuCheck.h"
#include "core/Strings.h"

namespace {

// C: holds Windows 10 and the VHD, D: Windows 7; nothing else exists.
class FakeMachine : public MachineProbe {
 public:
  std::set<core::String> files = {T16("C:\\Windows\\system32\\winload.exe"), T16("C:\\VHD\\win8.vhdx"),
                                  T16("D:\\Windows\\system32\\winload.exe"), T16("C:\\ntldr"),
                                  T16("C:\\sources\\boot.wim"), T16("C:\\boot\\boot.sdi")};
  Presence Volume(const core::String& volume) const override {
    if (volume == T16("C:") || volume == T16("D:")) return Presence::kPresent;
    return volume.size() == 2 && volume[1] == T16(':') ? Presence::kMissing : Presence::kCannotCheck;
  }
  Presence File(const core::String& volume, const core::String& path) const override {
    if (Volume(volume) != Presence::kPresent) return Presence::kCannotCheck;
    return files.count(volume + path) ? Presence::kPresent : Presence::kMissing;
  }
};

const core::Char kManager[] =
    T16("Windows Boot Manager\n--------------------\n")
    T16("identifier              {9dea862c-5cdd-4e70-acc1-f32b344d4795}\n")
    T16("device                  partition=\\Device\\HarddiskVolume1\n")
    T16("default                 {a0000000-0000-0000-0000-00000000000a}\n")
    T16("displayorder            {a0000000-0000-0000-0000-00000000000a}\n")
    T16("                        {b0000000-0000-0000-0000-00000000000b}\n")
    T16("                        {c0000000-0000-0000-0000-00000000000c}\n")
    T16("                        {e0000000-0000-0000-0000-00000000000e}\n")
    T16("toolsdisplayorder       {b2721d71-1db4-11e1-9f2c-005056c00008}\n");

// A healthy store: three Windows, a WinPE on a ramdisk, the memory tester, a recovery loader that
// only a recovery sequence names, and the device options of the ramdisk.
const core::Char kHealthy[] =
    T16("Windows Boot Loader\n-------------------\nidentifier              {a0000000-0000-0000-0000-00000000000a}\n")
    T16("device                  partition=C:\npath                    \\Windows\\system32\\winload.exe\n")
    T16("description             Windows 10\nosdevice                partition=C:\n")
    T16("recoverysequence        {f0000000-0000-0000-0000-00000000000f}\n\n")
    T16("Windows Boot Loader\n-------------------\nidentifier              {b0000000-0000-0000-0000-00000000000b}\n")
    T16("device                  partition=D:\npath                    \\Windows\\system32\\winload.exe\n")
    T16("description             Windows 7\nosdevice                partition=D:\n\n")
    T16("Windows Boot Loader\n-------------------\nidentifier              {c0000000-0000-0000-0000-00000000000c}\n")
    T16("device                  vhd=[C:]\\VHD\\win8.vhdx\npath                    \\Windows\\system32\\winload.exe\n")
    T16("description             Windows 8 VHD\nosdevice                vhd=[C:]\\VHD\\win8.vhdx\n\n")
    T16("Windows Boot Loader\n-------------------\nidentifier              {e0000000-0000-0000-0000-00000000000e}\n")
    T16("device                  ramdisk=[C:]\\sources\\boot.wim,{ae5534e0-a924-466c-b836-758539a3ee3a}\n")
    T16("path                    \\windows\\system32\\winload.exe\ndescription             WinPE\n\n")
    T16("Windows Boot Loader\n-------------------\nidentifier              {f0000000-0000-0000-0000-00000000000f}\n")
    T16("device                  ramdisk=[\\Device\\HarddiskVolume4]\\Recovery\\Winre.wim,{ae5534e0-a924-466c-b836-758539a3ee3a}\n")
    T16("path                    \\windows\\system32\\winload.exe\ndescription             Windows Recovery Environment\n\n")
    T16("Windows Memory Tester\n---------------------\nidentifier              {b2721d71-1db4-11e1-9f2c-005056c00008}\n")
    T16("device                  boot\npath                    \\boot\\memtest.exe\n\n")
    T16("Device options\n--------------\nidentifier              {ae5534e0-a924-466c-b836-758539a3ee3a}\n")
    T16("ramdisksdidevice        partition=C:\nramdisksdipath          \\boot\\boot.sdi\n\n")
    T16("Resume from Hibernate\n---------------------\nidentifier              {d0000000-0000-0000-0000-00000000000d}\n")
    T16("device                  partition=C:\npath                    \\Windows\\system32\\winresume.exe\n");

MenuCheckInput InputOf(const core::String& managerText, const core::String& objectsText) {
  MenuCheckInput input;
  ParseListingSection(input.manager, managerText, true);
  input.manager.identifier = T16("{9dea862c-5cdd-4e70-acc1-f32b344d4795}");
  for (const core::String& section : SplitListingSections(objectsText)) {
    BootEntry object;
    ParseListingSection(object, section, false);
    input.objects.push_back(object);
  }
  return input;
}

struct Expected {
  FindingKind kind;
  FixKind fix;
  const core::Char* identifier;
  const core::Char* detail;
};

void ExpectFindings(const std::vector<Finding>& found, std::vector<Expected> expected, const char* store) {
  ASSERT_EQ(found.size(), expected.size()) << store;
  for (size_t i = 0; i < found.size(); ++i) {
    EXPECT_EQ(found[i].kind, expected[i].kind) << store << " #" << i;
    EXPECT_EQ(found[i].fix, expected[i].fix) << store << " #" << i;
    EXPECT_EQ(found[i].identifier, expected[i].identifier) << store << " #" << i;
    EXPECT_EQ(found[i].detail, expected[i].detail) << store << " #" << i;
  }
}

}  // namespace

TEST(MenuCheck, EachFaultAloneAndAllTogetherAreFoundAndAHealthyStoreHasNone) {
  const core::String healthy = kHealthy;
  const core::String deadDisk = T16("Windows Boot Loader\n-------------------\n")
                                T16("identifier              {99999999-0000-0000-0000-000000000001}\n")
                                T16("device                  unknown\npath                    \\Windows\\system32\\winload.exe\n")
                                T16("description             Wiped\nosdevice                unknown\n\n");
  const core::String offMenu = T16("Windows Boot Loader\n-------------------\n")
                               T16("identifier              {99999999-0000-0000-0000-000000000002}\n")
                               T16("device                  partition=C:\npath                    \\Windows\\system32\\winload.exe\n")
                               T16("description             Left behind\n\n");
  // One more line last on the menu.
  auto menuWith = [](const core::Char* id) {
    return core::ReplaceAll(kManager, T16("{e0000000-0000-0000-0000-00000000000e}\n"),
                            T16("{e0000000-0000-0000-0000-00000000000e}\n                        ") + core::String(id) + T16("\n"));
  };
  const core::String menuWithDeadDisk = menuWith(T16("{99999999-0000-0000-0000-000000000001}"));
  const core::String menuWithGhost = menuWith(T16("{deadbeef-0000-0000-0000-000000000000}"));
  // Windows 7's disk gone, the VHD moved, the WIM's SDI deleted.
  const core::String goneD = core::ReplaceAll(healthy, T16("partition=D:"), T16("partition=G:"));
  const core::String vhdMoved = core::ReplaceAll(healthy, T16("win8.vhdx"), T16("moved.vhdx"));
  const core::String noSdi = core::ReplaceAll(healthy, T16("\\boot\\boot.sdi"), T16("\\boot\\gone.sdi"));
  const core::String noLoader = core::ReplaceAll(healthy, T16("partition=C:\npath                    \\Windows\\system32\\winload.exe\n")
                                                          T16("description             Windows 10"),
                                                 T16("partition=C:\npath                    \\Windows\\system32\\winload.efi\n")
                                                 T16("description             Windows 10"));
  const core::String twice = core::ReplaceAll(healthy, T16("vhd=[C:]\\VHD\\win8.vhdx\npath"), T16("partition=C:\npath"));

  const struct {
    const char* store;
    core::String manager;
    core::String objects;
    std::vector<Expected> expected;
  } kStores[] = {
      {"healthy multi-boot", kManager, healthy, {}},
      {"device unknown", menuWithDeadDisk, healthy + T16("\n\n") + deadDisk,
       {{FindingKind::kDeviceUnknown, FixKind::kDeleteEntry, T16("{99999999-0000-0000-0000-000000000001}"), T16("")}}},
      {"drive gone", kManager, goneD,
       {{FindingKind::kVolumeMissing, FixKind::kDeleteEntry, T16("{b0000000-0000-0000-0000-00000000000b}"), T16("G:")}}},
      {"loader file missing", kManager, noLoader,
       {{FindingKind::kFileMissing, FixKind::kDeleteEntry, T16("{a0000000-0000-0000-0000-00000000000a}"),
         T16("C:\\Windows\\system32\\winload.efi")}}},
      {"VHD moved", kManager, vhdMoved,
       {{FindingKind::kFileMissing, FixKind::kDeleteEntry, T16("{c0000000-0000-0000-0000-00000000000c}"),
         T16("C:\\VHD\\moved.vhdx")}}},
      {"SDI missing", kManager, noSdi,
       {{FindingKind::kFileMissing, FixKind::kDeleteEntry, T16("{e0000000-0000-0000-0000-00000000000e}"),
         T16("C:\\boot\\gone.sdi")}}},
      {"deleted entry on the menu", menuWithGhost, healthy,
       {{FindingKind::kReferenceMissing, FixKind::kDropReference, T16("{deadbeef-0000-0000-0000-000000000000}"), T16("")}}},
      {"loader on no menu", kManager, healthy + T16("\n\n") + offMenu,
       {{FindingKind::kNotOnMenu, FixKind::kAppendToMenu, T16("{99999999-0000-0000-0000-000000000002}"), T16("")}}},
      {"same device and path twice", kManager, twice,
       {{FindingKind::kDuplicate, FixKind::kNone, T16("{c0000000-0000-0000-0000-00000000000c}"),
         T16("{a0000000-0000-0000-0000-00000000000a}")}}},
      {"all together", menuWithGhost, vhdMoved + T16("\n\n") + offMenu + T16("\n\n") + core::ReplaceAll(deadDisk, T16("unknown\npath"), T16("partition=C:\npath")),
       {{FindingKind::kReferenceMissing, FixKind::kDropReference, T16("{deadbeef-0000-0000-0000-000000000000}"), T16("")},
        {FindingKind::kFileMissing, FixKind::kDeleteEntry, T16("{c0000000-0000-0000-0000-00000000000c}"), T16("C:\\VHD\\moved.vhdx")},
        {FindingKind::kNotOnMenu, FixKind::kAppendToMenu, T16("{99999999-0000-0000-0000-000000000002}"), T16("")},
        // A loader on no menu whose disk is gone is offered for deletion, not put back.
        {FindingKind::kDeviceUnknown, FixKind::kDeleteEntry, T16("{99999999-0000-0000-0000-000000000001}"), T16("")}}},
  };
  FakeMachine machine;
  for (const auto& store : kStores)
    ExpectFindings(CheckMenu(InputOf(store.manager, store.objects), machine), store.expected, store.store);
}

TEST(MenuCheck, BootIniDefaultAndLoaderFilesAndTheFixedMenuKeepsItsOrder) {
  MenuCheckInput input = InputOf(kManager, kHealthy);
  input.bootIniPresent = true;
  input.bootIniDrive = T16("C:");
  input.bootIniDefault = T16("multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS");
  input.bootIniLines = {{T16("multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS"), T16("\"XP\" /fastdetect")},
                        {T16("C:\\grldr"), T16("\"GRUB\"")}};
  FakeMachine machine;
  ExpectFindings(CheckMenu(input, machine),
                 {{FindingKind::kBootIniLoaderMissing, FixKind::kNone, T16("C:\\grldr"), T16("C:\\grldr")},
                  {FindingKind::kBootIniDefaultMissing, FixKind::kNone, T16("multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS"),
                   T16("multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS")}},
                 "boot.ini");
  machine.files.erase(T16("C:\\ntldr"));
  EXPECT_EQ(CheckMenu(input, machine).front().detail, T16("C:\\ntldr"));

  // Two ghosts on the menu (one of them the default) and a dead entry: each list is written
  // without its ghosts, every other line in its place, before the dead entry is deleted.
  const core::String ghost = T16("{deadbeef-0000-0000-0000-000000000000}");
  core::String manager = core::ReplaceAll(kManager, T16("{b0000000-0000-0000-0000-00000000000b}"), ghost);
  manager = core::ReplaceAll(manager, T16("default                 {a0000000-0000-0000-0000-00000000000a}"),
                             T16("default                 ") + ghost);
  manager = core::ReplaceAll(manager, T16("{e0000000-0000-0000-0000-00000000000e}\n"),
                             T16("{e0000000-0000-0000-0000-00000000000e}\n                        {deadbeef-0000-0000-0000-000000000001}\n"));
  const MenuCheckInput haunted = InputOf(manager, core::ReplaceAll(kHealthy, T16("vhd=[C:]\\VHD\\win8.vhdx\npath"),
                                                                     T16("unknown\npath")));
  std::vector<core::String> commands;
  for (const PlannedFix& fix : PlanFixes(CheckMenu(haunted, machine), haunted)) {
    for (const core::String& command : fix.commands) commands.push_back(command);
  }
  // Windows 7, whose line the ghost took, is then on no menu and goes back last.
  EXPECT_EQ(commands, (std::vector<core::String>{
                          T16(" /set {9dea862c-5cdd-4e70-acc1-f32b344d4795} displayorder {a0000000-0000-0000-0000-00000000000a} ")
                              T16("{c0000000-0000-0000-0000-00000000000c} {e0000000-0000-0000-0000-00000000000e} ")
                              T16("{deadbeef-0000-0000-0000-000000000001}"),
                          T16(" /set {9dea862c-5cdd-4e70-acc1-f32b344d4795} displayorder {a0000000-0000-0000-0000-00000000000a} ")
                              T16("{c0000000-0000-0000-0000-00000000000c} {e0000000-0000-0000-0000-00000000000e}"),
                          T16(" /deletevalue  {9dea862c-5cdd-4e70-acc1-f32b344d4795}   default"),
                          T16(" /displayorder {b0000000-0000-0000-0000-00000000000b} /addlast"),
                          T16(" /delete {c0000000-0000-0000-0000-00000000000c} /cleanup ")}));
}
