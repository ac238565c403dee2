// The system store's pending one-time start: marked on its row, named in the tray tip, cancelled
// from the row menu, and taken back when the restart it was armed for does not come.
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "oslist/OsListPage.h"
#include "store/BcdEditRunner.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Seams.h"

std::vector<std::wstring> BootSequenceOf(const BootEntry& manager) {
  std::vector<std::wstring> sequence;
  auto found = manager.elements.find(L"bootsequence");
  if (found == manager.elements.end()) return sequence;
  const std::wstring& value = found->second;
  for (size_t start = 0; start <= value.size();) {
    size_t end = value.find(L'\n', start);
    if (end == std::wstring::npos) end = value.size();
    std::wstring identifier = base::TrimText(value.substr(start, end - start));
    if (!identifier.empty()) sequence.push_back(identifier);
    start = end + 1;
  }
  return sequence;
}

bool ManagerRead(const StoreRead& read, const BootEntry& manager) {
  return !read.failed && base::FindNoCase(manager.rawText, kBootMgrGuid) != std::wstring::npos;
}

std::wstring OsListPage::NextStartId() const {
  // A store file has no next boot; its sequence starts nothing.
  if (!Runner().storeFile.empty() || !AppSettings.bcdSystem) return {};
  std::vector<std::wstring> sequence = BootSequenceOf(list_.bootManager);
  return sequence.empty() ? std::wstring() : sequence.front();
}

std::wstring OsListPage::OneTimeStart() const {
  std::wstring next = NextStartId();
  if (next.empty()) return {};
  int index = list_.IndexOf(next);
  return base::Format(GetText(IDS_TIP_STARTS_ONCE), IsEntryIndex(index) ? list_.entries[index].description : next);
}

bool OsListPage::CanCancelOneTimeStart() const { return AppSettings.toolsAvailable && !NextStartId().empty(); }

void OsListPage::CancelOneTimeStart() {
  if (!CanCancelOneTimeStart()) return;
  int index = list_.IndexOf(NextStartId());
  const std::wstring name = IsEntryIndex(index) ? list_.entries[index].description : NextStartId();
  if (win::Prompt(Handle(), base::Format(GetText(IDS_ASK_CANCEL_ONCE), name), AppSettings.appTitle,
                  MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  // Cancelled by hand, nothing is to come back should an armed restart not come.
  armedRestart_.Disarm(Handle());
  ToolResult result = RestoreBootSequence({});
  StoreRead read = list_.LoadBootManager();
  ShowOneTimeStart();
  // The tool may fail because another program deleted the value first: the store decides.
  if (ManagerRead(read, list_.bootManager) && BootSequenceOf(list_.bootManager).empty()) return;
  win::Prompt(Handle(), base::Format(GetText(IDS_START_ONCE_NOT_CANCELLED), name, ResultText(result, L"bcdedit.exe")),
              AppSettings.appTitle, MB_OK | MB_ICONERROR);
}

void OsListPage::ShowOneTimeStart() {
  RedrawStoreRows();
  TellOneTimeStart();
}

void OsListPage::TellOneTimeStart() const {
  if (context_.mainWindow) SendMessageW(context_.mainWindow, kOneTimeStartMessage, 0, 0);
}

void OsListPage::TakeBackMissedRestart(const ArmedRestart::Missed& missed) {
  std::wstring toolText;
  bool putBack = PutBackBootSequence(missed.earlier, toolText);
  win::Prompt(Handle(), ArmedRestart::MissedText(missed, putBack, toolText), AppSettings.appTitle,
              MB_OK | (putBack ? MB_ICONWARNING : MB_ICONERROR));
}

void OsListPage::OnSessionNotice(SessionNotice notice) {
  if (auto missed = armedRestart_.Notice(Handle(), notice)) TakeBackMissedRestart(*missed);
}

INT_PTR OsListPage::OnTimer(WPARAM wParam, LPARAM) {
  if (auto missed = armedRestart_.Expire(Handle(), wParam)) TakeBackMissedRestart(*missed);
  return 0;
}
