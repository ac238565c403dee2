// The decisions inside command composition: when a value is quoted, which application types pass,
// what is cut out of /create's answer, and which quotes would break out of a value.
#include <gtest/gtest.h>

#include "store/StoreCommands.h"

TEST(StoreCommands, QuotingTypesAndCreatedIdentifier) {
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
  // The copy's description keeps one blank inside each quote.
  EXPECT_EQ(CopyArgs(L"{a}", L"Win 7"), L" /copy {a} /d \" Copy of Win 7 \" ");
}

TEST(StoreCommands, StrayQuotes) {
  EXPECT_FALSE(HasStrayQuote(L"plain"));
  EXPECT_FALSE(HasStrayQuote(L"\"wrapped value\""));
  EXPECT_TRUE(HasStrayQuote(L"\""));
  EXPECT_TRUE(HasStrayQuote(L"\"a\" /delete {b} \"c\""));
  EXPECT_TRUE(HasStrayQuote(L"say \"hi\""));
  EXPECT_TRUE(HasStrayQuote(L"\"open"));
  EXPECT_TRUE(HasStrayQuote(L"\"\"\""));
  // A final backslash would escape the closing quote and leave the value open.
  EXPECT_TRUE(HasStrayQuote(L"\"C:\\My Dir\\\""));
  EXPECT_FALSE(HasStrayQuote(L"\"\""));
}
