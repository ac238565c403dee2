// Text lookup: built-in table, language file sections and their fallbacks, and localising a real
// dialog and menu.
#include <gtest/gtest.h>

#include "StoreSandbox.h"
#include "base/Texts.h"
#include "win/Localize.h"
#include "test_resource.h"
#include "win/Dialog.h"

using namespace testing_support;

namespace {

// A language file in a temporary folder, in use for the scope of a test.
class LanguageFile : StoreSandbox {
 public:
  explicit LanguageFile(const std::wstring& text) {
    folder.WriteText(L"xx.ini", Utf16File(text));
    AppSettings.languageFile = folder.File(L"xx.ini");
  }
};

LOGFONTW FontOf(HWND window) {
  LOGFONTW look = {};
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  GetObjectW(font, sizeof(look), &look);
  return look;
}

}  // namespace

TEST(Texts, BuiltInTableKeepsQuotedTextsExactly) {
  StoreSandbox sandbox;
  AppSettings.languageFile.clear();
  // By number, not by name: language files key on these numbers, so a name bound to the wrong
  // number in texts.h must fail here.
  EXPECT_EQ(GetText(57348),
            L"Another version or another language  Vexa is already running now, find it in the system tray.");
  EXPECT_EQ(GetText(57344), L"Vexa");
  // Embedded quotes, a full-width full stop and line breaks survive the resource compiler.
  EXPECT_EQ(GetText(19), L"The \"%s\" Is Empty\u3002");
  EXPECT_EQ(GetText(57406), L"This BCD store file is Empty\u3002\n\nReload the Default system boot store now.");
  EXPECT_EQ(GetText(109), L"&Save Sort && Delete");
  EXPECT_EQ(GetText(57370), L"Are you sure you want to Delete this entry? ");  // trailing blank kept
  EXPECT_EQ(GetText(118), L"\nBoot.ini Display order changed and saved.");
  EXPECT_EQ(GetText(121).size(), 278u) << "long texts come back whole";
  // The add-new results are formatted with three and two texts.
  EXPECT_EQ(GetText(57432), L"%s\n\nThe New OS named \"%s\" was successfully added in BCDstore as \"%s\".");
  EXPECT_EQ(GetText(57433), L"%s\n\nThe New OS named \"%s\" was successfully added in Boot.ini.");
  // Without a language file a dialog's own texts stay, and numbers without a text give nothing.
  EXPECT_EQ(GetText(1019, 129), L"");
  EXPECT_EQ(GetText(13), L"");
}

TEST(Texts, LanguageFileSectionsFallBackInOrder) {
  LanguageFile language(
      L"[String]\n57348=Schon gestartet\n1019=Aus String\n11=\n"
      L"[DLG129]\n1020=Ändern\n");
  EXPECT_EQ(GetText(57348), L"Schon gestartet");
  EXPECT_EQ(GetText(1020, 129), L"Ändern");
  EXPECT_EQ(GetText(1019, 129), L"Aus String") << "a dialog falls back to the String section";
  EXPECT_EQ(GetText(11), L"Your operation was successfully completed.") << "empty value -> built-in";
  EXPECT_EQ(GetText(11, 129), L"Your operation was successfully completed.");
  EXPECT_EQ(GetText(4242, 129), L"");
}

TEST(Texts, BackslashNBecomesALineBreakAndNothingElseChanges) {
  LanguageFile language(L"[String]\n10=erste\\nzweite\n11=C:\\Windows\\new \\\\n\n");
  EXPECT_EQ(GetText(10), L"erste\nzweite");
  // Every backslash-n pair is a break, even after another backslash; other backslashes stay.
  EXPECT_EQ(GetText(11), L"C:\\Windows\new \\\n");
}

TEST(Texts, LocalizeDialogWithoutLanguageFileKeepsTemplate) {
  StoreSandbox sandbox;
  AppSettings.languageFile.clear();
  AppSettings.appTitle = L"Vexa Title";
  win::Dialog dialog(IDD_TEST_LOCALIZE);
  ASSERT_TRUE(dialog.CreateModeless(nullptr));
  HFONT before = reinterpret_cast<HFONT>(SendMessageW(dialog.Handle(), WM_GETFONT, 0, 0));
  LocalizeDialog(dialog.Handle(), 129, false);
  EXPECT_EQ(TextOf(dialog.Handle()), L"Localize");
  EXPECT_EQ(dialog.ItemText(1019), L"&AS Default");
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(dialog.Handle(), WM_GETFONT, 0, 0)), before);
  LocalizeDialog(dialog.Handle(), 129, true);
  EXPECT_EQ(TextOf(dialog.Handle()), L"Vexa Title");
  dialog.End(0);
}

