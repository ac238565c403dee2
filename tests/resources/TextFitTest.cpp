// Every text of every window fits its control at 96, 120, 144 and 192 DPI, in English and in each
// shipped language: each control is placed as the program places it at that DPI (the 96-DPI
// layout scaled, or the dialog manager's where the font outgrows the DPI) and its text measured
// in the font the control has there.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "base/AppSettings.h"
#include "base/Texts.h"
#include "resource.h"
#include "texts.h"
#include "win/AppDialog.h"
#include "win/ScaledLayout.h"

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
    {IDD_FIRMWARE, {IDC_FIRMWARE_TIMEOUT}, {IDS_FIRMWARE_TIMEOUT}},
};

constexpr int kDpis[] = {96, 120, 144, 192};
// "": the built-in texts in the template's font; the English file brings bold page titles.
const wchar_t* const kLanguages[] = {L"", L"409", L"407", L"804", L"404"};

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

// A control of a DLGTEMPLATEEX; kind is its class atom, 0x80 button or 0x82 static (0: another).
struct Item {
  DWORD style;
  int x, y, cx, cy, id;
  WORD kind;
  std::wstring text;  // empty for none or a picture
};

struct Template {
  std::vector<Item> items;
};

// A sz_Or_Ord field: a number after 0xFFFF, else a string.
std::wstring Field(const WORD*& at, WORD* number = nullptr) {
  if (*at == 0xFFFF) {
    if (number) *number = at[1];
    at += 2;
    return {};
  }
  std::wstring text(reinterpret_cast<const wchar_t*>(at));
  at += text.size() + 1;
  return text;
}

Template Parse(UINT id) {
  auto dword = [](const WORD* at) { return *reinterpret_cast<const DWORD*>(at); };
  const WORD* at = static_cast<const WORD*>(
      LockResource(LoadResource(nullptr, FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_DIALOG))));
  // dlgVer, signature, help id, extended style, style, control count, x, y, cx, cy.
  const WORD count = at[8];
  at += 13;
  for (int field = 0; field < 3; ++field) Field(at);  // menu, class, caption
  Template form{};  // every template has DS_SETFONT
  Field(at += 3);    // the font's size, weight, italic and character set, then its face
  for (WORD n = 0; n < count; ++n) {
    at = reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(at) + 3) & ~UINT_PTR{3});
    Item item{dword(at + 4), static_cast<short>(at[6]), static_cast<short>(at[7]), static_cast<short>(at[8]),
              static_cast<short>(at[9]), static_cast<int>(dword(at + 10))};
    at += 12;
    std::wstring name = Field(at, &item.kind);
    if (!lstrcmpiW(name.c_str(), L"Button")) item.kind = 0x80;
    if (!lstrcmpiW(name.c_str(), L"Static")) item.kind = 0x82;
    item.text = Field(at);
    at += 1 + (*at + 1) / 2;  // the creation data's size and the data
    form.items.push_back(item);
  }
  return form;
}

BOOL CALLBACK AddTemplate(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) {
  // The window-layer tests bring templates of their own, numbered from 9000.
  if (IS_INTRESOURCE(name) && reinterpret_cast<UINT_PTR>(name) < 9000)
    reinterpret_cast<std::vector<UINT>*>(list)->push_back(static_cast<UINT>(reinterpret_cast<UINT_PTR>(name)));
  return TRUE;
}

// A font at a DPI, selected into dc for its lifetime.
struct Font {
  HDC dc;
  HFONT handle;
  Font(HDC dc, LOGFONTW look, int points, int dpi) : dc(dc) {
    look.lfHeight = -MulDiv(points, dpi, 72);
    handle = CreateFontIndirectW(&look);
    SelectObject(dc, handle);
  }
  ~Font() {
    SelectObject(dc, GetStockObject(SYSTEM_FONT));
    DeleteObject(handle);
  }
};

bool ShowsText(const Item& item) {
  DWORD kind = item.style & SS_TYPEMASK;
  if (item.kind == 0x82) return kind <= SS_RIGHT || kind == SS_SIMPLE || kind == SS_LEFTNOWORDWRAP;
  return item.kind == 0x80 && (item.style & BS_TYPEMASK) != BS_OWNERDRAW;
}

