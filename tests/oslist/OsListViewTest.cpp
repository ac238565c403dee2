// The OS list page's rows, markers, legacy group, selection and buttons on the demo store.
#include "OsListTestSupport.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

namespace {

constexpr int kNone = -1;

// The rows of the demo store as a table: name, marker, state, name and marker images.
struct Expected {
  const wchar_t* name;
  const wchar_t* marker;
  int stateImage, nameImage, markerImage;
};

void ExpectRows(const std::vector<ListRow>& rows, const std::vector<Expected>& expected) {
  ASSERT_EQ(rows.size(), expected.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(rows[i].name);
    EXPECT_EQ(rows[i].name, expected[i].name);
    EXPECT_EQ(rows[i].marker, expected[i].marker);
    EXPECT_EQ(rows[i].stateImage, expected[i].stateImage);
    EXPECT_EQ(rows[i].nameImage, expected[i].nameImage);
    EXPECT_EQ(rows[i].markerImage, expected[i].markerImage);
  }
}

}  // namespace

TEST_F(OsListPageTest, ShowsTheDemoStoreWithItsMarkers) {
  OsListPage& page = OpenPage();
  // The running system is also the default: the default's marker wins. {ntldr} stands for the
  // collapsed boot.ini group.
  ExpectRows(Rows(), {{L"Windows Boot Manager", L"", art::kImageFirstRow, kNone, kNone},
                      {L"Windows 10", L"{default}", art::kImageBcdEntry, kNone, art::kImageDefaultEntry},
                      {L"Windows 7", L"", art::kImageBcdEntry, kNone, kNone},
                      {L"Windows PE", L"", art::kImageBcdEntry, kNone, kNone},
                      {L"Windows 8 (VHD)", L"", art::kImageBcdEntry, kNone, kNone},
                      {L"Earlier Version of Windows", L"{ntldr}", art::kImageBcdEntry, art::kImageGroupCollapsed,
                       art::kImageLoader},
                      {L"GRUB", L"", art::kImageBcdEntry, kNone, kNone}});
  std::vector<ListRow> rows = Rows();
  EXPECT_EQ(rows[0].data, -1);
  EXPECT_EQ(rows[1].kind, L"BCD Entry");
  const EntryList& list = page.List();
  for (size_t row = 1; row < rows.size(); ++row)
    EXPECT_EQ(list.entries[rows[row].data].description, rows[row].name) << "item data is the entry's index";
  EXPECT_EQ(list.legacyRow, 5);
  EXPECT_TRUE(Journal().empty()) << "showing the rows runs no tool";
}

TEST_F(OsListPageTest, TheLegacyLoaderRowOpensAndClosesTheBootIniLines) {
  OsListPage& page = OpenPage();
  int ntldr = RowNamed(L"Earlier Version of Windows");
  ClickRow(ntldr);
  // The lines go right below {ntldr}, before the entries that follow it in the menu.
  std::wstring group = L"NTLDR + " + std::wstring(AppSettings.bootIniPath);
  CharUpperW(group.data());
  std::vector<ListRow> rows = Rows();
  ExpectRows(std::vector<ListRow>(rows.begin() + ntldr, rows.end()),
             {{group.c_str(), L"{ntldr}", art::kImageBcdEntry, art::kImageGroupExpanded, art::kImageLoader},
              {L"Microsoft Windows XP Professional", L"", kNone, art::kImageBootIniLine, kNone},
              {L"Microsoft Windows Server 2003, Enterprise", L"", kNone, art::kImageBootIniLine, kNone},
              {L"Microsoft Windows Recovery Console", L"", kNone, art::kImageBootIniLine, kNone},
              {L"GRUB", L"", art::kImageBcdEntry, kNone, kNone}});
  EXPECT_EQ(Row(ntldr + 1).kind, L"Boot.ini");
  EXPECT_EQ(page.SelectedRow(), ntldr) << "the group's row stays selected";
  EXPECT_TRUE(page.HasSelection());

  ClickRow(ntldr);
  EXPECT_EQ(RowCount(), 7);
  EXPECT_EQ(Row(ntldr).name, L"Earlier Version of Windows");
  // Clicking any other row leaves the group as it is.
  ClickRow(RowNamed(L"Windows 7"));
  EXPECT_EQ(RowCount(), 7);
}

