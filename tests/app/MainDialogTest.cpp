// The main window in real windows: version texts, pages and the selected page button, the tray
// menu, starting hidden, and closing to the tray or quitting.
#include <gtest/gtest.h>

#include "ModalWindows.h"
#include "WindowTest.h"
#include "StoreSandbox.h"
#include "app/Environment.h"
#include "app/MainDialog.h"
#include "app/VersionText.h"
#include "art.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "controls/ArmedRestart.h"
#include "controls/Drawing.h"
#include "resource.h"
#include "texts.h"
#include "win/Controls.h"
#include "win/Dpi.h"

using namespace testing_support;

namespace {

class MainWindow : public testing::Test, protected StoreSandbox {
 protected:
  // The OS list page, shown first, reads the machine's store: give it the demo store to read.
  void SetUp() override {
    ASSERT_TRUE(SeedDemo());
    AppSettings.appTitle = L"Vexa";
    AppSettings.languageFile.clear();
    AppSettings.languageCode = L"409";
    AppSettings.osClass = GetOsClass();
    AppSettings.showWindow = true;
    AppSettings.showBalloon = 1;
    AppSettings.startPage = 1;
  }
  // Creates the window as start-up would show it (or keep it hidden).
  HWND Open(MainDialog& main) {
    HWND window = main.CreateModeless(nullptr);
    if (window && AppSettings.showWindow) ShowWindow(window, SW_SHOW);
    PumpMessages();
    return window;
  }
  std::vector<DWORD> TrayMessages() const {
    std::vector<DWORD> messages;
    for (const win::TrayCall& call : seams.script.trayCalls) messages.push_back(call.message);
    return messages;
  }
};

std::vector<UINT> MenuIds(HMENU menu) {
  std::vector<UINT> ids;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
  return ids;
}

// Share of the bitmap's opaque pixels that the window shows at origin (the bitmap drawn there).
double ShareShown(const Pixels& window, const Pixels& bitmap, POINT origin, COLORREF transparent) {
  int opaque = 0, shown = 0;
  for (int y = 0; y < bitmap.height; ++y) {
    for (int x = 0; x < bitmap.width; ++x) {
      if (bitmap.At(x, y) == transparent) continue;
      int wx = origin.x + x, wy = origin.y + y;
      if (wx < 0 || wy < 0 || wx >= window.width || wy >= window.height) continue;
      ++opaque;
      if (window.At(wx, wy) == bitmap.At(x, y)) ++shown;
    }
  }
  return opaque ? static_cast<double>(shown) / opaque : 0.0;
}

POINT ClientOrigin(HWND control, HWND parent) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top};
}

