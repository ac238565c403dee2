// The utilities of the Utilities page: the built-in Internet Options item, then the sections of
// plugins.ini, then those added while the program runs. An item's index is its identity for the
// whole run; deleting a utility drops its section but leaves its entry in place.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "utilities/UtilityItem.h"

// The built-in item: Internet Options, run through the control panel's loader.
UtilityItem MakeBuiltInUtility();

// AddUtility's answer when plugins.ini could not be written.
inline constexpr int kUtilityNotSaved = -2;

class UtilityList {
 public:
  // file: the utilities file (AppSettings.pluginsFile).
  explicit UtilityList(std::wstring file) : file_(std::move(file)) {}

  const std::wstring& File() const { return file_; }
  int Count() const { return static_cast<int>(items_.size()); }
  bool Contains(int index) const { return index >= 0 && index < Count(); }
  const UtilityItem& At(int index) const { return items_[static_cast<size_t>(index)]; }
  UtilityItem& At(int index) { return items_[static_cast<size_t>(index)]; }
  bool IsBuiltIn(int index) const { return Contains(index) && At(index).IsBuiltIn(); }
  // The user's own utility, which may be changed and deleted.
  bool IsEditable(int index) const { return Contains(index) && !At(index).IsBuiltIn(); }

  void Append(UtilityItem item) { items_.push_back(std::move(item)); }
  void Compact() { items_.shrink_to_fit(); }

  // Appends every section of the file, in file order (their icons are looked up when shown).
  void LoadUtilities();
  // Creates a section and an item for cmd; the item's index, -1 when cmd is empty, or
  // kUtilityNotSaved when the file refused the section (then no item is made).
  int AddUtility(const std::wstring& name, const std::wstring& info, const std::wstring& cmd);
  // Rewrites a user utility's name, info and cmd in its section; false for the built-in item, and
  // when the file refused the change (the item then keeps what it had).
  bool ChangeUtility(int index, const std::wstring& name, const std::wstring& info, const std::wstring& cmd);
  // Removes a user utility's section from the file; false for the built-in item.
  bool DeleteUtility(int index);
  // Has the shell open the utility's cmd with its cmdfix in cmd's folder; false when there is no
  // such item or nothing to open. The shell's answer is not reported to the user.
  bool RunUtility(HWND owner, int index) const;

  // A section of this name exists in the file (empty or not); names compare as the profile
  // functions compare them, without case.
  bool SectionExists(const std::wstring& section) const;

 private:
  std::vector<std::wstring> SectionNames() const;
  std::wstring ReadValue(const std::wstring& section, const wchar_t* key) const;
  // False when the file took not all of them.
  bool WriteValues(const std::wstring& section, const UtilityItem& item) const;
  // A missing file is made Unicode first: the profile functions would create it in the ANSI code
  // page, and names that do not fit it would come back as question marks.
  void EnsureUnicodeFile() const;

  std::wstring file_;
  std::vector<UtilityItem> items_;
};
