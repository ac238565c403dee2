// The OS list page's rows, selection, buttons, context menu and store label.
#include <algorithm>

#include "art.h"
#include "base/AppSettings.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "controls/ButtonPresets.h"
#include "controls/Drawing.h"
#include "controls/SkinDialog.h"
#include "oslist/OsListPage.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "store/FileRoutines.h"
#include "texts.h"
#include "win/MenuBitmap.h"
#include "win/Seams.h"

namespace {

constexpr LPARAM kBootManagerRow = -1;
constexpr LPARAM kLegacyGroupRow = -2;
constexpr int kNoImage = -1;
constexpr COLORREF kSectionTitleColour = RGB(0, 122, 204);
// Paths shorter than this fit the store label whole; longer ones show their file name only.
constexpr size_t kWholePathLimit = 16;

void SetCell(HWND list, int row, int column, const std::wstring& text, int image) {
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  item.iImage = image;
  ListView_SetItem(list, &item);
}

void SetRowData(HWND list, int row, LPARAM data) {
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  item.lParam = data;
  ListView_SetItem(list, &item);
}

std::wstring UpperCase(std::wstring text) {
  if (!text.empty()) CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// The legacy loader's title in the list: the loader and the menu file it reads.
std::wstring LegacyGroupTitle() { return L"NTLDR + " + UpperCase(AppSettings.bootIniPath); }

struct Marker {
  std::wstring text;
  int image = kNoImage;
};

}  // namespace

bool OsListPage::IsEntryIndex(int index) const {
  return index >= 0 && index < static_cast<int>(list_.entries.size());
}

void OsListPage::FillList() {
  CheckStore();
  HWND list = rows_.Handle();
  filling_ = true;
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  rows_.DeleteAll();
  list_.legacyRow = -1;
  legacyGroupShown_ = false;

  auto addGroupRow = [&](int image) {
    int row = rows_.InsertRow(rows_.Count(), L"", image, kLegacyGroupRow);
    SetCell(list, row, 1, LegacyGroupTitle(), kNoImage);
    list_.legacyRow = row;
    legacyGroupShown_ = true;
  };
  if (AppSettings.bcdSystem) {
    int row = rows_.InsertRow(0, L"", art::kImageFirstRow, kBootManagerRow);
    SetCell(list, row, 1, list_.bootManager.description, kNoImage);
  } else if (AppSettings.ntldrPresent) {
    addGroupRow(art::kImageFirstRow);
  }

  int linesBelowGroup = 0;
  for (int index : list_.displayIndex) {
    if (!IsEntryIndex(index)) continue;
    const BootEntry& entry = list_.entries[index];
    if (entry.removed || entry.deleteMark != 0) continue;
    bool iniLine = entry.sourceKind == kSourceBootIni;
    if (iniLine && list_.legacyRow < 0)
      addGroupRow(list_.bootIniExpanded ? art::kImageGroupExpanded : art::kImageGroupCollapsed);
    // The boot manager chains to these lines through {ntldr}: they show when its group is open.
    if (iniLine && AppSettings.bcdSystem && !list_.bootIniExpanded) continue;
    int position = 0;
    if (iniLine && list_.bootIniExpanded && list_.legacyRow >= 0) position = list_.legacyRow + ++linesBelowGroup;
    InsertEntryRow(index, position);
  }

  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  filling_ = false;
  TellOneTimeStart();
  // The rows are new: whatever was selected before is no row of them.
  ResetSelection();
}

void OsListPage::InsertEntryRow(int entryIndex, int position) {
  int count = rows_.Count();
  int row = rows_.InsertRow(position > 0 ? std::min(position, count) : count, L"", kNoImage, entryIndex);
  if (row >= 0) FillRow(row, entryIndex);
}

void OsListPage::FillRow(int row, int entryIndex) {
  if (!IsEntryIndex(entryIndex)) return;
  const BootEntry& entry = list_.entries[entryIndex];
  const BootEntry& manager = list_.bootManager;
  bool store = entry.sourceKind == kSourceStore;
  bool iniLine = entry.sourceKind == kSourceBootIni;
  bool legacyLoader = IsLegacyLoaderId(entry.identifier);
  bool expanded = list_.bootIniExpanded != 0;

  int stateImage = art::kImageBcdEntry;
  if (iniLine) stateImage = legacyGroupShown_ ? art::kImageBootIniLine : kNoImage;
  // An entry the check found fault with shows the warning sign; its tip says what is wrong.
  if (FindingOf(entry)) stateImage = art::kImageLoaderMissing;

  int nameImage = kNoImage;
  if (legacyLoader) {
    if (AppSettings.ntldrPresent)
      nameImage = expanded ? art::kImageGroupExpanded : art::kImageGroupCollapsed;
    else
      nameImage = art::kImageLoader;
  } else if (iniLine && !legacyGroupShown_) {
    nameImage = art::kImageBootIniLine;
  }
  std::wstring name = legacyLoader && expanded ? LegacyGroupTitle() : entry.description;

  bool isDefault = store && !entry.identifier.empty() && base::EqualsNoCase(entry.identifier, manager.defaultId);
  bool isRunning = store && !entry.identifier.empty() && base::EqualsNoCase(entry.identifier, list_.currentOs.identifier);
  bool isIniDefault = iniLine && !list_.iniDefault.empty() && entry.GetPath() == list_.iniDefault;
  int legacyImage = AppSettings.ntldrPresent ? art::kImageLoader : art::kImageLoaderMissing;

  // The text names what the entry is; the picture shows first what it does at boot.
  Marker marker;
  if (legacyLoader) marker.text = L"{ntldr}";
  else if (isDefault) marker.text = L"{default}";
  else if (isRunning) marker.text = L"{current}";
  else if (isIniDefault) marker.text = L"{default_NT}";
  if (store && !entry.identifier.empty() && base::EqualsNoCase(entry.identifier, NextStartId()))
    marker.text += (marker.text.empty() ? L"" : L" ") + std::wstring(L"{bootsequence}");
  if (isDefault) marker.image = art::kImageDefaultEntry;
  else if (isRunning) marker.image = art::kImageRunningSystem;
  else if (legacyLoader) marker.image = legacyImage;
  else if (isIniDefault) marker.image = art::kImageDefaultBootIni;

  HWND list = rows_.Handle();
  SetCell(list, row, 0, L"", stateImage);
  SetCell(list, row, 1, name, nameImage);
  SetCell(list, row, 2, KindLabel(entry.sourceKind), kNoImage);
  SetCell(list, row, 3, marker.text, marker.image);
  SetRowData(list, row, entryIndex);
  if (legacyLoader) list_.legacyRow = row;
}

bool OsListPage::ReadBootManager() {
  StoreRead read = list_.LoadBootManager();
  TellStoreRead(read);
  return !read.failed;
}

void OsListPage::TellStoreRead(const StoreRead& read) {
  if (read.load == ManagerLoad::kStoreFileWithoutMenu)
    win::Prompt(Handle(), GetText(IDS_STORE_FILE_EMPTY), AppSettings.appTitle, MB_OK | MB_ICONEXCLAMATION);
  if (read.failed)
    win::Prompt(Handle(), ResultText(*read.failed, L"bcdedit.exe"), AppSettings.appTitle, MB_OK | MB_ICONERROR);
}

bool OsListPage::RefreshList(bool reload) {
  orderChanged_ = false;
  // Unsaved removals go with the rest of the unsaved order; the rebuild marks what it lists.
  for (BootEntry& entry : list_.entries) {
    entry.removed = 0;
    entry.deleteMark = -1;
  }
  // A reload reads the boot manager with everything else, in one listing.
  StoreRead read = list_.Reload(reload ? 1 : 0);
  FillList();
  TellStoreRead(read);
  return !read.failed;
}

int OsListPage::RowOfEntry(int entryIndex) const {
  for (int row = 0, count = rows_.Count(); row < count; ++row) {
    if (static_cast<int>(rows_.Data(row)) == entryIndex) return row;
  }
  return -1;
}

int OsListPage::NeighbourPosition(int position, int step) const {
  int count = static_cast<int>(list_.displayIndex.size());
  for (int at = position + step; at >= 0 && at < count; at += step) {
    int index = list_.displayIndex[at];
    if (!IsEntryIndex(index)) continue;
    const BootEntry& entry = list_.entries[index];
    if (entry.removed || entry.deleteMark == 1) continue;
    return at;
  }
  return -1;
}

void OsListPage::UpdateButtons() {
  bool tools = AppSettings.toolsAvailable;
  bool asDefault = false, modify = false, copy = false, up = false, down = false, remove = false;
  if (hasSelection_ && selectedEntry_ == kBootManagerRow) {
    // The boot manager's own record can be looked at and changed, but it is no menu entry.
    modify = tools;
  } else if (hasSelection_ && IsEntryIndex(selectedEntry_)) {
    const BootEntry& entry = list_.entries[selectedEntry_];
    bool store = entry.sourceKind == kSourceStore;
    bool iniLine = entry.sourceKind == kSourceBootIni;
    const auto& order = list_.displayIndex;
    auto found = std::find(order.begin(), order.end(), selectedEntry_);
    int position = found == order.end() ? -1 : static_cast<int>(found - order.begin());
    auto iniLineAt = [&](int at) { return list_.entries[order[at]].sourceKind == kSourceBootIni; };
    int before = position >= 0 ? NeighbourPosition(position, -1) : -1;
    int after = position >= 0 ? NeighbourPosition(position, 1) : -1;
    bool storeDefaultIsLegacy = IsLegacyLoaderId(list_.bootManager.defaultId);

    modify = !(store && !tools);
    copy = store && tools;
    asDefault = (store && tools && !base::EqualsNoCase(entry.identifier, list_.bootManager.defaultId)) ||
                (iniLine && (!storeDefaultIsLegacy || entry.GetPath() != list_.iniDefault));
    // Store entries stay above the boot.ini lines, and the lines keep among themselves.
    up = before >= 0 && ((store && tools) || (iniLine && iniLineAt(before)));
    down = after >= 0 && selectedRow_ + 1 < rows_.Count() &&
           ((store && tools && !iniLineAt(after)) || (iniLine && iniLineAt(after)));
    remove = AppSettings.enableDelMode && (!store || tools);
  }
  EnableItem(IDC_OSLIST_SET_DEFAULT, asDefault);
  EnableItem(IDC_OSLIST_MODIFY, modify);
  EnableItem(IDC_OSLIST_COPY, copy);
  EnableItem(IDC_OSLIST_MOVE_UP, up);
  EnableItem(IDC_OSLIST_MOVE_DOWN, down);
  EnableItem(IDC_OSLIST_DELETE, remove);
  SyncControls();
}

void OsListPage::SyncControls() {
  bool bcd = AppSettings.bcdSystem;
  EnableItem(IDC_OSLIST_SAVE_ORDER, orderChanged_);
  EnableItem(IDC_OSLIST_APPLY, settingsChanged_);
  EnableItem(IDC_OSLIST_ADD_NEW, (AppSettings.ntldrPresent || bcd) && !(bcd && !AppSettings.toolsAvailable));
  ShowItem(IDC_OSLIST_RELOAD_STORE, !Runner().storeFile.empty());
  ShowItem(IDC_OSLIST_BROWSE_STORE, true);
  EnableItem(IDC_OSLIST_BOOTINI_TIMEOUT, IsItemChecked(IDC_OSLIST_BOOTINI_MENU));
}

void OsListPage::ResetSelection() {
  hasSelection_ = false;
  selectedEntry_ = -1;
  selectedRow_ = -1;
  UpdateButtons();
}

void OsListPage::SelectRow(int row) {
  rows_.Select(row);
  if (row >= 0) ListView_EnsureVisible(rows_.Handle(), row, FALSE);
}

void OsListPage::UpdateStoreLabel(bool initial) {
  const std::wstring& file = Runner().storeFile;
  std::wstring text = GetText(IDS_SYSTEM_STORE);
  if (!file.empty()) text = file.size() < kWholePathLimit ? file : FileNameOf(file);

  HWND label = Item(IDC_OSLIST_STORE_LABEL);
  RECT old = {};
  GetWindowRect(label, &old);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&old), 2);
  SetItemText(IDC_OSLIST_STORE_LABEL, text);
  SIZE extent = {};
  if (HDC dc = GetDC(label)) {
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
  }
  SetWindowPos(label, nullptr, 0, 0, extent.cx + 2, old.bottom - old.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The label has no background of its own: the skin must cover what the old text left.
  InvalidateRect(Handle(), &old, TRUE);
  InvalidateRect(label, nullptr, TRUE);

  int icon = art::kImageOsList;
  if (!initial) {
    if (!file.empty()) icon = art::kImageStoreFile;
    storeLabelTip_.SetText(label, file, true);
    storeLabelTip_.SetTitle(label, GetText(IDS_CURRENT_FILE), 0, 16);
  }
  MakePictureButton(storeIcon_, text);
  storeIcon_.SetIconsFromImageList(context_.buttonImages, icon);
  ShowItem(IDC_OSLIST_RELOAD_STORE, !file.empty());
}

