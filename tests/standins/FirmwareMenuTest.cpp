// The firmware's boot menu in the bcdedit stand-in: the UEFI demo's listing byte for byte, the
// commands that change {fwbootmgr}, what a BIOS store answers, and the shutdown.exe stand-in.
#include <gtest/gtest.h>

#include "StandinRun.h"
#include "common/StandinState.h"
#include "common/Text.h"

using namespace standin_tests;

namespace {

const char kOk[] = "The operation completed successfully.\r\n";
const char kMissing[] = "An error occurred while attempting to reference the specified entry.\r\n"
                        "The system cannot find the file specified.\r\n";
const char kUbuntu[] = "{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef1}";
const char kUsb[] = "{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef2}";
const char kPxe[] = "{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef3}";
const char kOrphan[] = "{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef4}";

std::string Crlf(const char* text) {
  std::string out;
  for (const char* c = text; *c; ++c) out += *c == '\n' ? "\r\n" : std::string(1, *c);
  return out;
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The values of one key of a listing (its continuation lines too), separated by blanks.
std::string ValuesOf(const std::string& listing, const std::string& key) {
  std::string values;
  bool inside = false;
  for (const std::string& line : Lines(listing)) {
    if (line.size() <= 24) continue;
    bool continuation = line.compare(0, 24, std::string(24, ' ')) == 0;
    inside = continuation ? inside : line.compare(0, key.size() + 1, key + " ") == 0;
    if (inside) values += (values.empty() ? std::string() : std::string(" ")) + line.substr(24);
  }
  return values;
}

}  // namespace

TEST(FirmwareMenu, TheUefiDemoListsAsTheRealToolInBothForms) {
  // Their identifiers are GUIDs in both forms.
  const std::string kFirmwareApplications = Crlf(R"(Firmware Application (101fffff)
-------------------------------
identifier              {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef1}
device                  partition=\Device\HarddiskVolume1
path                    \EFI\ubuntu\shimx64.efi
description             ubuntu

Firmware Application (101fffff)
-------------------------------
identifier              {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef2}
description             UEFI: USB Flash Disk 1.00

Firmware Application (101fffff)
-------------------------------
identifier              {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef3}
description             UEFI: PXE IPv4 Intel(R) Ethernet Connection I219-V

Firmware Application (101fffff)
-------------------------------
identifier              {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef4}
device                  partition=\Device\HarddiskVolume1
description             Windows Boot Manager
)");
  StandinSandbox sandbox;
  sandbox.SeedDemo(L"uefi");
  EXPECT_EQ(sandbox.BcdEdit(L" /enum firmware"), Crlf(R"(
Firmware Boot Manager
---------------------
identifier              {fwbootmgr}
displayorder            {bootmgr}
                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef1}
                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef2}
                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef3}
timeout                 2

Windows Boot Manager
--------------------
identifier              {bootmgr}
device                  partition=\Device\HarddiskVolume1
path                    \EFI\Microsoft\Boot\bootmgfw.efi
description             Windows Boot Manager
locale                  en-US
inherit                 {globalsettings}
default                 {current}
resumeobject            {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e4e}
displayorder            {current}
                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}
                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e0e}
                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e08}
                        {ntldr}
                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3eb5}
toolsdisplayorder       {memdiag}
timeout                 30

)") + kFirmwareApplications);
  std::string verbose = sandbox.BcdEdit(L" /enum FIRMWARE /v");
  EXPECT_EQ(verbose, Crlf(R"(
Firmware Boot Manager
---------------------
identifier              {a5a30fa2-3d06-4e9f-b5f4-a01df9d1fcba}
displayorder            {9dea862c-5cdd-4e70-acc1-f32b344d4795}
                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef1}
                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef2}
                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3ef3}
timeout                 2

Windows Boot Manager
--------------------
identifier              {9dea862c-5cdd-4e70-acc1-f32b344d4795}
device                  partition=\Device\HarddiskVolume1
path                    \EFI\Microsoft\Boot\bootmgfw.efi
description             Windows Boot Manager
locale                  en-US
inherit                 {7ea2e1ac-2e61-4728-aaa3-896d9d0a9f0e}
default                 {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e10}
resumeobject            {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e4e}
displayorder            {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e10}
                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}
                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e0e}
                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e08}
                        {466f5a88-0af2-4f76-9038-095b170dc21c}
                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3eb5}
