// Conversions between UTF-16 and the Windows code pages.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/Format.h"

TEST(Format, CodePageRoundTrip) {
  std::string utf8 = "Gr\xC3\xBC\xC3\x9F" "e";
  std::wstring wide = base::Widen(utf8, CP_UTF8);
  EXPECT_EQ(wide, L"Gr\u00FC\u00DFe");
  EXPECT_EQ(base::Narrow(wide, CP_UTF8), utf8);
}
