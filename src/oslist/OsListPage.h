// The OS list page: the machine's boot menu as a list, and every operation on it: set default and
// restart, sort and delete, the boot menu's timeout, language and style, other store files, copy.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "base/Strings.h"
#include "controls/ArmedRestart.h"
#include "controls/ButtonPresets.h"
#include "controls/KeyList.h"
#include "controls/PageContext.h"
#include "controls/SkinButton.h"
#include "controls/SkinPage.h"
#include "controls/Tooltip.h"
#include "controls/VolumePicker.h"
#include "core/MenuCheck.h"
#include "store/EntryList.h"
#include "win/Controls.h"
#include "win/Handles.h"

// The legacy loader object, under its alias or its fixed GUID.
inline bool IsLegacyLoaderId(const std::wstring& identifier) {
  return base::EqualsNoCase(identifier, kNtldrGuid) || base::EqualsNoCase(identifier, kNtldrAlias);
}

// The boot manager's one-time sequence as the list read it last (none: empty), and whether the
// read succeeded and held the boot manager (only then is "none" known).
std::vector<std::wstring> BootSequenceOf(const BootEntry& manager);
bool ManagerRead(const StoreRead& read, const BootEntry& manager);

class OsListPage : public SkinPage {
 public:
  explicit OsListPage(const PageContext& context);
  ~OsListPage() override;

  void Refresh(int what) override;
  void Relocalize() override;
  bool ConfirmLeave() override;
  void OnDpiChanged(UINT from, UINT to) override;
  std::wstring OneTimeStart() const override;
  void OnSessionNotice(SessionNotice notice) override;

  // The list (the page's record of the boot menu).
  EntryList& List() { return list_; }

  // --- View (list rows, selection, buttons, store label) ---
  void FillList();
  void FillRow(int row, int entryIndex);
  void InsertEntryRow(int entryIndex, int position);
  // False when the store's listing failed: the rows stay as they were, and the user was told.
  bool RefreshList(bool reload);
  // Reads the boot manager, with the rest of the store for the rebuild that follows; tells the user
  // of a store file let go or of a listing that failed (the list then stays as it was). True
  // when it was read.
  bool ReadBootManager();
  void TellStoreRead(const StoreRead& read);
  void UpdateButtons();
  int RowOfEntry(int entryIndex) const;
  void UpdateStoreLabel(bool initial);

  // --- Set default and restart ---
  void SetDefault();
  // operation "default": the store part of set-default; report: show the result.
  bool ApplyEntryCommand(const std::wstring& operation, int entryIndex, bool report);
  void SetDefaultDone(int entryIndex, bool report);

  // --- Restart into an entry once, and this run's changes as a script ---
  // The selected store entry starts at the next boot only, then the restart question; No takes
  // the one-time start back. Only the system store has a next boot.
  void RestartIntoOnce();
  bool CanRestartIntoOnce() const;
  // The boot manager's one-time sequence becomes earlier again (none: deleted); true when the
  // store, read back, holds exactly that. toolText: what the tool said.
  bool PutBackBootSequence(const std::vector<std::wstring>& earlier, std::wstring& toolText);
  // Saves the changes made to the system store since the program started as a .cmd file.
  void SaveChangesAsScript();
  // The pending one-time start of the system store, whoever set it: its first entry's identifier
  // (empty when none), and deleting it, read back.
  std::wstring NextStartId() const;
  bool CanCancelOneTimeStart() const;
  void CancelOneTimeStart();

  // --- Sort and delete ---
  void MoveEntry(bool up);
  void RemoveEntry();
  // Saves unsaved moves and removals, re-reads the list and selects the same entry again; false
  // when a write failed.
  bool SaveOrderCommand();
  // Writes the store's display order, boot.ini's menu section and the deletions; false when a
  // write failed (the user has been told).
  bool SaveOrder();
  // Before anything that would drop unsaved moves or removals (quitting, restarting, switching
  // stores): asks to save them, discard them or stay. False when the user stays, or when saving
  // failed.
  bool ConfirmDiscardOrder();

