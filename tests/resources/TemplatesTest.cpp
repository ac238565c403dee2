// Every dialog template comes up as a window with its controls of the right kind, in the right
// place and initial state; the tray menu holds its commands in order.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "resource.h"
#include "win/Dialog.h"

namespace {

// A kind is a window class and the style bits that tell it from the class's other kinds.
enum class Kind {
  Button, DefButton, Check, Radio, Group,
  Text, RightText, SimpleText, Image, Icon, Frame, HLine, VLine,
  Edit, NumberEdit, ReadOnlyEdit, MultiEdit, ReadOnlyMultiEdit,
  ListCombo, EditCombo, ExCombo, ReportList, IconList, Tabs,
};

struct KindLook {
  const wchar_t* className;
  DWORD mask;
  DWORD value;
};

constexpr DWORD kEditBits = ES_NUMBER | ES_MULTILINE | ES_WANTRETURN | ES_READONLY;

// Indexed by Kind.
const KindLook kLooks[] = {
    {L"Button", BS_TYPEMASK, BS_PUSHBUTTON},
    {L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON},
    {L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX},
    {L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON},
    {L"Button", BS_TYPEMASK, BS_GROUPBOX},
    {L"Static", SS_TYPEMASK, SS_LEFT},
    {L"Static", SS_TYPEMASK, SS_RIGHT},
    {L"Static", SS_TYPEMASK, SS_SIMPLE},
    {L"Static", SS_TYPEMASK, SS_BITMAP},
    {L"Static", SS_TYPEMASK, SS_ICON},
    {L"Static", SS_TYPEMASK, SS_ETCHEDFRAME},
    {L"Static", SS_TYPEMASK, SS_ETCHEDHORZ},
    {L"Static", SS_TYPEMASK, SS_ETCHEDVERT},
    {L"Edit", kEditBits, 0},
    {L"Edit", kEditBits, ES_NUMBER},
    {L"Edit", kEditBits, ES_READONLY},
    {L"Edit", kEditBits, ES_MULTILINE | ES_WANTRETURN},
    {L"Edit", kEditBits, ES_MULTILINE | ES_WANTRETURN | ES_READONLY},
    {L"ComboBox", 3, CBS_DROPDOWNLIST},
    {L"ComboBox", 3, CBS_DROPDOWN},
    {L"ComboBoxEx32", 3, CBS_DROPDOWNLIST},
    {L"SysListView32", LVS_TYPEMASK, LVS_REPORT},
    {L"SysListView32", LVS_TYPEMASK, LVS_ICON},
    {L"SysTabControl32", 0, 0},
};
static_assert(std::size(kLooks) == static_cast<size_t>(Kind::Tabs) + 1);

// What of the template's size a control keeps: a combo box window is only as tall as its
// selection field; a picture static takes the size of its picture once it has one; Wine gives an
// etched line a static edge that makes it two pixels longer.
bool KeepsWidth(Kind kind) { return kind != Kind::Image && kind != Kind::Icon && kind != Kind::HLine; }
bool KeepsHeight(Kind kind) {
  return kind != Kind::Image && kind != Kind::Icon && kind != Kind::VLine && kind != Kind::ListCombo &&
         kind != Kind::EditCombo && kind != Kind::ExCombo;
}

constexpr int kHidden = 1;
constexpr int kDisabled = 2;

struct Probe {
  int id;
  Kind kind;
  int state;
  int x, y, w, h;
  const wchar_t* text = nullptr;  // checked when given
};

constexpr DWORD kPage = WS_CHILD | DS_CONTROL;
constexpr DWORD kPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFrameBits = WS_CHILD | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE | DS_CONTROL;

struct Template {
  UINT id;
  DWORD frame;  // the kFrameBits it has
  const wchar_t* caption;
  int points;
  int w, h;
  int controls;
  std::vector<Probe> probes;  // in the template's order
};

const Template kTemplates[] = {
    {IDD_ABOUT, WS_POPUP, L"", 8, 318, 169, 8,
     {{IDC_ABOUT_FOOTER, Kind::SimpleText, 0, 180, 154, 137, 12},
      {IDC_ABOUT_BETA_NOTE, Kind::RightText, 0, 219, 7, 93, 8},
      {IDC_ABOUT_DONATE, Kind::Text, kHidden, 119, 154, 55, 12, L"Donate"},
      {IDC_ABOUT_PICTURE, Kind::Image, 0, 129, 83, 70, 26}}},
    {IDD_MAIN, kPopup | WS_MINIMIZEBOX, L"Vexa", 8, 385, 265, 16,
     {{IDC_MAIN_FOOTER, Kind::RightText, 0, 236, 252, 145, 11},
      {IDC_MAIN_PAGE_OSLIST, Kind::Button, 0, 0, 100, 70, 29, L"&OS List"},
      {IDC_MAIN_PAGE_AREA, Kind::Frame, kHidden, 72, 37, 308, 212},
      {IDC_MAIN_BANNER, Kind::Image, kHidden, 58, 3, 3, 6},
      {IDC_MAIN_MINIMIZE, Kind::Button, kHidden, 326, 0, 14, 13},
      {IDC_MAIN_SEPARATOR, Kind::HLine, kHidden, 0, 20, 388, 1},
      {IDC_MAIN_PAGE_ICON, Kind::Button, 0, 25, 67, 30, 14}}},
    {IDD_OSLIST, kPage, L"", 8, 308, 212, 32,
     {{IDC_OSLIST_CHECK, Kind::Button, 0, 200, 9, 64, 13, L"Chec&k Entries"},
      {IDC_OSLIST_LIST, Kind::ReportList, 0, 15, 25, 268, 93},
      {IDC_OSLIST_DELETE, Kind::Button, kHidden | kDisabled, 284, 65, 14, 13},
      {IDC_OSLIST_SET_DEFAULT, Kind::Button, kDisabled, 15, 120, 49, 14, L"&AS Default"},
      {IDC_OSLIST_COPY, Kind::Button, 0, 110, 120, 45, 14},
      {IDC_OSLIST_MENU_DIVIDER, Kind::VLine, kHidden, 155, 153, 1, 43},
      {IDC_OSLIST_MENU_LANGUAGE, Kind::ExCombo, kHidden, 166, 164, 129, 102},
      {IDC_OSLIST_BCD_TIMEOUT, Kind::NumberEdit, kHidden, 91, 183, 15, 12},
      {IDC_OSLIST_NO_LOADER_NOTE, Kind::Text, kHidden | kDisabled, 146, 183, 151, 12},
      {IDC_OSLIST_BOOTINI_MENU, Kind::Check, kHidden, 15, 197, 184, 12}}},
    {IDD_MENU_CHECK, kPopup, L"Boot Menu Check", 8, 400, 210, 4,
     {{IDC_MENU_CHECK_LIST, Kind::ReportList, 0, 7, 7, 386, 170},
      {IDC_MENU_CHECK_FIX, Kind::Button, kDisabled, 7, 186, 90, 16, L"&Fix Selected"},
      {IDC_MENU_CHECK_COPY, Kind::Button, 0, 102, 186, 90, 16, L"&Copy Report"},
      {IDCANCEL, Kind::DefButton, 0, 323, 186, 70, 16, L"Close"}}},
    {IDD_UTILITIES, kPage, L"", 8, 308, 212, 11,
     {{IDC_UTILITIES_DELETE, Kind::Button, kDisabled, 266, 9, 14, 13},
      {IDC_UTILITIES_LIST, Kind::IconList, 0, 15, 25, 283, 141},
      {IDC_UTILITIES_DETAILS, Kind::Text, 0, 21, 183, 269, 21}}},
    {IDD_BOOTLOADER, kPage, L"", 8, 308, 213, 23,
     {{IDC_BOOTLOADER_BACKUP_NOTE, Kind::Text, 0, 20, 29, 255, 11,
       L"* This only backup && Restore System BCDStore Settings."},
      {IDC_BOOTLOADER_BACKUP_PATH, Kind::Edit, kDisabled, 74, 44, 188, 12},
      {IDC_BOOTLOADER_UNDO_RUN, Kind::Button, kDisabled, 21, 98, 200, 16},
      {IDC_BOOTLOADER_INSTALL_BOOTMGR, Kind::Radio, kDisabled, 21, 135, 277, 8},
      {IDC_BOOTLOADER_INSTALL_NTLDR, Kind::Radio, kDisabled, 21, 149, 277, 8}}},
    {IDD_PARTITION, kPopup, L"Please Select The System Partition", 8, 323, 146, 8,
     {{IDC_PARTITION_ICON, Kind::Icon, 0, 12, 19, 20, 20},
      {IDC_PARTITION_LIST, Kind::ExCombo, 0, 136, 76, 114, 102},
      {IDC_PARTITION_UPDATE_MBR, Kind::Check, 0, 167, 97, 125, 9},
      {IDC_PARTITION_FOOTER_LINE, Kind::HLine, kHidden, 0, 110, 323, 1},
      {IDOK, Kind::DefButton, 0, 253, 117, 58, 19}}},
    {IDD_KINDLIST, kPage, L"", 8, 267, 32, 3,
     {{IDC_KINDLIST_PROMPT, Kind::Text, 0, 27, 0, 240, 12},
      {IDC_KINDLIST_KINDS, Kind::ListCombo, 0, 47, 14, 208, 53},
      {IDC_KINDLIST_ICON, Kind::Icon, 0, 3, 9, 20, 20}}},
    {IDD_SHORTCUT, kPopup, L"Add New/Modify Dialog", 9, 222, 153, 12,
     {{IDC_SHORTCUT_ICON, Kind::Icon, 0, 27, 17, 20, 20},
      {IDC_SHORTCUT_NAME_GROUP, Kind::Group, 0, 7, 6, 208, 115},
      {IDC_SHORTCUT_BROWSE, Kind::Button, 0, 192, 48, 14, 14},
      {IDC_SHORTCUT_INFO_LABEL, Kind::Text, 0, 18, 70, 39, 8, L"Info\xFF1A"},
      {IDC_SHORTCUT_INFO, Kind::MultiEdit, 0, 64, 70, 142, 41},
      {IDC_SHORTCUT_OK, Kind::DefButton, 0, 46, 128, 50, 16},
      {IDC_SHORTCUT_APPLY, Kind::Button, kDisabled, 162, 128, 50, 16}}},
    {IDD_RAMDISK, kPopup, L"RamDisk Options", 8, 252, 134, 10,
     {{IDC_RAMDISK_PROMPT, Kind::Text, 0, 7, 2, 238, 12, L"Select \"RamDisk Options\" item from below to edit:"},
      {IDC_RAMDISK_OBJECT, Kind::ListCombo, 0, 45, 17, 192, 12},
      {IDC_RAMDISK_SDI_DEVICE, Kind::ExCombo, 0, 45, 57, 192, 102},
      {IDC_RAMDISK_SDI_PATH, Kind::Edit, 0, 45, 92, 192, 12},
      {IDOK, Kind::Button, 0, 115, 112, 50, 16, L"&Save"}}},
    {IDD_ENTRY_GENERAL, kPage, L"", 8, 256, 179, 19,
     {{IDC_GENERAL_BOOT_PATH, Kind::EditCombo, 0, 53, 38, 198, 12},
      {IDC_GENERAL_TYPE_PARTITION, Kind::Radio, 0, 53, 61, 58, 12},
      {IDC_GENERAL_TYPE_VHD, Kind::Radio, 0, 193, 61, 58, 12},
      {IDC_GENERAL_DEVICE, Kind::ExCombo, 0, 53, 77, 198, 102},
      {IDC_GENERAL_RAMDISK, Kind::ListCombo, 0, 53, 112, 183, 14}}},
    {IDD_ENTRY_ADVANCED, kPage, L"", 8, 256, 134, 20,
     {{IDC_ADVANCED_SYSTEMROOT, Kind::Edit, kDisabled, 65, 5, 165, 12},
      {IDC_ADVANCED_PATH_LOCK, Kind::Check, 0, 237, 6, 11, 10},
      {IDC_ADVANCED_DETECTHAL, Kind::EditCombo, 0, 48, 60, 78, 12},
      {IDC_ADVANCED_METRO_BOOT, Kind::EditCombo, 0, 11, 97, 115, 12},
      {IDC_ADVANCED_WINPE, Kind::Check, 0, 138, 84, 113, 12}}},
    {IDD_ENTRY, kPopup, L"Modify the OS", 8, 275, 235, 13,
     {{IDC_ENTRY_IDENTIFIER, Kind::ReadOnlyEdit, 0, 63, 9, 192, 12},
      {IDC_ENTRY_TABS, Kind::Tabs, 0, 7, 40, 261, 153},
      {IDC_ENTRY_DEBUG_TEXT, Kind::ReadOnlyMultiEdit, kHidden, 7, 201, 113, 16},
      {IDC_ENTRY_PREV, Kind::Button, 0, 7, 219, 45, 16, L"< Prev"},
      {IDC_ENTRY_TOP_AREA, Kind::Frame, kHidden, 7, 4, 261, 32}}},
    {IDD_CONFIG, kPopup, L"Config", 8, 263, 262, 15,
     {{IDC_CONFIG_LANGUAGE, Kind::ListCombo, kDisabled, 14, 85, 236, 84},
      {IDC_CONFIG_REQUIREMENT_NOTE, Kind::Text, 0, 14, 103, 236, 11},
      {IDC_CONFIG_BCD_GROUP, Kind::Group, kDisabled, 8, 175, 246, 54},
      {IDC_CONFIG_BCD_DELETE, Kind::Check, kDisabled, 14, 188, 236, 10},
      {IDOK, Kind::DefButton, 0, 113, 234, 52, 18}}},
};

std::wstring TextOf(HWND window) {
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  return text;
}

// The dialog manager converts position and size each on its own, so their roundings add up.
RECT DialogUnits(HWND dialog, int x, int y, int w, int h) {
  RECT units = {x, y, w, h};
  MapDialogRect(dialog, &units);
  return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

std::vector<HWND> Children(HWND dialog) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
  return children;
}

void CheckControl(HWND dialog, const Probe& probe) {
  SCOPED_TRACE(testing::Message() << "control " << probe.id);
  HWND control = GetDlgItem(dialog, probe.id);
  ASSERT_NE(control, nullptr);
  const KindLook& look = kLooks[static_cast<int>(probe.kind)];
  wchar_t className[64] = L"";
  GetClassNameW(control, className, 64);
  EXPECT_EQ(lstrcmpiW(className, look.className), 0) << className;
  DWORD style = static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE));
  EXPECT_EQ(style & look.mask, look.value) << std::hex << "style 0x" << style;
  EXPECT_EQ((style & WS_VISIBLE) == 0, (probe.state & kHidden) != 0) << "hidden";
  EXPECT_EQ((style & WS_DISABLED) != 0, (probe.state & kDisabled) != 0) << "disabled";
  if (probe.text) {
    EXPECT_EQ(TextOf(control), probe.text);
  }

  RECT want = DialogUnits(dialog, probe.x, probe.y, probe.w, probe.h);
  RECT got;
  GetWindowRect(control, &got);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&got), 2);
  EXPECT_EQ(got.left, want.left);
  EXPECT_EQ(got.top, want.top);
  if (KeepsWidth(probe.kind)) {
    EXPECT_EQ(got.right, want.right);
  }
  if (KeepsHeight(probe.kind)) {
    EXPECT_EQ(got.bottom, want.bottom);
  }
}