TEST(Texts, LocalizeDialogAppliesTextsTitleAndFont) {
  LanguageFile language(
      L"[Info]\nFont=Courier New\nFontSize=12\n"
      L"[String]\n1020=Ändern\n"
      L"[DLG129]\nTitle=Seite\n1019=Als &Standard\n1007=no footer change\n1031=Systeme:\n");
  AppSettings.osClass = 7;
  win::Dialog dialog(IDD_TEST_LOCALIZE);
  ASSERT_TRUE(dialog.CreateModeless(nullptr));
  LocalizeDialog(dialog.Handle(), 129, false);

  EXPECT_EQ(TextOf(dialog.Handle()), L"Seite");
  EXPECT_EQ(dialog.ItemText(1019), L"Als &Standard");
  EXPECT_EQ(dialog.ItemText(1020), L"Ändern");
  EXPECT_EQ(dialog.ItemText(1031), L"Systeme:");
  EXPECT_EQ(dialog.ItemText(1032), L"Boot Menu Setting:") << "no text: the template's stays";
  EXPECT_EQ(dialog.ItemText(1007), kFooterText);

  HDC dc = GetDC(dialog.Handle());
  int height = -MulDiv(12, GetDeviceCaps(dc, LOGPIXELSY), 72);
  ReleaseDC(dialog.Handle(), dc);
  LOGFONTW button = FontOf(dialog.Item(1019));
  EXPECT_EQ(button.lfHeight, height);
  EXPECT_NE(std::wstring(button.lfFaceName), L"Courier New") << "the face is the system's after Windows 2000";
  EXPECT_EQ(FontOf(dialog.Item(1031)).lfWeight, FW_BOLD);
  EXPECT_EQ(FontOf(dialog.Item(1032)).lfWeight, FW_BOLD);
  EXPECT_NE(FontOf(dialog.Item(1020)).lfWeight, FW_BOLD);

  // With the application title the caption is the title even when the file has one.
  AppSettings.appTitle = L"Vexa DE";
  LocalizeDialog(dialog.Handle(), 129, true);
  EXPECT_EQ(TextOf(dialog.Handle()), L"Vexa DE");
  dialog.End(0);
}

TEST(Texts, LocalizeDialogFontFollowsOsClass) {
  LanguageFile language(L"[Info]\nFont=Courier New\nFontSize=14\n[DLG130]\nTitle=T\n");
  win::Dialog dialog(IDD_TEST_LOCALIZE);
  ASSERT_TRUE(dialog.CreateModeless(nullptr));
  HDC dc = GetDC(dialog.Handle());
  int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(dialog.Handle(), dc);

  AppSettings.osClass = 1;  // Windows 2000: Tahoma 8 whatever the file says
  LocalizeDialog(dialog.Handle(), 130, false);
  LOGFONTW look = FontOf(dialog.Item(1019));
  EXPECT_STREQ(look.lfFaceName, L"Tahoma");
  EXPECT_EQ(look.lfHeight, -MulDiv(8, dpi, 72));
  EXPECT_EQ(FontOf(dialog.Item(1031)).lfWeight, FW_BOLD) << "130 is a page too";

  AppSettings.osClass = 0;  // before Windows 2000 the file's face and size are used
  LocalizeDialog(dialog.Handle(), 130, false);
  look = FontOf(dialog.Item(1019));
  EXPECT_STREQ(look.lfFaceName, L"Courier New");
  EXPECT_EQ(look.lfHeight, -MulDiv(14, dpi, 72));

  LocalizeDialog(dialog.Handle(), 163, false);  // not a page: no bold titles
  EXPECT_NE(FontOf(dialog.Item(1031)).lfWeight, FW_BOLD);
  dialog.End(0);
}

TEST(Texts, LocalizeMenuUsesIdentifiersAndPopupPositions) {
  LanguageFile language(
      L"[String]\n1019=&Starten\n0|2=&Mehr\n2|1=&Tiefer\n32772=&Beenden\n"
      L"[DLG163]\n1019=Dialog-Text\n");
  HMENU deeper = CreatePopupMenu();
  AppendMenuW(deeper, MF_STRING, 40001, L"Deep item");
  HMENU more = CreatePopupMenu();
  AppendMenuW(more, MF_STRING, 32772, L"E&xit");
  AppendMenuW(more, MF_POPUP, reinterpret_cast<UINT_PTR>(deeper), L"Deeper");
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1019, L"&Run");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(more), L"More");
  AppendMenuW(menu, MF_STRING | MF_CHECKED, 1020, L"Keep");

  auto text = [](HMENU m, int position) {
    wchar_t buffer[128] = {};
    GetMenuStringW(m, position, buffer, 128, MF_BYPOSITION);
    return std::wstring(buffer);
  };
  LocalizeMenu(menu, 0, 0);
  EXPECT_EQ(text(menu, 0), L"&Starten");
  EXPECT_EQ(text(menu, 2), L"&Mehr");
  EXPECT_EQ(text(menu, 3), L"Keep");
  EXPECT_EQ(GetMenuState(menu, 3, MF_BYPOSITION) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
  EXPECT_EQ(GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(text(more, 0), L"&Beenden");
  EXPECT_EQ(text(more, 1), L"&Tiefer") << "a nested pop-up is keyed by its parent's position";
  EXPECT_EQ(text(deeper, 0), L"Deep item");

  LocalizeMenu(menu, 0, 163);
  EXPECT_EQ(text(menu, 0), L"Dialog-Text");
  DestroyMenu(menu);
}

TEST(Texts, ShippedGermanFileKeepsThePageButtonApartFromTheTrayItem) {
  StoreSandbox sandbox;
  AppSettings.languageFile = BuildFile(L"Language\\407.ini");
  EXPECT_EQ(GetText(57390), L"Löschen bestätigen");
  EXPECT_EQ(GetText(1013, 102), L"Ü&ber") << "the page button is not the tray's About item";
  EXPECT_EQ(GetText(1013), L"Ü&ber Vexa");
}
