// What the OS list page tests share: a Windows 10 machine booting the demo store with NTLDR and a
// boot.ini on it, the page made in a host window as the main window makes it, and reading and
// driving its rows and buttons.
//
//   TEST_F(OsListPageTest, Thing) {
//     OsListPage& page = OpenPage();
//     EXPECT_EQ(RowTexts()[1], L"Windows 10");
//     SelectRow(RowNamed(L"Windows 7"));
//     EXPECT_TRUE(ButtonEnabled(IDC_OSLIST_SET_DEFAULT));
//     Click(IDC_OSLIST_SET_DEFAULT);  // then seams.script.prompts, TakeJournal(), page.List()
//   }
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "StoreSandbox.h"
#include "WindowTest.h"
#include "art.h"
#include "controls/ButtonPresets.h"
#include "win/Dpi.h"
#include "oslist/OsListPage.h"
#include "resource.h"
#include "win/Controls.h"

namespace testing_support {

// boot.ini as the demo machine carries it: three menu lines.
inline constexpr char kDemoBootIni[] =
    "[boot loader]\r\n"
    "timeout=30\r\n"
    "default=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
    "[operating systems]\r\n"
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" /fastdetect\r\n"
    "multi(0)disk(0)rdisk(0)partition(2)\\WINDOWS=\"Microsoft Windows Server 2003, Enterprise\" /fastdetect\r\n"
    "C:\\CMDCONS\\BOOTSECT.DAT=\"Microsoft Windows Recovery Console\" /cmdcons\r\n";

inline constexpr wchar_t kXpPath[] = L"multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS";

// One row as the list shows it; images are indexes of the shared image list, -1 for none.
struct ListRow {
  std::wstring name;    // column 1
  std::wstring kind;    // column 2
  std::wstring marker;  // column 3
  int stateImage = -1;  // column 0
  int nameImage = -1;
  int markerImage = -1;
  LPARAM data = 0;  // the entry index; -1 the boot manager, -2 the legacy group
};

class OsListPageTest : public ::testing::Test, protected StoreSandbox {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SeedDemo());
    AppSettings.appTitle = L"Vexa";
    AppSettings.languageFile.clear();
    AppSettings.languageCode = L"409";
    AppSettings.osClass = 10;
    AppSettings.currentSystemName = L"Windows 10 Pro";
    AppSettings.enableDelMode = 1;
    AppSettings.autoReBoot = 0;
    AppSettings.bcdTimeout = -1;
    ASSERT_TRUE(PlaceBootIni(kDemoBootIni));
    ASSERT_TRUE(PlaceFile(L"C:\\ntldr", "NTLDR"));
    ASSERT_TRUE(PlaceDemoMachine());
  }

  void TearDown() override {
    page_.reset();
    if (host_) DestroyWindow(host_);
    if (images_) ImageList_Destroy(images_);
  }

  // The page in a host window, its list read from the store; the journal starts empty afterwards.
  // Opening it again starts over with a new page.
  OsListPage& OpenPage() {
    page_.reset();
    if (host_) DestroyWindow(host_);
    if (!images_) images_ = MakeButtonImages(win::SystemDpi());
    host_ = CreateWindowExW(0, L"STATIC", L"Vexa host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    page_ = std::make_unique<OsListPage>(PageContext{images_, nullptr, nullptr, host_, entryDialogOpener});
    HWND window = page_->CreateModeless(host_);
    EXPECT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    PumpMessages();
    ClearJournal();
    return *page_;
  }

  OsListPage& Page() { return *page_; }
  HIMAGELIST Images() const { return images_; }
  HWND List() const { return GetDlgItem(page_->Handle(), IDC_OSLIST_LIST); }
  int RowCount() const { return ListView_GetItemCount(List()); }

  ListRow Row(int row) const {
    win::ListView list(List());
    ListRow out;
    out.name = list.Cell(row, 1);
    out.kind = list.Cell(row, 2);
    out.marker = list.Cell(row, 3);
    out.stateImage = CellImage(row, 0);
    out.nameImage = CellImage(row, 1);
    out.markerImage = CellImage(row, 3);
    out.data = list.Data(row);
    return out;
  }
  std::vector<ListRow> Rows() const {
    std::vector<ListRow> rows;
    for (int row = 0; row < RowCount(); ++row) rows.push_back(Row(row));
    return rows;
  }
  // Column 1 of every row, top to bottom.
  std::vector<std::wstring> RowTexts() const {
    std::vector<std::wstring> texts;
    for (int row = 0; row < RowCount(); ++row) texts.push_back(win::ListView(List()).Cell(row, 1));
    return texts;
  }
  // The first row whose name is name, or -1.
  int RowNamed(const std::wstring& name) const {
    std::vector<std::wstring> texts = RowTexts();
    for (size_t row = 0; row < texts.size(); ++row) {
      if (texts[row] == name) return static_cast<int>(row);
    }
    return -1;
  }

  // Selects a row as the user's click would (the page hears the selection change); -1 selects none.
  void SelectRow(int row) {
    win::ListView(List()).Select(row);
    PumpMessages();
  }
  // A single click on a row: selection, then the click notification.
  void ClickRow(int row) {
    SelectRow(row);
    SendListNotification(NM_CLICK, row);
  }
  void DoubleClickRow(int row) {
    SelectRow(row);
    SendListNotification(NM_DBLCLK, row);
  }
  // The row menu's command, as choosing it sends it.
  void ChooseMenuCommand(int id) {
    SendMessageW(page_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    PumpMessages();
  }

  bool ButtonEnabled(int id) const { return IsWindowEnabled(GetDlgItem(page_->Handle(), id)) != FALSE; }
  bool ButtonShown(int id) const { return IsWindowVisible(GetDlgItem(page_->Handle(), id)) != FALSE; }
  void Click(int id) { ClickControl(page_->Handle(), id); }

  // The texts of the prompts asked so far.
  std::vector<std::wstring> PromptTexts() const {
    std::vector<std::wstring> texts;
    for (const auto& call : seams.script.prompts) texts.push_back(call.text);
    return texts;
  }
  void Answer(std::initializer_list<int> answers) {
    for (int answer : answers) seams.script.promptAnswers.push_back(answer);
  }

  // What the page's Modify opens; set before OpenPage (none: Modify opens nothing).
  EntryDialogOpener entryDialogOpener = nullptr;

  std::string BootIniText() const { return ReadFileBytes(AppSettings.bootIniPath); }

  // What the stand-in received since the last look, each line without the tool's path.
  std::vector<std::wstring> TakeArguments() const {
    std::vector<std::wstring> arguments;
    for (const std::wstring& line : TakeJournal()) arguments.push_back(ArgumentsOf(line));
    return arguments;
  }
  // The boot manager's default as the store (or storeFile) holds it now, read past the journal.
  std::wstring StoreDefault(const std::wstring& storeFile = L"") const {
    std::wstring store = storeFile.empty() ? L"" : L"/store \"" + storeFile + L"\" ";
    std::string listing = RunTool(L"bcdedit", store + L"/enum {bootmgr} /v").output;
    size_t at = listing.find("\ndefault ");
    if (at == std::string::npos) return L"";
    size_t start = listing.find('{', at), end = listing.find('}', at);
    if (start == std::string::npos || end == std::string::npos) return L"";
    return std::wstring(listing.begin() + start, listing.begin() + end + 1);
  }

 private:
  int CellImage(int row, int column) const {
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    return ListView_GetItem(List(), &item) ? item.iImage : -1;
  }

  void SendListNotification(UINT code, int row) {
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = List();
    click.hdr.idFrom = IDC_OSLIST_LIST;
    click.hdr.code = code;
    click.iItem = row;
    SendMessageW(page_->Handle(), WM_NOTIFY, IDC_OSLIST_LIST, reinterpret_cast<LPARAM>(&click));
    PumpMessages();
  }

  HIMAGELIST images_ = nullptr;
  HWND host_ = nullptr;
  std::unique_ptr<OsListPage> page_;
};

}  // namespace testing_support
