// bcdedit /set and /deletevalue as a child process: value kinds, named values, devices and errors,
// with the blanks and quotes the program's command lines carry.
#include <gtest/gtest.h>

#include "StandinRun.h"

using namespace standin_tests;

namespace {

const wchar_t kSeven[] = L"{2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}";
const char kOk[] = "The operation completed successfully.\r\n";

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class BcdEditSet : public testing::Test {
 protected:
  void SetUp() override { sandbox.SeedDemo(); }
  std::string Seven(bool verbose = false) {
    return sandbox.BcdEdit(std::wstring(L" /enum ") + kSeven + (verbose ? L" /v" : L""));
  }
  StandinSandbox sandbox;
};

}  // namespace

TEST_F(BcdEditSet, WritesTextsWithTheProgramsBlanksAndQuotes) {
  EXPECT_EQ(sandbox.BcdEdit(std::wstring(L" /set  ") + kSeven + L"    description    \"Windows 7 Ultimate\""), kOk);
  EXPECT_EQ(sandbox.BcdEdit(std::wstring(L" /set  ") + kSeven + L"   path   \\Windows\\system32\\winload.exe"), kOk);
  sandbox.BcdEdit(L" /copy {current} /d \" Copy of Windows 10 \" ");
  std::string listing = Seven();
  EXPECT_TRUE(Has(listing, "\r\ndescription             Windows 7 Ultimate\r\n"));
  EXPECT_TRUE(Has(sandbox.BcdEdit(L" /enum OSLOADER"), "\r\ndescription              Copy of Windows 10 \r\n"));
  // The identifier may be left out: it then means {current}.
  EXPECT_EQ(sandbox.BcdEdit(L" /set locale de-DE"), kOk);
  EXPECT_TRUE(Has(sandbox.BcdEdit(L" /enum {current}"), "\r\nlocale                  de-DE\r\n"));
}

TEST_F(BcdEditSet, TextsTravelInTheOemCodePage) {
  // "für" with u-umlaut: byte 0x81 in code pages 437 and 850, the OEM ones of US and Western
  // machines (the test prefix's is 437); 0xFC would be the ANSI code page, which the tool never uses.
  sandbox.BcdEdit(std::wstring(L" /set ") + kSeven + L" description \"Windows 7 f\u00fcr alle\"");
  EXPECT_TRUE(Has(Seven(), "\r\ndescription             Windows 7 f\x81r alle\r\n"));
}

TEST_F(BcdEditSet, NamedValuesAndBooleansInAnyCaseAreStoredAndPrintedInTheirOwnSpelling) {
  const std::wstring set = std::wstring(L" /set ") + kSeven;
  for (const wchar_t* command : {L" nx \"optout\"", L" pae \"forceenable\"", L" safeboot \"minimal\"",
                                 L" bootmenupolicy \"legacy\"", L" ems \"Yes\"", L" detecthal off", L" winpe TRUE",
                                 L" recoveryenabled 0", L" numproc 0x4"})
    EXPECT_EQ(sandbox.BcdEdit(set + command), kOk) << command;
  std::string listing = Seven();
  for (const char* line : {"nx                      OptOut", "pae                     ForceEnable",
                           "safeboot                Minimal", "bootmenupolicy          Legacy",
                           "ems                     Yes", "detecthal               No", "winpe                   Yes",
                           "recoveryenabled         No", "numproc                 4"})
    EXPECT_TRUE(Has(listing, std::string("\r\n") + line + "\r\n")) << line << "\n" << listing;
  sandbox.BcdEdit(set + L" safeboot network");
  sandbox.BcdEdit(set + L" safeboot DSREPAIR");
  sandbox.BcdEdit(set + L" nx AlwaysOff");
  EXPECT_TRUE(Has(Seven(), "\r\nsafeboot                DsRepair\r\n"));
  EXPECT_TRUE(Has(Seven(), "\r\nnx                      AlwaysOff\r\n"));
}

