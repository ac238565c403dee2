// The main window without a mouse and with a screen reader: keys as the dialog loop hands them
// over reach the pages' commands, and every button carries a name that a picture button never draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "StoreSandbox.h"
#include "TestSupport.h"
#include "WindowTest.h"
#include "app/MainDialog.h"
#include "base/Texts.h"
#include "controls/ButtonPresets.h"
#include "controls/KeyList.h"
#include "resource.h"
#include "texts.h"
#include "win/Controls.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

namespace {

RECT shownMenu;  // where the last menu opened
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR, DWORD) {
  HWND menu = FindWindowW(MAKEINTATOM(32768), nullptr);
  if (!menu || !IsWindowVisible(menu)) return;
  GetWindowRect(menu, &shownMenu);
  EndMenu();
}

// Down, a letter's character, up: through the top window's dialog manager, modifiers held meanwhile.
void Press(HWND top, HWND focus, UINT key, UINT modifiers) {
  BYTE saved[256], held[256];
  GetKeyboardState(saved);
  std::memcpy(held, saved, sizeof(held));
  if (modifiers & kShiftKey) held[VK_SHIFT] = 0x80;
  if (modifiers & kAltKey) held[VK_MENU] = 0x80;
  SetKeyboardState(held);
  SetFocus(focus);
  bool system = (modifiers & kAltKey) || key == VK_F10;
  LPARAM alt = (modifiers & kAltKey) ? KF_ALTDOWN << 16 : 0;
  std::vector<MSG> messages = {{focus, system ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1 | alt}};
  if (key >= 'A' && key <= 'Z') messages.push_back({focus, system ? WM_SYSCHAR : WM_CHAR, key + 32u, 1 | alt});
  // Shift+F10 opens its menu at once, whose loop then takes the key's release.
  if (key != VK_F10)
    messages.push_back({focus, system ? WM_SYSKEYUP : WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u) | alt});
  for (MSG& message : messages)
    if (!IsDialogMessageW(top, &message)) DispatchMessageW(&message);
  SetKeyboardState(saved);
  PumpMessages();
}

enum class Effect { kToolRun, kRowMoves, kRowsRebuilt, kPrompt, kNoPrompt, kShellRun, kMenuAtRow, kFocus, kPage };

struct KeyCase {
  const char* what;
  int page;  // row of the page table: 0 OS list, 1 Utilities, 3 Firmware
  int list;
  int nameColumn;
  std::wstring row;  // selected first; empty: the first row
  UINT key, modifiers;
  Effect effect;
  std::wstring detail;  // kToolRun: arguments the stand-in got; kPrompt: the box's caption
  int number = 0;       // kRowMoves: rows moved; kFocus: control; kPage: page shown
};

class Access : public testing::Test, protected StoreSandbox {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SeedUefiDemo());
    AppSettings.appTitle = L"Vexa";
    AppSettings.languageFile.clear();
    AppSettings.osClass = 10;
    AppSettings.showWindow = true;
    AppSettings.startPage = 1;
    AppSettings.enableDelMode = 1;
    // Yes to every question but the removal's, so the rows stay as the demo store has them.
    seams.script.answerPrompt = [](const win::PromptCall& call) {
      return call.caption == GetText(IDS_CONFIRM_DELETE_CAPTION) ? IDNO : IDYES;
    };
    window = std::make_unique<MainDialog>();
    ASSERT_TRUE(window->CreateModeless(nullptr));
    ShowWindow(window->Handle(), SW_SHOW);
    PumpMessages();
  }
  void TearDown() override {
    if (window) window->End(0);
  }
  std::unique_ptr<MainDialog> window;
};

int RowNamed(const win::ListView& list, int column, const std::wstring& name) {
  for (int row = 0; row < list.Count(); ++row)
    if (list.Cell(row, column) == name) return row;
  return name.empty() ? 0 : -1;
}

}  // namespace

