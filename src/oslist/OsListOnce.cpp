// Restarting into an entry for the next boot only, and saving this run's changes as a script.
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "oslist/OsListPage.h"
#include "store/RestartComputer.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Seams.h"

namespace {

bool Names(const std::vector<std::wstring>& sequence, const std::wstring& identifier) {
  for (const std::wstring& item : sequence) {
    if (base::EqualsNoCase(item, identifier)) return true;
  }
  return false;
}

bool SameSequence(const std::vector<std::wstring>& a, const std::vector<std::wstring>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (!base::EqualsNoCase(a[i], b[i])) return false;
  }
  return true;
}

}  // namespace

bool OsListPage::CanRestartIntoOnce() const {
  return hasSelection_ && IsEntryIndex(selectedEntry_) && list_.entries[selectedEntry_].sourceKind == kSourceStore &&
         AppSettings.toolsAvailable && AppSettings.bcdSystem && Runner().storeFile.empty();
}

bool OsListPage::PutBackBootSequence(const std::vector<std::wstring>& earlier, std::wstring& toolText) {
  ToolResult result = RestoreBootSequence(earlier);
  toolText = result.text;
  // Read without a word to the user: each road that puts a sequence back says what failed.
  StoreRead read = list_.LoadBootManager();
  ShowOneTimeStart();
  // The tool may say it failed because there was nothing left to delete: the store decides.
  return ManagerRead(read, list_.bootManager) && SameSequence(BootSequenceOf(list_.bootManager), earlier);
}

void OsListPage::RestartIntoOnce() {
  if (!CanRestartIntoOnce()) return;
  // The restart would lose unsaved moves and removals; saving them may rebuild the list.
  if (!SettleUnsavedOrder() || !CanRestartIntoOnce()) return;
  const BootEntry entry = list_.entries[selectedEntry_];

  // What the boot manager was to start once before (ours or another program's) is what the store
  // gets back when no restart follows.
  StoreRead before = list_.LoadBootManager();
  if (!ManagerRead(before, list_.bootManager)) {
    std::wstring said = before.failed ? ResultText(*before.failed, L"bcdedit.exe") : list_.bootManager.rawText;
    win::Prompt(Handle(), base::Format(GetText(IDS_START_ONCE_FAILED), entry.description, said),
                AppSettings.appTitle, MB_OK | MB_ICONERROR);
    return;
  }
  const std::vector<std::wstring> earlier = BootSequenceOf(list_.bootManager);

  Runner().lastRefusal = Refusal::kNone;
  ToolResult set = SetBootSequence(entry.identifier);
  // A safety net that could not be made has told the user already, and nothing was sent.
  if (Runner().lastRefusal == Refusal::kNoSafetyNet) return;
  // The tool's words are translated on a localised Windows: its exit code and the boot manager
  // read back decide.
  StoreRead after = list_.LoadBootManager();
  std::wstring toolText;
  const bool readBack = ManagerRead(after, list_.bootManager);
  if (!set.Succeeded() || !readBack || !Names(BootSequenceOf(list_.bootManager), entry.identifier)) {
    std::wstring text = base::Format(GetText(IDS_START_ONCE_FAILED), entry.description, set.text);
    // Whatever the tool did change must not start at the next boot unseen.
    bool changed = set.Succeeded() || !readBack || !SameSequence(BootSequenceOf(list_.bootManager), earlier);
    if (changed && !PutBackBootSequence(earlier, toolText))
      text += L"\n\n" + base::Format(GetText(IDS_START_ONCE_NOT_CANCELLED), entry.description, toolText);
    win::Prompt(Handle(), text, AppSettings.appTitle, MB_OK | MB_ICONERROR);
    return;
  }
  ShowOneTimeStart();
  std::wstring question = base::Format(GetText(IDS_STARTS_ONCE), entry.description) + GetText(IDS_ASK_RESTART_INTO_OS);
  bool yes = win::Prompt(Handle(), question, GetText(IDS_CONFIRM_RESTART_CAPTION), MB_YESNO | MB_ICONQUESTION) == IDYES;
  if (yes && RestartComputer(false)) {
    // Windows has only begun the restart; until the session ends it may still be cancelled.
    armedRestart_.Arm(Handle(), earlier, entry.description);
    return;
  }
  // Not now, or the restart did not happen: left in place, the entry would start at whatever boot
  // comes next.
  bool putBack = PutBackBootSequence(earlier, toolText);
  std::wstring outcome = putBack ? base::Format(GetText(IDS_START_ONCE_TAKEN_BACK), entry.description)
                                 : base::Format(GetText(IDS_START_ONCE_NOT_CANCELLED), entry.description, toolText);
  // After No, a sequence put back as it was needs no word.
  if (yes)
    win::Prompt(Handle(), GetText(IDS_RESTART_FAILED) + L"\n\n" + outcome, AppSettings.appTitle, MB_OK | MB_ICONERROR);
  else if (!putBack)
    win::Prompt(Handle(), outcome, AppSettings.appTitle, MB_OK | MB_ICONERROR);
}

void OsListPage::SaveChangesAsScript() {
  if (Runner().changes.done.empty()) return;
  // Asked before a file is chosen: there is nothing to choose one for.
  if (!ChangeScriptBytes(list_.currentOs.identifier)) {
    win::Prompt(Handle(), GetText(IDS_SCRIPT_NEEDS_WINDOWS_10), AppSettings.appTitle, MB_OK | MB_ICONERROR);
    return;
  }
  win::FileDialogRequest request;
  request.save = true;
  request.title = GetText(IDS_SAVE_SCRIPT_TITLE);
  request.filter = GetText(IDS_FILTER_SCRIPTS) + L"(*.cmd)|*.cmd|" + GetText(IDS_FILTER_ALL_FILES) + L"(*.*)|*.*";
  request.defaultExtension = L"cmd";
  request.initialDirectory = Runner().ProgramDir();
  request.fileName = L"vexa-changes.cmd";
  request.confirmOverwrite = true;
  std::optional<std::wstring> path = win::ChooseFile(Handle(), request);
  if (!path) return;
  if (SaveChangeScript(*path, list_.currentOs.identifier))
    Inform(base::Format(GetText(IDS_SCRIPT_SAVED), *path));
  else
    win::Prompt(Handle(), base::Format(GetText(IDS_SCRIPT_NOT_SAVED), *path), AppSettings.appTitle,
                MB_OK | MB_ICONERROR);
}

INT_PTR OsListPage::OnRestartOnce(WPARAM, LPARAM) {
  RestartIntoOnce();
  return TRUE;
}

INT_PTR OsListPage::OnSaveScript(WPARAM, LPARAM) {
  SaveChangesAsScript();
  return TRUE;
}
