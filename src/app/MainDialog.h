// The main window: page buttons on the left, one of the pages beside them, the banner, the
// version and current-system lines, and the notification-area icon with its menu.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ConfigDialog.h"
#include "controls/HoverStatic.h"
#include "controls/SkinButton.h"
#include "controls/SkinDialog.h"
#include "controls/SkinPage.h"
#include "win/Handles.h"

class MainDialog : public SkinDialog, public SettingsListener {
 public:
  static constexpr UINT kTrayIconId = 128;
  static constexpr UINT kTrayMessage = 0x8064;
  // A refused icon is offered again this often, for this long.
  static constexpr UINT kTrayRetryMilliseconds = 1000;
  static constexpr DWORD kTrayRetryLimitMilliseconds = 3 * 60 * 1000;
  // Posted to itself when Windows said the session goes on after all.
  static constexpr UINT kSessionGoesOnMessage = WM_APP + 0x66;

  MainDialog();
  ~MainDialog() override;

  // A row of the page table (0 OS list, 1 Utilities, 2 Bootloader); the page is made the first
  // time it is shown.
  void ShowPage(int index);
  void BuildUi();
  void UpdateVersionLine();
  // NIM_ADD; false while the taskbar refuses the icon.
  bool AddTrayIcon();
  void ShowBalloon(const std::wstring& text, UINT milliseconds);
  void ShowFromTray();
  void HideToTray();
  void AskQuitOrHide();
  // A RefreshKind: every page that answers it re-reads (kRefreshAllPages: every page, each with
  // its own first kind).
  void RefreshPages(int kind);
  void OnLanguageChanged(bool refresh);
  // The config dialog changed settings: the OS list re-reads its controls, then the language.
  void OnSettingsChanged(bool languageChanged) override;

  // The page's window, or null while it has not been shown yet.
  HWND Page(int index) const;
  int CurrentPage() const { return currentPage_; }
  bool WindowShown() const { return windowShown_; }
  const std::wstring& TipText() const { return tipText_; }

  // The tray menu as it is shown: the pop-up of menu 134, localised, without "&Show" while the
  // window is shown and without "&Hide" while it is hidden. configImage (may be null) goes on
  // "&Config". The pop-up is submenu 0 of the returned menu.
  static win::UniqueMenu BuildTrayMenu(bool windowShown, HBITMAP configImage);

 protected:
  BOOL OnInit() override;
  // Moved to another monitor's DPI: the pictures drawn for it, the pages in the page area again.
  void OnDpiChanged(UINT from, UINT to) override;
  bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  INT_PTR OnAbout(WPARAM, LPARAM);
  INT_PTR OnBanner(WPARAM, LPARAM);
  INT_PTR OnConfig(WPARAM, LPARAM);
  INT_PTR OnRestart(WPARAM, LPARAM);
  INT_PTR OnShow(WPARAM, LPARAM) { ShowFromTray(); return TRUE; }
  INT_PTR OnHide(WPARAM, LPARAM) { HideToTray(); return TRUE; }
  INT_PTR OnExit(WPARAM, LPARAM);
  INT_PTR OnHelp(WPARAM, LPARAM);
  INT_PTR OnHelpKey(WPARAM, LPARAM);
  INT_PTR OnCloseRequest(WPARAM, LPARAM) { AskQuitOrHide(); return TRUE; }
  INT_PTR OnTrayEvent(WPARAM, LPARAM);
  INT_PTR OnSysCommand(WPARAM, LPARAM);
  INT_PTR OnLeftButtonDown(WPARAM, LPARAM);
  INT_PTR OnWindowPosChanging(WPARAM, LPARAM);
  INT_PTR OnDestroy(WPARAM, LPARAM);
  INT_PTR OnPaint(WPARAM, LPARAM);
  INT_PTR OnQueryDragIcon(WPARAM, LPARAM);
  // The session's end: the pages keep or take back what they armed for a restart.
  INT_PTR OnQueryEndSession(WPARAM, LPARAM);
  INT_PTR OnEndSession(WPARAM, LPARAM);
  INT_PTR OnSessionGoesOn(WPARAM, LPARAM);
  void TellPages(SessionNotice notice);
  // A page read its one-time start again: the tip follows when it changed.
  INT_PTR OnOneTimeStart(WPARAM, LPARAM);

  // A tray command while a message box or dialog of ours is open brings that one forward instead.
  bool ForwardToModalWindow();
  // Runs the about page or the config dialog, one at a time.
  void RunDialog(win::Dialog& dialog, HWND owner);
  void ShowTrayMenu();
  // Adds the icon, or offers it again every kTrayRetryMilliseconds for a while.
  void OfferTrayIcon();
  INT_PTR OnTimer(WPARAM, LPARAM);
  void RemoveTrayIcon();
  // The icon's tip: the title where balloons carry the system line, else the system line itself;
  // then the pending one-time starts the pages read.
  std::wstring TrayTip() const;
  void UpdateTrayTip();
  // A long tool run's activity in the current-system line, which gets its own text back when the
  // run ends (empty activity).
  void ShowActivity(const std::wstring& activity);
  // Registers "TaskbarCreated" and lets it through the message filter of an elevated process.
  void ListenForTaskbar();
  void SetUpBanner();
  // The window's icons, skin and shared button images for dpi.
  void TakeArtForDpi(UINT dpi);
  // The drag strip and the page area from the template's controls where they now are; the pages
  // are put in the area.
  void MeasureLayout();
  // Every button of the window has a name, in the current language: the config button's and the
  // page icon's (the page on show), and the hidden minimise and close buttons'.
  void NameWindowButtons();
  // Unsaved changes of the pages are saved or given up first; false when the user stays.
  bool PagesAgreeToLeave();
  void Quit();

  static const win::MessageEntry<MainDialog> kMessages[];

  // One of each per row of the page table.
  std::vector<std::unique_ptr<SkinPage>> pages_;
  int currentPage_ = -1;
  RECT pageArea_ = {};
  RECT dragStrip_ = {};
  bool windowShown_ = true;
  bool uiBuilt_ = false;
  bool balloonCapable_ = false;
  bool trayIconAdded_ = false;
  // The last press on the icon showed the hidden window.
  bool shownByPress_ = false;
  std::wstring tipText_;
  std::wstring shownTip_;  // the icon's tip as last given to the shell
  std::wstring systemLine_;  // the current-system line while an activity stands in its place
  UINT taskbarCreated_ = 0;
  DWORD trayRetryStart_ = 0;
  win::Dialog* openDialog_ = nullptr;

  win::UniqueIcon bigIcon_;
  win::UniqueIcon smallIcon_;
  HIMAGELIST buttonImages_ = nullptr;
  HIMAGELIST systemSmall_ = nullptr;
  HIMAGELIST systemLarge_ = nullptr;
  win::UniqueBitmap configMenuImage_;

  std::vector<SkinButton> pageButtons_;
  SkinButton aboutButton_;
  SkinButton configButton_;
  SkinButton pageIcon_;
  ImageHoverStatic banner_;
  HoverStatic footer_;
  HoverStatic currentSystem_;
};