  // --- Timeout and boot menu settings ---
  void InitMenuSettings();
  void ApplyMenuSettings();
  bool WriteBootIniTimeout();

  // --- Other store file, reload, copy ---
  void BrowseStoreFile();
  void ReloadSystemStore();
  void SwitchStore(const std::wstring& path);
  void CopyEntry();

  // --- Boot menu check (OsListCheck.cpp) ---
  // The findings of the list as last read (worked out when the rows are filled).
  const std::vector<Finding>& Findings() const { return findings_; }
  // Asks (owner: the window asking), runs the fixes' commands and reads the store back; false
  // when the user said No or a step failed (the user has been told which).
  bool FixFindings(HWND owner, const std::vector<Finding>& chosen);

  bool HasSelection() const { return hasSelection_; }
  int SelectedEntry() const { return selectedEntry_; }
  int SelectedRow() const { return selectedRow_; }
  bool OrderChanged() const { return orderChanged_; }

  // --- View family: shared helpers (OsListView.cpp) ---
  // Re-reads the page's controls from its state: Save and Apply, Add New, the reload button, the
  // boot.ini timeout edit with its check box.
  void SyncControls();
  // True when index names a record of the list; the boot manager row (-1) and the legacy group
  // row (-2) carry no entry.
  bool IsEntryIndex(int index) const;
  // Position in displayIndex of the nearest entry before (step -1) or after (step 1) position
  // that is still on the list (not removed), or -1.
  int NeighbourPosition(int position, int step) const;
  // The row menu with its items enabled like their buttons (made on first use).
  HMENU RowMenu();

 protected:
  BOOL OnInit() override;

 private:
  // View and set default (OsListView.cpp, OsListDefault.cpp).
  INT_PTR OnListItemChanged(WPARAM, LPARAM);
  INT_PTR OnListDoubleClick(WPARAM, LPARAM);
  INT_PTR OnListRightClick(WPARAM, LPARAM);
  // The menu key or Shift+F10 on the list: the row menu below the row.
  INT_PTR OnContextMenu(WPARAM, LPARAM);
  void ShowRowMenu(POINT at);
  INT_PTR OnListClick(WPARAM, LPARAM);
  INT_PTR OnSetDefaultButton(WPARAM, LPARAM);
  INT_PTR OnModifyButton(WPARAM, LPARAM);
  INT_PTR OnReloadListCommand(WPARAM, LPARAM);
  INT_PTR OnColourStatic(WPARAM, LPARAM);
  INT_PTR OnRestartOnce(WPARAM, LPARAM);
  INT_PTR OnSaveScript(WPARAM, LPARAM);
  INT_PTR OnCancelOnce(WPARAM, LPARAM) { CancelOneTimeStart(); return TRUE; }
  INT_PTR OnTimer(WPARAM, LPARAM);
  // Sort and delete (OsListOrder.cpp).
  INT_PTR OnMoveUp(WPARAM, LPARAM);
  INT_PTR OnMoveDown(WPARAM, LPARAM);
  INT_PTR OnDelete(WPARAM, LPARAM);
  INT_PTR OnSaveOrder(WPARAM, LPARAM);
  INT_PTR OnAddNew(WPARAM, LPARAM);
  // Menu settings (OsListMenuSettings.cpp).
  INT_PTR OnApply(WPARAM, LPARAM);
  INT_PTR OnBootIniMenuCheck(WPARAM, LPARAM);
  INT_PTR OnBootIniTimeoutChange(WPARAM, LPARAM);
  INT_PTR OnBcdTimeoutChange(WPARAM, LPARAM);
  INT_PTR OnMenuLanguageChange(WPARAM, LPARAM);
  INT_PTR OnMenuStyleChange(WPARAM, LPARAM);
  // Store files and copy (OsListStore.cpp).
  INT_PTR OnBrowseStore(WPARAM, LPARAM);
  INT_PTR OnReloadStore(WPARAM, LPARAM);
  INT_PTR OnCopy(WPARAM, LPARAM);
  // Boot menu check (OsListCheck.cpp).
  INT_PTR OnCheckEntries(WPARAM, LPARAM);
  INT_PTR OnListInfoTip(WPARAM, LPARAM);
  void CheckStore();
  // The first finding said of entry that is a fault (not "cannot be checked"), or null.
  const Finding* FindingOf(const BootEntry& entry) const;

