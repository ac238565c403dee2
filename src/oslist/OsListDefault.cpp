// Setting the default entry of the store or of boot.ini, and the restart offer.
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "oslist/OsListPage.h"
#include "store/RestartComputer.h"
#include "store/BcdEditRunner.h"
#include "store/BootIni.h"
#include "store/HiveView.h"
#include "store/RegistryRoutines.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Seams.h"

namespace {

constexpr UINT kQuestion = MB_YESNO | MB_ICONQUESTION;

}  // namespace

void OsListPage::Inform(const std::wstring& text) const {
  win::Prompt(Handle(), text, AppSettings.appTitle, MB_OK | MB_ICONINFORMATION);
}

HWND OsListPage::ApplicationWindow() const {
  return context_.mainWindow ? context_.mainWindow : GetAncestor(Handle(), GA_ROOT);
}

void OsListPage::SetDefault() {
  // The boot manager row and the legacy group row stand for no entry.
  if (!hasSelection_ || !IsEntryIndex(selectedEntry_)) return;
  int index = selectedEntry_;
  const BootEntry& entry = list_.entries[index];
  bool store = entry.sourceKind == kSourceStore;
  bool iniLine = entry.sourceKind == kSourceBootIni;
  if (!store && !iniLine) return;
  if (store && !AppSettings.toolsAvailable) return;

  const BootEntry& manager = list_.bootManager;
  bool alreadyDefault = (store && base::EqualsNoCase(entry.identifier, manager.defaultId)) ||
                        (iniLine && manager.defaultId == kNtldrGuid && entry.GetPath() == list_.iniDefault);
  if (alreadyDefault) {
    Inform(base::Format(GetText(IDS_ALREADY_DEFAULT), entry.description));
    return;
  }
  if (win::Prompt(Handle(), base::Format(GetText(IDS_ASK_SET_DEFAULT), entry.description),
                  GetText(IDS_CONFIRM_SET_DEFAULT_CAPTION), kQuestion) != IDYES)
    return;

  if (store)
    ApplyEntryCommand(L"default", index, true);
  else
    SetBootIniDefault(index);
  UpdateButtons();
}

// A boot.ini line becomes the default of boot.ini and, on a machine that starts through the boot
// manager, {ntldr} the default of the store, so the boot manager hands over to NTLDR first.
void OsListPage::SetBootIniDefault(int index) {
  // Copies: rebuilding the list below appends the boot.ini lines anew.
  const BootEntry line = list_.entries[index];
  bool managed = AppSettings.bcdSystem && AppSettings.toolsAvailable;
  bool storeChanged = false;
  bool storeDeclined = false;
  const std::wstring defaultBefore = list_.bootManager.defaultId;

  bool legacyNotDefault = !base::EqualsNoCase(list_.bootManager.defaultId, kNtldrGuid) || list_.ntldrIndex == -1;
  if (legacyNotDefault && managed) {
    storeDeclined = AppSettings.bcdNtldrAsk &&
                    win::Prompt(ApplicationWindow(), GetText(IDS_ASK_NTLDR_AS_DEFAULT), AppSettings.appTitle,
                                kQuestion) != IDYES;
    if (!storeDeclined) {
      bool incomplete = list_.registryMode == 1 ? HiveLegacyEntryMissing() : list_.LegacyEntryMissing() == 1;
      if (incomplete) SetUpLegacyLoader();
      if (list_.ntldrIndex == -1 &&
          win::Prompt(ApplicationWindow(), GetText(IDS_ASK_REGISTER_NTLDR), AppSettings.appTitle, kQuestion) ==
              IDYES) {
        list_.WriteOrder(L"addtolist", kNtldrGuid);
        legacyGroupShown_ = false;
        ReadBootManager();
        RefreshList(false);
        // The menu read back decides: the tool's answer is not parsed.
        if (list_.ntldrIndex == -1) {
          win::Prompt(Handle(), kWriteStoreError, AppSettings.appTitle, MB_OK | MB_ICONERROR);
          return;
        }
      }
      if (list_.ntldrIndex != -1) {
        std::wstring before = list_.bootManager.defaultId;
        if (!ApplyEntryCommand(L"default", list_.ntldrIndex, false)) return;
        storeChanged = !base::EqualsNoCase(before, list_.bootManager.defaultId);
      }
    }
  }

  if (line.GetPath() == list_.iniDefault) {
    // boot.ini already says so; what changed, if anything, is the store's side.
    if (storeChanged)
      SetDefaultDone(index, true);
    else
      Inform(base::Format(GetText(IDS_ALREADY_DEFAULT), line.description));
    return;
  }
  if (!BootIniSetDefault(list_, line)) {
    // The store handed over to NTLDR for this line's sake; without the line as boot.ini's default
    // that would only change what the machine boots into. It goes back as it was.
    if (storeChanged) {
      list_.WriteOrder(L"default", defaultBefore);
      ReadBootManager();
      RedrawStoreRows();
    }
    win::Prompt(Handle(), kBootIniWriteFailed, AppSettings.appTitle, MB_OK);
    return;
  }
  if (AppSettings.changeNtldrName && managed && !storeDeclined) {
    Runner().lastRefusal = Refusal::kNone;
    const bool renamed = !RenameLegacyLoader(line.description).empty();
    if (!renamed && Runner().lastRefusal == Refusal::kQuoteInValue) {
      win::Prompt(Handle(),
                  base::Format(GetText(IDS_NTLDR_NAME_KEPT), line.description),
                  AppSettings.appTitle, MB_OK | MB_ICONWARNING);
    } else if (!renamed && Runner().lastRefusal == Refusal::kUnprintable) {
      win::Prompt(Handle(), UnprintableNameText(line.description), AppSettings.appTitle, MB_OK | MB_ICONWARNING);
    } else {
      RereadLegacyLoaderName();
    }
  }
  // The list shows the new markers before the result is told.
  ReadBootManager();
  RefreshList(false);
  SelectRow(RowOfEntry(BootIniLineIndex(line.rawText)));
  SetDefaultDone(index, true);
}