TEST_F(BcdEditSet, DevicesAreNormalisedAndOptionsPrintAsAliasOrGuid) {
  const std::wstring set = std::wstring(L" /set ") + kSeven;
  EXPECT_EQ(sandbox.BcdEdit(set + L" device \"partition=c:\""), kOk);
  EXPECT_EQ(sandbox.BcdEdit(set + L" osdevice \"RAMDISK=[c:]\\x\\boot.wim,{ramdiskoptions}\""), kOk);
  std::string plain = Seven();
  EXPECT_TRUE(Has(plain, "\r\ndevice                  partition=C:\r\n"));
  EXPECT_TRUE(Has(plain, "\r\nosdevice                ramdisk=[C:]\\x\\boot.wim,{ramdiskoptions}\r\n"));
  EXPECT_TRUE(Has(Seven(true), "\r\nosdevice                ramdisk=[C:]\\x\\boot.wim,{ae5534e0-a924-466c-b836-758539a3ee3a}\r\n"));
  sandbox.BcdEdit(set + L" device vhd=[locate]\\vhd\\seven.vhd");
  sandbox.BcdEdit(set + L" osdevice boot");
  plain = Seven();
  EXPECT_TRUE(Has(plain, "\r\ndevice                  vhd=[locate]\\vhd\\seven.vhd\r\n"));
  EXPECT_TRUE(Has(plain, "\r\nosdevice                boot\r\n"));
  sandbox.BcdEdit(L" /set {ramdiskoptions} ramdisksdidevice \"partition=D:\"");
  sandbox.BcdEdit(L" /set {ramdiskoptions} ramdisksdipath \"\\boot\\other.sdi\"");
  EXPECT_TRUE(Has(sandbox.BcdEdit(L" /enum {ramdiskoptions}"),
                  "ramdisksdidevice        partition=D:\r\nramdisksdipath          \\boot\\other.sdi\r\n"));
}

TEST_F(BcdEditSet, RefusesWhatTheRealToolRefuses) {
  const std::wstring set = std::wstring(L" /set ") + kSeven;
  std::string before = Seven(true);
  ToolResult unknown = sandbox.Run(L"bcdedit", set + L" colour blue");
  EXPECT_EQ(unknown.exitCode, 1u);
  EXPECT_EQ(unknown.output,
            "The element data type specified is not recognized, or does not apply to the specified entry.\r\n"
            "Run \"bcdedit /?\" for command line assistance.\r\nElement not found.\r\n");
  // A loader element on the boot manager does not apply there.
  EXPECT_EQ(sandbox.Run(L"bcdedit", L" /set {bootmgr} nx OptIn").output, unknown.output);
  ToolResult device = sandbox.Run(L"bcdedit", set + L" device \"disk=C:\"");
  EXPECT_EQ(device.exitCode, 1u);
  EXPECT_EQ(device.output, "An error has occurred setting the element data.\r\nThe parameter is incorrect.\r\n");
  EXPECT_EQ(sandbox.Run(L"bcdedit", set + L" winpe maybe").output, device.output);
  ToolResult integer = sandbox.Run(L"bcdedit", set + L" nx Sometimes");
  EXPECT_EQ(integer.exitCode, 1u);
  EXPECT_EQ(integer.output, "The integer data is not valid as specified.\r\nRun \"bcdedit /?\" for command line "
                            "assistance.\r\nThe parameter is incorrect.\r\n");
  ToolResult count = sandbox.Run(L"bcdedit", set + L" description Two Words");
  EXPECT_EQ(count.exitCode, 1u);
  EXPECT_EQ(Lines(count.output)[0], "The set command specified is not valid.");
  EXPECT_EQ(sandbox.Run(L"bcdedit", set).exitCode, 1u);
  ToolResult missing = sandbox.Run(L"bcdedit", L" /set {01234567-89ab-cdef-0123-456789abcdef} description x");
  EXPECT_EQ(missing.output, "An error occurred while attempting to reference the specified entry.\r\n"
                            "The system cannot find the file specified.\r\n");
  EXPECT_EQ(Seven(true), before);
}

TEST_F(BcdEditSet, DeleteValueRemovesOneElementAndReportsAMissingOne) {
  EXPECT_EQ(sandbox.BcdEdit(std::wstring(L" /deletevalue  ") + kSeven + L"    locale "), kOk);
  EXPECT_FALSE(Has(Seven(), "locale"));
  ToolResult again = sandbox.Run(L"bcdedit", std::wstring(L" /deletevalue ") + kSeven + L" locale");
  EXPECT_EQ(again.exitCode, 1u);
  EXPECT_EQ(again.output, "An error occurred while attempting to delete the specified data element.\r\n"
                          "Element not found.\r\n");
  ToolResult unknown = sandbox.Run(L"bcdedit", std::wstring(L" /deletevalue ") + kSeven + L" colour");
  EXPECT_EQ(unknown.exitCode, 1u);
  EXPECT_EQ(Lines(unknown.output)[2], "Element not found.");
  EXPECT_EQ(sandbox.BcdEdit(L" /deletevalue {ramdiskoptions} description"), kOk);
  EXPECT_FALSE(Has(sandbox.BcdEdit(L" /enum {ramdiskoptions}"), "description"));
}