TEST_F(OsListPageTest, ButtonsFollowTheSelectedRow) {
  OsListPage& page = OpenPage();
  const int buttons[] = {IDC_OSLIST_SET_DEFAULT, IDC_OSLIST_MODIFY,    IDC_OSLIST_COPY,
                         IDC_OSLIST_MOVE_UP,     IDC_OSLIST_MOVE_DOWN, IDC_OSLIST_DELETE};
  auto states = [&] {
    std::string out;
    for (int id : buttons) out += ButtonEnabled(id) ? '1' : '0';
    return out;
  };
  EXPECT_EQ(states(), "000000") << "nothing selected at start";
  EXPECT_FALSE(ButtonShown(IDC_OSLIST_RELOAD_STORE)) << "no store file is loaded";
  EXPECT_TRUE(ButtonShown(IDC_OSLIST_MOVE_UP) && ButtonShown(IDC_OSLIST_DELETE));
  EXPECT_FALSE(ButtonEnabled(IDC_OSLIST_SAVE_ORDER));

  ClickRow(RowNamed(L"Earlier Version of Windows"));  // opens the boot.ini lines
  struct Case {
    const wchar_t* row;
    const char* states;  // default, modify, copy, up, down, delete
  } cases[] = {
      {L"Windows Boot Manager", "010000"},  // the boot manager's record, no menu entry
      {L"Windows 10", "011011"},            // the default, first in the menu
      {L"Windows 7", "111111"},
      {L"GRUB", "111101"},                  // never below a boot.ini line
      {L"Microsoft Windows XP Professional", "110011"},  // never above a store entry
      {L"Microsoft Windows Recovery Console", "110101"},
  };
  for (const Case& c : cases) {
    SelectRow(RowNamed(c.row));
    EXPECT_EQ(states(), c.states) << c.row;
    // The row menu offers the same.
    HMENU menu = page.RowMenu();
    for (int id : buttons)
      EXPECT_EQ(!(GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED), ButtonEnabled(id)) << c.row << " " << id;
  }
  AppSettings.enableDelMode = 0;
  page.Refresh(1);
  EXPECT_FALSE(ButtonEnabled(IDC_OSLIST_DELETE));
}

TEST_F(OsListPageTest, RebuildingTheRowsForgetsSelectionAndUnsavedRemovals) {
  OsListPage& page = OpenPage();
  int windows7 = page.List().IndexOf(demo::kWindows7);
  SelectRow(RowNamed(L"Windows 7"));
  ASSERT_TRUE(ButtonEnabled(IDC_OSLIST_DELETE));
  // A removal as sort-and-delete mode leaves it: hidden, marked, not saved.
  page.List().entries[windows7].removed = 1;
  page.List().entries[windows7].deleteMark = 1;
  page.FillList();
  EXPECT_EQ(RowNamed(L"Windows 7"), -1);
  EXPECT_FALSE(page.HasSelection());
  EXPECT_EQ(page.SelectedEntry(), -1);
  EXPECT_FALSE(ButtonEnabled(IDC_OSLIST_DELETE)) << "nothing is selected any more";

  ChooseMenuCommand(ID_OSLIST_RELOAD_LIST);
  EXPECT_NE(RowNamed(L"Windows 7"), -1) << "reloading the list discards the removal";
  EXPECT_EQ(page.List().entries[windows7].removed, 0);
  EXPECT_EQ(page.List().entries[windows7].deleteMark, 0);
  EXPECT_TRUE(Journal().empty());
}

TEST_F(OsListPageTest, WithoutNtldrInTheStoreTheLinesHangBelowAGroupRow) {
  ASSERT_TRUE(RunTool(L"bcdedit", L"/delete {ntldr} /f").started);
  OsListPage& page = OpenPage();
  ASSERT_EQ(RowCount(), 7);
  std::wstring group = L"NTLDR + " + std::wstring(AppSettings.bootIniPath);
  CharUpperW(group.data());
  EXPECT_EQ(Row(6).name, group);
  EXPECT_EQ(Row(6).data, -2);
  EXPECT_EQ(Row(6).stateImage, art::kImageGroupCollapsed);

  ClickRow(6);
  ASSERT_EQ(RowCount(), 10);
  EXPECT_EQ(Row(6).stateImage, art::kImageGroupExpanded);
  EXPECT_EQ(Row(7).stateImage, art::kImageBootIniLine) << "a line of a group row";
  EXPECT_EQ(Row(7).nameImage, kNone);
  // The group row is no entry: nothing to do with it.
  SelectRow(6);
  for (int id : {IDC_OSLIST_SET_DEFAULT, IDC_OSLIST_MODIFY, IDC_OSLIST_COPY, IDC_OSLIST_DELETE, IDC_OSLIST_MOVE_UP})
    EXPECT_FALSE(ButtonEnabled(id)) << id;
  DoubleClickRow(6);
  EXPECT_TRUE(seams.script.prompts.empty());
  EXPECT_TRUE(Journal().empty());
}

