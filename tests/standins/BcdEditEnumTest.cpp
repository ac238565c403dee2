// bcdedit /enum run as a child process on the demo store: the listing's bytes, /v, types and
// identifiers, the errors, and the journal of exact command lines.
#include <gtest/gtest.h>

#include "StandinRun.h"
#include "common/DemoStore.h"
#include "common/Text.h"

using namespace standin_tests;

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

}  // namespace

TEST(BcdEditEnum, NoArgumentsListTheBootManagerAndTheMenuInOrder) {
  StandinSandbox sandbox;
  sandbox.SeedDemo();
  std::string listing = sandbox.BcdEdit(L"");
  EXPECT_EQ(listing, sandbox.BcdEdit(L" /enum"));
  EXPECT_EQ(listing, sandbox.BcdEdit(L" /enum ACTIVE"));
  std::vector<std::string> lines = Lines(listing);
  ASSERT_GT(lines.size(), 20u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "Windows Boot Manager");
  EXPECT_EQ(lines[2], "--------------------");
  EXPECT_EQ(lines[3], "identifier              {bootmgr}");
  EXPECT_TRUE(Contains(listing, "\r\ndefault                 {current}\r\n"));
  EXPECT_TRUE(Contains(listing, "\r\ndisplayorder            {current}\r\n"
                                "                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}\r\n"
                                "                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e0e}\r\n"
                                "                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e08}\r\n"
                                "                        {ntldr}\r\n"
                                "                        {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3eb5}\r\n"
                                "toolsdisplayorder       {memdiag}\r\n"
                                "timeout                 30\r\n"));
  // Seven sections in menu order, separated by one empty line each; nothing after the last element.
  EXPECT_EQ(Count(listing, "\r\n\r\n"), 6u);
  size_t windows10 = listing.find("description             Windows 10");
  size_t windows7 = listing.find("description             Windows 7");
  size_t grub = listing.find("Real-mode Boot Sector\r\n---------------------\r\n");
  EXPECT_LT(windows10, windows7);
  EXPECT_LT(listing.find("Windows Legacy OS Loader\r\n------------------------\r\n"), grub);
  EXPECT_NE(grub, std::string::npos);
  EXPECT_EQ(listing.substr(listing.size() - 2), "\r\n");
  EXPECT_NE(listing.substr(listing.size() - 4), "\r\n\r\n");
  EXPECT_FALSE(Contains(listing, "Windows Memory Tester"));
  // Only CR LF line ends.
  EXPECT_EQ(Count(listing, "\n"), Count(listing, "\r\n"));
}

TEST(BcdEditEnum, VerboseListsGuidsWhereThePlainListingHasAliases) {
  StandinSandbox sandbox;
  sandbox.SeedDemo();
  std::string plain = sandbox.BcdEdit(L" /enum OSLOADER");
  std::string verbose = sandbox.BcdEdit(L" /enum OSLOADER /v");
  EXPECT_EQ(sandbox.BcdEdit(L" /v /enum OSLOADER"), verbose);
  EXPECT_EQ(Count(plain, "Windows Boot Loader\r\n-------------------\r\n"), 4u);
  EXPECT_EQ(Count(verbose, "Windows Boot Loader\r\n-------------------\r\n"), 4u);
  EXPECT_FALSE(Contains(plain, "Windows Boot Manager"));
  EXPECT_TRUE(Contains(plain, "identifier              {current}\r\n"));
  EXPECT_TRUE(Contains(plain, "ramdisk=[C:]\\sources\\boot.wim,{ramdiskoptions}\r\n"));
  EXPECT_TRUE(Contains(plain, "inherit                 {bootloadersettings}\r\n"));
  EXPECT_TRUE(Contains(verbose, "identifier              {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e10}\r\n"));
  EXPECT_TRUE(Contains(verbose, "ramdisk=[C:]\\sources\\boot.wim,{ae5534e0-a924-466c-b836-758539a3ee3a}\r\n"));
  EXPECT_TRUE(Contains(verbose, "inherit                 {6efb52bf-1766-41db-a6b3-0ee5eff72bd7}\r\n"));
  EXPECT_FALSE(Contains(verbose, "{current}"));
  EXPECT_FALSE(Contains(verbose, "{ramdiskoptions}"));
}

TEST(BcdEditEnum, ListsOneObjectByAliasOrGuidAndEachType) {
  StandinSandbox sandbox;
  sandbox.SeedDemo();
  std::string manager = sandbox.BcdEdit(L" /enum {bootmgr} /v");
  EXPECT_EQ(Count(manager, "identifier"), 1u);
  EXPECT_TRUE(Contains(manager, "identifier              {9dea862c-5cdd-4e70-acc1-f32b344d4795}\r\n"));
  EXPECT_TRUE(Contains(manager, "default                 {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e10}\r\n"));
  EXPECT_TRUE(Contains(sandbox.BcdEdit(L" /enum {current} /v"), "description             Windows 10\r\n"));
  EXPECT_TRUE(Contains(sandbox.BcdEdit(L" /enum {DEFAULT}"), "identifier              {current}\r\n"));
  EXPECT_TRUE(Contains(sandbox.BcdEdit(L" /enum {2C7A9B3E-51F0-4D8A-9E6B-0A1F7C2D3E07}"), "Windows 7"));
  EXPECT_TRUE(Contains(sandbox.BcdEdit(L" /enum {ramdiskoptions}"),
                       "Device options\r\n--------------\r\nidentifier              {ramdiskoptions}\r\n"
                       "description             Ramdisk Options\r\nramdisksdidevice        partition=C:\r\n"
                       "ramdisksdipath          \\boot\\boot.sdi\r\n"));
  EXPECT_EQ(Count(sandbox.BcdEdit(L" /enum BOOTSECTOR"), "identifier"), 1u);
  EXPECT_EQ(Count(sandbox.BcdEdit(L" /enum RESUME"), "Resume from Hibernate"), 1u);
  EXPECT_EQ(Count(sandbox.BcdEdit(L" /enum BOOTMGR"), "identifier"), 1u);
  EXPECT_EQ(Count(sandbox.BcdEdit(L" /enum INHERIT"), "identifier"), 6u);
  EXPECT_EQ(Count(sandbox.BcdEdit(L" /enum all"), "identifier"), 16u);
  EXPECT_EQ(sandbox.BcdEdit(L" /enum FIRMWARE"), "There are no matching objects or the store is empty.\r\n");
}

