// The tool runner: which folder the tool is started from, the /store clause, the refusals, and a
// real hidden child whose output is captured.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "store/BcdEditRunner.h"
#include "texts.h"

using testing_support::TempProgramFolder;

namespace {

// A runner whose program folder is a temporary one.
BcdEditRunner RunnerIn(const TempProgramFolder& folder, int wow64) {
  BcdEditRunner runner;
  runner.isWow64 = wow64;
  runner.programDir = folder.Path();
  runner.toolDir.clear();
  runner.EnsureToolDir();
  return runner;
}

// cmd.exe stands in for a tool that echoes: "bcdedit.exe /c echo x" prints x.
bool PlantEcho(const TempProgramFolder& folder, const std::wstring& relative) {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  return CopyFileW((std::wstring(system) + L"\\cmd.exe").c_str(), folder.File(relative).c_str(), FALSE) != FALSE;
}

}  // namespace

TEST(Runner, ToolFolderFollowsWow64) {
  TempProgramFolder folder;
  BcdEditRunner wow = RunnerIn(folder, 1);
  EXPECT_EQ(wow.toolDir, folder.Path() + L"bin64\\");
  EXPECT_EQ(wow.Run(L" /c echo none", 0), L"-1");  // no tool anywhere: nothing starts

  ASSERT_TRUE(PlantEcho(folder, L"bin\\bcdedit.exe"));
  // A WOW64 process falls back to bin\ when bin64\ has no tool.
  EXPECT_EQ(wow.Run(L" /c echo from-bin", 0), L"from-bin\r\n");
  ASSERT_TRUE(PlantEcho(folder, L"bin64\\bcdedit.exe"));
  folder.WriteText(L"bin\\bcdedit.exe", "not a program");
  EXPECT_EQ(wow.Run(L" /c echo from-bin64", 0), L"from-bin64\r\n");

  // A 32-bit process on 32-bit Windows never looks in bin64\.
  DeleteFileW(folder.File(L"bin\\bcdedit.exe").c_str());
  BcdEditRunner plain = RunnerIn(folder, 0);
  EXPECT_EQ(plain.toolDir, folder.Path() + L"bin\\");
  EXPECT_EQ(plain.Run(L" /c echo x", 0), L"-1");
}

TEST(Runner, CapturesOutputOfAHiddenChildIncludingEmptyAndErrorOutput) {
  TempProgramFolder folder;
  ASSERT_TRUE(PlantEcho(folder, L"bin64\\bcdedit.exe"));
  BcdEditRunner runner = RunnerIn(folder, 1);
  // Nothing printed is an empty text, not the missing-tool text.
  EXPECT_EQ(runner.Run(L" /c rem", 0), L"");
  // Standard error arrives in the same text.
  EXPECT_EQ(runner.Run(L" /c echo err 1>&2", 0), L"err \r\n");
  // More than one read's worth arrives whole, without separators.
  std::wstring many;
  for (int i = 0; i < 300; ++i) many += L"0123456789\r\n";
  std::wstring output = runner.Run(L" /c for /l %i in (1,1,300) do @echo 0123456789", 0);
  EXPECT_EQ(output.size(), many.size());
  EXPECT_TRUE(output == many);
}

TEST(Runner, HandsBackTheExitCodeBesideTheText) {
  TempProgramFolder folder;
  BcdEditRunner runner = RunnerIn(folder, 1);
  EXPECT_FALSE(runner.RunChecked(L" /c echo x", 0).started);  // no tool: "-1", nothing ran
  ASSERT_TRUE(PlantEcho(folder, L"bin64\\bcdedit.exe"));
  ToolResult failed = runner.RunChecked(L" /c echo broken& exit 3", 0);
  EXPECT_TRUE(failed.started && failed.exitCode == 3u && failed.text == L"broken\r\n");
  EXPECT_TRUE(runner.ExecuteChecked(L"bcdedit.exe", runner.toolDir, L" /c echo fine", 0).Succeeded());
}

TEST(Runner, OverlongCommandLineIsRefusedWithoutStarting) {
  TempProgramFolder folder;
  ASSERT_TRUE(PlantEcho(folder, L"bin64\\bcdedit.exe"));
  BcdEditRunner runner = RunnerIn(folder, 1);
  std::wstring prefix = runner.toolDir + L"bcdedit.exe" + L"  /c echo ";
  // Exactly filling the buffer (with its terminator) still runs; one more unit is refused.
  std::wstring fits(kCommandLineLimit - 1 - prefix.size(), L'b');
  EXPECT_EQ(runner.Run(L" /c echo " + fits, 0), fits + L"\r\n");
  EXPECT_EQ(runner.lastRefusal, Refusal::kNone);
  EXPECT_EQ(runner.Run(L" /c echo " + fits + L"b", 0), L"CreateProcess Failed!");
  EXPECT_EQ(runner.lastRefusal, Refusal::kCommandTooLong);
}

TEST(Runner, DoubleByteCharacterAcrossTwoReads) {
  TempProgramFolder folder;
  ASSERT_TRUE(PlantEcho(folder, L"bin64\\bcdedit.exe"));
  BcdEditRunner runner = RunnerIn(folder, 1);
  runner.outputCodePage = 936;
  // The first read ends after the lead byte of U+4F60 (C4 E3 in code page 936).
  std::string bytes(1023, 'a');
  bytes += "\xC4\xE3";
  bytes += "b";
  ASSERT_TRUE(folder.WriteText(L"out.txt", bytes));
  std::wstring expected(1023, L'a');
  expected += L"\x4F60" L"b";
  std::wstring output = runner.Run(L" /c type " + folder.File(L"out.txt"), 0);
  EXPECT_EQ(output.size(), expected.size());
  EXPECT_TRUE(output == expected);
}

TEST(Runner, StoredTextsComeBackFromTheToolAsSent) {
  EXPECT_EQ(StoredTextRefusal(L"Windows 7 [x64] \\ 100%"), Refusal::kNone);
  // A tab or line break would split a line of the saved script; an emoji the tool prints as "?".
  for (const wchar_t* text : {L"Windows\t7", L"Windows\r\n7", L"Windows \U0001F600", L"\x7F"}) {
    EXPECT_EQ(StoredTextRefusal(text), Refusal::kUnprintable) << base::Narrow(text, CP_UTF8);
  }
}

// A tool that never finishes is ended after the run's limit; the run fails and says why, and the
// output it gave before stays.
TEST(Runner, AToolThatHangsIsEndedAndItsRunFails) {
  TempProgramFolder folder;
  ASSERT_TRUE(CopyFileW(testing_support::BuildFile(L"testtools\\scripted_tool.exe").c_str(),
                        folder.File(L"bin64\\bcdedit.exe").c_str(), FALSE));
  testing_support::ScopedEnvironment delay{L"VEXA_SCRIPTED_DELAY_MS", L"60000"};
  BcdEditRunner runner = RunnerIn(folder, 1);
  runner.runLimitMilliseconds = 700;
  DWORD begin = GetTickCount();
  ToolResult hung = runner.RunChecked(L" /enum", 0);
  EXPECT_LT(GetTickCount() - begin, 10000u);
  EXPECT_TRUE(hung.started);
  EXPECT_EQ(hung.exitCode, BcdEditRunner::kHungExitCode);
  EXPECT_FALSE(hung.Succeeded());
  EXPECT_NE(hung.text.find(GetText(IDS_TOOL_HUNG)), std::wstring::npos) << hung.text;
}
