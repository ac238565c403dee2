// Restarting into an entry for the next boot only (the sequence set, the question, taken back on
// No, failures told) and the row menu's two new commands: when they are offered, and the script saved.
#include "OsListTestSupport.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "store/StoreCommands.h"
#include "texts.h"

using namespace testing_support;
namespace demo = testing_support::demo_store;

namespace {

class RestartOnce : public OsListPageTest {
 protected:
  // The boot manager's one-time sequence as the store holds it, read past the journal.
  std::wstring StoreBootSequence() const {
    std::string listing = RunTool(L"bcdedit", L"/enum {bootmgr} /v").output;
    size_t at = listing.find("\nbootsequence ");
    if (at == std::string::npos) return L"";
    return std::wstring(listing.begin() + listing.find('{', at), listing.begin() + listing.find('}', at) + 1);
  }
  bool MenuEnabled(UINT id) { return (GetMenuState(Page().RowMenu(), id, MF_BYCOMMAND) & MF_GRAYED) == 0; }
};

const std::wstring kSeven = demo::kWindows7;

}  // namespace

TEST_F(RestartOnce, YesRestartsIntoTheEntryOnceAndNoTakesTheSequenceBack) {
  OpenPage();
  SelectRow(RowNamed(L"Windows 7"));
  Answer({IDYES});
  ChooseMenuCommand(ID_OSLIST_RESTART_ONCE);
  EXPECT_EQ(TakeArguments(), (std::vector<std::wstring>{L" /enum all /v", L" /bootsequence " + kSeven,
                                                        L" /enum all /v"}));
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(seams.script.prompts[0].text,
            base::Format(GetText(IDS_STARTS_ONCE), L"Windows 7") + GetText(IDS_ASK_RESTART_INTO_OS));
  EXPECT_EQ(seams.script.restarts.size(), 1u);
  EXPECT_EQ(StoreBootSequence(), kSeven);
  EXPECT_EQ(StoreDefault(), demo::kWindows10) << "the default stays";

  Answer({IDNO});
  ChooseMenuCommand(ID_OSLIST_RESTART_ONCE);
  // The sequence the store had (the one the first Yes left) is what No puts back.
  EXPECT_EQ(TakeArguments(), (std::vector<std::wstring>{L" /enum all /v", L" /bootsequence " + kSeven,
                                                        L" /enum all /v", L" /bootsequence " + kSeven,
                                                        L" /enum all /v"}));
  EXPECT_EQ(seams.script.restarts.size(), 1u) << "no second restart";
  EXPECT_EQ(seams.script.prompts.size(), 2u) << "taking it back needs no word";
  EXPECT_EQ(StoreBootSequence(), kSeven);
}

