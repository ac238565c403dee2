// "Boot Menu Check": one line per finding of the OS list's store, what is wrong and what its fix
// does; fixes go through the page, which asks first and reads the store back.
#pragma once
#include <string>
#include <vector>

#include "core/MenuCheck.h"
#include "win/AppDialog.h"
#include "win/Controls.h"

class EntryList;
class OsListPage;

// A finding as the user reads it: the entry (its name, or the identifier where no object has it),
// what is wrong, what the fix does.
struct FindingTexts {
  std::wstring entry;
  std::wstring what;
  std::wstring fix;
};
FindingTexts TextsOf(const Finding& finding, const EntryList& list);

// Every line of the check as tab-separated text, one finding a line, for the clipboard.
std::wstring CheckReport(const std::vector<Finding>& findings, const EntryList& list);

class MenuCheckDialog : public win::AppDialog {
 public:
  explicit MenuCheckDialog(OsListPage& page);

 protected:
  BOOL OnInit() override;

 private:
  INT_PTR OnFix(WPARAM, LPARAM);
  INT_PTR OnCopy(WPARAM, LPARAM);
  INT_PTR OnSelectionChanged(WPARAM, LPARAM);

  // The page's findings as they are now, one row each.
  void Fill();
  std::vector<Finding> SelectedFixes() const;

  static const win::MessageEntry<MenuCheckDialog> kMessages[];

  OsListPage& page_;
  win::ListView rows_;
  std::vector<Finding> shown_;
};
