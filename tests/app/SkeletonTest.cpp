// The real vexa.exe: its main window comes up, closing it asks whether to quit or hide, No keeps
// the process in the tray, and the tray's Exit ends it.
#include <gtest/gtest.h>

#include "StoreSandbox.h"
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
  StoreSandbox sandbox;
  ASSERT_TRUE(sandbox.SeedDemo());  // a store the tool cannot list would be told of in a box
  ChildProcess process = sandbox.StartProgram(L"");
  ASSERT_TRUE(process.Started());

  HWND window = process.WaitForWindow(L"Vexa");
  ASSERT_NE(window, nullptr) << "no top-level window captioned Vexa";
  wchar_t className[64];
  GetClassNameW(window, className, 64);
  EXPECT_STREQ(className, L"#32770");  // a dialog made from the main template

  PostMessageW(window, WM_CLOSE, 0, 0);
  ModalSearch search{process.Id(), window, nullptr};
  EXPECT_TRUE(PumpUntil([&] {
    search.found = nullptr;
    EnumWindows(MatchModal, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  })) << "closing asks whether to quit or hide";
  if (search.found) PostMessageW(search.found, WM_COMMAND, IDNO, 0);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(window); })) << "No hides the window";
  EXPECT_EQ(process.WaitExit(500), static_cast<DWORD>(STILL_ACTIVE)) << "and keeps the process";
  EXPECT_TRUE(IsWindow(window));

  PostMessageW(window, WM_COMMAND, ID_TRAY_EXIT, 0);
  EXPECT_EQ(process.WaitExit(20000), 0u) << "the tray's Exit ends the program";
}