toolsdisplayorder       {b2721d73-1db4-4c62-bf78-c548a880142d}
timeout                 30

)") + kFirmwareApplications);
  // The whole store lists in the real tool's order of kinds: the firmware's boot manager first.
  std::vector<std::string> lines = Lines(sandbox.BcdEdit(L" /enum all /v")), kinds = {""};
  for (size_t i = 1; i < lines.size(); ++i) {
    bool underline = !lines[i].empty() && lines[i].find_first_not_of('-') == std::string::npos;
    if (underline && lines[i - 1] != kinds.back()) kinds.push_back(lines[i - 1]);
  }
  EXPECT_EQ(kinds, (std::vector<std::string>{"", "Firmware Boot Manager", "Windows Boot Manager", "Firmware Application (101fffff)",
                                             "Windows Boot Loader", "Resume from Hibernate", "Windows Memory Tester",
                                             "Windows Legacy OS Loader", "Real-mode Boot Sector", "EMS Settings", "Debugger Settings",
                                             "RAM Defects", "Global Settings", "Boot Loader Settings", "Resume Loader Settings",
                                             "Device options"}));
  // A store file holds the same menu.
  std::wstring file = L" /store \"" + sandbox.File(L"uefi.bcd") + L"\"";
  sandbox.BcdEdit(file + L" /vexa-seed-demo uefi");
  EXPECT_EQ(sandbox.BcdEdit(file + L" /enum firmware /v"), verbose);
}

TEST(FirmwareMenu, SetAndDeleteValueChangeTheFirmwaresListsInTurn) {
  StandinSandbox sandbox;
  sandbox.SeedDemo(L"uefi");
  const std::string ubuntu = kUbuntu, usb = kUsb, pxe = kPxe, orphan = kOrphan;
  const std::string seeded = "{bootmgr} " + ubuntu + " " + usb + " " + pxe;
  const std::string set = " /set {fwbootmgr} ";
  const struct {
    std::string arguments;
    std::string displayorder;
    std::string bootsequence;
  } kSteps[] = {
      {set + "bootsequence " + pxe, seeded, pxe},
      {set + "bootsequence " + ubuntu + " {bootmgr}", seeded, ubuntu + " {bootmgr}"},
      {" /deletevalue {fwbootmgr} bootsequence", seeded, ""},
      {set + "displayorder " + orphan + " /addfirst", orphan + " " + seeded, ""},
      {set + "displayorder " + ubuntu + " /ADDLAST", orphan + " {bootmgr} " + usb + " " + pxe + " " + ubuntu, ""},
      {set + "displayorder " + orphan + " /remove", "{bootmgr} " + usb + " " + pxe + " " + ubuntu, ""},
      {set + "displayorder " + pxe + " {bootmgr}", pxe + " {bootmgr}", ""},
  };
  for (const auto& step : kSteps) {
    EXPECT_EQ(sandbox.BcdEdit(Wide(step.arguments)), kOk) << step.arguments;
    std::string listing = sandbox.BcdEdit(L" /enum {fwbootmgr}");
    EXPECT_EQ(ValuesOf(listing, "displayorder"), step.displayorder) << step.arguments;
    EXPECT_EQ(ValuesOf(listing, "bootsequence"), step.bootsequence) << step.arguments;
    EXPECT_EQ(ValuesOf(listing, "timeout"), "2");
  }
  // /bootsequence stays the Windows boot manager's own.
  EXPECT_EQ(sandbox.BcdEdit(L" /bootsequence {ntldr}"), kOk);
  EXPECT_EQ(ValuesOf(sandbox.BcdEdit(L" /enum {bootmgr}"), "bootsequence"), "{ntldr}");
  EXPECT_EQ(ValuesOf(sandbox.BcdEdit(L" /enum {fwbootmgr}"), "bootsequence"), "");
}

TEST(FirmwareMenu, ACopyOfTheBootManagerIsAFirmwareEntryOnlyWhileOnTheOrder) {
  StandinSandbox sandbox;
  sandbox.SeedDemo(L"uefi");
  std::string answer = sandbox.BcdEdit(L" /copy {bootmgr} /d \"Held Debian\"");
  ASSERT_EQ(answer.rfind("The entry was successfully copied to {", 0), 0u) << answer;
  const std::string copy = answer.substr(answer.find('{'), 38);
  const std::wstring id(copy.begin(), copy.end());
  auto identifiers = [&](const wchar_t* listing) { return ValuesOf(sandbox.BcdEdit(listing), "identifier"); };
  const std::string ubuntu = kUbuntu, usb = kUsb, pxe = kPxe, orphan = kOrphan;
  const std::string order = "{bootmgr} " + ubuntu + " " + usb + " " + pxe;
  const struct {
    std::wstring arguments;  // run first, if any
    std::string firmware;    // identifiers /enum firmware lists
  } kSteps[] = {
      {L"", "{fwbootmgr} " + order + " " + orphan},
      {L" /set " + id + L" path \\EFI\\debian\\shimx64.efi", "{fwbootmgr} " + order + " " + orphan},
      {L" /set {fwbootmgr} displayorder " + id + L" /addlast", "{fwbootmgr} " + order + " " + copy + " " + orphan},
      {L" /set {fwbootmgr} displayorder " + id + L" /remove", "{fwbootmgr} " + order + " " + orphan},
  };
  for (const auto& step : kSteps) {
    if (!step.arguments.empty()) {
      EXPECT_EQ(sandbox.BcdEdit(step.arguments), kOk);
    }
    EXPECT_EQ(identifiers(L" /enum firmware"), step.firmware) << step.arguments;
    std::string managers = identifiers(L" /enum BOOTMGR");
    EXPECT_TRUE(managers == "{bootmgr} " + copy || managers == copy + " {bootmgr}") << managers << ": never {fwbootmgr}";
  }
  std::string listed = sandbox.BcdEdit(L" /enum " + id);
  EXPECT_EQ(Lines(listed)[1], "Windows Boot Manager") << "the boot manager's type";
  EXPECT_EQ(ValuesOf(listed, "path"), "\\EFI\\debian\\shimx64.efi");
  EXPECT_EQ(ValuesOf(listed, "device"), "partition=\\Device\\HarddiskVolume1");
  EXPECT_EQ(sandbox.BcdEdit(L" /delete " + id), kOk);
  EXPECT_EQ(identifiers(L" /enum BOOTMGR"), "{bootmgr}");
}

