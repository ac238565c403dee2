// The main window: construction, initialisation, pages and the window's own commands.
#include "app/MainDialog.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>

#include "app/AboutDialog.h"
#include "app/ConfigDialog.h"
#include "app/Help.h"
#include "art.h"
#include "base/AppSettings.h"
#include "base/Texts.h"
#include "bootloader/BootloaderPage.h"
#include "controls/ButtonPresets.h"
#include "controls/Drawing.h"
#include "editing/ModifyEntryDialog.h"
#include "firmware/FirmwarePage.h"
#include "oslist/OsListPage.h"
#include "store/RestartComputer.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "texts.h"
#include "utilities/UtilitiesPage.h"
#include "app/VersionText.h"
#include "win/Dpi.h"
#include "win/Localize.h"
#include "win/Seams.h"

namespace {

constexpr wchar_t kFooterTooltip[] = L"About Vexa";
// The system menu's about item, as the shell numbers it (its low four bits are the system's).
constexpr WPARAM kAboutSysCommand = 0x10;
// What a second start sends the first instance's window to have it shown.
constexpr WPARAM kShowFromSecondStart = 9;
constexpr int kBannerHeight = 32;

template <class Page>
std::unique_ptr<SkinPage> MakePage(const PageContext& context) {
  return std::make_unique<Page>(context);
}

// One row per page, in the order of the buttons: the button that shows it, the button's selected
// look and the large icon beside the title, how the page is made, and the refresh kinds it answers
// (the first is what a refresh of every page asks of it; unused places stay kRefreshAllPages).
struct PageRow {
  int buttonId;
  UINT selectedBitmap;
  UINT pageIcon;
  std::unique_ptr<SkinPage> (*make)(const PageContext&);
  RefreshKind kinds[3];
};
constexpr PageRow kPages[] = {
    {IDC_MAIN_PAGE_OSLIST, IDB_PAGE_OSLIST_SELECTED, IDI_OSLIST, &MakePage<OsListPage>,
     {kRefreshOsListControls, kRefreshOsListRows, kRefreshOsListFromStore}},
    {IDC_MAIN_PAGE_UTILITIES, IDB_PAGE_UTILITIES_SELECTED, IDI_UTILITIES, &MakePage<UtilitiesPage>, {kRefreshUtilities}},
    {IDC_MAIN_PAGE_BOOTLOADER, IDB_PAGE_BOOTLOADER_SELECTED, IDI_BOOTLOADER, &MakePage<BootloaderPage>,
     {kRefreshBootloader}},
    {IDC_MAIN_PAGE_FIRMWARE, IDB_PAGE_FIRMWARE_SELECTED, IDI_FIRMWARE, &MakePage<FirmwarePage>, {kRefreshFirmware}},
};
constexpr int kPageCount = static_cast<int>(std::size(kPages));
// The rows the start-page setting chooses between: 1 the OS list, anything else the utilities.
constexpr int kOsListRow = 0;
constexpr int kUtilitiesRow = 1;

int BannerRow() {
  if (AppSettings.languageCode == L"804") return 35;
  if (AppSettings.languageCode == L"404") return 70;
  return 0;
}

HIMAGELIST SystemImages(UINT sizeFlag) {
  SHFILEINFOW info = {};
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
      L".txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | sizeFlag));
  if (images) ImageList_SetBkColor(images, CLR_NONE);
  return images;
}

}  // namespace

