// Every text of every window fits its control at 96, 120, 144 and 192 DPI, in English and in each
// shipped language: each control is placed as the dialog manager places it at that DPI and its
// text measured in the font the control has there.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "base/AppSettings.h"
#include "base/Texts.h"
#include "resource.h"
#include "texts.h"
#include "win/AppDialog.h"

using testing_support::BuildFile;

namespace {

// Controls that do not show their template text: picture buttons (their text is their name for
// screen readers) and labels the program fills with the machine's data, not checked; controls it
// gives fixed texts of its own, checked with those (and with the template's where it stays).
struct RunTimeText {
  UINT templateId;
  std::vector<int> controls;
  std::vector<UINT> texts;
  bool templateTextStays = false;
};
const RunTimeText kRunTimeTexts[] = {
    {IDD_ABOUT, {IDC_ABOUT_VERSION}},
    {IDD_MAIN, {IDC_MAIN_MINIMIZE, IDC_MAIN_CLOSE, IDC_MAIN_CONFIG, IDC_MAIN_CURRENT_SYSTEM, IDC_MAIN_VERSION}},
    // The store label takes the width of its text.
    {IDD_OSLIST, {IDC_OSLIST_STORE_ICON, IDC_OSLIST_RELOAD_STORE, IDC_OSLIST_BROWSE_STORE, IDC_OSLIST_MOVE_UP,
                  IDC_OSLIST_DELETE, IDC_OSLIST_MOVE_DOWN, IDC_OSLIST_STORE_LABEL}},
    {IDD_OSLIST, {IDC_OSLIST_SAVE_ORDER}, {IDS_SAVE_SORT_DELETE}},
    {IDD_OSLIST, {IDC_OSLIST_NO_LOADER_NOTE}, {IDS_NO_LOADER_FOUND}},
    {IDD_UTILITIES, {IDC_UTILITIES_PAGE_ICON, IDC_UTILITIES_ADD, IDC_UTILITIES_DELETE, IDC_UTILITIES_MODIFY}},
    {IDD_UTILITIES, {IDC_UTILITIES_DETAILS}, {IDS_SELECT_FOR_DETAILS}},
    {IDD_BOOTLOADER, {IDC_BOOTLOADER_PAGE_ICON, IDC_BOOTLOADER_BROWSE_BACKUP, IDC_BOOTLOADER_BROWSE_RESTORE,
                      IDC_BOOTLOADER_RESET_MBR_MODE}},
    {IDD_BOOTLOADER, {IDC_BOOTLOADER_UNDO_RUN}, {IDS_UNDO_SINCE_START}},
    {IDD_BOOTLOADER, {IDC_BOOTLOADER_BACKUP_NOTE}, {IDS_NOTE_NO_BCD_STORE, IDS_NOTE_NO_BCDEDIT, IDS_BACKUP_SCOPE_NOTE}},
    {IDD_BOOTLOADER, {IDC_BOOTLOADER_WARNING}, {IDS_NOTE_NO_BOOTSECT, IDS_BACKUP_CAUTION}},
    {IDD_PARTITION, {IDC_PARTITION_EXPLANATION}, {IDS_BOOT_RECORD_EXPLANATION}},
    {IDD_SHORTCUT, {IDC_SHORTCUT_BROWSE}},
    {IDD_ENTRY, {IDC_ENTRY_INFO}, {IDS_ENTRY_BOOT_INI, IDS_ENTRY_BOOT_MANAGER, IDS_ENTRY_BCD_NTLDR, IDS_ENTRY_BCD}},
    {IDD_ENTRY, {IDOK}, {IDS_ADD_NEW}, true},
    {IDD_FIRMWARE, {IDC_FIRMWARE_PAGE_ICON, IDC_FIRMWARE_MOVE_UP, IDC_FIRMWARE_MOVE_DOWN}},
};

// The texts a control shows: none for a picture or the machine's data.
std::vector<std::wstring> TextsOf(UINT templateId, int id, const std::wstring& shown) {
  for (const RunTimeText& row : kRunTimeTexts) {
    if (row.templateId != templateId || std::count(row.controls.begin(), row.controls.end(), id) == 0) continue;
    std::vector<std::wstring> texts;
    if (row.templateTextStays) texts.push_back(shown);
    for (UINT text : row.texts) texts.push_back(GetText(text));
    return texts;
  }
  return {shown};
}

constexpr int kDpis[] = {96, 120, 144, 192};
// "": the built-in English texts in the template's font; the English file brings bold titles.
const wchar_t* const kLanguages[] = {L"", L"409", L"407", L"804", L"404"};

// One control of a DLGTEMPLATEEX, with the text the template gives it (empty for a picture).
struct Item {
  DWORD style;
  short cx, cy;
  int id;
  std::wstring className;
  std::wstring text;
};

struct Template {
  WORD points, weight;
  BYTE italic, charset;
  std::wstring face;
  std::vector<Item> items;
};

// A sz_Or_Ord field: a number after 0xFFFF (a class atom, a picture's resource), else a string.
std::wstring Field(const WORD*& at) {
  if (*at == 0xFFFF) {
    const WORD number = at[1];
    at += 2;
    return number == 0x80 ? L"Button" : number == 0x82 ? L"Static" : L"";
  }
  std::wstring text(reinterpret_cast<const wchar_t*>(at));
  at += text.size() + 1;
  return text;
}

const WORD* DwordAligned(const WORD* at) {
  return reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(at) + 3) & ~UINT_PTR{3});
}

