// The boot menu check on the demo machine with four faults made behind the program's back: each
// is named (and the healthy entries are not), its row carries the warning, and fixing the
// deleted entry that is still on the menu writes the menu without it and nothing else.
#include "OsListTestSupport.h"
#include "oslist/MenuCheckDialog.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

namespace {

// The identifier in the stand-in's answer to /create.
std::wstring CreatedBy(const CapturedRun& run) {
  const std::string& out = run.output;
  size_t open = out.find('{'), close = out.find('}');
  return open == std::string::npos || close == std::string::npos ? L"" : std::wstring(out.begin() + open, out.begin() + close + 1);
}

std::wstring Clipboard() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) text = chars;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

}  // namespace

TEST_F(OsListPageTest, BootMenuCheckNamesEachFaultAndFixesTheDeletedEntryOnTheMenu) {
  const std::wstring ghost = CreatedBy(RunTool(L"bcdedit", L"/create /d \"Ghost\" /application osloader"));
  RunTool(L"bcdedit", L"/displayorder " + ghost + L" /addlast");
  RunTool(L"bcdedit", L"/delete " + ghost + L" /nocleanup");
  const std::wstring leftBehind = CreatedBy(RunTool(L"bcdedit", L"/create /d \"Left behind\" /application osloader"));
  RunTool(L"bcdedit", L"/set " + leftBehind + L" device partition=D:");
  RunTool(L"bcdedit", L"/set " + leftBehind + L" path \\Windows\\system32\\winload.exe");
  RunTool(L"bcdedit", L"/set " + std::wstring(demo::kWindows7) + L" path \\Windows\\system32\\gone.exe");
  ASSERT_TRUE(RemoveFile(L"C:\\VHD\\Windows8.vhd"));

  OsListPage& page = OpenPage();
  const struct {
    const wchar_t* identifier;
    FindingKind kind;
    const wchar_t* row;  // the row carrying the warning
  } kExpected[] = {
      {ghost.c_str(), FindingKind::kReferenceMissing, L""},
      {demo::kWindows7, FindingKind::kFileMissing, L"Windows 7"},
      {demo::kWindows8Vhd, FindingKind::kFileMissing, L"Windows 8 (VHD)"},
      {leftBehind.c_str(), FindingKind::kNotOnMenu, nullptr},
  };
  const std::vector<Finding> findings = page.Findings();
  std::wstring said;
  for (const Finding& finding : findings) said += TextsOf(finding, page.List()).entry + L": " + TextsOf(finding, page.List()).what + L"\n";
  ASSERT_EQ(findings.size(), std::size(kExpected)) << testing::PrintToString(said);
  for (size_t i = 0; i < findings.size(); ++i) {
    EXPECT_EQ(findings[i].identifier, kExpected[i].identifier);
    EXPECT_EQ(findings[i].kind, kExpected[i].kind);
    if (kExpected[i].row) {
      EXPECT_EQ(Row(RowNamed(kExpected[i].row)).stateImage, art::kImageLoaderMissing);
    }
  }
  EXPECT_EQ(Row(RowNamed(L"Windows 10")).stateImage, art::kImageBcdEntry);
  EXPECT_EQ(Row(RowNamed(L"Windows PE")).stateImage, art::kImageBcdEntry);

  MenuCheckDialog dialog(page);
  HWND window = dialog.CreateModeless(page.Handle());
  ASSERT_NE(window, nullptr);
  win::ListView lines(GetDlgItem(window, IDC_MENU_CHECK_LIST));
  ASSERT_EQ(lines.Count(), 4);
  EXPECT_EQ(lines.Cell(0, 0), ghost);
  EXPECT_EQ(lines.Cell(2, 1), L"The file C:\\VHD\\Windows8.vhd does not exist.");
  EXPECT_EQ(lines.Cell(3, 2), L"Puts it back last on the menu.");

  ClickControl(window, IDC_MENU_CHECK_COPY);
  const std::wstring report = Clipboard();
  EXPECT_NE(report.find(L"Left behind " + leftBehind + L"\tA Windows loader that is on no menu."), std::wstring::npos)
      << report;

  // The ghost's line alone: one question naming the change, one /set with every other entry in
  // its place, the store read back.
  lines.Select(0);
  PumpMessages();
  Answer({IDYES});
  ClickControl(window, IDC_MENU_CHECK_FIX);
  ASSERT_EQ(PromptTexts().size(), 1u);
  EXPECT_NE(PromptTexts()[0].find(L"Writes the displayorder of Windows Boot Manager without it"), std::wstring::npos);
  std::vector<std::wstring> sent = TakeArguments();
  ASSERT_GE(sent.size(), 2u);
  EXPECT_EQ(sent[0], L" /set {9dea862c-5cdd-4e70-acc1-f32b344d4795} displayorder " + std::wstring(demo::kWindows10) +
                         L" " + demo::kWindows7 + L" " + demo::kWindowsPe + L" " + demo::kWindows8Vhd + L" " +
                         kNtldrGuid + L" " + demo::kGrub);
  EXPECT_EQ(sent[1], L" /enum all /v") << "read back";
  EXPECT_EQ(lines.Count(), 3);
  EXPECT_EQ(page.Findings().front().identifier, demo::kWindows7);
  DestroyWindow(window);
}
