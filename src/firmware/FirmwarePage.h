// The Firmware page: the UEFI firmware's own boot menu (Windows' boot manager is one of its
// entries), an entry started once at the next restart, the firmware's order, and a restart into
// the firmware's setup.
#pragma once
#include <string>
#include <vector>

#include "controls/ArmedRestart.h"
#include "controls/ButtonPresets.h"
#include "controls/KeyList.h"
#include "controls/PageContext.h"
#include "controls/SkinButton.h"
#include "controls/SkinPage.h"
#include "core/FirmwareMenu.h"
#include "store/BcdEditRunner.h"
#include "win/Controls.h"

class FirmwarePage : public SkinPage {
 public:
  explicit FirmwarePage(const PageContext& context);

  // Reads the firmware's menu again, unless the user has moved entries and not saved them.
  void Refresh(int what) override;
  void Relocalize() override;
  // Unsaved moves: saved, dropped, or the user stays (false).
  bool ConfirmLeave() override;
  std::wstring OneTimeStart() const override;
  void OnSessionNotice(SessionNotice notice) override;

  // Reads the menu and shows it; a note says why the list is empty when it is.
  void Load();
  void RestartIntoOnce();
  void Move(int step);
  // Asks first unless told not to; true when the order the list shows is now the firmware's.
  bool SaveOrder(bool ask = true);
  void RestartIntoSetup();
  // The firmware menu's own changes (FirmwareEdit.cpp): each asks where it takes something away,
  // goes through the safety net, reads the menu back and says so when the change did not arrive.
  void AddEfiEntry();
  void Rename();
  void RemoveFromOrder();
  void AddToOrder();
  void DeleteEntry();
  void SetTimeout();
  // The firmware's pending one-time start, whoever set it, deleted and read back.
  bool CanCancelOneTimeStart() const;
  void CancelOneTimeStart();

  // The menu as read last, and the order the list shows (moves included).
  const FirmwareMenu& Menu() const { return menu_; }
  const std::vector<FirmwareEntry>& Shown() const { return shown_; }
  bool OrderChanged() const { return orderChanged_; }

 protected:
  BOOL OnInit() override;
  bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  INT_PTR OnOnce(WPARAM, LPARAM) { RestartIntoOnce(); return TRUE; }
  INT_PTR OnMoveUp(WPARAM, LPARAM) { Move(-1); return TRUE; }
  INT_PTR OnMoveDown(WPARAM, LPARAM) { Move(1); return TRUE; }
  INT_PTR OnSaveOrder(WPARAM, LPARAM) { SaveOrder(); return TRUE; }
  INT_PTR OnSetup(WPARAM, LPARAM) { RestartIntoSetup(); return TRUE; }
  INT_PTR OnReload(WPARAM, LPARAM) { if (ConfirmLeave()) Load(); return TRUE; }
  INT_PTR OnAddEfi(WPARAM, LPARAM) { AddEfiEntry(); return TRUE; }
  INT_PTR OnRename(WPARAM, LPARAM) { Rename(); return TRUE; }
  INT_PTR OnRemoveFromOrder(WPARAM, LPARAM) { RemoveFromOrder(); return TRUE; }
  INT_PTR OnAddToOrder(WPARAM, LPARAM) { AddToOrder(); return TRUE; }
  INT_PTR OnDelete(WPARAM, LPARAM) { DeleteEntry(); return TRUE; }
  INT_PTR OnSetTimeout(WPARAM, LPARAM) { SetTimeout(); return TRUE; }
  INT_PTR OnCancelOnce(WPARAM, LPARAM) { CancelOneTimeStart(); return TRUE; }
  INT_PTR OnTimer(WPARAM, LPARAM);
  INT_PTR OnSelectionChanged(WPARAM, LPARAM) { UpdateButtons(); return 0; }
  INT_PTR OnDoubleClick(WPARAM, LPARAM);
  INT_PTR OnRightClick(WPARAM, LPARAM);
  // The menu key or Shift+F10 on the list: the row menu below the row.
  INT_PTR OnContextMenu(WPARAM, LPARAM);
  void ShowRowMenu(POINT at);

  void SetUpButtons();
  void CreateColumns();
  void FillList(int selectRow);
  void UpdateButtons();
  void SetNote(const std::wstring& text);
  // The firmware may be changed: the system store is in use and the tool is there.
  bool CanChange() const;
  int SelectedRow() const;
  // Reads the menu again; false (the user told, with what) when it could not be read.
  bool ReadBack(const std::wstring& description, UINT failureText);
  // Puts the one-time start back as it was before; true when the firmware says so.
  bool PutBackBootSequence(const std::vector<std::wstring>& earlier, std::wstring& toolText);
  int Tell(const std::wstring& text, UINT flags) const;
  // The one-time start's name: the entry the firmware starts next, or its identifier.
  std::wstring NextStartName() const;
  void TellOneTimeStart() const;
  // The restart the one-time start was armed for did not come: the earlier sequence goes back.
  void TakeBackMissedRestart(const ArmedRestart::Missed& missed);

  // The menu's own changes need the firmware changeable and no moves waiting to be saved (a
  // change reads the menu again, which would drop them).
  bool Editable() const;
  // The entry of a row: on the order (the rows shown_ holds) or below it (menu_.offOrder).
  const FirmwareEntry* EntryOfRow(int row) const;
  int RowOf(const std::wstring& identifier) const;
  // The entries on no order, greyed below the order.
  void AddOffOrderRows();
  void UpdateEditButtons(int row);
  // NM_CUSTOMDRAW of the list: the rows below the order in the system's grey.
  bool GreyOffOrderRows(LPARAM lParam, INT_PTR& result);
  // Shows menu as read, the row of identifier selected.
  void ShowMenu(const FirmwareMenu& menu, const std::wstring& identifier);
  // After a change's run: reads the menu back and shows it (identifier's row selected). Empty
  // when arrived says the menu read back holds the change; otherwise why it did not arrive.
  std::wstring ReadBackChange(const ToolResult& run, const std::wstring& identifier,
                              bool (*arrived)(const FirmwareMenu& menu, const std::wstring& identifier, const std::wstring& value),
                              const std::wstring& value = L"");

  static const win::MessageEntry<FirmwarePage> kMessages[];

  PageContext context_;
  win::ListView rows_;
  KeyList rowKeys_;
  SkinButton pageIcon_;
  SkinButton moveUp_;
  SkinButton moveDown_;
  FirmwareMenu menu_;
  std::vector<FirmwareEntry> shown_;
  bool orderChanged_ = false;
  bool loaded_ = false;
  bool stale_ = false;  // hidden since the last reading
  ArmedRestart armedRestart_;
};
