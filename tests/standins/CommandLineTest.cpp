// Command lines split by the C runtime's rules, as the real tools see their arguments.
#include <gtest/gtest.h>

#include "common/CommandLine.h"

using standin::SplitCommandLine;
using Args = std::vector<std::wstring>;

TEST(CommandLine, SeparatesArgumentsAtRunsOfBlanksAndTabs) {
  EXPECT_EQ(SplitCommandLine(L"bcdedit.exe  /set  {current}   description   \"Windows 10\""),
            (Args{L"bcdedit.exe", L"/set", L"{current}", L"description", L"Windows 10"}));
  EXPECT_EQ(SplitCommandLine(L"tool\t/a \t /b   "), (Args{L"tool", L"/a", L"/b"}));
  EXPECT_EQ(SplitCommandLine(L"tool"), (Args{L"tool"}));
}

TEST(CommandLine, ProgramNameEndsAtTheFirstBlankUnlessQuoted) {
  EXPECT_EQ(SplitCommandLine(L"C:\\Program Files\\Vexa\\bin64\\bcdedit.exe /enum"),
            (Args{L"C:\\Program", L"Files\\Vexa\\bin64\\bcdedit.exe", L"/enum"}));
  EXPECT_EQ(SplitCommandLine(L"\"C:\\Program Files\\bcdedit.exe\" /enum"),
            (Args{L"C:\\Program Files\\bcdedit.exe", L"/enum"}));
  // Backslashes before a quote mean nothing in the program name.
  EXPECT_EQ(SplitCommandLine(L"\"C:\\dir\\\" /x"), (Args{L"C:\\dir\\", L"/x"}));
}

TEST(CommandLine, QuotesGroupBlanksAndKeepTheirContentVerbatim) {
  EXPECT_EQ(SplitCommandLine(L"t /copy {x} /d \" Copy of W \" "), (Args{L"t", L"/copy", L"{x}", L"/d", L" Copy of W "}));
  EXPECT_EQ(SplitCommandLine(L"t /import \"C:\\My Backup\\a.BCD\" "), (Args{L"t", L"/import", L"C:\\My Backup\\a.BCD"}));
  EXPECT_EQ(SplitCommandLine(L"t ab\"c d\"ef"), (Args{L"t", L"abc def"}));
  EXPECT_EQ(SplitCommandLine(L"t \"\""), (Args{L"t", L""}));
  EXPECT_EQ(SplitCommandLine(L"t \"unterminated value"), (Args{L"t", L"unterminated value"}));
}

TEST(CommandLine, BackslashesCountOnlyBeforeQuotes) {
  EXPECT_EQ(SplitCommandLine(L"t \\Windows\\system32\\winload.exe"), (Args{L"t", L"\\Windows\\system32\\winload.exe"}));
  EXPECT_EQ(SplitCommandLine(L"t a\\\\\"b c\""), (Args{L"t", L"a\\b c"}));  // 2n backslashes + quote
  EXPECT_EQ(SplitCommandLine(L"t a\\\"b"), (Args{L"t", L"a\"b"}));          // 2n+1 backslashes + quote
  EXPECT_EQ(SplitCommandLine(L"t \"C:\\dir\\\\\" next"), (Args{L"t", L"C:\\dir\\", L"next"}));
  EXPECT_EQ(SplitCommandLine(L"t \"say \"\"hi\"\"\""), (Args{L"t", L"say \"hi\""}));
}