  // --- View family: private helpers (OsListPage.cpp, OsListView.cpp, OsListDefault.cpp) ---
  void SetUpButtons();
  void CreateColumns();
  // The sort arrow of the column headers, drawn for the page's DPI.
  void MakeHeaderImages();
  void SetColumnTitles();
  // bcdTimeout from the boot manager, read again when it is not known yet.
  void TakeStoreTimeout();
  // No row selected; the buttons follow.
  void ResetSelection();
  void ToggleLegacyGroup();
  // Redraws every store row, so the markers follow a new default.
  void RedrawStoreRows();
  // Selects row (none for -1) and scrolls it into view; the selection handler takes it from there.
  void SelectRow(int row);
  // The entry of displayIndex that is the boot.ini line with this text, or -1.
  int BootIniLineIndex(const std::wstring& rawText) const;
  // The boot.ini road of set default.
  void SetBootIniDefault(int entryIndex);
  // Re-reads the description of {ntldr} after it was renamed.
  void RereadLegacyLoaderName();
  void Inform(const std::wstring& text) const;
  HWND ApplicationWindow() const;
  // The boot manager was read again: the rows' marks follow it, and the main window's tip.
  void ShowOneTimeStart();
  void TellOneTimeStart() const;
  // The restart the one-time start was armed for did not come: the earlier sequence goes back.
  void TakeBackMissedRestart(const ArmedRestart::Missed& missed);

  ArmedRestart armedRestart_;

  Tooltip storeLabelTip_;
  win::UniqueBitmap menuImages_[2];
  bool filling_ = false;

  static const win::MessageEntry<OsListPage> kMessages[];

  PageContext context_;
  EntryList list_;
  win::ListView rows_;
  KeyList rowKeys_;
  // Both lists hand back the chosen item's data text, as the locale list does.
  VolumePicker menuLanguage_;
  VolumePicker menuStyle_;
  win::UniqueMenu contextMenu_;
  HIMAGELIST headerImages_ = nullptr;

  SkinButton moveUp_, moveDown_, delete_, reloadStore_, browseStore_, storeIcon_;

  bool hasSelection_ = false;
  int selectedEntry_ = -1;
  int selectedRow_ = -1;
  bool orderChanged_ = false;
  bool settingsChanged_ = false;
  bool legacyGroupShown_ = false;

  // --- Sort and delete (OsListOrder.cpp) ---
  // True when the add wizard may open: adding is possible here and unsaved changes were dealt with.
  bool AddNewPreCheck();
  // Issues the new display order and reads the boot manager back; true when the store holds it.
  bool WriteStoreOrder(const std::vector<std::wstring>& order);
  // Deletes each object and looks it up again; true when every one is gone.
  bool DeleteFromStore(const std::vector<std::wstring>& identifiers);

  // --- Menu settings and store files (OsListMenuSettings.cpp, OsListStore.cpp) ---
  // Fills the menu language and style lists (again after a language change, keeping the choice).
  void FillMenuCombos();
  // A timeout field's number; false while it is empty.
  bool ReadTimeoutField(int id, int* seconds) const;
  // True (and the user told) when the field is empty.
  bool RefuseEmptyTimeout(int id);
  // Selects the item of the value; a value the list lacks gets an item of its own.
  void SelectMenuLanguage(const std::wstring& locale);
  void SelectMenuStyle(const std::wstring& value);
  // Writes the store's timeout, language and style where they differ from the boot manager;
  // 0 nothing sent, 1 the store holds them, -1 it does not (the user has been told).
  int ApplyStoreMenuSettings();
  // Before something that rebuilds the list: unsaved sort and delete changes are saved or given
  // up by the user's choice; false when the user would rather stay.
  bool SettleUnsavedOrder();

  // Set while the page itself fills the menu settings, whose change notifications are not edits.
  bool fillingMenuSettings_ = false;

  std::vector<Finding> findings_;
};