BOOL CALLBACK AddShown(HWND window, LPARAM list) {
  if (IsWindowVisible(window)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// Moves top to a monitor of dpi as a system without the dialog manager's DPI switch (Wine, Windows
// 8.1) does; it must go where it is told, each button shown keeping its name. Returns how many
// windows it shows and those not within 3 pixels of their places scaled.
std::pair<size_t, std::wstring> MoveToDpi(HWND top, UINT dpi) {
  std::vector<HWND> shown;
  EnumChildWindows(top, AddShown, reinterpret_cast<LPARAM>(&shown));
  std::vector<POINT> before;
  for (HWND window : shown) before.push_back(ClientOrigin(window, top));
  auto scaled = [from = win::DpiOf(top), dpi](LONG value) { return MulDiv(value, dpi, from); };
  RECT place = {30, 40, 30 + scaled(600), 40 + scaled(460)}, now = {};
  SendMessageW(top, win::kDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
  GetWindowRect(top, &now);
  EXPECT_TRUE(EqualRect(&now, &place));
  std::wstring off;
  for (size_t n = 0; n < shown.size(); ++n) {
    const POINT at = ClientOrigin(shown[n], top);
    if (std::abs(at.x - scaled(before[n].x)) > 3 || std::abs(at.y - scaled(before[n].y)) > 3)
      off += std::to_wstring(GetDlgCtrlID(shown[n])) + L" ";
    const bool button = SendMessageW(shown[n], WM_GETDLGCODE, 0, 0) & DLGC_BUTTON;
    EXPECT_TRUE(!button || !TextOf(shown[n]).empty()) << "unnamed button " << GetDlgCtrlID(shown[n]);
  }
  return {shown.size(), off};
}

}  // namespace

TEST_F(MainWindow, VersionLineReadsTheFileVersion) {
  EXPECT_EQ(VersionText(MAKELONG(4, 2), MAKELONG(625, 2021)), L"Version : 2.4  Build 2021.0625 ( Beta for Test )");
  AppSettings.fileVersionMS = MAKELONG(4, 2);
  AppSettings.fileVersionLS = MAKELONG(625, 2021);
  MainDialog main;
  ASSERT_TRUE(Open(main));
  EXPECT_EQ(main.ItemText(IDC_MAIN_VERSION), L"Version : 2.4  Build 2021.0625 ( Beta for Test )");
  EXPECT_EQ(win::WindowText(main.Handle()), L"Vexa") << "the caption is the application title";
  EXPECT_FALSE(main.ItemText(IDC_MAIN_CURRENT_SYSTEM).empty());
  main.End(0);
}

TEST_F(MainWindow, PagesAreMadeOnFirstUseAndTheSelectedButtonShowsItsPicture) {
  MainDialog main;
  ASSERT_TRUE(Open(main));
  EXPECT_TRUE(main.Page(0) && IsWindowVisible(main.Page(0)));
  EXPECT_EQ(main.Page(1), nullptr);
  EXPECT_EQ(main.Page(2), nullptr);

  win::Click(main.Item(IDC_MAIN_PAGE_UTILITIES));
  PumpMessages();
  ASSERT_TRUE(main.Page(1));
  EXPECT_TRUE(IsWindowVisible(main.Page(1)));
  EXPECT_FALSE(IsWindowVisible(main.Page(0)));
  EXPECT_EQ(main.Page(2), nullptr);
  EXPECT_EQ(main.CurrentPage(), 1);

  PaintNow(main.Handle());
  Pixels window = CaptureClient(main.Handle());
  // The selected button is drawn pressed: its picture moves by one pixel.
  POINT utilities = ClientOrigin(main.Item(IDC_MAIN_PAGE_UTILITIES), main.Handle());
  POINT osList = ClientOrigin(main.Item(IDC_MAIN_PAGE_OSLIST), main.Handle());
  EXPECT_GT(ShareShown(window, BitmapPixels(IDB_PAGE_UTILITIES_SELECTED), {utilities.x + 1, utilities.y + 1},
                       RGB(255, 0, 0)),
            0.9);
  EXPECT_LT(ShareShown(window, BitmapPixels(IDB_PAGE_OSLIST_SELECTED), {osList.x + 1, osList.y + 1}, RGB(255, 0, 0)),
            0.5)
      << "the OS list button lost its selected look";

  // The firmware page sits below the Bootloader button, a row of the page table like the others.
  win::Click(main.Item(IDC_MAIN_PAGE_FIRMWARE));
  PumpMessages();
  ASSERT_TRUE(main.Page(3));
  EXPECT_TRUE(IsWindowVisible(main.Page(3)) && !IsWindowVisible(main.Page(1)));
  EXPECT_GT(ClientOrigin(main.Item(IDC_MAIN_PAGE_FIRMWARE), main.Handle()).y,
            ClientOrigin(main.Item(IDC_MAIN_PAGE_BOOTLOADER), main.Handle()).y);
  PaintNow(main.Handle());
  POINT firmware = ClientOrigin(main.Item(IDC_MAIN_PAGE_FIRMWARE), main.Handle());
  EXPECT_GT(ShareShown(CaptureClient(main.Handle()), BitmapPixels(IDB_PAGE_FIRMWARE_SELECTED),
                       {firmware.x + 1, firmware.y + 1}, RGB(255, 0, 0)),
            0.9);
  main.End(0);
}

TEST_F(MainWindow, TrayMenuOffersHideWhileShownAndShowWhileHidden) {
  struct Case {
    bool shown;
    UINT offered, withheld;
  } cases[] = {{true, ID_TRAY_HIDE, ID_TRAY_SHOW}, {false, ID_TRAY_SHOW, ID_TRAY_HIDE}};
  for (const Case& c : cases) {
    win::UniqueMenu menu = MainDialog::BuildTrayMenu(c.shown, nullptr);
    ASSERT_TRUE(menu);
    HMENU popup = GetSubMenu(menu.Get(), 0);
    std::vector<UINT> ids = MenuIds(popup);
    EXPECT_EQ(ids.front(), c.offered);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), c.withheld), 0);
    EXPECT_EQ(GetMenuDefaultItem(popup, FALSE, 0), c.offered);
    for (UINT id : {ID_TRAY_CONFIG, ID_TRAY_RESTART, ID_TRAY_HELP, ID_TRAY_ABOUT, ID_TRAY_EXIT})
      EXPECT_EQ(std::count(ids.begin(), ids.end(), id), 1) << id;
  }
}