Template Parse(UINT id) {
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));  // RT_DIALOG
  const WORD* at = static_cast<const WORD*>(LockResource(LoadResource(nullptr, found)));
  // dlgVer, signature, helpID, exStyle, style, then the control count.
  DWORD style = *reinterpret_cast<const DWORD*>(at + 6);
  WORD count = at[8];
  at += 13;  // past x, y, cx, cy
  Field(at);  // menu
  Field(at);  // class
  Field(at);  // caption
  Template result{};
  if (style & DS_SETFONT) {
    result.points = at[0];
    result.weight = at[1];
    result.italic = LOBYTE(at[2]);
    result.charset = HIBYTE(at[2]);
    at += 3;
    result.face = Field(at);
  }
  for (WORD n = 0; n < count; ++n) {
    at = DwordAligned(at);
    Item item{};
    item.style = *reinterpret_cast<const DWORD*>(at + 4);
    item.cx = static_cast<short>(at[8]);
    item.cy = static_cast<short>(at[9]);
    item.id = *reinterpret_cast<const int*>(at + 10);
    at += 12;
    item.className = Field(at);
    item.text = *at == 0xFFFF ? (at += 2, L"") : Field(at);
    at += 1 + (*at + 1) / 2;  // the creation data and its size
    result.items.push_back(item);
  }
  return result;
}

BOOL CALLBACK AddTemplate(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) {
  // The window-layer tests bring templates of their own, numbered from 9000.
  if (IS_INTRESOURCE(name) && reinterpret_cast<UINT_PTR>(name) < 9000)
    reinterpret_cast<std::vector<UINT>*>(list)->push_back(static_cast<UINT>(reinterpret_cast<UINT_PTR>(name)));
  return TRUE;
}

struct Font {
  HFONT handle;
  explicit Font(LOGFONTW look) : handle(CreateFontIndirectW(&look)) {}
  ~Font() { DeleteObject(handle); }
};

// What GdiGetCharDimensions and MapDialogRect make of a template font at a DPI.
SIZE BaseUnits(HDC dc, const Template& form, int dpi) {
  LOGFONTW look = {};
  look.lfHeight = -MulDiv(form.points, dpi, 72);
  look.lfWeight = form.weight;
  look.lfItalic = form.italic;
  look.lfCharSet = form.charset;
  lstrcpynW(look.lfFaceName, form.face.c_str(), LF_FACESIZE);
  Font font(look);
  SelectObject(dc, font.handle);
  SIZE letters;
  GetTextExtentPoint32W(dc, L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ", 52, &letters);
  TEXTMETRICW metrics;
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, GetStockObject(SYSTEM_FONT));
  return {(letters.cx / 26 + 1) / 2, metrics.tmHeight};
}

// The room a control leaves its text, and the flags it draws it with.
struct Room {
  int w, h;
  UINT format;
};

