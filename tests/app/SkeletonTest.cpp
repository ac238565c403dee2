// The real vexa.exe comes up with its main window under Wine and ends when closed.
#include <gtest/gtest.h>

#include "StoreSandbox.h"

using namespace testing_support;

TEST(Program, MainWindowComesUpAndCloses) {
  StoreSandbox sandbox;
  ChildProcess process = sandbox.StartProgram(L"");
  ASSERT_TRUE(process.Started());

  HWND window = process.WaitForWindow(L"Vexa");
  EXPECT_NE(window, nullptr) << "no top-level window captioned Vexa";
  if (window) {
    wchar_t className[64];
    GetClassNameW(window, className, 64);
    EXPECT_STREQ(className, L"#32770");  // a dialog made from the main template
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  DWORD exitCode = process.WaitExit(20000);
  EXPECT_NE(exitCode, static_cast<DWORD>(STILL_ACTIVE)) << "vexa.exe did not end after its window was closed";
  EXPECT_EQ(exitCode, 0u);
}