TEST_F(MainWindow, StartedHiddenShowsABalloonAndBuildsNoPageUntilShown) {
  AppSettings.showWindow = false;
  MainDialog main;
  ASSERT_TRUE(Open(main));
  EXPECT_FALSE(IsWindowVisible(main.Handle()));
  EXPECT_FALSE(main.WindowShown());
  EXPECT_EQ(main.Page(0), nullptr) << "the OS list is read only when the window is first shown";
  ASSERT_EQ(TrayMessages(), (std::vector<DWORD>{NIM_ADD, NIM_MODIFY}));
  const win::TrayCall& balloon = seams.script.trayCalls[1];
  EXPECT_TRUE(balloon.flags & NIF_INFO);
  EXPECT_EQ(balloon.info, main.TipText());
  EXPECT_EQ(balloon.infoTitle, L"Vexa");
  EXPECT_EQ(balloon.timeout, 5000u);

  // A double-click: its press shows the window, and the double-click that follows keeps it shown.
  for (UINT event : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    SendMessageW(main.Handle(), MainDialog::kTrayMessage, MainDialog::kTrayIconId, event);
  PumpMessages();
  EXPECT_TRUE(IsWindowVisible(main.Handle()) && main.WindowShown());
  EXPECT_TRUE(main.Page(0) && IsWindowVisible(main.Page(0)));

  // Explorer restarted: the icon comes back.
  seams.script.trayCalls.clear();
  SendMessageW(main.Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_EQ(TrayMessages(), std::vector<DWORD>{NIM_ADD});
  main.End(0);
}

TEST_F(MainWindow, AnIconTheTaskbarRefusesIsOfferedAgainUntilTaken) {
  AppSettings.showWindow = false;
  seams.script.trayAddsRefused = 2;
  MainDialog main;
  ASSERT_TRUE(Open(main));
  auto adds = [&] {
    std::vector<DWORD> messages = TrayMessages();
    return std::count(messages.begin(), messages.end(), DWORD{NIM_ADD});
  };
  EXPECT_TRUE(PumpUntil([&] { return adds() == 3; }));
  PumpUntil([] { return false; }, std::chrono::milliseconds(3 * MainDialog::kTrayRetryMilliseconds));
  EXPECT_EQ(adds(), 3) << "taken, it is offered no more";
  main.End(0);
}

TEST_F(MainWindow, WindowsTwoThousandGetsNoBalloonAndAShortTip) {
  AppSettings.showWindow = false;
  AppSettings.osClass = 1;
  MainDialog main;
  ASSERT_TRUE(Open(main));
  ASSERT_EQ(TrayMessages(), std::vector<DWORD>{NIM_ADD});
  EXPECT_FALSE(seams.script.trayCalls[0].flags & NIF_INFO);
  EXPECT_EQ(seams.script.trayCalls[0].tip, main.TipText());
  EXPECT_LE(main.TipText().size(), 64u);
  main.End(0);
}

TEST_F(MainWindow, CloseAsksQuitOrHideAndTrayCommandsWaitForAnOpenDialog) {
  MainDialog main;
  ASSERT_TRUE(Open(main));
  HWND window = main.Handle();

  seams.script.promptAnswers = {IDNO};
  // The dialog turns the close box into a posted IDCANCEL.
  SendMessageW(window, WM_CLOSE, 0, 0);
  PumpMessages();
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(seams.script.prompts[0].text, L"Want Quit or Hide?\nYes to Quit and No for Hide?");
  EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));
  std::vector<DWORD> messages = TrayMessages();
  EXPECT_EQ(std::count(messages.begin(), messages.end(), static_cast<DWORD>(NIM_DELETE)), 0)
      << "hidden, the icon stays";

  // A modal window of ours is open: Exit and Restart only bring it forward.
  main.ShowFromTray();
  EnableWindow(window, FALSE);
  SendMessageW(window, WM_COMMAND, ID_TRAY_EXIT, 0);
  SendMessageW(window, WM_COMMAND, ID_TRAY_RESTART, 0);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(seams.script.prompts.size(), 1u) << "no restart question over the open dialog";
  EnableWindow(window, TRUE);

  seams.script.promptAnswers = {IDYES};
  SendMessageW(window, WM_CLOSE, 0, 0);
  PumpMessages();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(TrayMessages().back(), static_cast<DWORD>(NIM_DELETE));
}