void OsListPage::RereadLegacyLoaderName() {
  int index = list_.IndexOf(kNtldrGuid);
  if (index < 0) return;
  BootEntry fresh;
  list_.EnumerateOne(&fresh, kNtldrGuid);
  if (!fresh.identifier.empty()) list_.entries[index].description = fresh.description;
}

int OsListPage::BootIniLineIndex(const std::wstring& rawText) const {
  for (int index : list_.displayIndex) {
    if (IsEntryIndex(index) && list_.entries[index].sourceKind == kSourceBootIni &&
        list_.entries[index].rawText == rawText)
      return index;
  }
  return -1;
}

bool OsListPage::ApplyEntryCommand(const std::wstring& operation, int entryIndex, bool report) {
  if (operation != L"default" || !AppSettings.toolsAvailable || !IsEntryIndex(entryIndex)) return false;
  std::wstring identifier = list_.entries[entryIndex].identifier;
  if (base::EqualsNoCase(identifier, list_.bootManager.defaultId)) {
    if (report) Inform(base::Format(GetText(IDS_ALREADY_DEFAULT), list_.entries[entryIndex].description));
    return true;
  }
  // The tool's exit code says whether it did it: its answer is in the machine's language, and the
  // runner's own failures ("-1", "CreateProcess Failed!") never count. No second run reads it back.
  bool done = list_.WriteOrder(L"default", identifier).Succeeded();
  RedrawStoreRows();
  if (!done) {
    win::Prompt(Handle(), kWriteStoreError, AppSettings.appTitle, MB_OK | MB_ICONERROR);
    return false;
  }
  if (report) SetDefaultDone(selectedEntry_, true);
  return true;
}

void OsListPage::RedrawStoreRows() {
  HWND list = rows_.Handle();
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (int row = 0, count = rows_.Count(); row < count; ++row) {
    int index = static_cast<int>(rows_.Data(row));
    if (IsEntryIndex(index) && list_.entries[index].sourceKind == kSourceStore) FillRow(row, index);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void OsListPage::SetDefaultDone(int entryIndex, bool report) {
  if (!report || !IsEntryIndex(entryIndex)) return;
  const BootEntry& entry = list_.entries[entryIndex];
  std::wstring message = base::Format(GetText(IDS_DEFAULT_SET), entry.description);
  bool running = entry.sourceKind == kSourceStore && !entry.identifier.empty() &&
                 base::EqualsNoCase(entry.identifier, list_.currentOs.identifier);
  // Restarting makes sense only into the machine's own store, and not into the system running now.
  if (!Runner().storeFile.empty() || AppSettings.autoReBoot == 0 || running) {
    Inform(message);
    return;
  }
  if (win::Prompt(Handle(), message + GetText(IDS_ASK_RESTART_INTO_OS), GetText(IDS_CONFIRM_RESTART_CAPTION),
                  kQuestion) != IDYES)
    return;
  // As the tray's Restart: unsaved moves and removals are saved or given up first, or no restart.
  if (!ConfirmLeave()) return;
  if (!RestartComputer(false))
    win::Prompt(Handle(), GetText(IDS_RESTART_FAILED), AppSettings.appTitle, MB_OK | MB_ICONERROR);
}

INT_PTR OsListPage::OnSetDefaultButton(WPARAM, LPARAM) {
  SetDefault();
  return TRUE;
}
