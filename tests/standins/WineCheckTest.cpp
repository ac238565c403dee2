// The stand-ins' refusal to run anywhere but under Wine, checked as a unit: Wine's ntdll passes, a
// module without Wine's export (as Windows' ntdll is) is refused with a message and exit code 1.
#include <gtest/gtest.h>

#include "common/Console.h"
#include "common/WineCheck.h"

TEST(WineCheck, AcceptsWinesNtdll) {
  EXPECT_TRUE(standin::HasWineExport(GetModuleHandleW(L"ntdll.dll")));
  standin::Console console;
  EXPECT_EQ(standin::RefuseOutsideWine(GetModuleHandleW(L"ntdll.dll"), L"bcdedit.exe", console), 0);
  EXPECT_TRUE(console.Collected().empty());
}

TEST(WineCheck, RefusesAModuleWithoutWinesExport) {
  HMODULE notWine = GetModuleHandleW(L"kernel32.dll");
  EXPECT_FALSE(standin::HasWineExport(notWine));
  EXPECT_FALSE(standin::HasWineExport(nullptr));
  standin::Console console;
  EXPECT_EQ(standin::RefuseOutsideWine(notWine, L"bootsect.exe", console), 1);
  EXPECT_NE(console.Collected().find(L"bootsect.exe"), std::wstring::npos);
  EXPECT_NE(console.Collected().find(L"only under Wine"), std::wstring::npos);
}
