// The Utilities page and its shortcut dialog in real windows: rows and icons, selection and
// details, the add and change roads through the dialog, delete, run, browse and a language change.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <functional>
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

constexpr wchar_t kPlugins[] =
    L"[TOOL]\nname=Zed Tool\ninfo=\ncmd=C:\\Tools\\zed.exe\n[NOTE]\nname=Alpha Notes\ninfo=Jot things down\n"
    L"cmd=notepad.exe\n";
constexpr wchar_t kPickOne[] = L"Please Select One to See its Details.";

// A modal dialog opened by the code under test is handed to a script from inside its own loop.
std::function<void(HWND)> g_script;
HWND g_host = nullptr;
bool g_modalSeen = false;

BOOL CALLBACK FindModal(HWND hwnd, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  // A dialog's own loop shows it once it first goes idle.
  if (hwnd == g_host || lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;
}

void CALLBACK ModalTimer(HWND, UINT, UINT_PTR, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindModal, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog || g_modalSeen) return;
  g_modalSeen = true;
  g_script(dialog);
  // A script that failed half-way must not leave the test waiting.
  if (IsWindowVisible(dialog)) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

// Runs open, handing a modal dialog it opens to script; true when one opened.
bool WithModal(const std::function<void()>& open, std::function<void(HWND)> script) {
  g_script = std::move(script);
  g_modalSeen = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 30, ModalTimer);
  open();
  KillTimer(nullptr, timer);
  return g_modalSeen;
}