// The room a control of w by h pixels leaves its text in the font selected into dc, and the
// flags it draws the text with.
struct Room {
  LONG w, h;
  UINT format;
};
Room RoomFor(const Item& item, LONG w, LONG h, int dpi, int systemDpi, HDC dc) {
  auto px = [dpi](int at96) { return MulDiv(at96, dpi, 96); };
  INT digit = 0;
  GetCharWidth32W(dc, L'0', L'0', &digit);
  DWORD kind = item.style & SS_TYPEMASK;
  const bool wraps = item.kind == 0x82 ? kind <= SS_RIGHT && !(item.style & SS_CENTERIMAGE)  // else one line, centred
                                       : (item.style & BS_MULTILINE) != 0;
  const UINT format = wraps ? DT_WORDBREAK | DT_EXPANDTABS : DT_SINGLELINE;
  if (item.kind == 0x82) return {w, h, format};
  switch (item.style & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
    case BS_3STATE: case BS_AUTO3STATE:
      // The box, half a digit of space after it, and the focus rectangle's pixel.
      return {w - MulDiv(GetSystemMetrics(SM_CXMENUCHECK), dpi, systemDpi) - digit / 2 - px(1), h, format};
    case BS_GROUPBOX:
      return {w - 2 * digit, h, format};  // the label sits in the top edge, inset from both corners
    default:
      return {w - 2 * px(3), h - 2 * px(3), format};  // the raised edge and the focus rectangle
  }
}

TEST(TextFit, EveryTextFitsItsControlAtEveryDpiInEveryLanguage) {
  const AppSettingsRecord saved = AppSettings;
  AppSettings.osClass = 10;  // the system's dialog face in the language file's size
  std::vector<UINT> templates;
  EnumResourceNamesW(nullptr, RT_DIALOG, AddTemplate, reinterpret_cast<LONG_PTR>(&templates));
  ASSERT_GE(templates.size(), 14u);
  HWND host = CreateWindowExW(0, L"Static", L"host", WS_POPUP, 0, 0, 900, 700, nullptr, nullptr, nullptr, nullptr);
  HDC screen = GetDC(host);
  const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
  HDC dc = CreateCompatibleDC(screen);

  for (const wchar_t* language : kLanguages) {
    AppSettings.languageFile =
        *language ? testing_support::BuildFile(std::wstring(L"Language\\") + language + L".ini") : L"";
    for (UINT id : templates) {
      const Template form = Parse(id);
      win::AppDialog dialog(id);
      HWND window = dialog.CreateModeless(host);
      ASSERT_NE(window, nullptr) << "template " << id;
      std::vector<HWND> children;
      for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
      ASSERT_EQ(children.size(), form.items.size());
      std::map<int, std::vector<RECT>> placed;  // by DPI, as the program lays the window out
      for (int dpi : kDpis) {
        win::LayOutScaled(window, GetModuleHandleW(nullptr), id, dpi);
        for (HWND child : children) GetWindowRect(child, &placed[dpi].emplace_back());
      }

      for (size_t n = 0; n < form.items.size(); ++n) {
        const Item& item = form.items[n];
        if (item.text.empty() || !ShowsText(item)) continue;
        wchar_t shown[1024] = L"";
        GetWindowTextW(children[n], shown, 1024);
        const std::vector<std::wstring> texts = TextsOf(id, item.id, shown);
        LOGFONTW look = {};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(children[n], WM_GETFONT, 0, 0)), sizeof(look), &look);
        const int points = MulDiv(-look.lfHeight, 72, systemDpi);
        auto where = [&](int dpi) {
          return testing::Message() << "template " << id << ", control " << item.id << ", language "
                                    << (*language ? language : L"built-in") << ", " << dpi << " DPI";
        };

        for (int dpi : kDpis) {
          const RECT& at = placed[dpi][n];
          Font font(dc, look, points, dpi);
          const Room room = RoomFor(item, at.right - at.left, at.bottom - at.top, dpi, systemDpi, dc);
          for (const std::wstring& text : texts) {
            RECT need = {0, 0, room.w, 0};
            DrawTextW(dc, text.c_str(), -1, &need, room.format | DT_CALCRECT);
            EXPECT_TRUE(need.right <= room.w && need.bottom <= room.h)
                << where(dpi) << ": \"" << text << "\" needs " << need.right << "x" << need.bottom << ", has "
                << room.w << "x" << room.h;
          }
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
