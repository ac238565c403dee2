// The Utilities page: the user's list of utility programs as large icons, the details of the
// selected one, running it, and adding, changing and deleting utilities.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "controls/KeyList.h"
#include "controls/PageContext.h"
#include "controls/SkinButton.h"
#include "controls/SkinPage.h"
#include "utilities/UtilityList.h"
#include "win/Controls.h"
#include "win/Handles.h"

class UtilitiesPage : public SkinPage {
 public:
  explicit UtilitiesPage(const PageContext& context);

  // Reads the selection again: buttons and details line.
  void Refresh(int what) override;
  // The language's texts again, with the built-in item's name and the page's own texts.
  void Relocalize() override;

  const PageContext& Context() const { return context_; }
  const UtilityList& Utilities() const { return utilities_; }
  bool HasSelection() const { return hasSelection_; }
  int SelectedIndex() const { return selectedIndex_; }
  // The list row that shows item index, or -1 (rows find their items only by item data).
  int RowOfItem(int index) const;

  // Adds a utility and shows its row; its index, or below 0 when nothing was added (no command,
  // or plugins.ini refused it: the user has been told).
  int AddUtility(const std::wstring& name, const std::wstring& info, const std::wstring& cmd);
  // Changes a user utility and shows its row anew; false when index is none of them, or when
  // plugins.ini refused the change (the user has been told).
  bool ChangeUtility(int index, const std::wstring& name, const std::wstring& info, const std::wstring& cmd);
  // Tells the user that plugins.ini refused a change, which the list therefore does not show.
  void TellNotSaved() const;

  void RunSelected();
  void AddNew();
  void ModifySelected();
  void DeleteSelected();
  // The context menu as it would show now (made on first use, then kept until a language change).
  HMENU ContextMenu();

 protected:
  BOOL OnInit() override;
  bool OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  INT_PTR OnSelectionChanged(WPARAM, LPARAM);
  INT_PTR OnRunNotify(WPARAM, LPARAM) { RunSelected(); return TRUE; }
  INT_PTR OnListRightClick(WPARAM, LPARAM);
  INT_PTR OnSystemContextMenu(WPARAM, LPARAM);
  void ShowContextMenu(POINT at);
  INT_PTR OnRun(WPARAM, LPARAM) { RunSelected(); return TRUE; }
  INT_PTR OnAdd(WPARAM, LPARAM) { AddNew(); return TRUE; }
  INT_PTR OnModify(WPARAM, LPARAM) { ModifySelected(); return TRUE; }
  INT_PTR OnDelete(WPARAM, LPARAM) { DeleteSelected(); return TRUE; }

  void SetUpButtons();
  // Inserts a row for item index (the list sorts it in); force looks its icon up again. The row.
  int ShowRow(int index, bool force);
  // Replaces item index's row, keeping it selected when it was.
  void RefreshRow(int index, bool force);
  void ReadSelection();
  void ShowDetails();

  static const win::MessageEntry<UtilitiesPage> kMessages[];

  PageContext context_;
  UtilityList utilities_;
  win::ListView list_;
  KeyList listKeys_;
  SkinButton pageIcon_, add_, modify_, delete_;
  win::UniqueMenu contextMenu_;
  win::UniqueBitmap addMenuImage_;
  bool hasSelection_ = false;
  // Kept after the selection is cleared; the built-in item until a row is first selected.
  int selectedIndex_ = 0;
};