void CheckTemplate(HWND host, const Template& row) {
  SCOPED_TRACE(testing::Message() << "template " << row.id);
  win::Dialog dialog(row.id);
  HWND window = dialog.CreateModeless(host);
  // A picture static whose image is missing must not stop the window from being made.
  ASSERT_NE(window, nullptr) << "error " << GetLastError();

  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & kFrameBits, row.frame);
  EXPECT_EQ(TextOf(window), row.caption);
  RECT client;
  GetClientRect(window, &client);
  RECT size = DialogUnits(window, 0, 0, row.w, row.h);
  EXPECT_EQ(client.right, size.right);
  EXPECT_EQ(client.bottom, size.bottom);

  LOGFONTW font = {};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(font), &font);
  HDC dc = GetDC(window);
  EXPECT_EQ(font.lfHeight, -MulDiv(row.points, GetDeviceCaps(dc, LOGPIXELSY), 72));
  ReleaseDC(window, dc);
  EXPECT_STREQ(font.lfFaceName, L"Tahoma");

  std::vector<HWND> children = Children(window);
  EXPECT_EQ(static_cast<int>(children.size()), row.controls);
  size_t previous = 0;
  for (const Probe& probe : row.probes) {
    CheckControl(window, probe);
    // The probes are listed in tab order, so each must come after the one before it.
    size_t position = 0;
    while (position < children.size() && GetDlgCtrlID(children[position]) != probe.id) ++position;
    EXPECT_GE(position, previous) << "control " << probe.id << " out of order";
    previous = position;
  }
}

