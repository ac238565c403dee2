// Sort and delete mode: moving and removing entries, and saving the new menu.
#include <algorithm>

#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "oslist/OsListPage.h"
#include "oslist/SortOrder.h"
#include "store/BcdEditRunner.h"
#include "store/BootIni.h"
#include "store/SafetyNet.h"
#include "store/StoreCommands.h"
#include "texts.h"
#include "win/Seams.h"

namespace {

std::wstring RoleText(RemovalRole role) {
  switch (role) {
    case RemovalRole::kRunningOs: return GetText(IDS_ROLE_RUNNING_OS) + GetText(IDS_LOSE_RUNNING_OS);
    case RemovalRole::kStoreDefault: return GetText(IDS_ROLE_DEFAULT_BCD);
    case RemovalRole::kLegacyLoader: return GetText(IDS_ROLE_NTLDR_ENTRY) + GetText(IDS_LOSE_BOOT_INI_ENTRIES);
    case RemovalRole::kBootIniDefault: return GetText(IDS_ROLE_DEFAULT_BOOT_INI);
    case RemovalRole::kNone: break;
  }
  return L"";
}

enum class Outcome { kUnchanged, kWritten, kFailed };

}  // namespace

void OsListPage::MoveEntry(bool up) {
  if (!hasSelection_ || !IsListedEntry(list_, selectedEntry_)) return;
  std::vector<int>& order = list_.displayIndex;
  auto found = std::find(order.begin(), order.end(), selectedEntry_);
  if (found == order.end()) return;
  int position = static_cast<int>(found - order.begin());
  int target = MoveTarget(list_, position, up, AppSettings.toolsAvailable);
  int entry = selectedEntry_;
  if (target >= 0) {
    std::swap(order[static_cast<size_t>(position)], order[static_cast<size_t>(target)]);
    orderChanged_ = true;
    FillList();
  }
  SelectRow(RowOfEntry(entry));
}

void OsListPage::RemoveEntry() {
  if (!AppSettings.enableDelMode || !hasSelection_ || !IsListedEntry(list_, selectedEntry_)) return;
  BootEntry& entry = list_.entries[static_cast<size_t>(selectedEntry_)];
  // Without the tool a store entry's removal could never be saved.
  if (entry.sourceKind == kSourceStore && !AppSettings.toolsAvailable) return;
  RemovalRole role = RoleOf(list_, entry);
  bool warning = role != RemovalRole::kNone;
  std::wstring text = warning ? base::Format(GetText(IDS_ASK_DELETE_ROLE_ENTRY), RoleText(role))
                              : base::Format(GetText(IDS_ASK_DELETE_ENTRY_OF_KIND), RemovalKind(entry));
  UINT flags = MB_YESNO | MB_DEFBUTTON2 | (warning ? MB_ICONSTOP : MB_ICONQUESTION);
  if (win::Prompt(Handle(), text, GetText(IDS_CONFIRM_DELETE_CAPTION), flags) != IDYES) return;

  entry.removed = 1;
  entry.deleteMark = 1;
  orderChanged_ = true;
  int row = selectedRow_;
  // Rebuilding the rows rather than deleting one keeps the legacy group and its lines right; no
  // entry of the user's choosing is selected afterwards. The place stays in view.
  FillList();
  int count = rows_.Count();
  if (count > 0) ListView_EnsureVisible(rows_.Handle(), std::min(std::max(row, 0), count - 1), FALSE);
}

bool OsListPage::SaveOrderCommand() {
  bool saved = true;
  BootEntry selected;
  if (hasSelection_ && IsListedEntry(list_, selectedEntry_)) selected = list_.entries[static_cast<size_t>(selectedEntry_)];
  if (orderChanged_) {
    saved = SaveOrder();
    ReadBootManager();
    RefreshList(false);
  }
  // Rebuilding makes new records for boot.ini lines, so the entry is found again by what it is.
  int entry = selected.sourceKind == kUnset ? -1 : FindListedLike(list_, selected);
  SelectRow(entry < 0 ? -1 : RowOfEntry(entry));
  return saved;
}

