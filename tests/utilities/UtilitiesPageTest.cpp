// The Utilities page and its shortcut dialog in real windows: rows and icons, selection and
// details, running, adding and changing through the dialog, delete, and a language change.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "StoreSandbox.h"
#include "app/Environment.h"
#include "art.h"
#include "resource.h"
#include "test_resource.h"
#include "utilities/ShortcutDialog.h"
#include "utilities/UtilitiesPage.h"
#include "win/Controls.h"

using namespace testing_support;

namespace {

constexpr wchar_t kPickOne[] = L"Please Select One to See its Details.";

// Enter as a dialog loop hands it over: through the dialog manager of the top window.
void PressEnter(HWND top, HWND target) {
  SetFocus(target);
  MSG message = {target, WM_KEYDOWN, VK_RETURN, 0};
  if (!IsDialogMessageW(top, &message)) DispatchMessageW(&message);
  PumpMessages();
}

bool Enabled(HWND window, int id) { return IsWindowEnabled(GetDlgItem(window, id)) != FALSE; }

// A page as the main window makes it, over a plugins.ini with two utilities.
class UtilitiesPageTest : public testing::Test, protected StoreSandbox {
 protected:
  UtilitiesPageTest() : StoreSandbox(Tools::kNone), host(IDD_TEST_SKIN) {
    AppSettings.appTitle = L"Vexa";
    AppSettings.languageFile.clear();
    AppSettings.osClass = GetOsClass();
    AppSettings.pluginsFile = folder.File(L"plugins.ini");
  }
  void SetUp() override {
    ASSERT_TRUE(WriteFileBytes(AppSettings.pluginsFile,
                               Utf16File(L"[TOOL]\nname=Zed Tool\ninfo=\ncmd=C:\\Tools\\zed.exe\n"
                                         L"[NOTE]\nname=Alpha Notes\ninfo=Jot things down\ncmd=notepad.exe\n")));
    ASSERT_TRUE(host.CreateModeless(nullptr));
    context.buttonImages = ImageList_LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_BUTTON_STRIP), 16, 0,
                                                RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
    SHFILEINFOW info = {};
    context.systemLarge = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
        L".txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
    page = std::make_unique<UtilitiesPage>(context);
    ASSERT_TRUE(page->CreateModeless(host.Handle()));
    list.Attach(page->Item(IDC_UTILITIES_LIST));
  }
  ~UtilitiesPageTest() override {
    page.reset();
    host.End(0);
    if (context.buttonImages) ImageList_Destroy(context.buttonImages);
  }

  int Row(const std::wstring& text) const {
    LVFINDINFOW find = {LVFI_STRING, text.c_str()};
    return ListView_FindItem(list.Handle(), -1, &find);
  }
  int IndexOf(const std::wstring& text) const { return static_cast<int>(list.Data(Row(text))); }
  // Row texts in list order; each row's item must carry that name.
  std::vector<std::wstring> RowTexts() const {
    std::vector<std::wstring> texts;
    for (int row = 0; row < list.Count(); ++row) {
      texts.push_back(list.Cell(row, 0));
      EXPECT_EQ(page->Utilities().At(static_cast<int>(list.Data(row))).name, texts.back());
    }
    return texts;
  }
  std::wstring Details() const { return page->ItemText(IDC_UTILITIES_DETAILS); }
  UtilityList FileNow() const {
    UtilityList file(AppSettings.pluginsFile);
    file.LoadUtilities();
    return file;
  }

  win::Dialog host;
  PageContext context;
  std::unique_ptr<UtilitiesPage> page;
  win::ListView list;
};

}  // namespace

TEST_F(UtilitiesPageTest, RowsIconsDetailsMenuAndRunning) {
  EXPECT_EQ(RowTexts(), (std::vector<std::wstring>{L"Alpha Notes", L"Internet Options", L"Zed Tool"}));
  for (int row = 0; row < list.Count(); ++row) {
    HICON icon = ImageList_GetIcon(context.systemLarge, list.Image(row), ILD_NORMAL);
    EXPECT_TRUE(icon) << "row " << row << " shows an icon of the system list";
    if (icon) DestroyIcon(icon);
  }
  EXPECT_EQ(Details(), kPickOne);
  struct Case {
    const wchar_t *row, *details;
    bool editable;
  } cases[] = {
      {L"Internet Options", L"Open \"Internet Options\", Change your Internet settings.", false},
      {L"Zed Tool", L"C:\\Tools\\zed.exe", true},  // no description: the command
      {L"Alpha Notes", L"Jot things down", true},
  };
  for (const Case& c : cases) {
    list.Select(Row(c.row));
    EXPECT_EQ(Details(), c.details);
    HMENU menu = page->ContextMenu();
    for (UINT id : {IDC_UTILITIES_MODIFY, IDC_UTILITIES_DELETE}) {
      EXPECT_EQ(Enabled(page->Handle(), static_cast<int>(id)), c.editable) << c.row;
      EXPECT_EQ((GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) == 0, c.editable) << c.row;
    }
  }
  EXPECT_EQ(GetMenuDefaultItem(page->ContextMenu(), FALSE, 0), static_cast<UINT>(ID_UTILITIES_RUN));

  // Alpha Notes is selected: a double-click, Enter in the list and the menu run it.
  NMHDR doubleClick = {list.Handle(), IDC_UTILITIES_LIST, static_cast<UINT>(NM_DBLCLK)};
  SendMessageW(page->Handle(), WM_NOTIFY, IDC_UTILITIES_LIST, reinterpret_cast<LPARAM>(&doubleClick));
  PressEnter(host.Handle(), list.Handle());
  SendMessageW(page->Handle(), WM_COMMAND, ID_UTILITIES_RUN, 0);
  list.Select(-1);
  EXPECT_EQ(Details(), kPickOne);
  EXPECT_FALSE(Enabled(page->Handle(), IDC_UTILITIES_DELETE));
  SendMessageW(page->Handle(), WM_COMMAND, ID_UTILITIES_RUN, 0);
  ASSERT_EQ(seams.script.shellCalls.size(), 3u) << "nothing runs without a selection";
  for (const win::ShellCall& call : seams.script.shellCalls) EXPECT_EQ(call.verb + L" " + call.file, L"open notepad.exe");
}