TEST(FirmwareMenu, MissingEntriesAndBiosStoresAreRefusedAndChangeNothing) {
  const std::wstring nowhere = L"{01234567-89ab-cdef-0123-456789abcdef}";
  const struct {
    bool uefi;
    std::wstring arguments;
    std::string output;
    DWORD exitCode;
  } kCases[] = {
      {false, L" /enum firmware", "There are no matching objects or the store is empty.\r\n", 0},
      {false, L" /enum {fwbootmgr}", kMissing, 1},
      {false, L" /set {fwbootmgr} bootsequence {bootmgr}", kMissing, 1},
      {false, L" /deletevalue {fwbootmgr} bootsequence", kMissing, 1},
      {true, L" /set {fwbootmgr} bootsequence " + nowhere, kMissing, 1},
      {true, L" /set {fwbootmgr} displayorder {bootmgr} " + nowhere, kMissing, 1},
      {true, L" /set {fwbootmgr} displayorder {bootmgr} /addfirst /remove",
       "The set command specified is not valid.\r\nRun \"bcdedit /?\" for command line assistance.\r\n"
       "The parameter is incorrect.\r\n", 1},
  };
  // One sandbox at a time: each points the process's environment at its own store.
  for (bool uefi : {false, true}) {
    StandinSandbox sandbox;
    sandbox.SeedDemo(uefi ? L"uefi" : L"bios");
    std::string before = sandbox.BcdEdit(L" /enum all /v");
    for (const auto& c : kCases) {
      if (c.uefi != uefi) continue;
      ToolResult result = sandbox.Run(L"bcdedit", c.arguments);
      EXPECT_EQ(result.output, c.output) << c.arguments;
      EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments;
      EXPECT_EQ(sandbox.BcdEdit(L" /enum all /v"), before) << c.arguments;
    }
  }
}

TEST(Shutdown, RecordsWhatItUnderstandsAndRefusesTheRest) {
  StandinSandbox sandbox;
  const struct {
    const wchar_t* arguments;
    const wchar_t* recorded;  // null: refused with the usage text
  } kCases[] = {
      {L" /r /fw /t 0", L"/r /fw /t 0"},
      {L" -S -T 30 -C \"Going down\"", L"/s /t 30 /c Going down"},
      {L" /g /f /d p:4:1", L"/g /f /d p:4:1"},
      {L" /fw /t 0", nullptr},
      {L" /r /s", nullptr},
      {L" /r /t soon", nullptr},
      {L" /r /m \\\\other", nullptr},
      {L"", nullptr},
  };
  for (const auto& c : kCases) {
    ToolResult result = sandbox.Run(L"shutdown", c.arguments);
    EXPECT_EQ(result.exitCode, c.recorded ? 0u : 1u) << c.arguments;
    if (c.recorded) {
      EXPECT_EQ(result.output, "") << c.arguments;
      EXPECT_EQ(standin::ReadState(L"Shutdown", L"LastRequest"), c.recorded);
    } else {
      EXPECT_EQ(Lines(result.output)[0].substr(0, 16), "Usage: shutdown ") << c.arguments;
    }
  }
  EXPECT_EQ(standin::ReadState(L"Shutdown", L"LastRequest"), L"/g /f /d p:4:1");
  std::string tool = standin::Narrow(sandbox.ToolPath(L"shutdown"), CP_UTF8);
  EXPECT_EQ(Lines(sandbox.Journal())[0], "\"" + tool + "\" /r /fw /t 0");
}
