// Restarting into an entry for the next boot only, and saving this run's changes as a script.
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "oslist/OsListPage.h"
#include "oslist/RestartComputer.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Seams.h"

namespace {

// True when the boot manager's one-time sequence, as the list read it last, names identifier.
bool InBootSequence(const BootEntry& manager, const std::wstring& identifier) {
  auto found = manager.elements.find(L"bootsequence");
  if (found == manager.elements.end()) return false;
  const std::wstring& value = found->second;
  for (size_t start = 0; start <= value.size();) {
    size_t end = value.find(L'\n', start);
    if (end == std::wstring::npos) end = value.size();
    if (SameText(base::TrimText(value.substr(start, end - start)), identifier)) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

bool OsListPage::CanRestartIntoOnce() const {
  return hasSelection_ && IsEntryIndex(selectedEntry_) && list_.entries[selectedEntry_].sourceKind == kSourceStore &&
         AppSettings.toolsAvailable && AppSettings.bcdSystem && Runner().storeFile.empty();
}

void OsListPage::RestartIntoOnce() {
  if (!CanRestartIntoOnce()) return;
  // The restart would lose unsaved moves and removals; saving them may rebuild the list.
  if (!SettleUnsavedOrder() || !CanRestartIntoOnce()) return;
  const BootEntry entry = list_.entries[selectedEntry_];

  Runner().lastRefusal = Refusal::kNone;
  ToolResult set = SetBootSequence(entry.identifier);
  // A safety net that could not be made has told the user already, and nothing was sent.
  if (Runner().lastRefusal == Refusal::kNoSafetyNet) return;
  // The tool's words are translated on a localised Windows: its exit code and the boot manager
  // read back decide.
  list_.LoadBootManager();
  if (!set.Succeeded() || !InBootSequence(list_.bootManager, entry.identifier)) {
    win::Prompt(Handle(), base::Format(GetText(IDS_START_ONCE_FAILED), entry.description, set.text),
                AppSettings.appTitle, MB_OK | MB_ICONERROR);
    return;
  }
  std::wstring question = base::Format(GetText(IDS_STARTS_ONCE), entry.description) + GetText(IDS_ASK_RESTART_INTO_OS);
  if (win::Prompt(Handle(), question, GetText(IDS_CONFIRM_RESTART_CAPTION), MB_YESNO | MB_ICONQUESTION) == IDYES) {
    RestartComputer(false);
    return;
  }
  // Not now: left in place, the entry would start at whatever boot comes next.
  ToolResult removed = RemoveBootSequence(entry.identifier);
  list_.LoadBootManager();
  if (!removed.Succeeded() || InBootSequence(list_.bootManager, entry.identifier)) {
    win::Prompt(Handle(), base::Format(GetText(IDS_START_ONCE_NOT_CANCELLED), entry.description, removed.text),
                AppSettings.appTitle, MB_OK | MB_ICONERROR);
  }
}

void OsListPage::SaveChangesAsScript() {
  if (Runner().changes.done.empty()) return;
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