// Enter as a dialog loop hands it over: through the dialog manager of the top window.
void PressEnter(HWND top, HWND target) {
  SetFocus(target);
  MSG message = {target, WM_KEYDOWN, VK_RETURN, 0};
  if (!IsDialogMessageW(top, &message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  PumpMessages();
}

bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

class UtilitiesPageTest : public testing::Test, protected StoreSandbox {
 protected:
  UtilitiesPageTest() : StoreSandbox(Tools::kNone), host(IDD_TEST_SKIN) {
    AppSettings.appTitle = L"Vexa";
    AppSettings.languageFile.clear();
    AppSettings.osClass = GetOsClass();
    AppSettings.pluginsFile = folder.File(L"plugins.ini");
  }
  ~UtilitiesPageTest() override {
    page.reset();
    host.End(0);
    g_host = nullptr;
    if (context.buttonImages) ImageList_Destroy(context.buttonImages);
  }

  void Open(const std::wstring& plugins) {
    if (!plugins.empty()) {
      ASSERT_TRUE(WriteFileBytes(AppSettings.pluginsFile, Utf16File(plugins)));
    }
    g_host = host.CreateModeless(nullptr);
    SetClientSize(g_host, 620, 460);
    ShowWindow(g_host, SW_SHOW);
    context.buttonImages = ImageList_LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_BUTTON_STRIP), 16, 0,
                                                RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
    SHFILEINFOW info = {};
    context.systemLarge = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(
        L".txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_LARGEICON));
    context.mainWindow = g_host;
    page = std::make_unique<UtilitiesPage>(context);
    ASSERT_TRUE(page->CreateModeless(g_host));
    ShowWindow(page->Handle(), SW_SHOW);
    list.Attach(page->Item(IDC_UTILITIES_LIST));
    PumpMessages();
  }
  int Row(const std::wstring& text) const {
    LVFINDINFOW find = {};
    find.flags = LVFI_STRING;
    find.psz = text.c_str();
    return ListView_FindItem(list.Handle(), -1, &find);
  }
  void Select(const std::wstring& text) {
    list.Select(Row(text));
    PumpMessages();
  }
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

TEST_F(UtilitiesPageTest, RowsIconsSelectionDetailsAndMenu) {
  Open(kPlugins);
  EXPECT_EQ(RowTexts(), (std::vector<std::wstring>{L"Alpha Notes", L"Internet Options", L"Zed Tool"}));
  for (int row = 0; row < list.Count(); ++row) {
    HICON icon = ImageList_GetIcon(context.systemLarge, list.Image(row), ILD_NORMAL);
    EXPECT_TRUE(icon) << "row " << row << " shows an icon of the system list";
    if (icon) DestroyIcon(icon);
  }
  EXPECT_EQ(Details(), kPickOne);
  EXPECT_FALSE(WithModal([&] { ClickControl(page->Handle(), IDC_UTILITIES_MODIFY); }, [](HWND) {}))
      << "before any selection M stands for the built-in item, which is not changed";

  struct Case {
    const wchar_t *row, *details;
    bool editable;
  } cases[] = {
      {L"Internet Options", L"Open \"Internet Options\", Change your Internet settings.", false},
      {L"Zed Tool", L"C:\\Tools\\zed.exe", true},  // no description: the command
      {L"Alpha Notes", L"Jot things down", true},
  };
  for (const Case& c : cases) {
    Select(c.row);
    EXPECT_EQ(Details(), c.details);
    EXPECT_EQ(Enabled(page->Handle(), IDC_UTILITIES_MODIFY), c.editable) << c.row;
    EXPECT_EQ(Enabled(page->Handle(), IDC_UTILITIES_DELETE), c.editable) << c.row;
    HMENU menu = page->ContextMenu();
    for (UINT id : {IDC_UTILITIES_MODIFY, IDC_UTILITIES_DELETE})
      EXPECT_EQ((GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) == 0, c.editable) << c.row;
  }
  HMENU menu = page->ContextMenu();
  std::vector<UINT> ids;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) ids.push_back(GetMenuItemID(menu, i));
  EXPECT_EQ(ids, (std::vector<UINT>{ID_UTILITIES_RUN, 0, IDC_UTILITIES_MODIFY, IDC_UTILITIES_DELETE, 0,
                                    IDC_UTILITIES_ADD}));
  EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(ID_UTILITIES_RUN));

  list.Select(-1);
  EXPECT_FALSE(page->HasSelection());
  EXPECT_EQ(Details(), kPickOne);
  EXPECT_FALSE(Enabled(page->Handle(), IDC_UTILITIES_DELETE));
}

TEST_F(UtilitiesPageTest, DoubleClickEnterAndMenuRunTheSelection) {
  Open(kPlugins);
  Select(L"Alpha Notes");
  NMHDR doubleClick = {list.Handle(), IDC_UTILITIES_LIST, static_cast<UINT>(NM_DBLCLK)};
  SendMessageW(page->Handle(), WM_NOTIFY, IDC_UTILITIES_LIST, reinterpret_cast<LPARAM>(&doubleClick));
  PressEnter(g_host, list.Handle());
  SendMessageW(page->Handle(), WM_COMMAND, ID_UTILITIES_RUN, 0);
  list.Select(-1);
  SendMessageW(page->Handle(), WM_COMMAND, ID_UTILITIES_RUN, 0);
  ASSERT_EQ(seams.script.shellCalls.size(), 3u) << "double-click, Enter and the menu; nothing without a selection";
  for (const win::ShellCall& call : seams.script.shellCalls) {
    EXPECT_EQ(call.verb, L"open");
    EXPECT_EQ(call.file, L"notepad.exe");
  }
}

TEST_F(UtilitiesPageTest, ANewUtilityShowsAtOnceAndTheDialogThenEditsIt) {
  Open(kPlugins);
  int rows = list.Count();
  EXPECT_TRUE(WithModal([&] { ClickControl(page->Handle(), IDC_UTILITIES_ADD); }, [&](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), L"Creat New Shortcut");
    EXPECT_TRUE(Enabled(dialog, IDC_SHORTCUT_APPLY));
    EXPECT_TRUE(SendDlgItemMessageW(dialog, IDC_SHORTCUT_ICON, STM_GETICON, 0, 0));
    SetDlgItemTextW(dialog, IDC_SHORTCUT_COMMAND, L"C:\\Tools\\viewer.exe");
    SetDlgItemTextW(dialog, IDC_SHORTCUT_INFO, L"line one\r\nline two");
    ClickControl(dialog, IDC_SHORTCUT_APPLY);
    EXPECT_EQ(list.Count(), rows + 1) << "the row is there while the dialog is open";
    EXPECT_GE(Row(L"viewer.exe"), 0);
    EXPECT_EQ(TextOf(dialog), L"Change Settings  -  viewer.exe");
    EXPECT_EQ(ControlText(dialog, IDC_SHORTCUT_NAME), L"viewer.exe");
    EXPECT_FALSE(Enabled(dialog, IDC_SHORTCUT_APPLY));
    SetDlgItemTextW(dialog, IDC_SHORTCUT_NAME, L"Viewer");
    EXPECT_TRUE(Enabled(dialog, IDC_SHORTCUT_APPLY));
    ClickControl(dialog, IDC_SHORTCUT_OK);
  }));
  EXPECT_EQ(list.Count(), rows + 1);
  EXPECT_GE(Row(L"Viewer"), 0);
  EXPECT_LT(Row(L"viewer.exe"), 0);
  UtilityList file = FileNow();
  ASSERT_EQ(file.Count(), 3) << "OK after Apply changed the new utility instead of adding another";
  EXPECT_EQ(file.At(2).section, L"VIEWER_EXE");
  EXPECT_EQ(file.At(2).name, L"Viewer");
  EXPECT_EQ(file.At(2).info, L"line one line two");
}

