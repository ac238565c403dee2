// The loader settings of the advanced entry page: the items of each combo, how a stored value
// picks one, and which element value a choice stands for. An empty element value means "remove
// the element" (nothing at all for a new entry).
//
// The advanced page calls FillSettingCombos once, ShowSettingCombos for every record it shows,
// ChangedSettings to tell whether anything changed and IssueSetting for each change it saves
// (ElementValue reads one combo); the tables are open for tests and for checks that have no
// window.
#pragma once
#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

struct BootEntry;

enum class SettingTag { kSafeBoot, kPae, kEms, kHal, kNx, kMetroBoot };

struct SettingChoice {
  int itemData;
  UINT textId;              // UI text of the item; 0 when fixedText is shown instead
  const wchar_t* fixedText; // the NX items are the tool's own words, in every language
  const wchar_t* value;     // element value written; empty: remove the element
  const wchar_t* match;     // stored value that selects the item (case-insensitive); null: none
};

struct SettingTable {
  SettingTag tag;
  int controlId;            // the combo on the advanced page
  const wchar_t* element;   // bcdedit key, without the blanks the command adds around it
  std::wstring BootEntry::*field;  // the record field that holds it
  std::span<const SettingChoice> choices;
  // EMS and HAL: any other non-empty stored value selects this item (-1: none does).
  int otherValueItem;
};

// The combos in the order the page fills them: Metro Boot, SafeBoot, PAE, EMS, HAL, NX.
std::span<const SettingTable> SettingTables();
const SettingTable& TableFor(SettingTag tag);

// The record field a setting shows, and the same field to update as its command is issued.
const std::wstring& StoredSetting(const BootEntry& record, SettingTag tag);
std::wstring& StoredSetting(BootEntry& record, SettingTag tag);
// The item data a stored value selects; -1 when no row matches.
int ItemDataFor(SettingTag tag, const std::wstring& stored);
// The element value of an item; nothing when the table has no row with that data.
std::optional<std::wstring> ValueOfItem(SettingTag tag, int itemData);
// The element value a stored value comes back as when the page shows it and the user leaves it:
// the value of its row, or the stored text itself when no row matches.
std::wstring ShownValue(SettingTag tag, const std::wstring& stored);

// WinPE check box.
bool WinPeChecked(const std::wstring& stored);
std::wstring WinPeValue(bool checked);

// Longest text read back from a setting's edit field.
inline constexpr int kSettingTextLimit = 260;

// Empties combo and adds the table's items, each with its item data (texts in the current
// language).
void FillSettingCombo(HWND combo, SettingTag tag);
// Every settings combo of the advanced page, in the page's order.
void FillSettingCombos(HWND page);
// Selects the first item whose data is itemData; its index, or -1 (selection left as it was).
int SelectByItemData(HWND combo, int itemData);
// Shows a stored value: the item it selects, or, when none, no selection and the value itself in
// the edit field. The old selection is cleared first, so a record showing an unknown value never
// keeps the previous record's choice.
void ShowSetting(HWND combo, SettingTag tag, const std::wstring& stored);
// Every settings combo of the page from the record, in the order EMS, HAL, NX, SafeBoot, PAE,
// Metro Boot.
void ShowSettingCombos(HWND page, const BootEntry& record);
// The element value of the combo's current choice: the table's value for the selected item, or
// the edit field's text (at most kSettingTextLimit characters) when nothing is selected.
std::wstring ElementValue(HWND combo, SettingTag tag);

struct SettingChange {
  SettingTag tag;
  std::wstring value;  // empty: remove the element
};
// The combos of the page whose element value differs (any case) from the record's, in the order
// they are saved: SafeBoot, PAE, EMS, HAL, NX, Metro Boot.
std::vector<SettingChange> ChangedSettings(HWND page, const BootEntry& record);
// Sets the changed value on the store object identifier (quoted), or removes the element for an
// empty one. 1 when the command was issued, 0 when the store layer refused it.
int IssueSetting(const std::wstring& identifier, const SettingChange& change);