const win::MessageEntry<MainDialog> MainDialog::kMessages[] = {
    // The about button and the tray's about item share 1013; a menu command's code is 0 as well.
    win::OnCommand(IDC_MAIN_ABOUT, BN_CLICKED, &MainDialog::OnAbout),
    win::OnCommand(IDC_MAIN_FOOTER, STN_CLICKED, &MainDialog::OnAbout),
    win::OnCommand(IDC_MAIN_BANNER, STN_CLICKED, &MainDialog::OnBanner),
    win::OnCommand(IDC_MAIN_CONFIG, BN_CLICKED, &MainDialog::OnConfig),
    win::OnCommand(ID_TRAY_CONFIG, 0, &MainDialog::OnConfig),
    win::OnCommand(ID_TRAY_RESTART, 0, &MainDialog::OnRestart),
    win::OnCommand(ID_TRAY_SHOW, 0, &MainDialog::OnShow),
    win::OnCommand(ID_TRAY_HIDE, 0, &MainDialog::OnHide),
    win::OnCommand(ID_TRAY_EXIT, 0, &MainDialog::OnExit),
    win::OnCommand(ID_TRAY_HELP, 0, &MainDialog::OnHelp),
    // F1 here, on a page, or in a dialog owned by this window.
    win::OnMessage(WM_HELP, &MainDialog::OnHelpKey),
    // Escape and the close box both arrive as IDCANCEL: a close request, not the end.
    win::OnCommand(IDCANCEL, BN_CLICKED, &MainDialog::OnCloseRequest),
    win::OnMessage(kTrayMessage, &MainDialog::OnTrayEvent),
    win::OnMessage(WM_SYSCOMMAND, &MainDialog::OnSysCommand),
    win::OnMessage(WM_LBUTTONDOWN, &MainDialog::OnLeftButtonDown),
    win::OnMessage(WM_WINDOWPOSCHANGING, &MainDialog::OnWindowPosChanging),
    win::OnMessage(WM_DESTROY, &MainDialog::OnDestroy),
    win::OnMessage(WM_PAINT, &MainDialog::OnPaint),
    win::OnMessage(WM_QUERYDRAGICON, &MainDialog::OnQueryDragIcon),
    win::OnMessage(WM_TIMER, &MainDialog::OnTimer),
    win::OnMessage(WM_QUERYENDSESSION, &MainDialog::OnQueryEndSession),
    win::OnMessage(WM_ENDSESSION, &MainDialog::OnEndSession),
    win::OnMessage(kSessionGoesOnMessage, &MainDialog::OnSessionGoesOn),
    win::OnMessage(kOneTimeStartMessage, &MainDialog::OnOneTimeStart),
};

MainDialog::MainDialog() : SkinDialog(IDD_MAIN, kMessages), pages_(kPageCount), pageButtons_(kPageCount) {
  UseAppTitle();
  windowShown_ = AppSettings.showWindow;
  balloonCapable_ = AppSettings.osClass > 1;
  systemSmall_ = SystemImages(SHGFI_SMALLICON);
  systemLarge_ = SystemImages(SHGFI_LARGEICON);
}

MainDialog::~MainDialog() {
  if (buttonImages_) ImageList_Destroy(buttonImages_);
}

BOOL MainDialog::OnInit() {
  TakeArtForDpi(win::DpiOf(Handle()));
  MeasureLayout();

  footer_.Attach(Handle(), IDC_MAIN_FOOTER);
  footer_.SetTooltipText(kFooterTooltip);
  SetItemText(IDC_MAIN_FOOTER, kFooterText);
  currentSystem_.Attach(Handle(), IDC_MAIN_CURRENT_SYSTEM);
  banner_.Attach(Handle(), IDC_MAIN_BANNER);
  for (int i = 0; i < kPageCount; ++i) pageButtons_[i].Attach(Handle(), kPages[i].buttonId);
  aboutButton_.Attach(Handle(), IDC_MAIN_ABOUT);
  configButton_.Attach(Handle(), IDC_MAIN_CONFIG);
  pageIcon_.Attach(Handle(), IDC_MAIN_PAGE_ICON);

  Runner().onActivity = [this](const std::wstring& activity) { ShowActivity(activity); };
  if (AppSettings.showWindow) BuildUi();
  UpdateVersionLine();
  ListenForTaskbar();
  OfferTrayIcon();
  if (!AppSettings.showWindow) {
    windowShown_ = false;
    ShowWindow(Handle(), SW_HIDE);
    if (AppSettings.showBalloon) ShowBalloon(tipText_, 5000);
  }
  return TRUE;
}