TEST(BcdEditEnum, ALanguageSwitchTranslatesTheIdentifierKeyAlone) {
  StandinSandbox sandbox;
  sandbox.SeedDemo();
  const std::wstring runs[] = {L" /enum {bootmgr} /v", L" /enum OSLOADER /v", L" /enum ALL"};
  std::string english[3];
  for (int i = 0; i < 3; ++i) english[i] = sandbox.BcdEdit(runs[i]);
  {
    testing_support::ScopedEnvironment german(L"VEXA_STANDIN_LANGUAGE", L"de");
    for (int i = 0; i < 3; ++i) {
      std::string expected = english[i];
      size_t replaced = 0;
      for (size_t at = expected.find("\r\nidentifier      "); at != std::string::npos;
           at = expected.find("\r\nidentifier      ", at + 1), ++replaced)
        expected.replace(at + 2, 10, "Bezeichner");
      EXPECT_GT(replaced, 0u);
      EXPECT_EQ(sandbox.BcdEdit(runs[i]), expected) << i;
    }
  }
  // Languages the switch does not know list in English.
  testing_support::ScopedEnvironment other(L"VEXA_STANDIN_LANGUAGE", L"en-GB");
  EXPECT_EQ(sandbox.BcdEdit(runs[1]), english[1]);
}

TEST(BcdEditEnum, ErrorsPrintTheToolsTextsAndExitWithOne) {
  StandinSandbox sandbox;
  ToolResult noStore = sandbox.Run(L"bcdedit", L" /enum");
  EXPECT_EQ(noStore.exitCode, 1u);
  EXPECT_EQ(noStore.output,
            "The boot configuration data store could not be opened.\r\n"
            "The system cannot find the file specified.\r\n");
  sandbox.SeedDemo();
  ToolResult missing = sandbox.Run(L"bcdedit", L" /enum {01234567-89ab-cdef-0123-456789abcdef} /v");
  EXPECT_EQ(missing.exitCode, 1u);
  EXPECT_EQ(missing.output,
            "An error occurred while attempting to reference the specified entry.\r\n"
            "The system cannot find the file specified.\r\n");
  ToolResult badType = sandbox.Run(L"bcdedit", L" /enum LOADERS");
  EXPECT_EQ(badType.exitCode, 1u);
  EXPECT_EQ(badType.output,
            "The enum command specified is not valid.\r\nRun \"bcdedit /?\" for command line assistance.\r\n"
            "The parameter is incorrect.\r\n");
  ToolResult badSwitch = sandbox.Run(L"bcdedit", L" /list");
  EXPECT_EQ(badSwitch.exitCode, 1u);
  EXPECT_EQ(Lines(badSwitch.output)[0], "Invalid command line switch: /list");
}

TEST(BcdEditEnum, AnUnquotedPathWithBlanksIsTakenApartAsOnWindows) {
  StandinSandbox sandbox;
  sandbox.SeedDemo();
  // The program name ends at the first blank, so the rest of the path arrives as an argument.
  ToolResult result = sandbox.RunLine(L"\"" + sandbox.ToolPath(L"bcdedit") + L"\" Files\\bcdedit.exe /enum");
  EXPECT_EQ(result.exitCode, 1u);
  EXPECT_EQ(Lines(result.output)[0], "Invalid command line switch: Files\\bcdedit.exe");
}

TEST(BcdEditJournal, RecordsEveryCommandLineExactlyAsReceived) {
  StandinSandbox sandbox;
  sandbox.SeedDemo();
  std::wstring store = sandbox.File(L"other store.bcd");
  sandbox.BcdEdit(L" /export \"" + store + L"\"");
  // The runner's /store clause: a blank of its own before the arguments' leading blank.
  sandbox.BcdEdit(L" /store \"" + store + L"\"  /enum OSLOADER /v");
  sandbox.Run(L"bcdedit", L" /set  {current}    description    \"New name\"");
  sandbox.Run(L"bootsect", L" /nt60 SYS");
  sandbox.Run(L"wpeutil", L" Reboot");
  std::string tool = standin::Narrow(sandbox.ToolPath(L"bcdedit"), CP_UTF8);
  std::string path = std::string(1, '"').append(tool).append(1, '"');
  std::string folder = tool.substr(0, tool.rfind('\\') + 1);
  std::string storeText = standin::Narrow(store, CP_UTF8);
  std::vector<std::string> lines = Lines(sandbox.Journal());
  ASSERT_EQ(lines.size(), 6u) << sandbox.Journal();
  EXPECT_EQ(lines[0], path + " /vexa-seed-demo");
  EXPECT_EQ(lines[1], path + " /export \"" + storeText + "\"");
  EXPECT_EQ(lines[2], path + " /store \"" + storeText + "\"  /enum OSLOADER /v");
  EXPECT_EQ(lines[3], path + " /set  {current}    description    \"New name\"");
  EXPECT_EQ(lines[4], "\"" + folder + "bootsect.exe\" /nt60 SYS");
  EXPECT_EQ(lines[5], "\"" + folder + "wpeutil.exe\" Reboot");
}