TEST_F(MainWindow, TrayRestartAsksAndRestartsOnlyOnYes) {
  AppSettings.winPeState = 0;
  for (int answer : {IDNO, IDYES}) {
    ScopedSeams local;
    local.script.promptAnswers = {answer};
    MainDialog main;
    ASSERT_TRUE(Open(main));
    SendMessageW(main.Handle(), WM_COMMAND, ID_TRAY_RESTART, 0);
    ASSERT_EQ(local.script.prompts.size(), 1u);
    EXPECT_EQ(local.script.prompts[0].text, L"Are you sure you want to restart your computer? ");
    EXPECT_EQ(local.script.prompts[0].caption, L"Confirm Restart");
    if (answer == IDYES) {
      ASSERT_EQ(local.script.restarts.size(), 1u);
      EXPECT_EQ(local.script.restarts[0].flags, static_cast<UINT>(EWX_REBOOT));
    } else {
      EXPECT_TRUE(local.script.restarts.empty());
    }
    main.End(0);
  }
}

TEST_F(MainWindow, QuittingWithUnsavedSortChangesAsksFirst) {
  MainDialog main;
  ASSERT_TRUE(Open(main));
  HWND page = main.Page(0);
  ASSERT_TRUE(page);
  // Windows 7, the second entry, moves above Windows 10.
  HWND list = GetDlgItem(page, IDC_OSLIST_LIST);
  ListView_SetItemState(list, 2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  PumpMessages();
  win::Click(GetDlgItem(page, IDC_OSLIST_MOVE_UP));
  ASSERT_TRUE(IsWindowEnabled(GetDlgItem(page, IDC_OSLIST_SAVE_ORDER))) << "the move is unsaved";

  seams.script.prompts.clear();
  seams.script.promptAnswers = {IDCANCEL};
  SendMessageW(main.Handle(), WM_COMMAND, ID_TRAY_EXIT, 0);
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(seams.script.prompts[0].text, GetText(IDS_ASK_SAVE_ORDER_BEFORE_LEAVING));
  EXPECT_TRUE(IsWindow(main.Handle())) << "Cancel stays";

  seams.script.promptAnswers = {IDNO};
  SendMessageW(main.Handle(), WM_COMMAND, ID_TRAY_EXIT, 0);
  EXPECT_FALSE(main.Handle()) << "No gives the changes up and quits";
  EXPECT_TRUE(Journal().empty() || Journal().back().find(L"/displayorder") == std::wstring::npos);
}

namespace {

std::vector<std::wstring> ListNames(HWND page) {
  win::ListView list(GetDlgItem(page, IDC_OSLIST_LIST));
  std::vector<std::wstring> names;
  for (int row = 0; row < list.Count(); ++row) names.push_back(list.Cell(row, 1));
  return names;
}

}  // namespace

TEST_F(MainWindow, ARestoreOnTheBootloaderPageShowsTheRestoredStoreOnTheOsList) {
  std::wstring backup = folder.File(L"saved store.bcd");
  ASSERT_EQ(RunTool(L"bcdedit", L" /export \"" + backup + L"\"").exitCode, 0u);
  ASSERT_EQ(RunTool(L"bcdedit", std::wstring(L" /delete ") + demo_store::kWindows7).exitCode, 0u);
  MainDialog main;
  ASSERT_TRUE(Open(main));
  std::vector<std::wstring> before = ListNames(main.Page(0));
  ASSERT_EQ(std::count(before.begin(), before.end(), L"Windows 7"), 0);

  win::Click(main.Item(IDC_MAIN_PAGE_BOOTLOADER));
  HWND bootloader = main.Page(2);
  ASSERT_TRUE(bootloader);
  SetDlgItemTextW(bootloader, IDC_BOOTLOADER_RESTORE_PATH, backup.c_str());
  seams.script.promptAnswers = {IDYES, IDOK};
  win::Click(GetDlgItem(bootloader, IDC_BOOTLOADER_RESTORE));
  PumpMessages();

  std::vector<std::wstring> after = ListNames(main.Page(0));
  EXPECT_EQ(std::count(after.begin(), after.end(), L"Windows 7"), 1) << "the list reads the restored store";
  main.End(0);
}

// Moved to a monitor at 150% and back, as Windows tells a per-monitor aware window: the window
// goes where it is told, nearly every window shown sits at its place scaled, and the pictures,
// image lists, picture sizes, columns and the store label sized to its text follow the DPI both ways.
TEST_F(MainWindow, AnotherMonitorsDpiGivesThePicturesDrawnForIt) {
  if (win::SystemDpi() != win::kBaseDpi) GTEST_SKIP() << "the display is not at 96 DPI";
  MainDialog main;
  ASSERT_TRUE(Open(main));
  HWND list = GetDlgItem(main.Page(0), IDC_OSLIST_LIST), label = GetDlgItem(main.Page(0), IDC_OSLIST_STORE_LABEL);
  Runner().storeFile = L"C:\\Stores\\a-store-file-named-longer-than-its-label.bcd";
  main.OnLanguageChanged(true);
  RECT label96 = {}, labelNow = {};
  GetClientRect(label, &label96);
  using Size = std::pair<int, int>;
  struct Step {
    UINT dpi;
    int images;  // the shared button images
    Size selected, banner, sortArrow;
  };
  const Step steps[] = {{144, 24, {158, 71}, {324, 48}, {8, 14}}, {96, 16, {105, 47}, {216, 32}, {5, 9}}};
  const int nameColumn96 = ListView_GetColumnWidth(list, 1);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.dpi);
    const auto [shown, off] = MoveToDpi(main.Handle(), step.dpi);
    EXPECT_LE(std::count(off.begin(), off.end(), L' ') * 20, shown) << shown << " shown, off their places: " << off;
    int width = 0, height = 0;
    ImageList_GetIconSize(ListView_GetImageList(list, LVSIL_SMALL), &width, &height);
    EXPECT_EQ(width, step.images);
    EXPECT_NEAR(ListView_GetColumnWidth(list, 1), win::ScaleToDpi(nameColumn96, step.dpi), 1);
    ImageList_GetIconSize(Header_GetImageList(ListView_GetHeader(list)), &width, &height);
    EXPECT_EQ(Size(width, height), step.sortArrow);
    RECT button = {}, banner = {};
    GetClientRect(main.Item(IDC_MAIN_PAGE_OSLIST), &button);
    GetClientRect(main.Item(IDC_MAIN_BANNER), &banner);
    EXPECT_EQ(Size(button.right, button.bottom), step.selected);
    EXPECT_EQ(Size(banner.right, banner.bottom), step.banner);
    // Laid out again, the label takes its text's width, not its template's.
    GetClientRect(label, &labelNow);
    EXPECT_NEAR(labelNow.right, win::ScaleToDpi(label96.right, step.dpi), label96.right / 10);

    // The selected button shows the picture drawn for the DPI, pressed by a pixel.
    PaintNow(main.Handle());
    win::UniqueBitmap picture = LoadArtForDpi(IDB_PAGE_OSLIST_SELECTED, step.dpi, RGB(255, 0, 0));
    POINT at = ClientOrigin(main.Item(IDC_MAIN_PAGE_OSLIST), main.Handle());
    EXPECT_GT(ShareShown(CaptureClient(main.Handle()), BitmapPixels(picture.Get()), {at.x + 1, at.y + 1}, RGB(255, 0, 0)),
              0.9);
  }
  main.End(0);
}

