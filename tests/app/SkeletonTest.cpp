// The real vexa.exe comes up with its main window under Wine and ends when closed.
#include <gtest/gtest.h>

#include "TestSupport.h"

using namespace testing_support;

TEST(Program, MainWindowComesUpAndCloses) {
  TempProgramFolder folder;
  ASSERT_TRUE(folder.CopyFromBuild(L"vexa.exe", L"vexa.exe"));

  std::wstring commandLine = L"\"" + folder.File(L"vexa.exe") + L"\"";
  STARTUPINFOW startup = {sizeof(startup)};
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.Path().c_str(),
                             &startup, &process));

  HWND window = nullptr;
  bool shown = PumpUntil([&] { return (window = FindProcessWindow(process.dwProcessId, L"Vexa")) != nullptr; },
                         std::chrono::seconds(20));
  EXPECT_TRUE(shown) << "no top-level window captioned Vexa";
  if (window) {
    wchar_t className[64];
    GetClassNameW(window, className, 64);
    EXPECT_STREQ(className, L"#32770");  // a dialog made from the main template
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
  DWORD waited = WaitForSingleObject(process.hProcess, 20000);
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  EXPECT_EQ(waited, WAIT_OBJECT_0) << "vexa.exe did not end after its window was closed";
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}
