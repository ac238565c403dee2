// Every road of the OS list page that changes the store, against a safety net whose copy fails:
// the change is told as not done, nothing is sent after the copy, boot.ini stays as it was.
#include "OsListTestSupport.h"
#include "app/Application.h"
#include "core/ChangeScript.h"

using namespace testing_support;
using SafetyNetRoads = OsListPageTest;

TEST_F(SafetyNetRoads, ARefusedChangeIsToldAsNotDoneAndLeavesBootIniAsItWas) {
  // Rows clicked or boxes typed ("=text"), each followed by its button (0: none).
  const std::vector<std::pair<const wchar_t*, int>> roads[] = {
      {{L"Windows 7", IDC_OSLIST_SET_DEFAULT}},
      {{L"=7", IDC_OSLIST_BCD_TIMEOUT}, {L"=9", IDC_OSLIST_BOOTINI_TIMEOUT}, {nullptr, IDC_OSLIST_APPLY}},
      {{L"Earlier Version of Windows", 0}, {L"Microsoft Windows Recovery Console", IDC_OSLIST_MOVE_UP},
       {L"Windows 7", IDC_OSLIST_MOVE_UP}, {nullptr, IDC_OSLIST_SAVE_ORDER}},
  };
  const std::wstring tool = ToolDir() + L"bcdedit.exe", faithful = folder.File(L"faithful-bcdedit.exe");
  ASSERT_TRUE(CopyFileW(tool.c_str(), faithful.c_str(), FALSE));
  // The tool answers /export as scripted (an error, or exit code 0 and no file); every other run
  // is the faithful stand-in's.
  ScopedEnvironment onlyWhen(L"VEXA_SCRIPTED_ONLY_WHEN", L"/export"), otherwise(L"VEXA_SCRIPTED_OTHERWISE", faithful),
      output(L"VEXA_SCRIPTED_OUTPUT", folder.File(L"answer.bin"));
  for (const auto& road : roads) {
    for (const auto& [text, exitCode] : {std::pair<const char*, const wchar_t*>{"Access is denied.\r\n", L"1"}, {"", L"0"}}) {
      SCOPED_TRACE(testing::Message() << "road " << (&road - roads) << ", the export's exit code " << exitCode);
      ASSERT_TRUE(SeedDemo() && PlaceBootIni(kDemoBootIni) && CopyFileW(faithful.c_str(), tool.c_str(), FALSE));
      Runner().changes = RunChanges{};
      Runner().changes.safetyNet = true;
      Runner().changes.askChangeWithoutCopy = AskChangeWithoutCopy;
      OpenPage();
      seams.script.prompts.clear();
      // Yes to the set-default question; the copy's offer gets its default button.
      if (road.back().second == IDC_OSLIST_SET_DEFAULT) seams.script.promptAnswers = {IDYES};
      ASSERT_TRUE(CopyFileW(BuildFile(L"testtools\\scripted_tool.exe").c_str(), tool.c_str(), FALSE) &&
                  folder.WriteText(L"answer.bin", text));
      ScopedEnvironment code(L"VEXA_SCRIPTED_EXIT", exitCode);
      for (const auto& [what, id] : road) {
        if (what && what[0] == L'=') SetDlgItemTextW(Page().Handle(), id, what + 1);
        else if (what) ClickRow(RowNamed(what));
        if (id && (!what || what[0] != L'=')) Click(id);
      }

      // The faithful tool is started from another path here: the arguments follow its ".exe".
      for (const std::wstring& line : TakeJournal())
        EXPECT_EQ(KindOfCommand(line.substr(line.find(L".exe\" ") + 6)), CommandKind::kListing) << "sent";
      int offers = 0;
      for (const auto& prompt : seams.script.prompts) {
        EXPECT_NE(prompt.flags & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION)) << "told as done";
        offers += prompt.flags == static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2);
      }
      EXPECT_EQ(offers, 1) << "the copy is offered once; the rest of the command is refused without a try";
      ASSERT_FALSE(seams.script.prompts.empty());
      EXPECT_EQ(seams.script.prompts.back().flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
      EXPECT_EQ(BootIniText(), kDemoBootIni);
    }
  }
}
