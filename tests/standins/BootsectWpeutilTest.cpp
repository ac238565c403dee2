// The bootsect.exe and wpeutil.exe stand-ins as child processes: messages, exit codes and the
// records a test reads back.
#include <gtest/gtest.h>

#include "StandinRun.h"
#include "common/StandinState.h"

using namespace standin_tests;
using standin::ReadState;

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(Bootsect, UpdatesTheSystemVolumeWithBootmgrCode) {
  StandinSandbox sandbox;
  ToolResult result = sandbox.Run(L"bootsect", L" /nt60 SYS");
  EXPECT_EQ(result.exitCode, 0u) << result.output;
  std::vector<std::string> lines = Lines(result.output);
  ASSERT_GE(lines.size(), 6u) << result.output;
  EXPECT_EQ(lines[0], "Target volumes will be updated with BOOTMGR compatible bootcode.");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2].substr(0, 2), "C:");
  EXPECT_EQ(lines[4].substr(0, 25), "    Successfully updated ");
  EXPECT_TRUE(Has(lines[4], " filesystem bootcode."));
  EXPECT_EQ(lines.back(), "Bootcode was successfully updated on all targeted volumes.");
  EXPECT_FALSE(Has(result.output, "PhysicalDrive"));
  EXPECT_EQ(ReadState(L"Bootsect", L"C:"), L"BOOTMGR");
  EXPECT_EQ(ReadState(L"Bootsect", L"PhysicalDrive0"), L"");
}

TEST(Bootsect, WritesNtldrCodeToAVolumeAndTheMasterBootRecord) {
  StandinSandbox sandbox;
  sandbox.Run(L"bootsect", L" /nt60 SYS /mbr");
  EXPECT_EQ(ReadState(L"Bootsect", L"PhysicalDrive0"), L"BOOTMGR");
  ToolResult result = sandbox.Run(L"bootsect", L" /nt52 c: /mbr");
  EXPECT_EQ(result.exitCode, 0u) << result.output;
  EXPECT_EQ(Lines(result.output)[0], "Target volumes will be updated with NTLDR compatible bootcode.");
  EXPECT_TRUE(Has(result.output, "\r\n\\??\\PhysicalDrive0\r\n\r\n    Successfully updated disk bootcode.\r\n"));
  EXPECT_EQ(ReadState(L"Bootsect", L"C:"), L"NTLDR");
  EXPECT_EQ(ReadState(L"Bootsect", L"PhysicalDrive0"), L"NTLDR");
  // ALL reaches every lettered disk volume, C: among them; the MBR is left alone without /mbr.
  EXPECT_EQ(sandbox.Run(L"bootsect", L" /nt60 ALL").exitCode, 0u);
  EXPECT_EQ(ReadState(L"Bootsect", L"C:"), L"BOOTMGR");
  EXPECT_EQ(ReadState(L"Bootsect", L"PhysicalDrive0"), L"NTLDR");
}

TEST(Bootsect, RefusesUnknownVolumesAndMalformedCommands) {
  StandinSandbox sandbox;
  ToolResult unknown = sandbox.Run(L"bootsect", L" /nt60 Q: /mbr");
  EXPECT_EQ(unknown.exitCode, 1u);
  EXPECT_TRUE(Has(unknown.output, "Could not map drive \"Q:\" to a volume"));
  EXPECT_FALSE(Has(unknown.output, "successfully"));
  EXPECT_EQ(ReadState(L"Bootsect", L"Q:"), L"");
  EXPECT_EQ(ReadState(L"Bootsect", L"PhysicalDrive0"), L"");
  for (const wchar_t* arguments : {L"", L" SYS", L" /nt60", L" /nt60 /nt52 SYS", L" /nt70 SYS"}) {
    ToolResult bad = sandbox.Run(L"bootsect", arguments);
    EXPECT_EQ(bad.exitCode, 1u) << arguments;
    EXPECT_EQ(Lines(bad.output)[0], "bootsect {/help|/nt52|/nt60} {SYS|ALL|<DriveLetter>:} [/force] [/mbr]");
  }
}

TEST(Wpeutil, RecordsRebootAndShutdownAndEndsAtOnce) {
  StandinSandbox sandbox;
  ToolResult reboot = sandbox.Run(L"wpeutil", L" Reboot");
  EXPECT_EQ(reboot.exitCode, 0u);
  EXPECT_EQ(reboot.output, "");
  EXPECT_EQ(ReadState(L"Wpeutil", L"LastRequest"), L"Reboot");
  EXPECT_EQ(sandbox.Run(L"wpeutil", L" shutdown").exitCode, 0u);
  EXPECT_EQ(ReadState(L"Wpeutil", L"LastRequest"), L"Shutdown");
  ToolResult unknown = sandbox.Run(L"wpeutil", L" Explode");
  EXPECT_EQ(unknown.exitCode, 1u);
  EXPECT_EQ(unknown.output, "Unknown command: Explode\r\n");
  EXPECT_EQ(ReadState(L"Wpeutil", L"LastRequest"), L"Shutdown");
}
