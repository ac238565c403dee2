// The exact argument texts of the store commands, blanks included, and the refusal of values that
// would break out of their quotes.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "store/BcdEditRunner.h"
#include "store/StoreCommands.h"

TEST(StoreCommands, ElementOperationTexts) {
  EXPECT_EQ(SetElementArgs(L"{current}", L" description ", L"\"My Win\""),
            L" /set  {current}    description    \"My Win\"");
  EXPECT_EQ(DeleteElementArgs(L"{bootmgr}", L" locale "), L" /deletevalue  {bootmgr}    locale ");
  // Only a value with a blank and no leading quote gets quotes of its own.
  EXPECT_EQ(QuoteIfBlank(L"\\Windows\\system32\\winload.exe"), L"\\Windows\\system32\\winload.exe");
  EXPECT_EQ(QuoteIfBlank(L"My Win"), L"\"My Win\"");
  EXPECT_EQ(QuoteIfBlank(L"\"My Win\""), L"\"My Win\"");
  EXPECT_EQ(QuoteIfBlank(L""), L"");

  EXPECT_EQ(CreateEntryArgs(L"bootsector", L"DOS"), L" /create /d \"DOS\" /application bootsector");
  EXPECT_EQ(CreateEntryArgs(L"", L"New"), L" /create /d \"New\" /application OSLOADER");
  EXPECT_EQ(CreateEntryArgs(L"WINLOAD", L"New"), L" /create /d \"New\" /application OSLOADER");
  EXPECT_EQ(CreatedIdentifier(L"The entry {a1} was successfully created.\r\n"), L"{a1}");
  EXPECT_EQ(CreatedIdentifier(L"x {a} and {b} y"), L"{a} and {b}");
  EXPECT_EQ(CreatedIdentifier(L"-1"), L"-1");
  EXPECT_EQ(CreatedIdentifier(L"oops}"), L"oops}");
}

TEST(StoreCommands, OrderAndPageTemplates) {
  EXPECT_EQ(EnumArgs(L"OSLOADER"), L" /enum OSLOADER /v");
  EXPECT_EQ(DefaultArgs(L"{a}"), L" /default {a}");
  EXPECT_EQ(DeleteEntryArgs(L"{a}"), L" /delete {a} /cleanup ");
  EXPECT_EQ(AddToListArgs(L"{a}"), L" /displayorder {a} /addlast");
  EXPECT_EQ(TimeoutArgs(0), L" /timeout 0");
  EXPECT_EQ(TimeoutArgs(-5), L" /timeout -5");
  EXPECT_EQ(DisplayOrderArgs({L"{a}", L"{b}", L"{c}"}), L" /displayorder {a} {b} {c}");
  EXPECT_EQ(CopyArgs(L"{a}", L"Win 7"), L" /copy {a} /d \" Copy of Win 7 \" ");
  EXPECT_EQ(ExportArgs(L"C:\\Backup\\2026_12_07.BCD"), L" /export \"C:\\Backup\\2026_12_07.BCD\"");
  EXPECT_EQ(ImportArgs(L"C:\\My Files\\a.BCD"), L" /import \"C:\\My Files\\a.BCD\" ");
  EXPECT_EQ(CreateLegacyLoaderArgs(L"Earlier Windows"), L" /create {ntldr} /d \"Earlier Windows\"");
  EXPECT_EQ(AppendToMenuArgs(L"{a}"), L" /displayorder {a} /addlast");
  std::vector<std::wstring> setup = LegacyLoaderSetupArgs();
  ASSERT_EQ(setup.size(), 4u);
  EXPECT_EQ(setup[0], L" /create {ntldr} /d \"Earlier Windows OS Loader\"");
  EXPECT_EQ(setup[1], L" /set {ntldr} description \"Earlier Windows OS Loader\"");
  EXPECT_EQ(setup[2], L" /set {ntldr} path \\ntldr");
  EXPECT_EQ(setup[3], L" /set {ntldr} device partition=c:");
  EXPECT_EQ(LegacyLoaderNameArgs(L"Windows XP"), L" /set {ntldr} description \"Windows XP\"");
  // The store clause keeps the template's blank and the arguments' own: two blanks before /enum.
  EXPECT_EQ(WithStoreClause(L"D:\\x.bcd", EnumArgs(L"OSLOADER")), L" /store \"D:\\x.bcd\"  /enum OSLOADER /v");
}

TEST(StoreCommands, StrayQuotesAreRefusedAndNothingIsIssued) {
  EXPECT_FALSE(HasStrayQuote(L"plain"));
  EXPECT_FALSE(HasStrayQuote(L"\"wrapped value\""));
  EXPECT_TRUE(HasStrayQuote(L"\""));
  EXPECT_TRUE(HasStrayQuote(L"\"a\" /delete {b} \"c\""));
  EXPECT_TRUE(HasStrayQuote(L"say \"hi\""));
  EXPECT_TRUE(HasStrayQuote(L"\"open"));

  testing_support::TempProgramFolder folder;  // no tool in it: an issued command would give "-1"
  BcdEditRunner runner;
  runner.programDir = folder.Path();
  runner.toolDir.clear();
  EXPECT_EQ(runner.SetElement(L"{current}", L" description ", L"\"x\" /f \"y\""), 0);
  EXPECT_EQ(runner.lastRefusal, Refusal::kQuoteInValue);
  EXPECT_EQ(runner.SetElement(L"{current}", L" description ", L"\"a \"b\" c\""), 0);
  EXPECT_EQ(runner.lastRefusal, Refusal::kQuoteInValue);
  EXPECT_EQ(runner.SetElement(L"current", L" description ", L"x"), 0);
  EXPECT_EQ(runner.lastRefusal, Refusal::kBadIdentifier);
  EXPECT_EQ(runner.DeleteElement(L"", L" locale "), 0);
  EXPECT_EQ(runner.lastRefusal, Refusal::kBadIdentifier);
  EXPECT_EQ(runner.CreateEntry(L"OSLOADER", L"a\" /application BOOTSECTOR"), L"");
  EXPECT_EQ(runner.lastRefusal, Refusal::kQuoteInValue);
  // A sound value is issued (here it reaches the missing tool) and the refusal is cleared.
  EXPECT_EQ(runner.SetElement(L"{current}", L" description ", L"\"Fine name\""), 1);
  EXPECT_EQ(runner.lastRefusal, Refusal::kNone);
  EXPECT_EQ(runner.CreateEntry(L"OSLOADER", L"New"), L"-1");
}