namespace {

// The pages that start an entry once: where their rows are, their commands, their read back.
struct OncePage {
  int index, list, nameColumn;
  WPARAM restartOnce, cancelOnce;
  const wchar_t* listing;
};
const OncePage kOsListOnce = {0, IDC_OSLIST_LIST, 1, ID_OSLIST_RESTART_ONCE, ID_OSLIST_CANCEL_ONCE, L" /enum all /v"};
const OncePage kFirmwareOnce = {3, IDC_FIRMWARE_LIST, 0, MAKEWPARAM(IDC_FIRMWARE_ONCE, BN_CLICKED),
                                ID_FIRMWARE_CANCEL_ONCE, L" /enum firmware /v"};
const std::wstring kUsbStickName = L"UEFI: USB Flash Disk 1.00";

// The page shown, and the row of that name (-1: none).
int ShowRow(MainDialog& main, const OncePage& page, const std::wstring& name) {
  main.ShowPage(page.index);
  win::ListView list(GetDlgItem(main.Page(page.index), page.list));
  for (int row = 0; row < list.Count(); ++row)
    if (list.Cell(row, page.nameColumn) == name) return row;
  return -1;
}

}  // namespace

TEST_F(MainWindow, ARestartThatDoesNotComePutsTheEarlierOneTimeStartBackOnEitherPage) {
  enum End { kCancelled, kNoRestartInTime, kEnds };
  const std::wstring ten = demo_store::kWindows10, ubuntu = demo_store::kUbuntu;
  const struct {
    const OncePage& page;
    std::wstring row, earlier;  // earlier: set before, by another program
    End end;
  } cases[] = {
      {kOsListOnce, L"Windows 7", L" /bootsequence " + ten, kCancelled},
      {kOsListOnce, L"Windows 7", L" /bootsequence " + ten, kNoRestartInTime},
      {kOsListOnce, L"Windows 7", L" /bootsequence " + ten, kEnds},
      {kFirmwareOnce, kUsbStickName, L" /set {fwbootmgr} bootsequence " + ubuntu, kCancelled},
      {kFirmwareOnce, kUsbStickName, L" /set {fwbootmgr} bootsequence " + ubuntu, kNoRestartInTime},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.page.index << " " << c.end);
    ASSERT_TRUE(SeedUefiDemo());
    ASSERT_EQ(RunTool(L"bcdedit", c.earlier).exitCode, 0u);
    seams.script = {};
    MainDialog main;
    ASSERT_TRUE(Open(main));
    const int row = ShowRow(main, c.page, c.row);
    win::ListView(GetDlgItem(main.Page(c.page.index), c.page.list)).Select(row);
    PumpMessages();
    seams.script.promptAnswers = {IDYES};
    SendMessageW(main.Page(c.page.index), WM_COMMAND, c.page.restartOnce, 0);
    ASSERT_EQ(seams.script.restarts.size(), 1u);
    ClearJournal();
    const size_t asked = seams.script.prompts.size();

    if (c.end != kNoRestartInTime) {
      EXPECT_EQ(SendMessageW(main.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE) << "Vexa holds no session up";
      SendMessageW(main.Handle(), WM_ENDSESSION, c.end == kEnds, 0);
    }
    if (c.end != kCancelled) SendMessageW(main.Page(c.page.index), WM_TIMER, ArmedRestart::kTimerId, 0);
    PumpMessages();
    std::vector<std::wstring> sent;
    for (const std::wstring& line : TakeJournal()) sent.push_back(ArgumentsOf(line));
    if (c.end == kEnds) {
      EXPECT_TRUE(sent.empty()) << "a restart under way keeps its one-time start";
      EXPECT_EQ(seams.script.prompts.size(), asked);
    } else {
      EXPECT_EQ(sent, (std::vector<std::wstring>{c.earlier, c.page.listing}));
      ASSERT_EQ(seams.script.prompts.size(), asked + 1);
      EXPECT_EQ(seams.script.prompts.back().text,
                GetText(c.end == kCancelled ? IDS_RESTART_CANCELLED : IDS_RESTART_NOT_IN_TIME) + L"\n\n" +
                    base::Format(GetText(IDS_START_ONCE_TAKEN_BACK), c.row));
    }
    main.End(0);
  }
}

