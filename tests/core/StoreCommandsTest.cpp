// The decisions inside command composition: when a value is quoted, which application types pass,
// what is cut out of /create's answer, and which quotes would break out of a value.
#include <gtest/gtest.h>

#include "core/StoreCommands.h"

TEST(StoreCommands, QuotingTypesAndCreatedIdentifier) {
  // Only a value with a blank and no leading quote gets quotes of its own.
  EXPECT_EQ(QuoteIfBlank(T16("\\Windows\\system32\\winload.exe")), T16("\\Windows\\system32\\winload.exe"));
  EXPECT_EQ(QuoteIfBlank(T16("My Win")), T16("\"My Win\""));
  EXPECT_EQ(QuoteIfBlank(T16("\"My Win\"")), T16("\"My Win\""));
  // An empty value and one with a tab are quoted too: unquoted, the first would be no argument and
  // the second two.
  EXPECT_EQ(QuoteIfBlank(T16("")), T16("\"\""));
  EXPECT_EQ(QuoteIfBlank(T16("Tab\tSeven")), T16("\"Tab\tSeven\""));

  EXPECT_EQ(CreateEntryArgs(T16("bootsector"), T16("DOS")), T16(" /create /d \"DOS\" /application bootsector"));
  EXPECT_EQ(CreateEntryArgs(T16(""), T16("New")), T16(" /create /d \"New\" /application OSLOADER"));
  EXPECT_EQ(CreateEntryArgs(T16("WINLOAD"), T16("New")), T16(" /create /d \"New\" /application OSLOADER"));
  EXPECT_EQ(CreatedIdentifier(T16("The entry {a1} was successfully created.\r\n")), T16("{a1}"));
  EXPECT_EQ(CreatedIdentifier(T16("x {a} and {b} y")), T16("{a} and {b}"));
  EXPECT_EQ(CreatedIdentifier(T16("-1")), T16("-1"));
  EXPECT_EQ(CreatedIdentifier(T16("oops}")), T16("oops}"));
  // The copy's description keeps one blank inside each quote.
  EXPECT_EQ(CopyArgs(T16("{a}"), T16("Win 7")), T16(" /copy {a} /d \" Copy of Win 7 \" "));
}

TEST(StoreCommands, StrayQuotes) {
  EXPECT_FALSE(HasStrayQuote(T16("plain")));
  EXPECT_FALSE(HasStrayQuote(T16("\"wrapped value\"")));
  EXPECT_TRUE(HasStrayQuote(T16("\"")));
  EXPECT_TRUE(HasStrayQuote(T16("\"a\" /delete {b} \"c\"")));
  EXPECT_TRUE(HasStrayQuote(T16("say \"hi\"")));
  EXPECT_TRUE(HasStrayQuote(T16("\"open")));
  EXPECT_TRUE(HasStrayQuote(T16("\"\"\"")));
  // A final backslash would escape the closing quote and leave the value open.
  EXPECT_TRUE(HasStrayQuote(T16("\"C:\\My Dir\\\"")));
  EXPECT_FALSE(HasStrayQuote(T16("\"\"")));
}

TEST(StoreCommands, IdentifiersAndStoreFilesStayOneArgument) {
  // Identifiers (and the type names /enum takes) go unquoted.
  for (const core::Char* sound : {T16("{current}"), T16("{b2721d73-1db4-11e1-9f2c-005056c00008}"), T16("OSLOADER")}) {
    EXPECT_EQ(IdentifierRefusal(sound), Refusal::kNone);
  }
  for (const core::Char* split : {T16(""), T16("{a} /delete {current}"), T16("{a}\t{b}"), T16("{a\"}")}) {
    EXPECT_EQ(IdentifierRefusal(split), Refusal::kBadIdentifier) << testing::PrintToString(core::String(split));
    EXPECT_EQ(ElementRefusal(split, T16(" description ")), Refusal::kBadIdentifier);
  }
  EXPECT_EQ(ElementRefusal(T16("current"), T16(" description ")), Refusal::kBadIdentifier);
  const core::String quoted = T16("\"x\"");
  EXPECT_EQ(ElementRefusal(T16("{current}"), T16(" description "), &quoted), Refusal::kNone);
  // The store file goes between quotes of our own.
  EXPECT_EQ(StoreFileRefusal(T16("C:\\Backup\\my store.bcd")), Refusal::kNone);
  EXPECT_EQ(StoreFileRefusal(T16("C:\\Backup\\")), Refusal::kQuoteInValue);
  EXPECT_EQ(StoreFileRefusal(T16("C:\\a\" /delete {current} \"b")), Refusal::kQuoteInValue);
}