TEST_F(UtilitiesPageTest, ANewUtilityShowsAtOnceAndTheDialogThenEditsIt) {
  int rows = list.Count();
  ShortcutDialog dialog(*page, -1);
  HWND window = dialog.CreateModeless(host.Handle());
  ASSERT_TRUE(window);
  EXPECT_EQ(TextOf(window), L"Creat New Shortcut");
  EXPECT_TRUE(Enabled(window, IDC_SHORTCUT_APPLY));
  EXPECT_TRUE(SendDlgItemMessageW(window, IDC_SHORTCUT_ICON, STM_GETICON, 0, 0));
  SetDlgItemTextW(window, IDC_SHORTCUT_COMMAND, L"C:\\Tools\\viewer.exe");
  SetDlgItemTextW(window, IDC_SHORTCUT_INFO, L"line one\r\nline two");
  ClickControl(window, IDC_SHORTCUT_APPLY);
  EXPECT_TRUE(list.Count() == rows + 1 && Row(L"viewer.exe") >= 0) << "the row is there while the dialog is open";
  EXPECT_EQ(TextOf(window), L"Change Settings  -  viewer.exe");
  EXPECT_EQ(ControlText(window, IDC_SHORTCUT_NAME), L"viewer.exe");
  EXPECT_FALSE(Enabled(window, IDC_SHORTCUT_APPLY));
  SetDlgItemTextW(window, IDC_SHORTCUT_NAME, L"Viewer");
  EXPECT_TRUE(Enabled(window, IDC_SHORTCUT_APPLY));
  ClickControl(window, IDC_SHORTCUT_OK);
  EXPECT_FALSE(IsWindow(window));

  EXPECT_TRUE(list.Count() == rows + 1 && Row(L"Viewer") >= 0 && Row(L"viewer.exe") < 0);
  UtilityList file = FileNow();
  ASSERT_EQ(file.Count(), 3) << "OK after Apply changed the new utility instead of adding another";
  EXPECT_EQ(file.At(2).section + L"|" + file.At(2).name + L"|" + file.At(2).info, L"VIEWER_EXE|Viewer|line one line two");
}

TEST_F(UtilitiesPageTest, TheChangeDialogMarksOnlyRealChangesAndEnterClosesNothing) {
  list.Select(Row(L"Zed Tool"));
  ShortcutDialog dialog(*page, page->SelectedIndex());
  HWND window = dialog.CreateModeless(host.Handle());
  ASSERT_TRUE(window);
  EXPECT_EQ(TextOf(window), L"Change Settings  -  Zed Tool");
  EXPECT_EQ(ControlText(window, IDC_SHORTCUT_COMMAND), L"C:\\Tools\\zed.exe");
  EXPECT_TRUE(SendDlgItemMessageW(window, IDC_SHORTCUT_ICON, STM_GETICON, 0, 0));
  SetDlgItemTextW(window, IDC_SHORTCUT_NAME, L"ZED TOOL");
  EXPECT_FALSE(Enabled(window, IDC_SHORTCUT_APPLY)) << "a change of case is no change";
  PressEnter(window, GetDlgItem(window, IDC_SHORTCUT_NAME));
  EXPECT_TRUE(IsWindow(window)) << "Enter in a box does not close the dialog";
  PressEnter(window, GetDlgItem(window, IDC_SHORTCUT_INFO));
  EXPECT_EQ(ControlText(window, IDC_SHORTCUT_INFO), L"\r\n") << "Enter in the description starts a new line";
  EXPECT_TRUE(Enabled(window, IDC_SHORTCUT_APPLY));
  SetDlgItemTextW(window, IDC_SHORTCUT_COMMAND, L"C:\\Tools\\zed2.com");
  ClickControl(window, IDC_SHORTCUT_OK);

  ASSERT_TRUE(page->HasSelection()) << "the changed row stays selected";
  EXPECT_EQ(list.Cell(list.Selection(), 0), L"ZED TOOL");
  EXPECT_EQ(Details(), L"C:\\Tools\\zed2.com");
  const UtilityItem saved = FileNow().At(0);
  EXPECT_EQ(saved.section + L"|" + saved.name + L"|" + saved.info + L"|" + saved.cmd, L"TOOL|ZED TOOL||C:\\Tools\\zed2.com");
}