bool OsListPage::SaveOrder() {
  bool storeWritable = AppSettings.toolsAvailable;
  OrderPlan plan = PlanOrder(list_, storeWritable, storeWritable && AppSettings.bcdDelMode != 0);
  if (plan.anyRemoved &&
      win::Prompt(ApplicationWindow(), GetText(IDS_ASK_CONFIRM_DELETIONS), AppSettings.appTitle,
                  MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
    orderChanged_ = false;
    return true;
  }

  Outcome store = Outcome::kUnchanged;
  if (storeWritable && StoreOrderDiffers(list_, plan.storeOrder))
    store = WriteStoreOrder(plan.storeOrder) ? Outcome::kWritten : Outcome::kFailed;

  // Deleting after a failed order write would leave the menu neither as it was nor as the user
  // asked; the entries stay, off the menu only where the order write got through.
  bool deleted = false;
  if (store != Outcome::kFailed && !plan.deletions.empty()) {
    if (DeleteFromStore(plan.deletions)) deleted = true;
    else store = Outcome::kFailed;
  }

  // The store's part goes first: when the safety net refused it, boot.ini stays as it is too.
  // Without boot.ini lines in the list there is nothing of boot.ini's to put in order: writing the
  // empty text would wipe its menu.
  MenuRewrite bootIni = plan.holdsBootIni && !CopyRefusedInThisCommand() ? BootIniRewriteMenu(plan.bootIniText)
                                                                         : MenuRewrite::kUnchanged;
  orderChanged_ = false;

  bool storeFailed = store == Outcome::kFailed;
  bool bootIniFailed = bootIni == MenuRewrite::kFailed;
  std::wstring saved;
  if (store == Outcome::kWritten) saved += GetText(IDS_BCD_ORDER_SAVED);
  if (bootIni == MenuRewrite::kWritten) saved += GetText(IDS_BOOT_INI_ORDER_SAVED);
  if (storeFailed || bootIniFailed) {
    std::wstring text = storeFailed ? kWriteStoreError : L"";
    if (bootIniFailed) text += (text.empty() ? L"" : L"\n") + std::wstring(kWriteBootIniError);
    // What did get through is still named, so the user knows which file changed.
    if (!saved.empty()) text += L"\n" + saved;
    win::Prompt(Handle(), text, AppSettings.appTitle, MB_OK | MB_ICONERROR);
    return false;
  }
  if (!saved.empty() || deleted) Inform(GetText(IDS_OPERATION_DONE) + L"\n" + saved);
  return true;
}

bool OsListPage::WriteStoreOrder(const std::vector<std::wstring>& order) {
  // The tool's error texts come in the machine's language and are not parsed: its exit code tells
  // whether the order arrived (the boot manager is read again once, after the whole save).
  std::vector<std::wstring> before;
  std::wstring menu = list_.bootManager.displayorder + L"\n";
  for (size_t start = 0, end; (end = menu.find(L'\n', start)) != std::wstring::npos; start = end + 1) {
    std::wstring identifier = base::TrimText(menu.substr(start, end - start));
    if (!identifier.empty()) before.push_back(identifier);
  }
  return WriteDisplayOrder(order, before).Succeeded();
}

bool OsListPage::DeleteFromStore(const std::vector<std::wstring>& identifiers) {
  bool allGone = true;
  for (const std::wstring& identifier : identifiers) {
    // The menu's default is never deleted from here.
    if (base::EqualsNoCase(identifier, list_.bootManager.defaultId)) continue;
    std::wstring arguments = DeleteEntryArgs(identifier);
    // The tool refuses to delete an object of a well-known identifier without /f.
    if (IsLegacyLoaderId(identifier)) arguments += L"/f";
    if (!Runner().RunChecked(arguments, 0).Succeeded()) allGone = false;
  }
  return allGone;
}

bool OsListPage::ConfirmDiscardOrder() {
  if (!orderChanged_) return true;
  int answer = win::Prompt(Handle(), GetText(IDS_ASK_SAVE_ORDER_BEFORE_LEAVING), AppSettings.appTitle,
                           MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3);
  if (answer == IDYES) return SaveOrderCommand();
  if (answer != IDNO) return false;
  RefreshList(false);
  return true;
}

bool OsListPage::AddNewPreCheck() {
  bool canAdd = (AppSettings.ntldrPresent && !AppSettings.bcdSystem) ||
                (AppSettings.bcdSystem && AppSettings.toolsAvailable);
  if (!canAdd) return false;
  if (orderChanged_) {
    if (win::Prompt(Handle(), GetText(IDS_ASK_SAVE_ORDER_BEFORE_ADD), AppSettings.appTitle,
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES) {
      SaveOrderCommand();
    } else {
      // "No" discards: the list shows the menu as it is, as the new entry will be added to it.
      RefreshList(false);
    }
  }
  return true;
}

INT_PTR OsListPage::OnMoveUp(WPARAM, LPARAM) {
  MoveEntry(true);
  return TRUE;
}

INT_PTR OsListPage::OnMoveDown(WPARAM, LPARAM) {
  MoveEntry(false);
  return TRUE;
}

INT_PTR OsListPage::OnDelete(WPARAM, LPARAM) {
  RemoveEntry();
  return TRUE;
}

INT_PTR OsListPage::OnSaveOrder(WPARAM, LPARAM) {
  SaveOrderCommand();
  return TRUE;
}

INT_PTR OsListPage::OnAddNew(WPARAM, LPARAM) {
  if (!AddNewPreCheck() || !context_.openEntryDialog) return TRUE;
  // The dialog closes with OK whether or not the entry was made: either way the rows show the
  // store (and boot.ini) as they are now.
  if (context_.openEntryDialog(ApplicationWindow(), list_, context_, kNewEntryIndex) == IDOK) RefreshList(true);
  return TRUE;
}