Room RoomFor(const Item& item, SIZE units, int dpi, int systemDpi, HDC dc) {
  Room room{MulDiv(item.cx, units.cx, 4), MulDiv(item.cy, units.cy, 8), DT_SINGLELINE};
  auto px = [dpi](int at96) { return MulDiv(at96, dpi, 96); };
  INT digit = 0;
  GetCharWidth32W(dc, L'0', L'0', &digit);
  if (lstrcmpiW(item.className.c_str(), L"Static") == 0) {
    DWORD kind = item.style & SS_TYPEMASK;
    // SS_CENTERIMAGE makes a text static draw one line, centred.
    if ((kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT) && !(item.style & SS_CENTERIMAGE))
      room.format = DT_WORDBREAK | DT_EXPANDTABS;
    return room;
  }
  if (item.style & BS_MULTILINE) room.format = DT_WORDBREAK;
  switch (item.style & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
    case BS_3STATE: case BS_AUTO3STATE:
      // The box, half a digit's width of space after it, and the focus rectangle's pixel.
      room.w -= MulDiv(GetSystemMetrics(SM_CXMENUCHECK), dpi, systemDpi) + digit / 2 + px(1);
      break;
    case BS_GROUPBOX:
      room.w -= 2 * digit;  // the label sits in the top edge, inset from both corners
      break;
    default:
      // The raised edge and the focus rectangle inside it.
      room.w -= 2 * px(3);
      room.h -= 2 * px(3);
  }
  return room;
}

bool ShowsText(const Item& item) {
  if (item.text.empty()) return false;
  if (lstrcmpiW(item.className.c_str(), L"Static") == 0) {
    DWORD kind = item.style & SS_TYPEMASK;
    return kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT || kind == SS_SIMPLE || kind == SS_LEFTNOWORDWRAP;
  }
  return lstrcmpiW(item.className.c_str(), L"Button") == 0 && (item.style & BS_TYPEMASK) != BS_OWNERDRAW;
}

TEST(TextFit, EveryTextFitsItsControlAtEveryDpiInEveryLanguage) {
  const AppSettingsRecord saved = AppSettings;
  AppSettings.osClass = 10;  // the system's dialog face, the language file's size
  std::vector<UINT> templates;
  EnumResourceNamesW(nullptr, MAKEINTRESOURCEW(5), AddTemplate, reinterpret_cast<LONG_PTR>(&templates));
  ASSERT_GE(templates.size(), 14u);
  HWND host = CreateWindowExW(0, L"Static", L"host", WS_POPUP, 0, 0, 900, 700, nullptr, nullptr, nullptr, nullptr);
  HDC screen = GetDC(host);
  const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
  HDC dc = CreateCompatibleDC(screen);

  for (const wchar_t* language : kLanguages) {
    AppSettings.languageFile = *language ? BuildFile(std::wstring(L"Language\\") + language + L".ini") : L"";
    for (UINT id : templates) {
      Template form = Parse(id);
      win::AppDialog dialog(id);
      HWND window = dialog.CreateModeless(host);
      ASSERT_NE(window, nullptr) << "template " << id;
      std::vector<HWND> children;
      for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
      ASSERT_EQ(children.size(), form.items.size());

      for (size_t n = 0; n < form.items.size(); ++n) {
        const Item& item = form.items[n];
        if (!ShowsText(item)) continue;
        wchar_t shown[1024] = L"";
        GetWindowTextW(children[n], shown, 1024);
        const std::vector<std::wstring> texts = TextsOf(id, item.id, shown);
        LOGFONTW look = {};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(children[n], WM_GETFONT, 0, 0)), sizeof(look), &look);
        const int points = MulDiv(-look.lfHeight, 72, systemDpi);

        for (int dpi : kDpis) {
          look.lfHeight = -MulDiv(points, dpi, 72);
          Font font(look);
          SIZE units = BaseUnits(dc, form, dpi);
          SelectObject(dc, font.handle);
          if (dpi == systemDpi) {  // where the dialog manager's own layout can be seen, it must agree
            RECT actual;
            GetWindowRect(children[n], &actual);
            EXPECT_EQ(actual.right - actual.left, MulDiv(item.cx, units.cx, 4)) << "template " << id << ", control " << item.id;
            EXPECT_EQ(actual.bottom - actual.top, MulDiv(item.cy, units.cy, 8)) << "template " << id << ", control " << item.id;
          }
          Room room = RoomFor(item, units, dpi, systemDpi, dc);
          for (const std::wstring& text : texts) {
            RECT need = {0, 0, room.w, 0};
            DrawTextW(dc, text.c_str(), -1, &need, room.format | DT_CALCRECT);
            EXPECT_TRUE(need.right <= room.w && need.bottom <= room.h)
                << "template " << id << ", control " << item.id << ", language " << (*language ? language : L"built-in")
                << ", " << dpi << " DPI: \"" << text << "\" needs " << need.right << "x"
                << need.bottom << ", has " << room.w << "x" << room.h;
          }
          SelectObject(dc, GetStockObject(SYSTEM_FONT));
        }
      }
      dialog.End(0);
    }
  }
  DeleteDC(dc);
  ReleaseDC(host, screen);
  DestroyWindow(host);
  AppSettings = saved;
}

}  // namespace