void OsListPage::ToggleLegacyGroup() {
  if (!hasSelection_ || selectedRow_ < 0) return;
  int data = static_cast<int>(rows_.Data(selectedRow_));
  bool legacyLoader = IsEntryIndex(data) && IsLegacyLoaderId(list_.entries[data].identifier);
  if (data != kLegacyGroupRow && !legacyLoader) return;
  if (legacyLoader) list_.legacyRow = selectedRow_;
  if (!AppSettings.ntldrPresent || !AppSettings.bcdSystem) return;
  list_.bootIniExpanded = list_.bootIniExpanded ? 0 : 1;
  FillList();
  SelectRow(list_.legacyRow);
}

HMENU OsListPage::RowMenu() {
  constexpr int kButtons[] = {IDC_OSLIST_SET_DEFAULT, IDC_OSLIST_MODIFY,      IDC_OSLIST_COPY,
                              IDC_OSLIST_MOVE_UP,     IDC_OSLIST_MOVE_DOWN,   IDC_OSLIST_DELETE,
                              IDC_OSLIST_SAVE_ORDER,  IDC_OSLIST_ADD_NEW};
  if (!contextMenu_) {
    HMENU menu = CreatePopupMenu();
    auto add = [menu](UINT id, const std::wstring& text) { AppendMenuW(menu, MF_STRING, id, text.c_str()); };
    auto separate = [menu] { AppendMenuW(menu, MF_SEPARATOR, 0, nullptr); };
    add(IDC_OSLIST_SET_DEFAULT, ItemText(IDC_OSLIST_SET_DEFAULT));
    add(ID_OSLIST_RESTART_ONCE, GetText(IDS_RESTART_ONCE_ITEM));
    add(ID_OSLIST_CANCEL_ONCE, GetText(IDS_CANCEL_ONCE_ITEM));
    add(IDC_OSLIST_MODIFY, ItemText(IDC_OSLIST_MODIFY));
    add(IDC_OSLIST_COPY, ItemText(IDC_OSLIST_COPY));
    separate();
    add(IDC_OSLIST_MOVE_UP, GetText(IDS_MOVE_UP));
    add(IDC_OSLIST_MOVE_DOWN, GetText(IDS_MOVE_DOWN));
    add(IDC_OSLIST_DELETE, GetText(IDS_DELETE));
    separate();
    add(IDC_OSLIST_SAVE_ORDER, GetText(IDS_SAVE_SORT_DELETE));
    separate();
    add(ID_OSLIST_RELOAD_LIST, GetText(IDS_RELOAD_LIST));
    separate();
    add(IDC_OSLIST_ADD_NEW, ItemText(IDC_OSLIST_ADD_NEW));
    separate();
    add(ID_OSLIST_SAVE_SCRIPT, GetText(IDS_SAVE_SCRIPT_ITEM));
    SetMenuDefaultItem(menu, 0, TRUE);
    // Menus before Vista draw item pictures badly.
    if (AppSettings.osClass >= 6) {
      const std::pair<UINT, int> pictures[] = {{IDC_OSLIST_SET_DEFAULT, art::kImageDefaultEntry},
                                               {ID_OSLIST_RELOAD_LIST, art::kImageReload}};
      for (size_t i = 0; i < std::size(pictures); ++i) {
        menuImages_[i] = win::MenuBitmapFromImageList(context_.buttonImages, pictures[i].second);
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_BITMAP;
        info.hbmpItem = menuImages_[i].Get();
        SetMenuItemInfoW(menu, pictures[i].first, FALSE, &info);
      }
    }
    contextMenu_.Reset(menu);
  }
  for (int id : kButtons) {
    EnableMenuItem(contextMenu_.Get(), id, MF_BYCOMMAND | (IsWindowEnabled(Item(id)) ? MF_ENABLED : MF_GRAYED));
  }
  const std::pair<UINT, bool> commands[] = {{ID_OSLIST_RESTART_ONCE, CanRestartIntoOnce()},
                                            {ID_OSLIST_CANCEL_ONCE, CanCancelOneTimeStart()},
                                            {ID_OSLIST_SAVE_SCRIPT, !Runner().changes.done.empty()}};
  for (const auto& [id, enabled] : commands)
    EnableMenuItem(contextMenu_.Get(), id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  return contextMenu_.Get();
}

INT_PTR OsListPage::OnListItemChanged(WPARAM, LPARAM lParam) {
  const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
  if (filling_ || !(change->uChanged & LVIF_STATE)) return 0;
  if (((change->uOldState ^ change->uNewState) & LVIS_SELECTED) == 0) return 0;
  int row = rows_.Selection();
  hasSelection_ = row >= 0;
  selectedRow_ = row;
  selectedEntry_ = row >= 0 ? static_cast<int>(rows_.Data(row)) : -1;
  UpdateButtons();
  return 0;
}

INT_PTR OsListPage::OnListDoubleClick(WPARAM, LPARAM) {
  if (hasSelection_) SetDefault();
  return 0;
}

INT_PTR OsListPage::OnListRightClick(WPARAM, LPARAM lParam) {
  const NMITEMACTIVATE* click = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
  if (click->iItem < 0) return 0;
  POINT at = {};
  GetCursorPos(&at);
  ShowRowMenu(at);
  return 0;
}

INT_PTR OsListPage::OnContextMenu(WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(wParam) != rows_.Handle() || lParam != -1) return FALSE;
  if (rows_.Selection() >= 0) ShowRowMenu(RowMenuPoint(rows_.Handle(), lParam));
  return TRUE;
}