TEST_F(UtilitiesPageTest, DeleteAsksThenRemovesRowAndSection) {
  list.Select(Row(L"Zed Tool"));
  seams.script.promptAnswers = {IDNO, IDYES};
  ClickControl(page->Handle(), IDC_UTILITIES_DELETE);
  EXPECT_TRUE(Row(L"Zed Tool") >= 0 && FileNow().SectionExists(L"TOOL")) << "No keeps it";
  ClickControl(page->Handle(), IDC_UTILITIES_DELETE);
  EXPECT_TRUE(Row(L"Zed Tool") < 0 && !FileNow().SectionExists(L"TOOL"));
  EXPECT_FALSE(page->HasSelection());
  EXPECT_EQ(Details(), kPickOne);
  EXPECT_FALSE(Enabled(page->Handle(), IDC_UTILITIES_MODIFY));

  list.Select(Row(L"Internet Options"));
  page->DeleteSelected();
  page->ModifySelected();  // a modal dialog here would never return
  ASSERT_EQ(seams.script.prompts.size(), 2u) << "the built-in item is not even asked about";
  const win::PromptCall& prompt = seams.script.prompts[0];
  EXPECT_EQ(prompt.text + L"|" + prompt.caption, L"Are you sure you want to Delete this entry? |Vexa");
  EXPECT_EQ(prompt.flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
}

TEST_F(UtilitiesPageTest, BrowseTakesOnlyAFileThatExistsAndSaysSoInTheBuiltInText) {
  std::wstring existing = folder.File(L"tool.exe"), missing = folder.File(L"missing.exe");
  ASSERT_TRUE(WriteFileBytes(existing, "MZ"));
  AppSettings.languageFile = BuildFile(L"Language\\407.ini");
  seams.script.fileAnswers = {existing, missing};
  ShortcutDialog dialog(*page, IndexOf(L"Zed Tool"));
  ASSERT_TRUE(dialog.CreateModeless(host.Handle()));
  for (int click = 0; click < 2; ++click) ClickControl(dialog.Handle(), IDC_SHORTCUT_BROWSE);
  EXPECT_EQ(dialog.ItemText(IDC_SHORTCUT_COMMAND), existing);
  ASSERT_EQ(seams.script.fileDialogs.size(), 2u);
  const win::FileDialogRequest& request = seams.script.fileDialogs[0].request;
  EXPECT_EQ(request.initialDirectory + L"|" + request.fileName, L"C:\\Tools\\|C:\\Tools\\zed.exe");
  EXPECT_EQ(request.filter, L"Programmdateien(*.exe;*.com;*.bat;*.cmd)|*.exe;*.com;*.bat;*.cmd|Alle Dateien(*.*)|*.*");
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(seams.script.prompts[0].text, L"The file " + missing + L" is not exist.") << "built-in, whatever the language";
  EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_OK));
}

TEST_F(UtilitiesPageTest, ALanguageChangeKeepsThePageConsistent) {
  HMENU before = page->ContextMenu();
  list.Select(Row(L"Alpha Notes"));
  AppSettings.languageFile = folder.File(L"de.ini");
  ASSERT_TRUE(WriteFileBytes(AppSettings.languageFile,
                             Utf16File(L"[String]\n57367=Internetoptionen\n57365=Bitte w\u00e4hlen\n120=&Starten\n"
                                       L"[DLG130]\n1043=Vorlage\n1023=+\n1031=Hilfsprogramme:\n")));
  page->Relocalize();

  EXPECT_EQ(page->ItemText(IDC_UTILITIES_LIST_TITLE), L"Hilfsprogramme:");
  EXPECT_EQ(page->ItemText(IDC_UTILITIES_ADD), L"Add New")
      << "the add button is named by its tooltip, not by the template's caption";
  EXPECT_EQ(Details(), L"Jot things down") << "the details line still describes the selection";
  EXPECT_EQ(RowTexts(), (std::vector<std::wstring>{L"Alpha Notes", L"Internetoptionen", L"Zed Tool"}));
  EXPECT_EQ(list.Cell(list.Selection(), 0), L"Alpha Notes");
  EXPECT_FALSE(IsMenu(before)) << "the old language's menu is gone";
  wchar_t text[64] = {};
  GetMenuStringW(page->ContextMenu(), 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&Starten");
  list.Select(-1);
  EXPECT_EQ(Details(), L"Bitte w\u00e4hlen");
}