TEST_F(Access, KeysReachTheCommandsOfTheirButtons) {
  const std::wstring win7 = L"Windows 7", ubuntu = L"ubuntu", deleteCaption = GetText(IDS_CONFIRM_DELETE_CAPTION);
  const KeyCase cases[] = {
      {"Enter sets the default", 0, IDC_OSLIST_LIST, 1, win7, VK_RETURN, 0, Effect::kToolRun,
       std::wstring(L" /default ") + demo::kWindows7},
      {"Alt+Down", 0, IDC_OSLIST_LIST, 1, win7, VK_DOWN, kAltKey, Effect::kRowMoves, L"", 1},
      {"Alt+Up", 0, IDC_OSLIST_LIST, 1, win7, VK_UP, kAltKey, Effect::kRowMoves, L"", -1},
      {"Delete asks to remove", 0, IDC_OSLIST_LIST, 1, win7, VK_DELETE, 0, Effect::kPrompt, deleteCaption},
      {"F5 rebuilds the rows", 0, IDC_OSLIST_LIST, 1, win7, VK_F5, 0, Effect::kRowsRebuilt},
      {"Shift+F10", 0, IDC_OSLIST_LIST, 1, win7, VK_F10, kShiftKey, Effect::kMenuAtRow},
      {"the menu key", 0, IDC_OSLIST_LIST, 1, win7, VK_APPS, 0, Effect::kMenuAtRow},
      {"Tab: the sort buttons follow the list", 0, IDC_OSLIST_LIST, 1, win7, VK_TAB, 0, Effect::kFocus, L"",
       IDC_OSLIST_MOVE_UP},
      {"Alt+U: a page button's mnemonic, no picture button's", 0, IDC_OSLIST_LIST, 1, win7, 'U', kAltKey,
       Effect::kPage, L"", 1},
      {"firmware: Enter starts once", 3, IDC_FIRMWARE_LIST, 0, ubuntu, VK_RETURN, 0, Effect::kToolRun,
       std::wstring(L" /set {fwbootmgr} bootsequence ") + demo::kUbuntu},
      {"firmware: F5 reads again", 3, IDC_FIRMWARE_LIST, 0, ubuntu, VK_F5, 0, Effect::kToolRun, L" /enum firmware /v"},
      {"firmware: Shift+F10", 3, IDC_FIRMWARE_LIST, 0, ubuntu, VK_F10, kShiftKey, Effect::kMenuAtRow},
      {"firmware: Alt+Down", 3, IDC_FIRMWARE_LIST, 0, ubuntu, VK_DOWN, kAltKey, Effect::kRowMoves, L"", 1},
      {"firmware: Alt+Up", 3, IDC_FIRMWARE_LIST, 0, ubuntu, VK_UP, kAltKey, Effect::kRowMoves, L"", -1},
      {"utilities: Enter runs", 1, IDC_UTILITIES_LIST, 0, L"", VK_RETURN, 0, Effect::kShellRun},
      {"utilities: Delete of the built-in one, whose button is off", 1, IDC_UTILITIES_LIST, 0, L"", VK_DELETE, 0,
       Effect::kNoPrompt},
      {"utilities: the menu key", 1, IDC_UTILITIES_LIST, 0, L"", VK_APPS, 0, Effect::kMenuAtRow},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.what);
    window->ShowPage(c.page);
    PumpMessages();
    HWND page = window->Page(c.page);
    win::ListView list(GetDlgItem(page, c.list));
    int row = RowNamed(list, c.nameColumn, c.row);
    ASSERT_GE(row, 0);
    list.Select(row);
    if (c.effect == Effect::kRowsRebuilt) list.SetCell(row, c.nameColumn, L"stale");
    size_t prompts = seams.script.prompts.size(), shellRuns = seams.script.shellCalls.size();
    ClearJournal();
    shownMenu = {};
    SetCursorPos(1, 1);
    UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseMenu);
    Press(window->Handle(), list.Handle(), c.key, c.modifiers);
    KillTimer(nullptr, timer);

    std::vector<std::wstring> sent;
    for (const std::wstring& line : Journal()) sent.push_back(ArgumentsOf(line));
    RECT at = {};
    ListView_GetItemRect(list.Handle(), row, &at, LVIR_BOUNDS);
    MapWindowPoints(list.Handle(), nullptr, reinterpret_cast<POINT*>(&at), 2);
    switch (c.effect) {
      case Effect::kToolRun: EXPECT_NE(std::find(sent.begin(), sent.end(), c.detail), sent.end()); break;
      case Effect::kRowMoves: EXPECT_EQ(RowNamed(list, c.nameColumn, c.row), row + c.number); break;
      case Effect::kRowsRebuilt: EXPECT_EQ(list.Cell(row, c.nameColumn), c.row); break;
      case Effect::kPrompt:
        ASSERT_EQ(seams.script.prompts.size(), prompts + 1);
        EXPECT_EQ(seams.script.prompts.back().caption, c.detail);
        break;
      case Effect::kNoPrompt: EXPECT_EQ(seams.script.prompts.size(), prompts); break;
      case Effect::kShellRun: EXPECT_EQ(seams.script.shellCalls.size(), shellRuns + 1); break;
      case Effect::kMenuAtRow:
        EXPECT_TRUE(shownMenu.top >= at.top && shownMenu.top <= at.bottom + 2 && shownMenu.left >= at.left)
            << "menu at " << shownMenu.left << "," << shownMenu.top << ", row " << at.left << "," << at.top;
        break;
      case Effect::kFocus: EXPECT_EQ(GetFocus(), GetDlgItem(page, c.number)); break;
      case Effect::kPage: EXPECT_EQ(window->CurrentPage(), c.number); break;
    }
  }
}

TEST_F(Access, EveryButtonHasANameInTheLanguageShownThatAPictureButtonNeverDraws) {
  auto expectNames = [this] {
    for (HWND parent : {window->Handle(), window->Page(0)}) {
      for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t kind[16] = {};
        GetClassNameW(child, kind, 16);
        if (lstrcmpiW(kind, L"Button") == 0) EXPECT_NE(TextOf(child), L"") << "button " << GetDlgCtrlID(child);
      }
    }
  };
  expectNames();
  EXPECT_EQ(window->ItemText(IDC_MAIN_CONFIG), L"Config");
  EXPECT_EQ(ControlText(window->Page(0), IDC_OSLIST_MOVE_UP), L"Move Up") << "no mnemonic of its own";

  AppSettings.languageFile = BuildFile(L"Language\\407.ini");
  window->OnLanguageChanged(true);
  expectNames();
  EXPECT_EQ(ControlText(window->Page(0), IDC_OSLIST_MOVE_UP), WithoutMnemonic(GetText(IDS_MOVE_UP)));
  EXPECT_EQ(window->ItemText(IDC_MAIN_MINIMIZE), L"Minimieren");

  HWND config = window->Item(IDC_MAIN_CONFIG);
  PaintNow(window->Handle());
  Pixels before = CaptureClient(config);
  SetWindowTextW(config, L"WWWWWWWW");
  PaintNow(window->Handle());
  EXPECT_EQ(CaptureClient(config).data, before.data) << "the name was drawn over the picture";
}