void OsListPage::ShowRowMenu(POINT at) {
  // The chosen command comes back to the page as WM_COMMAND, like the button's own click.
  TrackPopupMenu(RowMenu(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
}

INT_PTR OsListPage::OnListClick(WPARAM, LPARAM lParam) {
  const NMITEMACTIVATE* click = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
  if (click->iItem >= 0 && click->iItem == selectedRow_) ToggleLegacyGroup();
  return 0;
}

// The button and the row menu's Modify; the boot manager row opens the boot manager record.
INT_PTR OsListPage::OnModifyButton(WPARAM, LPARAM) {
  if (!hasSelection_ || !context_.openEntryDialog) return TRUE;
  int entry = selectedEntry_;
  if (entry != -1 && !IsEntryIndex(entry)) return TRUE;
  context_.openEntryDialog(ApplicationWindow(), list_, context_, entry);
  // The dialog read back what it saved: the rows show the store as it is now.
  FillList();
  SelectRow(RowOfEntry(entry));
  return TRUE;
}

INT_PTR OsListPage::OnReloadListCommand(WPARAM, LPARAM) {
  RefreshList(false);
  return TRUE;
}

INT_PTR OsListPage::OnColourStatic(WPARAM wParam, LPARAM lParam) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  HWND control = reinterpret_cast<HWND>(lParam);
  int id = GetDlgCtrlID(control);
  if (id == IDC_OSLIST_LIST_TITLE || id == IDC_OSLIST_MENU_TITLE) {
    SetTextColor(dc, kSectionTitleColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
  }
  if (id == IDC_OSLIST_BOOTINI_MENU) {
    // The check box paints its background with our brush: give it the skin instead.
    DrawSkinBehind(control, dc);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
  }
  INT_PTR result = 0;
  if (SkinPage::OnOtherMessage(WM_CTLCOLORSTATIC, wParam, lParam, result)) return result;
  return 0;
}
