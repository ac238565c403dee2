// Another store file, back to the system store, and copying an entry.
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "oslist/OsListPage.h"
#include "store/BcdEditRunner.h"
#include "store/FileRoutines.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Seams.h"
#include "win/WaitCursor.h"

namespace {

bool RunnerFailed(const std::wstring& output) {
  return output == kToolMissingText || output == kCreatePipeFailedText || output == kCreateProcessFailedText;
}

bool IsBracedIdentifier(const std::wstring& text) {
  return text.size() > 2 && text.front() == L'{' && text.back() == L'}';
}

}  // namespace

void OsListPage::BrowseStoreFile() {
  std::wstring programDir = Runner().ProgramDir();
  SetCurrentDirectoryW(programDir.c_str());
  win::FileDialogRequest request;
  request.title = GetText(IDS_BROWSE_STORE_FILE);
  request.filter = GetText(IDS_FILTER_BCD_BACKUPS) + L"(*.BCD;BCD)|*.BCD;BCD|" + GetText(IDS_FILTER_ALL_FILES) +
                   L"(*.*)|*.*";
  request.initialDirectory = programDir + L"Backup\\";
  std::optional<std::wstring> path = win::ChooseFile(Handle(), request);
  if (!path) return;
  if (!FileExists(*path)) {
    win::Prompt(Handle(), base::Format(GetText(IDS_FILE_MISSING), *path), AppSettings.appTitle, MB_OK);
    return;
  }
  SwitchStore(*path);
}

void OsListPage::ReloadSystemStore() {
  // Owned by the main window, the question stays above it and keeps it from being used meanwhile.
  HWND owner = context_.mainWindow ? context_.mainWindow : Handle();
  if (win::Prompt(owner, GetText(IDS_ASK_RELOAD_SYSTEM_STORE), AppSettings.appTitle, MB_YESNO | MB_ICONQUESTION) !=
      IDYES)
    return;
  SwitchStore(L"");
}

void OsListPage::SwitchStore(const std::wstring& path) {
  if (!SettleUnsavedOrder()) return;
  win::WaitCursor wait;
  Runner().storeFile = path;
  list_.Clear();
  // A file without a boot menu sends the list back to the system store on the way (with a word
  // to the user), so everything below reads the store actually in use.
  RefreshList(true);
  AppSettings.bcdTimeout = list_.bootManager.timeout;
  InitMenuSettings();
  InvalidateRect(Handle(), nullptr, TRUE);
  UpdateStoreLabel(false);
}

void OsListPage::CopyEntry() {
  if (!hasSelection_ || selectedEntry_ < 0 || selectedEntry_ >= static_cast<int>(list_.entries.size())) return;
  if (list_.entries[selectedEntry_].sourceKind != kSourceStore || !AppSettings.toolsAvailable) return;
  // The copy rebuilds the list, which would drop unsaved moves and removals.
  if (!SettleUnsavedOrder()) return;
  // Saving may have rebuilt the list: look the entry up again.
  if (!hasSelection_ || selectedEntry_ < 0 || selectedEntry_ >= static_cast<int>(list_.entries.size())) return;
  const std::wstring identifier = list_.entries[selectedEntry_].identifier;
  const std::wstring description = list_.entries[selectedEntry_].description;

  std::wstring output = CopyStoreEntry(identifier, description);
  if (Runner().lastRefusal == Refusal::kQuoteInValue) {
    win::Prompt(Handle(), base::Format(GetText(IDS_COPY_NAME_HAS_QUOTE), description), AppSettings.appTitle, MB_OK);
    return;
  }
  if (Runner().lastRefusal == Refusal::kUnprintable) {
    win::Prompt(Handle(), UnprintableNameText(description), AppSettings.appTitle, MB_OK);
    return;
  }
  if (RunnerFailed(output)) {
    win::Prompt(Handle(), kWriteStoreError, AppSettings.appTitle, MB_OK | MB_ICONERROR);
    return;
  }
  ReadBootManager();
  RefreshList(false);

  // The tool names the new object in its answer; the store must know it for the copy to count.
  std::wstring copy = CreatedIdentifier(output);
  bool copied = IsBracedIdentifier(copy) && !base::EqualsNoCase(copy, identifier);
  int copyIndex = copied ? list_.IndexOf(copy) : -1;
  if (copied && copyIndex < 0) {
    list_.scratch.Reset();
    list_.EnumerateOne(&list_.scratch, copy);
    copied = base::EqualsNoCase(list_.scratch.identifier, copy);
    list_.scratch.Reset();
  }
  if (copyIndex >= 0) SelectRow(RowOfEntry(copyIndex));
  // A tool that failed without a word must not leave the user with an empty box.
  std::wstring said = !copied && base::TrimText(output).empty() ? std::wstring(kWriteStoreError) : ShownToolText(output);
  win::Prompt(Handle(), said, AppSettings.appTitle, MB_OK | (copied ? MB_ICONINFORMATION : MB_ICONERROR));
}

bool OsListPage::SettleUnsavedOrder() { return ConfirmDiscardOrder(); }

INT_PTR OsListPage::OnBrowseStore(WPARAM, LPARAM) {
  BrowseStoreFile();
  return TRUE;
}

INT_PTR OsListPage::OnReloadStore(WPARAM, LPARAM) {
  ReloadSystemStore();
  return TRUE;
}

INT_PTR OsListPage::OnCopy(WPARAM, LPARAM) {
  CopyEntry();
  return TRUE;
}
