// Puts the chosen language's texts and font on dialogs and menus.
#include "win/Localize.h"

#include <cstddef>
#include <map>
#include <tuple>

#include "base/AppSettings.h"
#include "base/Texts.h"
#include "base/Format.h"
#include "resource.h"
#include "win/Dpi.h"
#include "win/ScaledLayout.h"

namespace {

constexpr int kDefaultFontSize = 8;
// The three pages share the numbers of their two bold section titles, and the main window and
// the about page the number of the footer.
static_assert(IDC_OSLIST_LIST_TITLE == IDC_UTILITIES_LIST_TITLE && IDC_OSLIST_LIST_TITLE == IDC_BOOTLOADER_INSTALL_TITLE);
static_assert(IDC_OSLIST_MENU_TITLE == IDC_UTILITIES_DETAILS_TITLE && IDC_OSLIST_MENU_TITLE == IDC_BOOTLOADER_BACKUP_TITLE);
static_assert(IDC_MAIN_FOOTER == IDC_ABOUT_FOOTER);

std::wstring LanguageValue(const wchar_t* section, const wchar_t* key, DWORD size = 1000) {
  std::wstring buffer(size, L'\0');
  DWORD length =
      GetPrivateProfileStringW(section, key, L"", buffer.data(), size, AppSettings.languageFile.c_str());
  buffer.resize(length);
  return buffer;
}

int LanguageFontSize() {
  return static_cast<int>(
      GetPrivateProfileIntW(L"Info", L"FontSize", kDefaultFontSize, AppSettings.languageFile.c_str()));
}

// Dialogs are localised again after every language change; sharing one font per look keeps the
// number of fonts bounded for the life of the process.
HFONT SharedFont(const LOGFONTW& look) {
  using Key = std::tuple<std::wstring, LONG, LONG, BYTE>;
  static std::map<Key, HFONT> fonts;
  Key key{look.lfFaceName, look.lfHeight, look.lfWeight, look.lfCharSet};
  auto found = fonts.find(key);
  if (found != fonts.end()) return found->second;
  HFONT font = CreateFontIndirectW(&look);
  if (font) fonts.emplace(key, font);
  return font;
}

LOGFONTW DialogFontLook(HWND dialog) {
  NONCLIENTMETRICSW metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    // Before Vista the structure ends before iPaddedBorderWidth and the longer size is refused.
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  }
  LOGFONTW look = metrics.lfMessageFont;

  std::wstring face;
  int size = kDefaultFontSize;
  switch (AppSettings.osClass) {
    case 1:
    case 2:
      face = L"Tahoma";
      break;
    case -1:
    case 0:
      face = LanguageValue(L"Info", L"Font");
      if (!face.empty()) size = LanguageFontSize();
      break;
    default:
      size = LanguageFontSize();
      break;
  }
  if (!face.empty()) {
    lstrcpynW(look.lfFaceName, face.c_str(), LF_FACESIZE);
    look.lfCharSet = DEFAULT_CHARSET;
  }
  // At the DPI of the dialog's monitor, which the screen's device context does not know.
  if (size > 0) look.lfHeight = -MulDiv(size, static_cast<int>(win::DpiOf(dialog)), 72);
  return look;
}

// look on the dialog and its controls; with the language file's look, the pages' section titles
// in its bold face.
void PutFont(HWND dialog, UINT templateId, const LOGFONTW& look) {
  HFONT font = SharedFont(look);
  LOGFONTW boldLook = look;
  boldLook.lfWeight = FW_BOLD;
  HFONT boldFont = nullptr;
  bool titlesBold = !AppSettings.languageFile.empty() &&
                    (templateId == IDD_OSLIST || templateId == IDD_UTILITIES || templateId == IDD_BOOTLOADER);
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    int id = GetDlgCtrlID(child);
    if (titlesBold && (id == IDC_OSLIST_LIST_TITLE || id == IDC_OSLIST_MENU_TITLE)) {
      if (!boldFont) boldFont = SharedFont(boldLook);
      SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont), TRUE);
    } else {
      SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
  }
  SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

}  // namespace

void PutDialogFont(HWND dialog, HINSTANCE instance, UINT templateId) {
  if (!AppSettings.languageFile.empty()) {
    PutFont(dialog, templateId, DialogFontLook(dialog));
    return;
  }
  LOGFONTW look = win::TemplateFont(instance, templateId, win::DpiOf(dialog));
  if (look.lfHeight) PutFont(dialog, templateId, look);
}

void LocalizeDialog(HWND dialog, UINT templateId, bool useAppTitle) {
  if (useAppTitle) SetWindowTextW(dialog, AppSettings.appTitle.c_str());
  if (AppSettings.languageFile.empty()) return;

  if (!useAppTitle) {
    std::wstring title = LanguageValue(base::Format(L"DLG%d", templateId).c_str(), L"Title");
    if (!title.empty()) SetWindowTextW(dialog, ExpandLineBreaks(title).c_str());
  }

  PutFont(dialog, templateId, DialogFontLook(dialog));
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    int id = GetDlgCtrlID(child);
    if (id == IDC_MAIN_FOOTER) {
      SetWindowTextW(child, kFooterText);
      continue;
    }
    std::wstring text = GetText(static_cast<UINT>(id), templateId);
    if (!text.empty()) SetWindowTextW(child, text.c_str());
  }
}

void LocalizeMenu(HMENU menu, UINT parentIndex, UINT dialogId) {
  if (AppSettings.languageFile.empty()) return;
  std::wstring section = dialogId != 0 ? base::Format(L"DLG%d", dialogId) : std::wstring(L"String");
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW item = {};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item)) continue;
    if (item.fType & MFT_SEPARATOR) continue;
    // A pop-up item built from a resource may carry identifier 0; only separators are skipped.
    if (item.wID == 0 && !item.hSubMenu) continue;
    std::wstring key = item.hSubMenu ? base::Format(L"%u|%u", parentIndex, static_cast<unsigned>(i))
                                     : base::Format(L"%u", item.wID);
    std::wstring text = LanguageValue(section.c_str(), key.c_str(), 1024);
    if (!text.empty()) {
      text = ExpandLineBreaks(text);
      MENUITEMINFOW change = {};
      change.cbSize = sizeof(change);
      change.fMask = MIIM_STRING;
      change.dwTypeData = text.data();
      SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &change);
    }
    if (item.hSubMenu) LocalizeMenu(item.hSubMenu, static_cast<UINT>(i), dialogId);
  }
}
