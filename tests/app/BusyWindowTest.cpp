// A slow tool and the main window: the window keeps answering and says what it waits for, nothing
// arriving meanwhile starts before the run ends, and every result is the one a fast tool gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "StoreSandbox.h"
#include "WindowTest.h"
#include "app/MainDialog.h"
#include "base/Texts.h"
#include "controls/PageContext.h"
#include "resource.h"
#include "texts.h"
#include "win/Controls.h"

using namespace testing_support;

namespace {

// What another thread saw of the window while action ran, looking as Windows does before it calls
// a window hung. Once the window is disabled (a run under way), post is called there.
struct Watched {
  int unanswered = 0;  // WM_NULL not answered within 250 ms
  bool sawDisabled = false;
  std::vector<std::wstring> status;  // the current-system line, at each look
};
Watched WatchWhile(HWND window, void (*post)(HWND main, HWND page), HWND page, const std::function<void()>& action) {
  Watched seen;
  std::atomic<bool> stop{false}, done{false};
  std::thread watcher([&] {
    for (DWORD_PTR result = 0; !stop; Sleep(20)) {
      if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 250, &result)) ++seen.unanswered;
      seen.status.push_back(TextOf(GetDlgItem(window, IDC_MAIN_CURRENT_SYSTEM)));
      if (!seen.sawDisabled && !IsWindowEnabled(window) && post) post(window, page);
      seen.sawDisabled = seen.sawDisabled || !IsWindowEnabled(window);
    }
    seen.status.push_back(TextOf(GetDlgItem(window, IDC_MAIN_CURRENT_SYSTEM)));
    done = true;
  });
  action();
  stop = true;
  PumpUntil([&] { return done.load(); });  // its last looks are answered, not counted as a hang
  watcher.join();
  return seen;
}

// During a run: a click on Reload the List, the close box, a page's refresh.
void PostEverything(HWND main, HWND page) {
  PostMessageW(GetDlgItem(page, IDC_OSLIST_RELOAD_STORE), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(GetDlgItem(page, IDC_OSLIST_RELOAD_STORE), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  PostMessageW(main, WM_CLOSE, 0, 0);
  PostMessageW(main, kRefreshPagesMessage, kRefreshOsListFromStore, 0);
}

void ToolDelay(const wchar_t* milliseconds) { SetEnvironmentVariableW(L"VEXA_SCRIPTED_DELAY_MS", milliseconds); }

// Every run is handed by the scripted tool to the faithful stand-in, after VEXA_SCRIPTED_DELAY_MS.
class BusyWindow : public testing::Test, protected StoreSandbox {
 protected:
  void SetUp() override {
    AppSettings.languageFile.clear();
    AppSettings.languageCode = L"409";
    AppSettings.autoReBoot = 0;
    ASSERT_TRUE(CopyFileW((ToolDir() + L"bcdedit.exe").c_str(), folder.File(L"faithful-bcdedit.exe").c_str(), 0));
    ASSERT_TRUE(CopyFileW(BuildFile(L"testtools\\scripted_tool.exe").c_str(), (ToolDir() + L"bcdedit.exe").c_str(), 0));
  }
  ScopedEnvironment onlyWhen_{L"VEXA_SCRIPTED_ONLY_WHEN", L"/never-sent"};
  ScopedEnvironment otherwise_{L"VEXA_SCRIPTED_OTHERWISE", folder.File(L"faithful-bcdedit.exe")};
  ScopedEnvironment delay_{L"VEXA_SCRIPTED_DELAY_MS", L"0"};
};

}  // namespace

// Each case runs with a fast tool, then with a slow one; the same commands reach the tool in the
// same order, the user is asked the same, and what arrived during the slow run has its turn after.
TEST_F(BusyWindow, AnswersSaysWhatItDoesAndLetsNothingInUntilTheRunEnds) {
  struct Case {
    int startPage, button;  // pressed on the main window, or on the OS list with Windows 7 selected
    const wchar_t* delay;
    void (*post)(HWND main, HWND page);
    UINT activity;
  };
  const Case cases[] = {{2, IDC_MAIN_PAGE_OSLIST, L"1500", nullptr, IDS_BUSY_READING},
                        {1, IDC_OSLIST_SET_DEFAULT, L"1100", &PostEverything, IDS_BUSY_CHANGING}};
  for (const Case& c : cases) {
    std::vector<std::wstring> commands[2], prompts[2];
    int focus[2] = {};
    for (int slow = 0; slow < 2; ++slow) {
      ASSERT_TRUE(SeedDemo());
      AppSettings.startPage = c.startPage;
      MainDialog main;
      HWND window = main.CreateModeless(nullptr), page = main.Page(0);
      ShowWindow(window, SW_SHOW);
      win::ListView list(GetDlgItem(page, IDC_OSLIST_LIST));  // none before the OS list is shown
      for (int row = 0; row < list.Count(); ++row)
        if (list.Cell(row, 1) == L"Windows 7") list.Select(row);
      PumpMessages();
      ClearJournal();
      seams.script = {};
      seams.script.promptAnswers = {IDYES, IDOK, IDNO};
      ToolDelay(slow ? c.delay : L"0");
      // What the press did is taken before anything posted meanwhile has had its turn.
      Watched seen = WatchWhile(window, slow ? c.post : nullptr, page, [&] {
        SendMessageW(GetDlgItem(page ? page : window, c.button), BM_CLICK, 0, 0);
        for (const std::wstring& line : TakeJournal()) commands[slow].push_back(line.substr(line.find(L".exe\"") + 5));
        for (const auto& prompt : seams.script.prompts) prompts[slow].push_back(prompt.text);
        focus[slow] = GetDlgCtrlID(GetFocus());
        ToolDelay(L"0");
      });
      EXPECT_TRUE(!slow || (seen.unanswered == 0 && seen.sawDisabled)) << seen.unanswered;
      EXPECT_EQ(std::count(seen.status.begin(), seen.status.end(), GetText(c.activity)) > 0, slow == 1);
      EXPECT_EQ(seen.status.back(), seen.status.front());
      PumpMessages();
      // The click was dropped; the close box asks now, and the page reads the store now.
      EXPECT_EQ(seams.script.prompts.size(), prompts[slow].size() + (slow && c.post ? 1 : 0));
      EXPECT_EQ(TakeJournal().empty(), !slow || !c.post);
    }
    EXPECT_EQ(commands[1], commands[0]);
    EXPECT_EQ(prompts[1], prompts[0]);
    EXPECT_EQ(focus[1], focus[0]);
  }
  EXPECT_EQ(BcdEditRunner::NestedRunsRefused(), 0);
}

TEST_F(BusyWindow, AToolThatLivesOnAfterItsOutputEndsIsNoSuccess) {
  ASSERT_TRUE(folder.WriteText(L"answer.bin", "listing\r\n"));
  ScopedEnvironment answer(L"VEXA_SCRIPTED_OUTPUT", folder.File(L"answer.bin"));
  ScopedEnvironment always(L"VEXA_SCRIPTED_ONLY_WHEN", L"");
  ScopedEnvironment linger(L"VEXA_SCRIPTED_LINGER_MS", L"1000");
  Runner().exitWaitMilliseconds = 200;
  ToolResult result = Runner().RunChecked(L" /enum {bootmgr}");
  EXPECT_TRUE(result.started && result.exitCode == STILL_ACTIVE && result.text == L"listing\r\n");
  Sleep(1000);  // the tool ends before its folder goes
}