// No, or a restart that does not happen, leaves the store's one-time sequence as it was before.
TEST_F(RestartOnce, NoOrARestartThatDoesNotHappenPutsBackTheEarlierSequence) {
  const std::wstring ten = demo::kWindows10, listing = L" /enum all /v";
  enum Restart { kRestarts, kRefused, kNoWpeutil };
  // earlier: the store starts Windows 10 once already.
  const struct { bool earlier; int answer; Restart restart; } cases[] = {{false, IDYES, kRestarts}, {true, IDYES, kRestarts}, {false, IDYES, kRefused}, {true, IDYES, kRefused},
               {true, IDYES, kNoWpeutil}, {false, IDNO, kRestarts},  {true, IDNO, kRestarts}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "earlier " << c.earlier << ", answer " << c.answer << ", restart " << c.restart);
    ASSERT_TRUE(SeedDemo());
    if (c.earlier) {
      ASSERT_EQ(RunTool(L"bcdedit", L"/bootsequence " + ten).exitCode, 0u);
    }
    seams.script = {};
    seams.script.restartSucceeds = c.restart != kRefused;
    AppSettings.winPeState = c.restart == kNoWpeutil ? 1 : 0;
    OpenPage();
    SelectRow(RowNamed(L"Windows 7"));
    Answer({c.answer});
    ChooseMenuCommand(ID_OSLIST_RESTART_ONCE);

    const bool restarted = c.answer == IDYES && c.restart == kRestarts;
    std::vector<std::wstring> sent = {listing, L" /bootsequence " + kSeven, listing};
    if (!restarted)
      sent.insert(sent.end(), {c.earlier ? L" /bootsequence " + ten : DeleteElementArgs(kBootMgrAlias, L" bootsequence "),
                               listing});
    EXPECT_EQ(TakeArguments(), sent);
    EXPECT_EQ(StoreBootSequence(), restarted ? kSeven : c.earlier ? ten : L"");
    std::vector<std::wstring> said = {base::Format(GetText(IDS_STARTS_ONCE), L"Windows 7") +
                                      GetText(IDS_ASK_RESTART_INTO_OS)};
    if (c.answer == IDYES && !restarted)
      said.push_back(GetText(IDS_RESTART_FAILED) + L"\n\n" +
                     base::Format(GetText(IDS_START_ONCE_TAKEN_BACK), L"Windows 7"));
    EXPECT_EQ(PromptTexts(), said);
  }
}

TEST_F(RestartOnce, AnEntryTheToolCannotStartIsAnErrorAndNoQuestion) {
  OpenPage();
  ASSERT_EQ(RunTool(L"bcdedit", L"/delete " + kSeven).exitCode, 0u);
  SelectRow(RowNamed(L"Windows 7"));
  ChooseMenuCommand(ID_OSLIST_RESTART_ONCE);
  ASSERT_EQ(seams.script.prompts.size(), 1u);
  EXPECT_EQ(seams.script.prompts[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_TRUE(seams.script.restarts.empty());
}

TEST_F(RestartOnce, TheRowMenuOffersItForSystemStoreEntriesAndTheScriptOnceThereAreChanges) {
  OsListPage& page = OpenPage();
  SelectRow(RowNamed(L"Windows 7"));
  EXPECT_TRUE(MenuEnabled(ID_OSLIST_RESTART_ONCE));
  EXPECT_FALSE(MenuEnabled(ID_OSLIST_SAVE_SCRIPT));
  Answer({IDYES});
  DoubleClickRow(RowNamed(L"Windows 7"));
  ASSERT_TRUE(MenuEnabled(ID_OSLIST_SAVE_SCRIPT));
  std::wstring script = folder.File(L"fleet.cmd");
  seams.script.fileAnswers.push_back(script);
  ChooseMenuCommand(ID_OSLIST_SAVE_SCRIPT);
  ASSERT_EQ(seams.script.fileDialogs.size(), 1u);
  EXPECT_TRUE(seams.script.fileDialogs[0].request.save && seams.script.fileDialogs[0].request.confirmOverwrite);
  EXPECT_NE(ReadFileBytes(script).find("\r\nbcdedit /default {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}\r\nif errorlevel 1 goto :stop\r\n"),
            std::string::npos);

  ClickRow(RowNamed(L"Earlier Version of Windows"));
  SelectRow(RowNamed(L"Microsoft Windows XP Professional"));
  EXPECT_FALSE(MenuEnabled(ID_OSLIST_RESTART_ONCE)) << "a boot.ini line";
  std::wstring file = folder.File(L"other.BCD");
  ASSERT_EQ(RunTool(L"bcdedit", L"/export \"" + file + L"\"").exitCode, 0u);
  page.SwitchStore(file);
  SelectRow(RowNamed(L"Windows 7"));
  EXPECT_FALSE(MenuEnabled(ID_OSLIST_RESTART_ONCE)) << "a store file";
  ClearJournal();
  ChooseMenuCommand(ID_OSLIST_RESTART_ONCE);
  EXPECT_TRUE(TakeJournal().empty());
}