void MainDialog::SetUpBanner() {
  banner_.SetBitmapBand(IDB_BANNER, BannerRow(), kBannerHeight, RGB(255, 0, 255));
  SIZE whole = BitmapSize(LoadBitmapResource(IDB_BANNER).Get());
  if (whole.cx > 0) {
    UINT dpi = win::DpiOf(Handle());
    SetWindowPos(Item(IDC_MAIN_BANNER), nullptr, 0, 0, win::ScaleToDpi(whole.cx / 2, dpi),
                 win::ScaleToDpi(kBannerHeight, dpi), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowItem(IDC_MAIN_BANNER, true);
}

void MainDialog::TakeArtForDpi(UINT dpi) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  auto icon = [&](int size) {
    return win::UniqueIcon(
        static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, size, size, 0)));
  };
  bigIcon_ = icon(win::SystemMetricForDpi(SM_CXICON, dpi));
  smallIcon_ = icon(win::SystemMetricForDpi(SM_CXSMICON, dpi));
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
  // Fitted again to the client area at its first erase.
  SetBackgroundBitmap(IDB_SKIN, RGB(240, 240, 240));
  if (buttonImages_)
    FillButtonImages(buttonImages_, dpi);
  else
    buttonImages_ = MakeButtonImages(dpi);
}

void MainDialog::MeasureLayout() {
  RECT separator = {};
  GetWindowRect(Item(IDC_MAIN_SEPARATOR), &separator);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&separator), 2);
  GetClientRect(Handle(), &dragStrip_);
  dragStrip_.bottom = separator.bottom;
  GetWindowRect(Item(IDC_MAIN_PAGE_AREA), &pageArea_);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&pageArea_), 2);
  for (auto& page : pages_) {
    if (page && page->Handle())
      SetWindowPos(page->Handle(), Item(IDC_MAIN_PAGE_AREA), pageArea_.left, pageArea_.top,
                   pageArea_.right - pageArea_.left, pageArea_.bottom - pageArea_.top, SWP_NOACTIVATE);
  }
}

