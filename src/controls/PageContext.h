// What the main window lends its pages: the shared image lists, and a way to ask the main window
// for the things only it can do (the other pages, the tray), since a page never includes the main
// window's code.
#pragma once
#include <windows.h>
#include <commctrl.h>

class EntryList;
struct PageContext;

// Opens the entry dialog modally on an entry of list (-1: the boot manager record, kNewEntryIndex:
// a new entry); returns the dialog's result. The dialog belongs to another page family, so the
// main window lends it.
inline constexpr int kNewEntryIndex = -2;
using EntryDialogOpener = INT_PTR (*)(HWND owner, EntryList& list, const PageContext& context, int listIndex);

struct PageContext {
  // 16x16 images of buttons, rows and menus: strip 152 then icons 141, 143, 144, 140.
  HIMAGELIST buttonImages = nullptr;
  // The shell's system image lists (not owned by anyone here).
  HIMAGELIST systemSmall = nullptr;
  HIMAGELIST systemLarge = nullptr;
  // The main window (pages post kRefreshPagesMessage to it with the refresh kind in wParam).
  HWND mainWindow = nullptr;
  // Null: the Modify button opens nothing.
  EntryDialogOpener openEntryDialog = nullptr;
};

// The entry dialog's result when the user chose, instead of a kind only a BIOS starts, to add an
// EFI entry to the firmware's menu; the dialog's opener then sends kAddEfiEntryMessage to the
// main window, which shows the Firmware page and its Add EFI Entry.
inline constexpr INT_PTR kAddEfiEntryInstead = 0x4546;
constexpr UINT kAddEfiEntryMessage = WM_APP + 0x41;

// Posted to the main window by a page that changed what other pages show (wParam: the main
// window's refresh kind: 0 all, 1 OS list, 2 Utilities, 3 Bootloader, 9 the OS list's rows, 11
// Firmware).
constexpr UINT kRefreshPagesMessage = WM_APP + 0x40;

// The refresh kinds of kRefreshPagesMessage and of the pages' Refresh.
enum RefreshKind : int {
  kRefreshAllPages = 0,
  kRefreshOsListControls = 1,
  kRefreshUtilities = 2,
  kRefreshBootloader = 3,
  kRefreshOsListRows = 9,
  // The store itself changed under the list (a restore): read it again before showing it.
  kRefreshOsListFromStore = 10,
  kRefreshFirmware = 11,
};

// Sent to the main window by a page whose pending one-time start, as it last read it, may have
// changed; the main window asks every page for OneTimeStart() and shows the answers in its tray tip.
constexpr UINT kOneTimeStartMessage = WM_APP + 0x41;

// What Windows tells the main window of the session's end, passed on to every page: asked whether
// it may end (WM_QUERYENDSESSION), ending, or cancelled after all (WM_ENDSESSION FALSE).
enum class SessionNotice { kQueried, kEnding, kCancelled };
