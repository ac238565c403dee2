// The real vexa.exe: its main window comes up, closing it asks whether to quit or hide, No keeps
// the process in the tray, and the tray's Exit ends it.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "resource.h"

using namespace testing_support;

namespace {

struct ModalSearch {
  DWORD processId;
  HWND exclude;
  HWND found;
};

BOOL CALLBACK MatchModal(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<ModalSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (owner != search->processId || window == search->exclude || !IsWindowVisible(window) ||
      lstrcmpW(className, L"#32770") != 0)
    return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

TEST(Program, CloseAsksQuitOrHideAndNoKeepsItInTheTray) {
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
    ModalSearch search{process.dwProcessId, window, nullptr};
    EXPECT_TRUE(PumpUntil([&] {
      search.found = nullptr;
      EnumWindows(MatchModal, reinterpret_cast<LPARAM>(&search));
      return search.found != nullptr;
    })) << "closing asks whether to quit or hide";
    if (search.found) PostMessageW(search.found, WM_COMMAND, IDNO, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(window); })) << "No hides the window";
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 500), static_cast<DWORD>(WAIT_TIMEOUT)) << "and keeps the process";
    EXPECT_TRUE(IsWindow(window));

    PostMessageW(window, WM_COMMAND, ID_TRAY_EXIT, 0);
  }
  DWORD waited = WaitForSingleObject(process.hProcess, 20000);
  if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  EXPECT_EQ(waited, WAIT_OBJECT_0) << "vexa.exe did not end after Exit";
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}