TEST_F(UtilitiesPageTest, TheChangeDialogMarksOnlyRealChangesAndEnterClosesNothing) {
  Open(kPlugins);
  Select(L"Zed Tool");
  EXPECT_TRUE(WithModal([&] { ClickControl(page->Handle(), IDC_UTILITIES_MODIFY); }, [&](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), L"Change Settings  -  Zed Tool");
    EXPECT_EQ(ControlText(dialog, IDC_SHORTCUT_COMMAND), L"C:\\Tools\\zed.exe");
    EXPECT_TRUE(SendDlgItemMessageW(dialog, IDC_SHORTCUT_ICON, STM_GETICON, 0, 0));
    EXPECT_FALSE(Enabled(dialog, IDC_SHORTCUT_APPLY));
    SetDlgItemTextW(dialog, IDC_SHORTCUT_NAME, L"ZED TOOL");
    EXPECT_FALSE(Enabled(dialog, IDC_SHORTCUT_APPLY)) << "a change of case is no change";
    PressEnter(dialog, GetDlgItem(dialog, IDC_SHORTCUT_NAME));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "Enter in a box does not close the dialog";
    PressEnter(dialog, GetDlgItem(dialog, IDC_SHORTCUT_INFO));
    EXPECT_EQ(ControlText(dialog, IDC_SHORTCUT_INFO), L"\r\n") << "Enter in the description starts a new line";
    EXPECT_TRUE(Enabled(dialog, IDC_SHORTCUT_APPLY));
    SetDlgItemTextW(dialog, IDC_SHORTCUT_COMMAND, L"C:\\Tools\\zed2.com");
    ClickControl(dialog, IDC_SHORTCUT_OK);
  }));
  ASSERT_TRUE(page->HasSelection()) << "the changed row stays selected";
  EXPECT_EQ(list.Cell(list.Selection(), 0), L"ZED TOOL");
  EXPECT_EQ(Details(), L"C:\\Tools\\zed2.com");
  UtilityList file = FileNow();
  EXPECT_EQ(file.At(0).section, L"TOOL");
  EXPECT_EQ(file.At(0).name, L"ZED TOOL");
  EXPECT_EQ(file.At(0).info, L"");
  EXPECT_EQ(file.At(0).cmd, L"C:\\Tools\\zed2.com");
}

