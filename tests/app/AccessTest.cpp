// The main window without a mouse and with a screen reader: keys as the dialog loop hands them
// over reach the pages' commands, and every button carries a name that a picture button never draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>

#include "StoreSandbox.h"
#include "TestSupport.h"
#include "WindowTest.h"
#include "app/MainDialog.h"
#include "base/Texts.h"
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
  if (menu && IsWindowVisible(menu) && GetWindowRect(menu, &shownMenu)) EndMenu();
}

// Down, a letter's character, up: through the top window's dialog manager, modifiers held meanwhile.
void Press(HWND top, HWND focus, UINT key, UINT modifiers) {
  BYTE held[256] = {};
  held[VK_SHIFT] = (modifiers & kShiftKey) ? 0x80 : 0;
  held[VK_MENU] = (modifiers & kAltKey) ? 0x80 : 0;
  SetKeyboardState(held);
  SetFocus(focus);
  bool system = (modifiers & kAltKey) || key == VK_F10;
  LPARAM alt = (modifiers & kAltKey) ? KF_ALTDOWN << 16 : 0;
  const UINT down = system ? WM_SYSKEYDOWN : WM_KEYDOWN, up = system ? WM_SYSKEYUP : WM_KEYUP;
  const UINT character = system ? WM_SYSCHAR : WM_CHAR;
  std::vector<MSG> messages = {{focus, down, key, 1 | alt}};
  if (key >= 'A' && key <= 'Z') messages.push_back({focus, character, key + 32u, 1 | alt});
  // Shift+F10 opens its menu at once, whose loop then takes the key's release.
  if (key != VK_F10)
    messages.push_back({focus, up, key, static_cast<LPARAM>(0xC0000001u) | alt});
  for (MSG& message : messages)
    if (!IsDialogMessageW(top, &message)) DispatchMessageW(&message);
  SetKeyboardState(std::array<BYTE, 256>{}.data());
  PumpMessages();
}

enum class Effect { kToolRun, kRowAt, kAsks, kMenuAtRow, kFocus, kPage };

struct KeyCase {
  int page;  // row of the page table: 0 OS list, 1 Utilities, 3 Firmware; its list has the focus
  UINT key, modifiers;
  Effect effect;
  int number = 0;    // kRowAt: rows moved (the rows made anew); kAsks: boxes and shell runs; kFocus: control; kPage
  std::wstring run;  // kToolRun: arguments the stand-in got
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
  void TearDown() override { if (window) window->End(0); }
  std::unique_ptr<MainDialog> window;
};

}  // namespace

TEST_F(Access, KeysReachTheCommandsOfTheirButtons) {
  const KeyCase cases[] = {
      {0, VK_RETURN, 0, Effect::kToolRun, 0, std::wstring(L" /default ") + demo::kWindows7},
      {0, VK_DOWN, kAltKey, Effect::kRowAt, 1}, {0, VK_UP, kAltKey, Effect::kRowAt, -1},
      {0, VK_DELETE, 0, Effect::kAsks, 1}, {0, VK_F5, 0, Effect::kRowAt, 0},
      {0, VK_F10, kShiftKey, Effect::kMenuAtRow}, {0, VK_APPS, 0, Effect::kMenuAtRow},
      {0, VK_TAB, 0, Effect::kFocus, IDC_OSLIST_MOVE_UP},  // the sort buttons follow the list
      {0, 'U', kAltKey, Effect::kPage, 1},  // the page button's mnemonic: no picture button has one
      {3, VK_RETURN, 0, Effect::kToolRun, 0, std::wstring(L" /set {fwbootmgr} bootsequence ") + demo::kUbuntu},
      {3, VK_F5, 0, Effect::kToolRun, 0, L" /enum firmware /v"}, {3, VK_F10, kShiftKey, Effect::kMenuAtRow},
      {3, VK_DOWN, kAltKey, Effect::kRowAt, 1}, {3, VK_UP, kAltKey, Effect::kRowAt, -1},
      {1, VK_RETURN, 0, Effect::kAsks, 1}, {1, VK_APPS, 0, Effect::kMenuAtRow},
      {1, VK_DELETE, 0, Effect::kAsks, 0},  // the built-in utility's delete button is off
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "page " << c.page << ", key " << c.key << ", modifiers " << c.modifiers);
    window->ShowPage(c.page);
    HWND page = window->Page(c.page);
    win::ListView list(GetDlgItem(page, c.page == 0 ? IDC_OSLIST_LIST : c.page == 1 ? IDC_UTILITIES_LIST
                                                                                : IDC_FIRMWARE_LIST));
    int column = c.page == 0 ? 1 : 0, row = 0;
    const std::wstring name = c.page == 0 ? L"Windows 7" : c.page == 3 ? L"ubuntu" : list.Cell(0, 0);
    while (row < list.Count() - 1 && list.Cell(row, column) != name) ++row;
    list.Select(row);
    if (c.effect == Effect::kRowAt) list.SetCell(row, column, L"stale");
    auto asked = [this] { return seams.script.prompts.size() + seams.script.shellCalls.size(); };
    size_t askedBefore = asked();
    ClearJournal();
    shownMenu = {};
    SetCursorPos(1, 1);  // far from every row
    UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseMenu);
    Press(window->Handle(), list.Handle(), c.key, c.modifiers);
    KillTimer(nullptr, timer);

    std::vector<std::wstring> sent;
    for (const std::wstring& line : Journal()) sent.push_back(ArgumentsOf(line));
    RECT at;
    ListView_GetItemRect(list.Handle(), row, &at, LVIR_BOUNDS);
    MapWindowPoints(list.Handle(), nullptr, reinterpret_cast<POINT*>(&at), 2);
    switch (c.effect) {
      case Effect::kToolRun: EXPECT_NE(std::find(sent.begin(), sent.end(), c.run), sent.end()); break;
      case Effect::kRowAt: EXPECT_EQ(list.Cell(row + c.number, column), name); break;
      case Effect::kAsks: EXPECT_EQ(asked(), askedBefore + c.number); break;
      case Effect::kMenuAtRow:  // below the row, not at the mouse
        EXPECT_TRUE(shownMenu.top >= at.top && shownMenu.top <= at.bottom + 2 && shownMenu.left >= at.left);
        break;
      case Effect::kFocus: EXPECT_EQ(GetFocus(), GetDlgItem(page, c.number)); break;
      case Effect::kPage: EXPECT_EQ(window->CurrentPage(), c.number); break;
    }
  }
}

TEST_F(Access, EveryButtonHasANameInTheLanguageShownThatAPictureButtonNeverDraws) {
  auto expectNames = [this] {
    for (HWND parent : {window->Handle(), window->Page(0)})
      for (HWND button = nullptr; (button = FindWindowExW(parent, button, L"Button", nullptr));)
        EXPECT_NE(TextOf(button), L"") << "button " << GetDlgCtrlID(button);
  };
  expectNames();

  AppSettings.languageFile = BuildFile(L"Language\\407.ini");
  window->OnLanguageChanged(true);
  expectNames();
  EXPECT_EQ(window->ItemText(IDC_MAIN_MINIMIZE), L"Minimieren");

  HWND config = window->Item(IDC_MAIN_CONFIG);
  PaintNow(window->Handle());
  Pixels before = CaptureClient(config);
  SetWindowTextW(config, L"WWWWWWWW");
  PaintNow(window->Handle());
  EXPECT_EQ(CaptureClient(config).data, before.data) << "the name was drawn over the picture";
}