TEST_F(OsListPageTest, StoreLabelNamesTheStoreInUse) {
  OsListPage& page = OpenPage();
  EXPECT_EQ(ControlText(page.Handle(), IDC_OSLIST_STORE_LABEL), L"System BCD");
  struct Case {
    const wchar_t* file;
    const wchar_t* label;
    bool reloadShown;
  } cases[] = {
      {L"C:\\x\\BCD", L"C:\\x\\BCD", true},  // short paths whole
      {L"C:\\Backups\\2024_01_01.BCD", L"2024_01_01.BCD", true},
      {L"", L"System BCD", false},
  };
  for (const Case& c : cases) {
    Runner().storeFile = c.file;
    page.UpdateStoreLabel(false);
    EXPECT_EQ(ControlText(page.Handle(), IDC_OSLIST_STORE_LABEL), c.label);
    EXPECT_EQ(ButtonShown(IDC_OSLIST_RELOAD_STORE), c.reloadShown) << c.file;
  }
}

TEST_F(OsListPageTest, ALanguageChangeRedoesTheTextsAndTheRowMenu) {
  OsListPage& page = OpenPage();
  auto menuText = [&](UINT id) {
    wchar_t text[128] = {};
    GetMenuStringW(page.RowMenu(), id, text, 128, MF_BYCOMMAND);
    return std::wstring(text);
  };
  EXPECT_EQ(menuText(IDC_OSLIST_SAVE_ORDER), L"&Save Sort && Delete");
  EXPECT_EQ(ControlText(page.Handle(), IDC_OSLIST_SAVE_ORDER), L"&Save Sort && Delete");

  AppSettings.languageFile = BuildFile(L"Language\\407.ini");
  page.Relocalize();
  EXPECT_EQ(menuText(IDC_OSLIST_SAVE_ORDER), L"&Sortierung && L\u00f6schen speichern");
  EXPECT_EQ(ControlText(page.Handle(), IDC_OSLIST_SAVE_ORDER), L"&Sortierung && L\u00f6schen speichern");
  EXPECT_EQ(ControlText(page.Handle(), IDC_OSLIST_STORE_LABEL), L"System-BCD");
  EXPECT_EQ(RowCount(), 7) << "the rows stay";
}

TEST_F(OsListPageTest, AGermanListingGivesTheSameRowsAndMarkers) {
  // The running system is not the default here, so both markers show.
  ASSERT_TRUE(RunTool(L"bcdedit", std::wstring(L"/default ") + demo::kWindows7).started);
  auto rowsIn = [&](const wchar_t* language) {
    ScopedEnvironment listing(L"VEXA_STANDIN_LANGUAGE", language);
    OpenPage();
    ClickRow(RowNamed(L"Earlier Version of Windows"));
    EXPECT_EQ(Page().List().currentOs.identifier, demo::kWindows10) << language;
    return Rows();
  };
  std::vector<ListRow> english = rowsIn(L""), german = rowsIn(L"de");
  ASSERT_EQ(german.size(), english.size());
  ASSERT_EQ(english.size(), 10u);
  for (size_t i = 0; i < english.size(); ++i) {
    SCOPED_TRACE(english[i].name);
    EXPECT_EQ(german[i].name, english[i].name);
    EXPECT_EQ(german[i].marker, english[i].marker);
    EXPECT_EQ(german[i].markerImage, english[i].markerImage);
    EXPECT_EQ(german[i].nameImage, english[i].nameImage);
    EXPECT_EQ(german[i].data, english[i].data) << "no entry is read twice";
  }
  EXPECT_EQ(german[RowNamed(L"Windows 10")].marker, L"{current}");
  EXPECT_EQ(german[RowNamed(L"Windows 7")].marker, L"{default}");
}