TEST_F(UtilitiesPageTest, DeleteAsksThenRemovesRowAndSection) {
  Open(kPlugins);
  Select(L"Zed Tool");
  seams.script.promptAnswers = {IDNO, IDYES};
  ClickControl(page->Handle(), IDC_UTILITIES_DELETE);
  EXPECT_GE(Row(L"Zed Tool"), 0);
  EXPECT_TRUE(FileNow().SectionExists(L"TOOL"));
  ClickControl(page->Handle(), IDC_UTILITIES_DELETE);
  EXPECT_LT(Row(L"Zed Tool"), 0);
  EXPECT_FALSE(FileNow().SectionExists(L"TOOL"));
  EXPECT_EQ(FileNow().Count(), 1);
  EXPECT_FALSE(page->HasSelection());
  EXPECT_EQ(Details(), kPickOne);
  EXPECT_FALSE(Enabled(page->Handle(), IDC_UTILITIES_MODIFY));

  Select(L"Internet Options");
  page->DeleteSelected();
  ASSERT_EQ(seams.script.prompts.size(), 2u) << "the built-in item is not even asked about";
  const win::PromptCall& prompt = seams.script.prompts[0];
  EXPECT_EQ(prompt.text, L"Are you sure you want to Delete this entry? ");
  EXPECT_EQ(prompt.caption, L"Vexa");
  EXPECT_EQ(prompt.flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
}

TEST_F(UtilitiesPageTest, BrowseTakesOnlyAFileThatExistsAndSaysSoInTheBuiltInText) {
  AppSettings.languageFile = BuildFile(L"Language\\407.ini");
  Open(kPlugins);
  std::wstring existing = folder.File(L"tool.exe"), missing = folder.File(L"missing.exe");
  ASSERT_TRUE(WriteFileBytes(existing, "MZ"));
  seams.script.fileAnswers = {std::nullopt, existing, missing};

  ShortcutDialog change(*page, static_cast<int>(list.Data(Row(L"Zed Tool"))));
  ASSERT_TRUE(change.CreateModeless(g_host));
  ClickControl(change.Handle(), IDC_SHORTCUT_BROWSE);
  change.End(0);
  ShortcutDialog add(*page, -1);
  ASSERT_TRUE(add.CreateModeless(g_host));
  ClickControl(add.Handle(), IDC_SHORTCUT_BROWSE);
  EXPECT_EQ(add.ItemText(IDC_SHORTCUT_COMMAND), existing);
  ClickControl(add.Handle(), IDC_SHORTCUT_BROWSE);
  EXPECT_EQ(add.ItemText(IDC_SHORTCUT_COMMAND), existing);

  const auto& requests = seams.script.fileDialogs;
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].request.fileName, L"C:\\Tools\\zed.exe");
  EXPECT_EQ(requests[0].request.initialDirectory, L"C:\\Tools\\");
  EXPECT_EQ(requests[1].request.fileName, L"");
  EXPECT_EQ(requests[1].request.initialDirectory, Runner().ProgramDir());
  EXPECT_EQ(requests[1].request.filter,
            L"Programmdateien(*.exe;*.com;*.bat;*.cmd)|*.exe;*.com;*.bat;*.cmd|Alle Dateien(*.*)|*.*");
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(seams.script.prompts[0].text, L"The file " + missing + L" is not exist.");
  EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_OK));
  add.End(0);
}

TEST_F(UtilitiesPageTest, ALanguageChangeKeepsThePageConsistent) {
  std::wstring language = folder.File(L"de.ini");
  ASSERT_TRUE(WriteFileBytes(language, Utf16File(L"[String]\n57367=Internetoptionen\n57365=Bitte w\u00e4hlen\n"
                                                 L"120=&Starten\n[DLG130]\n1043=Vorlage\n1023=+\n1031=Hilfsprogramme:\n")));
  Open(kPlugins);
  HMENU before = page->ContextMenu();
  Select(L"Alpha Notes");
  AppSettings.languageFile = language;
  page->Relocalize();

  EXPECT_EQ(page->ItemText(IDC_UTILITIES_LIST_TITLE), L"Hilfsprogramme:");
  EXPECT_EQ(page->ItemText(IDC_UTILITIES_ADD), L"") << "the add button shows its picture, not a caption";
  EXPECT_EQ(Details(), L"Jot things down") << "the details line still describes the selection";
  EXPECT_EQ(RowTexts(), (std::vector<std::wstring>{L"Alpha Notes", L"Internetoptionen", L"Zed Tool"}));
  EXPECT_EQ(list.Cell(list.Selection(), 0), L"Alpha Notes");
  HMENU after = page->ContextMenu();
  EXPECT_FALSE(IsMenu(before)) << "the old language's menu is gone";
  wchar_t text[64] = {};
  GetMenuStringW(after, 0, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&Starten");
  list.Select(-1);
  EXPECT_EQ(Details(), L"Bitte w\u00e4hlen");
}