TEST(Templates, ControlsHaveTheirKindStatePlaceAndOrder) {
  // Pages are children of a window of their owner's; a hidden one stands in for it.
  HWND host = CreateWindowExW(0, L"Static", L"host", WS_POPUP, 0, 0, 900, 700, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(host, nullptr);
  for (const Template& row : kTemplates) CheckTemplate(host, row);
  DestroyWindow(host);
}

TEST(Templates, TrayMenuListsItsCommandsInOrder) {
  struct Item {
    UINT id;
    const wchar_t* text;  // null for a separator
  };
  const Item kItems[] = {
      {ID_TRAY_SHOW, L"&Show"}, {ID_TRAY_HIDE, L"&Hide"}, {0, nullptr},
      {ID_TRAY_CONFIG, L"&Config"}, {0, nullptr}, {ID_TRAY_RESTART, L"&Restart Computer"}, {0, nullptr},
      {ID_TRAY_HELP, L"&Help"}, {ID_TRAY_ABOUT, L"&About Vexa"}, {0, nullptr}, {ID_TRAY_EXIT, L"&Exit"},
  };
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU));
  ASSERT_NE(menu, nullptr);
  HMENU popup = GetSubMenu(menu, 0);
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(std::size(kItems)));
  for (int position = 0; position < GetMenuItemCount(popup); ++position) {
    SCOPED_TRACE(testing::Message() << "position " << position);
    wchar_t text[64] = L"";
    MENUITEMINFOW info = {sizeof(info)};
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 64;
    ASSERT_TRUE(GetMenuItemInfoW(popup, position, TRUE, &info));
    const Item& want = kItems[position];
    EXPECT_EQ((info.fType & MFT_SEPARATOR) != 0, want.text == nullptr);
    if (!want.text) continue;
    EXPECT_EQ(info.wID, want.id);
    EXPECT_STREQ(text, want.text);
  }
  DestroyMenu(menu);
}

}  // namespace
