// The formatting helper against the placeholders the program's texts use.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/Format.h"

TEST(Format, PlaceholdersOfTheProgramTexts) {
  EXPECT_EQ(base::Format(L" /store \"%s\" %s", L"C:\\a b.bcd", L" /enum"), L" /store \"C:\\a b.bcd\"  /enum");
  EXPECT_EQ(base::Format(L"%d|%u|%x|%04d", -5, 7u, 255, 42), L"-5|7|ff|0042");
  EXPECT_EQ(base::Format(L"%ls and %%", L"x"), L"x and %");
  EXPECT_EQ(base::Format(L"%04d_%02d", 2026, 3), L"2026_03");
  // Missing arguments expand to nothing rather than reading garbage.
  EXPECT_EQ(base::Format(L"a%sb%d"), L"ab");
  // An unknown placeholder stays as it is.
  EXPECT_EQ(base::Format(L"100%q"), L"100%q");
}

TEST(Format, CodePageRoundTrip) {
  std::string utf8 = "Gr\xC3\xBC\xC3\x9F" "e";
  std::wstring wide = base::Widen(utf8, CP_UTF8);
  EXPECT_EQ(wide, L"Gr\u00FC\u00DFe");
  EXPECT_EQ(base::Narrow(wide, CP_UTF8), utf8);
}
