// A slow tool and the main window: the window keeps answering and says what it waits for, nothing
// arriving meanwhile starts before the run ends, and every result is the one a fast tool gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "StoreSandbox.h"
#include "WindowTest.h"
#include "app/MainDialog.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "controls/PageContext.h"
#include "resource.h"
#include "texts.h"
#include "win/Controls.h"

using namespace testing_support;

namespace {

// What the main window showed another thread, which looks as Windows does before calling it hung.
struct Watched {
  int unanswered = 0;  // WM_NULL not answered within 250 ms
  bool sawDisabled = false;
  std::vector<std::wstring> statusTexts;
};

// Runs action while another thread watches window; once the window is disabled (a run under way),
// that thread calls post once.
Watched WatchWhile(HWND window, void (*post)(HWND main, HWND page), HWND page, const std::function<void()>& action) {
  Watched seen;
  std::atomic<bool> stop{false}, done{false};
  std::thread watcher([&] {
    for (DWORD_PTR result = 0; !stop; Sleep(20)) {
      if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 250, &result)) ++seen.unanswered;
      seen.statusTexts.push_back(TextOf(GetDlgItem(window, IDC_MAIN_CURRENT_SYSTEM)));
      if (!seen.sawDisabled && !IsWindowEnabled(window) && post) post(window, page);
      seen.sawDisabled = seen.sawDisabled || !IsWindowEnabled(window);
    }
    seen.statusTexts.push_back(TextOf(GetDlgItem(window, IDC_MAIN_CURRENT_SYSTEM)));  // once all is over
    done = true;
  });
  action();
  stop = true;
  PumpUntil([&] { return done.load(); });  // its last look is answered, not counted as a hang
  watcher.join();
  return seen;
}

class BusyWindow : public testing::Test, protected StoreSandbox {
 protected:
  // Every run is handed by the scripted tool to the faithful stand-in, after VEXA_SCRIPTED_DELAY_MS.
  void SetUp() override {
    AppSettings.languageFile.clear();
    AppSettings.languageCode = L"409";
    AppSettings.showWindow = true;
    AppSettings.autoReBoot = 0;
    ASSERT_TRUE(CopyFileW((ToolDir() + L"bcdedit.exe").c_str(), folder.File(L"faithful-bcdedit.exe").c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileW(BuildFile(L"testtools\\scripted_tool.exe").c_str(), (ToolDir() + L"bcdedit.exe").c_str(), FALSE));
  }
  std::vector<std::wstring> Commands() const {
    std::vector<std::wstring> commands;
    for (const std::wstring& line : TakeJournal())
      commands.push_back(base::TrimLeft(line.substr(line.find(L".exe\"") + 5)));
    return commands;
  }
  ScopedEnvironment onlyWhen_{L"VEXA_SCRIPTED_ONLY_WHEN", L"/never-sent"};
  ScopedEnvironment otherwise_{L"VEXA_SCRIPTED_OTHERWISE", folder.File(L"faithful-bcdedit.exe")};
  ScopedEnvironment delay_{L"VEXA_SCRIPTED_DELAY_MS", L"0"};
};

std::vector<std::wstring> ListNames(HWND page) {
  win::ListView list(GetDlgItem(page, IDC_OSLIST_LIST));
  std::vector<std::wstring> names;
  for (int row = 0; row < list.Count(); ++row) names.push_back(list.Cell(row, 1));
  return names;
}

}  // namespace

// Each case runs twice, with a fast and with a slow tool; the slow one gets something posted.
TEST_F(BusyWindow, AnswersSaysWhatItDoesAndLetsNothingInUntilTheRunEnds) {
  struct Case {
    const char* name;
    int startPage, button;  // pressed on the main window, or on the OS list with Windows 7 selected
    const wchar_t* delay;
    void (*post)(HWND main, HWND page);
    UINT activity, laterPrompt;  // a prompt asked only once the run is over
    bool laterReads;             // the store read only once the run is over
  };
  const Case cases[] = {
      {"the OS list's load", 2, IDC_MAIN_PAGE_OSLIST, L"1500", nullptr, IDS_BUSY_READING, 0, false},
      {"a click on Reload the List", 1, IDC_OSLIST_SET_DEFAULT, L"1100", [](HWND, HWND page) {
         PostMessageW(GetDlgItem(page, IDC_OSLIST_RELOAD_STORE), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
         PostMessageW(GetDlgItem(page, IDC_OSLIST_RELOAD_STORE), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
       }, IDS_BUSY_CHANGING, 0, false},
      {"the close box", 1, IDC_OSLIST_SET_DEFAULT, L"1100", [](HWND main, HWND) { PostMessageW(main, WM_CLOSE, 0, 0); },
       IDS_BUSY_CHANGING, IDS_QUIT_OR_HIDE, false},
      {"a page's refresh", 1, IDC_OSLIST_SET_DEFAULT, L"1100",
       [](HWND main, HWND) { PostMessageW(main, kRefreshPagesMessage, kRefreshOsListFromStore, 0); }, IDS_BUSY_CHANGING,
       0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::wstring> commands[2], prompts[2], names[2];
    for (int slow = 0; slow < 2; ++slow) {
      ASSERT_TRUE(SeedDemo());
      SetEnvironmentVariableW(L"VEXA_SCRIPTED_DELAY_MS", L"0");
      AppSettings.startPage = c.startPage;
      MainDialog main;
      HWND window = main.CreateModeless(nullptr), page = main.Page(0);
      ShowWindow(window, SW_SHOW);
      std::vector<std::wstring> rows = page ? ListNames(page) : std::vector<std::wstring>{};
      auto windows7 = std::find(rows.begin(), rows.end(), L"Windows 7");
      if (page) win::ListView(GetDlgItem(page, IDC_OSLIST_LIST)).Select(static_cast<int>(windows7 - rows.begin()));
      PumpMessages();
      ClearJournal();
      seams.script = {};
      seams.script.promptAnswers = {IDYES, IDOK, IDNO};
      if (slow) SetEnvironmentVariableW(L"VEXA_SCRIPTED_DELAY_MS", c.delay);
      // What the press did is taken before anything posted meanwhile has had its turn.
      Watched seen = WatchWhile(window, slow ? c.post : nullptr, page, [&] {
        SendMessageW(GetDlgItem(page ? page : window, c.button), BM_CLICK, 0, 0);
        commands[slow] = Commands();
        for (const auto& prompt : seams.script.prompts) prompts[slow].push_back(prompt.text);
        names[slow] = ListNames(main.Page(0));
        SetEnvironmentVariableW(L"VEXA_SCRIPTED_DELAY_MS", L"0");
      });
      EXPECT_TRUE(!slow || (seen.unanswered == 0 && seen.sawDisabled)) << seen.unanswered;
      EXPECT_EQ(std::count(seen.statusTexts.begin(), seen.statusTexts.end(), GetText(c.activity)) > 0, slow == 1);
      EXPECT_EQ(seen.statusTexts.back(), seen.statusTexts.front());
      if (!slow) continue;
      PumpMessages();
      EXPECT_EQ(seams.script.prompts.size(), prompts[0].size() + (c.laterPrompt ? 1 : 0));
      EXPECT_TRUE(!c.laterPrompt || seams.script.prompts.back().text == GetText(c.laterPrompt));
      EXPECT_EQ(!Commands().empty(), c.laterReads);
    }
    EXPECT_EQ(commands[1], commands[0]);
    EXPECT_EQ(prompts[1], prompts[0]);
    EXPECT_EQ(names[1], names[0]);
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
  Sleep(1000);
}