// Set by another program, the one-time start shows on its row and in the tip until cancelled.
TEST_F(MainWindow, APendingOneTimeStartIsShownAndCancelledOnEitherPage) {
  const struct {
    const OncePage& page;
    std::wstring row, setOutside, tip, cancel;
  } cases[] = {
      {kOsListOnce, L"Windows 7", std::wstring(L" /bootsequence ") + demo_store::kWindows7,
       L"Vexa\r\nNext boot, once: Windows 7", L" /deletevalue  {bootmgr}    bootsequence "},
      {kFirmwareOnce, kUsbStickName, std::wstring(L" /set {fwbootmgr} bootsequence ") + demo_store::kUsbStick,
       L"Vexa\r\nNext firmware start, once: " + kUsbStickName, L" /deletevalue {fwbootmgr} bootsequence"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    ASSERT_TRUE(SeedUefiDemo());
    ASSERT_EQ(RunTool(L"bcdedit", c.setOutside).exitCode, 0u);
    seams.script = {};
    MainDialog main;
    ASSERT_TRUE(Open(main));
    const int row = ShowRow(main, c.page, c.row);
    win::ListView list(GetDlgItem(main.Page(c.page.index), c.page.list));
    EXPECT_EQ(list.Cell(row, 3), L"{bootsequence}");
    ASSERT_FALSE(seams.script.trayCalls.empty());
    EXPECT_EQ(seams.script.trayCalls.back().tip, c.tip);

    ClearJournal();
    seams.script.promptAnswers = {IDYES};
    SendMessageW(main.Page(c.page.index), WM_COMMAND, c.page.cancelOnce, 0);
    std::vector<std::wstring> sent;
    for (const std::wstring& line : TakeJournal()) sent.push_back(ArgumentsOf(line));
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(std::vector<std::wstring>(sent.end() - 2, sent.end()), (std::vector<std::wstring>{c.cancel, c.page.listing}));
    EXPECT_EQ(list.Cell(row, 3), L"") << "read back";
    EXPECT_EQ(seams.script.trayCalls.back().tip, L"Vexa");
    EXPECT_EQ(seams.script.prompts.size(), 1u) << "the question only";
    main.End(0);
  }
}

// Moved to another monitor, the entry dialog lays itself out for it, its pages where its code puts them.
TEST_F(MainWindow, TheEntryDialogMovedToAnotherMonitorLaysItselfOut) {
  MainDialog main;
  ASSERT_TRUE(Open(main));
  win::ListView(GetDlgItem(main.Page(0), IDC_OSLIST_LIST)).Select(1);
  const ModalRun run = WhileModal([&] { ClickControl(main.Page(0), IDC_OSLIST_MODIFY); },
                                  [](HWND dialog) { EXPECT_EQ(MoveToDpi(dialog, 144).second, L""); });
  EXPECT_EQ(run.opened.size(), 1u);
  main.End(0);
}