void MainDialog::OnDpiChanged(UINT, UINT to) {
  // The pages lay themselves out when they hear of the change, after this; the buttons sized to
  // their pictures size themselves again then.
  TakeArtForDpi(to);
  MeasureLayout();
  if (uiBuilt_) SetUpBanner();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainDialog::BuildUi() {
  SetUpBanner();
  SetItemText(IDC_MAIN_VERSION, VersionText(AppSettings.fileVersionMS, AppSettings.fileVersionLS));

  for (SkinButton& button : pageButtons_) SetPageButtonBaseLook(button);
  SetPageButtonBaseLook(aboutButton_);
  NameWindowButtons();

  ShowPage(AppSettings.startPage == 1 ? kOsListRow : kUtilitiesRow);
  uiBuilt_ = true;
}

void MainDialog::ShowPage(int index) {
  if (index < 0 || index >= kPageCount) return;
  HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  if (!pages_[index]) {
    pages_[index] = kPages[index].make(PageContext{buttonImages_, systemSmall_, systemLarge_, Handle(), &OpenEntryDialog});
    if (HWND page = pages_[index]->CreateModeless(Handle())) {
      SetWindowPos(page, Item(IDC_MAIN_PAGE_AREA), pageArea_.left, pageArea_.top, pageArea_.right - pageArea_.left,
                   pageArea_.bottom - pageArea_.top, SWP_NOACTIVATE);
    }
  }
  for (int i = 0; i < kPageCount; ++i) {
    if (i == index) continue;
    if (pages_[i] && pages_[i]->Handle()) ShowWindow(pages_[i]->Handle(), SW_HIDE);
    SetPageButtonUnselectedLook(pageButtons_[i]);
  }
  if (pages_[index]->Handle()) ShowWindow(pages_[index]->Handle(), SW_SHOW);
  SetPageButtonSelectedLook(pageButtons_[index], kPages[index].selectedBitmap, kPages[index].pageIcon,
                            &pageIcon_);
  currentPage_ = index;
  MakePictureButton(pageIcon_, ItemText(kPages[index].buttonId));
  SetCursor(previous);
}

void MainDialog::NameWindowButtons() {
  MakeImageButton(configButton_, buttonImages_, art::kImageConfig, IDR_HAND_CURSOR, GetText(IDS_CONFIG_TIP));
  // The large page icon only shows a picture; it is no button to press. It is named after the page.
  if (currentPage_ >= 0) MakePictureButton(pageIcon_, ItemText(kPages[currentPage_].buttonId));
  // Out of sight, but a screen reader still finds them.
  SetItemText(IDC_MAIN_MINIMIZE, GetText(IDS_MINIMIZE_NAME));
  SetItemText(IDC_MAIN_CLOSE, GetText(IDS_CLOSE_NAME));
}

HWND MainDialog::Page(int index) const {
  if (index < 0 || index >= kPageCount || !pages_[index]) return nullptr;
  return pages_[index]->Handle();
}

void MainDialog::UpdateVersionLine() {
  SystemLine system = DescribeRunningSystem();
  if (balloonCapable_) currentSystem_.SetTooltipTitle(system.line);
  SetItemText(IDC_MAIN_CURRENT_SYSTEM, system.line);
  currentSystem_.SetTooltipText(system.detail);
  tipText_ = TrayTipText(AppSettings.appTitle, system.line, system.detail, balloonCapable_);
}

void MainDialog::ShowActivity(const std::wstring& activity) {
  if (systemLine_.empty()) systemLine_ = ItemText(IDC_MAIN_CURRENT_SYSTEM);
  SetItemText(IDC_MAIN_CURRENT_SYSTEM, activity.empty() ? systemLine_ : activity);
  if (activity.empty()) systemLine_.clear();
  // The line lies on the skin with no background of its own: the skin under it is drawn again
  // first, now, as the window's own loop is not running.
  RECT line = {};
  GetWindowRect(Item(IDC_MAIN_CURRENT_SYSTEM), &line);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&line), 2);
  RedrawWindow(Handle(), &line, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void MainDialog::RefreshPages(int kind) {
  for (int i = 0; i < kPageCount; ++i) {
    if (!pages_[i] || !pages_[i]->Handle()) continue;
    const RefreshKind(&kinds)[3] = kPages[i].kinds;
    if (kind == kRefreshAllPages) {
      pages_[i]->Refresh(kinds[0]);
      continue;
    }
    if (std::find(std::begin(kinds), std::end(kinds), kind) != std::end(kinds)) pages_[i]->Refresh(kind);
  }
}

void MainDialog::OnSettingsChanged(bool languageChanged) {
  RefreshPages(kRefreshOsListControls);
  if (languageChanged) OnLanguageChanged(true);
}

void MainDialog::OnLanguageChanged(bool refresh) {
  AppSettings.appTitle = GetText(IDS_APP_TITLE);
  LocalizeDialog(Handle(), IDD_MAIN, true);
  SetItemText(IDC_MAIN_FOOTER, kFooterText);
  if (uiBuilt_) NameWindowButtons();
  SetUpBanner();
  if (!refresh) {
    UpdateTrayTip();
    return;
  }
  for (auto& page : pages_) {
    if (page && page->Handle()) page->Relocalize();
  }
  UpdateVersionLine();
  UpdateTrayTip();
  if (uiBuilt_) SetItemText(IDC_MAIN_VERSION, VersionText(AppSettings.fileVersionMS, AppSettings.fileVersionLS));
  RedrawWindow(Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
}

bool MainDialog::ForwardToModalWindow() {
  // The config dialog has no owner, so it leaves this window enabled.
  if (openDialog_ && openDialog_->Handle()) {
    SetForegroundWindow(openDialog_->Handle());
    return true;
  }
  HWND popup = GetLastActivePopup(Handle());
  bool modalOpen = !IsWindowEnabled(Handle()) || (popup && popup != Handle() && IsWindowVisible(popup));
  if (!modalOpen) return false;
  if (popup && popup != Handle()) SetForegroundWindow(popup);
  return true;
}

void MainDialog::RunDialog(win::Dialog& dialog, HWND owner) {
  openDialog_ = &dialog;
  dialog.RunModal(owner);
  openDialog_ = nullptr;
}

INT_PTR MainDialog::OnAbout(WPARAM, LPARAM) {
  if (ForwardToModalWindow()) return TRUE;
  AboutDialog about;
  // Hidden in the tray this window is minimised, and Windows keeps the owned windows of a
  // minimised owner out of sight: from there the page opens on its own.
  RunDialog(about, windowShown_ ? Handle() : nullptr);
  return TRUE;
}

INT_PTR MainDialog::OnConfig(WPARAM, LPARAM) {
  if (ForwardToModalWindow()) return TRUE;
  ConfigDialog config(this);
  RunDialog(config, nullptr);
  return TRUE;
}

INT_PTR MainDialog::OnHelp(WPARAM, LPARAM) {
  if (ForwardToModalWindow()) return TRUE;
  ShowHelp(AppSettings.helpFile);
  return TRUE;
}

INT_PTR MainDialog::OnHelpKey(WPARAM, LPARAM) {
  ShowHelp(AppSettings.helpFile);
  return TRUE;
}

INT_PTR MainDialog::OnBanner(WPARAM, LPARAM) {
  win::ShellRun(Handle(), L"open", kProductPage, L"", L"", SW_SHOWMAXIMIZED);
  return TRUE;
}

INT_PTR MainDialog::OnRestart(WPARAM, LPARAM) {
  if (ForwardToModalWindow()) return TRUE;
  if (win::Prompt(Handle(), GetText(IDS_ASK_RESTART), GetText(IDS_CONFIRM_RESTART_CAPTION), MB_YESNO | MB_ICONQUESTION) ==
          IDYES &&
      PagesAgreeToLeave() && !RestartComputer(false))
    win::Prompt(Handle(), GetText(IDS_RESTART_FAILED), AppSettings.appTitle, MB_OK | MB_ICONERROR);
  return TRUE;
}

INT_PTR MainDialog::OnQueryEndSession(WPARAM, LPARAM) {
  TellPages(SessionNotice::kQueried);
  // A dialog answers through DWLP_MSGRESULT; a zero there would hold the session up.
  SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
  return TRUE;
}

INT_PTR MainDialog::OnEndSession(WPARAM wParam, LPARAM) {
  // Windows waits for this answer: taking a one-time start back runs the tool and tells the user,
  // so it comes after.
  if (wParam)
    TellPages(SessionNotice::kEnding);
  else
    PostMessageW(Handle(), kSessionGoesOnMessage, 0, 0);
  SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, 0);
  return TRUE;
}

INT_PTR MainDialog::OnSessionGoesOn(WPARAM, LPARAM) {
  TellPages(SessionNotice::kCancelled);
  return TRUE;
}

void MainDialog::TellPages(SessionNotice notice) {
  for (auto& page : pages_) {
    if (page && page->Handle()) page->OnSessionNotice(notice);
  }
}

INT_PTR MainDialog::OnExit(WPARAM, LPARAM) {
  if (ForwardToModalWindow()) return TRUE;
  Quit();
  return TRUE;
}

bool MainDialog::PagesAgreeToLeave() {
  for (auto& page : pages_) {
    if (page && page->Handle() && !page->ConfirmLeave()) return false;
  }
  return true;
}

void MainDialog::Quit() {
  if (!PagesAgreeToLeave()) return;
  RemoveTrayIcon();
  End(IDOK);
}

void MainDialog::AskQuitOrHide() {
  if (win::Prompt(Handle(), GetText(IDS_QUIT_OR_HIDE), AppSettings.appTitle, MB_YESNO | MB_ICONQUESTION) == IDYES)
    Quit();
  else
    HideToTray();
}

void MainDialog::ShowFromTray() {
  AppSettings.showWindow = true;
  if (!uiBuilt_) BuildUi();
  // From minimised, so the restore animation runs from the tray.
  ShowWindow(Handle(), SW_SHOWMINNOACTIVE);
  ShowWindow(Handle(), SW_RESTORE);
  windowShown_ = true;
  SetForegroundWindow(Handle());
}

void MainDialog::HideToTray() {
  AppSettings.showWindow = true;
  SendMessageW(Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  windowShown_ = false;
}

INT_PTR MainDialog::OnSysCommand(WPARAM wParam, LPARAM lParam) {
  if ((wParam & 0xFFF0) == kAboutSysCommand) return OnAbout(0, 0);
  AppSettings.showWindow = true;
  // The dialog's own default handling would call this procedure again; the window's does not.
  DefWindowProcW(Handle(), WM_SYSCOMMAND, wParam, lParam);
  if ((wParam & 0xFFF0) == SC_MINIMIZE) {
    ShowWindow(Handle(), SW_HIDE);
    windowShown_ = false;
  } else if (wParam == kShowFromSecondStart) {
    ShowWindow(Handle(), SW_SHOW);
    windowShown_ = true;
    if (!uiBuilt_) BuildUi();
  }
  return TRUE;
}

INT_PTR MainDialog::OnLeftButtonDown(WPARAM, LPARAM lParam) {
  POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (PtInRect(&dragStrip_, point)) PostMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, lParam);
  return FALSE;
}

INT_PTR MainDialog::OnWindowPosChanging(WPARAM, LPARAM lParam) {
  if (!AppSettings.showWindow) reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
  return FALSE;
}

INT_PTR MainDialog::OnDestroy(WPARAM, LPARAM) {
  Runner().onActivity = nullptr;
  // The pages end while their objects still live, so their own WM_DESTROY runs.
  for (auto& page : pages_) {
    if (page) page->End(0);
    page.reset();
  }
  RemoveTrayIcon();
  return FALSE;
}

INT_PTR MainDialog::OnPaint(WPARAM, LPARAM) {
  if (!IsIconic(Handle())) return FALSE;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(Handle(), &paint);
  RECT client;
  GetClientRect(Handle(), &client);
  SIZE icon = IconSize(bigIcon_.Get());
  int x = (client.right - icon.cx + 1) / 2;
  int y = (client.bottom - icon.cy + 1) / 2;
  DrawIcon(dc, x, y, bigIcon_.Get());
  EndPaint(Handle(), &paint);
  return TRUE;
}

INT_PTR MainDialog::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<INT_PTR>(bigIcon_.Get()); }

bool MainDialog::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (taskbarCreated_ && message == taskbarCreated_) {
    trayIconAdded_ = false;
    OfferTrayIcon();
    result = 0;
    return true;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    for (int i = 0; i < kPageCount; ++i) {
      if (kPages[i].buttonId != LOWORD(wParam)) continue;
      ShowPage(i);
      result = TRUE;
      return true;
    }
  }
  if (message == kRefreshPagesMessage) {
    RefreshPages(static_cast<int>(wParam));
    result = 0;
    return true;
  }
  if (message == kAddEfiEntryMessage) {
    // Add New offered an EFI entry instead of a kind the firmware cannot start: the Firmware
    // page adds it, as its own button does.
    for (int i = 0; i < kPageCount; ++i) {
      if (kPages[i].buttonId != IDC_MAIN_PAGE_FIRMWARE) continue;
      ShowPage(i);
      if (HWND page = Page(i))
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_FIRMWARE_ADD_EFI, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_FIRMWARE_ADD_EFI)));
    }
    result = 0;
    return true;
  }
  if (message == WM_CTLCOLORSTATIC) {
    // Labels lie on the skin.
    SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
    result = reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
    return true;
  }
  return SkinDialog::OnOtherMessage(message, wParam, lParam, result);
}
