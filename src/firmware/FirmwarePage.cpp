// The Firmware page: reading the firmware's menu, the one-time start, the order and the setup.
#include "firmware/FirmwarePage.h"

#include "art.h"
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Strings.h"
#include "base/Texts.h"
#include "controls/ButtonPresets.h"
#include "controls/Drawing.h"
#include "store/RestartComputer.h"
#include "resource.h"
#include "store/FileRoutines.h"
#include "store/FirmwareStore.h"
#include "store/RestartComputer.h"
#include "texts.h"
#include "win/Dpi.h"
#include "win/Seams.h"

namespace {

constexpr DWORD kListStyle = LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;
// Windows 8 is the first whose shutdown.exe restarts into the firmware's setup.
constexpr int kFirstClassWithFirmwareSetup = 8;
// Enter starts the entry once as a double-click does; each key goes through its button.
constexpr ListKey kRowKeys[] = {
    {VK_RETURN, kNoModifier, IDC_FIRMWARE_ONCE},
    {VK_UP, kAltKey, IDC_FIRMWARE_MOVE_UP},
    {VK_DOWN, kAltKey, IDC_FIRMWARE_MOVE_DOWN},
    {VK_F5, kNoModifier, ID_FIRMWARE_RELOAD},
};

constexpr UINT kKindTexts[] = {IDS_FIRMWARE_KIND_WINDOWS, IDS_FIRMWARE_KIND_OTHER_SYSTEM, IDS_FIRMWARE_KIND_REMOVABLE,
                               IDS_FIRMWARE_KIND_NETWORK, IDS_FIRMWARE_KIND_OTHER};

std::wstring NameOf(const FirmwareEntry& entry) {
  return entry.description.empty() ? entry.identifier : entry.description;
}

std::wstring WhereOf(const FirmwareEntry& entry) {
  if (entry.path.empty()) return entry.device;
  if (entry.device.empty()) return entry.path;
  return entry.path + L" (" + entry.device + L")";
}

std::wstring MarksOf(const FirmwareMenu& menu, const FirmwareEntry& entry) {
  std::wstring marks;
  if (entry.bootManager) marks = L"{bootmgr}";
  if (StartsOnce(menu, entry.identifier)) marks += (marks.empty() ? L"" : L" ") + std::wstring(L"{bootsequence}");
  return marks;
}

std::vector<std::wstring> IdentifiersOf(const std::vector<FirmwareEntry>& entries) {
  std::vector<std::wstring> identifiers;
  for (const FirmwareEntry& entry : entries) identifiers.push_back(entry.identifier);
  return identifiers;
}

bool SameSequence(const std::vector<std::wstring>& a, const std::vector<std::wstring>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (!base::EqualsNoCase(a[i], b[i])) return false;
  return true;
}

std::wstring NativeSystemFolder() {
  wchar_t buffer[MAX_PATH] = {};
  UINT length = GetSystemDirectoryW(buffer, MAX_PATH);
  std::wstring folder = AddTrailingSlash(std::wstring(buffer, length < MAX_PATH ? length : 0));
  // The 32-bit process sees the 32-bit system folder; the native shutdown.exe is the one to start.
  if (Runner().isWow64) folder = base::ReplaceFirstNoCase(folder, L"\\system32\\", L"\\SysNative\\");
  return folder;
}

}  // namespace

const win::MessageEntry<FirmwarePage> FirmwarePage::kMessages[] = {
    win::OnNotify(IDC_FIRMWARE_LIST, LVN_ITEMCHANGED, &FirmwarePage::OnSelectionChanged),
    win::OnNotify(IDC_FIRMWARE_LIST, NM_DBLCLK, &FirmwarePage::OnDoubleClick),
    win::OnNotify(IDC_FIRMWARE_LIST, NM_RCLICK, &FirmwarePage::OnRightClick),
    win::OnCommand(IDC_FIRMWARE_ONCE, BN_CLICKED, &FirmwarePage::OnOnce),
    win::OnCommand(IDC_FIRMWARE_MOVE_UP, BN_CLICKED, &FirmwarePage::OnMoveUp),
    win::OnCommand(IDC_FIRMWARE_MOVE_DOWN, BN_CLICKED, &FirmwarePage::OnMoveDown),
    win::OnCommand(IDC_FIRMWARE_SAVE_ORDER, BN_CLICKED, &FirmwarePage::OnSaveOrder),
    win::OnCommand(IDC_FIRMWARE_SETUP, BN_CLICKED, &FirmwarePage::OnSetup),
    win::OnCommand(ID_FIRMWARE_RELOAD, 0, &FirmwarePage::OnReload),
    win::OnCommand(IDC_FIRMWARE_ADD_EFI, BN_CLICKED, &FirmwarePage::OnAddEfi),
    win::OnCommand(IDC_FIRMWARE_RENAME, BN_CLICKED, &FirmwarePage::OnRename),
    win::OnCommand(IDC_FIRMWARE_REMOVE_FROM_ORDER, BN_CLICKED, &FirmwarePage::OnRemoveFromOrder),
    win::OnCommand(IDC_FIRMWARE_ADD_TO_ORDER, BN_CLICKED, &FirmwarePage::OnAddToOrder),
    win::OnCommand(IDC_FIRMWARE_DELETE, BN_CLICKED, &FirmwarePage::OnDelete),
    win::OnCommand(IDC_FIRMWARE_SET_TIMEOUT, BN_CLICKED, &FirmwarePage::OnSetTimeout),
    win::OnCommand(ID_FIRMWARE_CANCEL_ONCE, 0, &FirmwarePage::OnCancelOnce),
    win::OnMessage(WM_TIMER, &FirmwarePage::OnTimer),
    win::OnMessage(WM_CONTEXTMENU, &FirmwarePage::OnContextMenu),
};

FirmwarePage::FirmwarePage(const PageContext& context) : SkinPage(IDD_FIRMWARE, kMessages), context_(context) {}

BOOL FirmwarePage::OnInit() {
  rows_.Attach(Item(IDC_FIRMWARE_LIST));
  rowKeys_.Attach(rows_.Handle());
  rowKeys_.SetKeys(kRowKeys);
  pageIcon_.Attach(Handle(), IDC_FIRMWARE_PAGE_ICON);
  moveUp_.Attach(Handle(), IDC_FIRMWARE_MOVE_UP);
  moveDown_.Attach(Handle(), IDC_FIRMWARE_MOVE_DOWN);
  SetUpButtons();
  CreateColumns();
  Load();
  return TRUE;
}

void FirmwarePage::SetUpButtons() {
  // The page icon only shows a picture: no border, no cursor, no tooltip; its name is the page's.
  MakePictureButton(pageIcon_, ItemText(IDC_FIRMWARE_CAPTION));
  pageIcon_.SetIcon(IDI_FIRMWARE, 16, 16);
  pageIcon_.SizeToImage();
  MakeImageButton(moveUp_, context_.buttonImages, art::kImageMoveUp, kHandCursor, GetText(IDS_MOVE_UP));
  MakeImageButton(moveDown_, context_.buttonImages, art::kImageMoveDown, kHandCursor, GetText(IDS_MOVE_DOWN));
}

void FirmwarePage::CreateColumns() {
  rows_.SetExtendedStyle(kListStyle);
  rows_.SetImageList(context_.buttonImages, LVSIL_SMALL);
  RECT client = {};
  GetClientRect(rows_.Handle(), &client);
  int width = client.right - client.left;
  // The name and where it starts from say most; the marks are short.
  rows_.InsertColumn(0, GetText(IDS_COLUMN_NAME), width * 36 / 100);
  rows_.InsertColumn(1, GetText(IDS_COLUMN_TYPE), width * 22 / 100);
  rows_.InsertColumn(2, GetText(IDS_COLUMN_PATH_DEVICE), width * 28 / 100);
  rows_.InsertColumn(3, GetText(IDS_COLUMN_INFORMATION), width * 14 / 100 - win::ScaleToDpi(4, win::DpiOf(Handle())));
}

void FirmwarePage::Relocalize() {
  SkinPage::Relocalize();
  SetUpButtons();
  const UINT titles[] = {IDS_COLUMN_NAME, IDS_COLUMN_TYPE, IDS_COLUMN_PATH_DEVICE, IDS_COLUMN_INFORMATION};
  for (int column = 0; column < 4; ++column) {
    std::wstring title = GetText(titles[column]);
    LVCOLUMNW item = {};
    item.mask = LVCF_TEXT;
    item.pszText = title.data();
    ListView_SetColumn(rows_.Handle(), column, &item);
  }
  if (loaded_) FillList(SelectedRow());
}

void FirmwarePage::Refresh(int) {
  if (Handle() && !orderChanged_) Load();
}

bool FirmwarePage::CanChange() const {
  return menu_.present && AppSettings.toolsAvailable && Runner().storeFile.empty();
}

void FirmwarePage::Load() {
  loaded_ = true;
  orderChanged_ = false;
  menu_ = FirmwareMenu();
  std::wstring note;
  if (!Runner().storeFile.empty()) {
    note = GetText(IDS_FIRMWARE_STORE_FILE);
  } else if (!AppSettings.toolsAvailable) {
    note = GetText(IDS_NOTE_NO_BCDEDIT);
  } else {
    FirmwareRead read = ReadFirmwareMenu();
    menu_ = read.menu;
    if (!read.run.started) {
      note = base::Format(GetText(IDS_FIRMWARE_READ_FAILED), ResultText(read.run, L"bcdedit.exe"));
    } else if (!menu_.present) {
      // A BIOS machine's store has no firmware boot manager: the tool lists nothing or says the
      // object is not there, in the machine's language. Either way there is nothing to show.
      note = GetText(IDS_FIRMWARE_BIOS);
    }
  }
  shown_ = menu_.entries;
  SetNote(note);
  SetItemText(IDC_FIRMWARE_TIMEOUT,
              menu_.timeout >= 0 ? base::Format(GetText(IDS_FIRMWARE_TIMEOUT), menu_.timeout) : std::wstring());
  FillList(-1);
}

void FirmwarePage::SetNote(const std::wstring& text) { SetItemText(IDC_FIRMWARE_NOTE, text); }

void FirmwarePage::FillList(int selectRow) {
  rows_.DeleteAll();
  for (size_t i = 0; i < shown_.size(); ++i) {
    const FirmwareEntry& entry = shown_[i];
    int image = entry.kind == FirmwareKind::kWindowsBootManager ? art::kImageFirstRow : art::kImageBcdEntry;
    int row = rows_.InsertRow(static_cast<int>(i), NameOf(entry), image, static_cast<LPARAM>(i));
    rows_.SetCell(row, 1, GetText(kKindTexts[static_cast<int>(entry.kind)]));
    rows_.SetCell(row, 2, WhereOf(entry));
    rows_.SetCell(row, 3, MarksOf(menu_, entry));
  }
  AddOffOrderRows();
  if (selectRow >= 0 && selectRow < rows_.Count()) rows_.Select(selectRow);
  UpdateButtons();
  TellOneTimeStart();
}

int FirmwarePage::SelectedRow() const { return rows_.Handle() ? rows_.Selection() : -1; }

void FirmwarePage::UpdateButtons() {
  int row = SelectedRow();
  // The rows below the order are entries on no order: they neither start once nor move.
  bool change = CanChange() && row < static_cast<int>(shown_.size());
  EnableItem(IDC_FIRMWARE_ONCE, change && row >= 0);
  EnableItem(IDC_FIRMWARE_MOVE_UP, change && row > 0);
  EnableItem(IDC_FIRMWARE_MOVE_DOWN, change && row >= 0 && row + 1 < static_cast<int>(shown_.size()));
  EnableItem(IDC_FIRMWARE_SAVE_ORDER, CanChange() && orderChanged_);
  EnableItem(IDC_FIRMWARE_SETUP, menu_.present && AppSettings.osClass >= kFirstClassWithFirmwareSetup);
  UpdateEditButtons(row);
}

int FirmwarePage::Tell(const std::wstring& text, UINT flags) const {
  return win::Prompt(Handle(), text, AppSettings.appTitle, flags);
}

void FirmwarePage::Move(int step) {
  int row = SelectedRow();
  int target = row + step;
  if (!CanChange() || row < 0 || target < 0 || target >= static_cast<int>(shown_.size())) return;
  std::swap(shown_[row], shown_[target]);
  orderChanged_ = !SameSequence(IdentifiersOf(shown_), IdentifiersOf(menu_.entries));
  FillList(target);
}

bool FirmwarePage::ReadBack(const std::wstring& description, UINT failureText) {
  FirmwareRead read = ReadFirmwareMenu();
  if (read.menu.present) {
    menu_ = read.menu;
    return true;
  }
  Tell(base::Format(GetText(failureText), description, ResultText(read.run, L"bcdedit.exe")), MB_OK | MB_ICONERROR);
  return false;
}

bool FirmwarePage::SaveOrder(bool ask) {
  if (!CanChange() || !orderChanged_) return true;
  if (ask) {
    std::wstring names;
    for (size_t i = 0; i < shown_.size(); ++i) names += base::Format(L"%d. %s\n", static_cast<int>(i + 1), NameOf(shown_[i]));
    if (Tell(base::Format(GetText(IDS_ASK_SAVE_FIRMWARE_ORDER), names), MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
  }
  const std::vector<std::wstring> order = IdentifiersOf(shown_);
  ToolResult written = WriteFirmwareOrder(order);
  FirmwareRead read = ReadFirmwareMenu();
  // The exit code and the order read back decide: the tool's words are in the machine's language.
  bool saved = written.Succeeded() && read.menu.present && SameSequence(IdentifiersOf(read.menu.entries), order);
  if (saved) {
    menu_ = read.menu;
    shown_ = menu_.entries;
    orderChanged_ = false;
    FillList(SelectedRow());
    Tell(GetText(IDS_FIRMWARE_ORDER_SAVED), MB_OK | MB_ICONINFORMATION);
    return true;
  }
  Tell(base::Format(GetText(IDS_FIRMWARE_ORDER_FAILED), written.started ? ResultText(written, L"bcdedit.exe") : L""),
       MB_OK | MB_ICONERROR);
  // The list shows what the firmware has now, not the order that did not arrive.
  Load();
  return false;
}

bool FirmwarePage::ConfirmLeave() {
  if (!orderChanged_) return true;
  int answer = Tell(GetText(IDS_ASK_DISCARD_FIRMWARE_ORDER), MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON3);
  if (answer == IDYES) return SaveOrder(false);
  if (answer != IDNO) return false;
  Load();
  return true;
}

bool FirmwarePage::PutBackBootSequence(const std::vector<std::wstring>& earlier, std::wstring& toolText) {
  ToolResult result = SetFirmwareBootSequence(earlier);
  toolText = result.text;
  FirmwareRead read = ReadFirmwareMenu();
  if (read.menu.present) menu_ = read.menu;
  // The tool may say it failed because there was nothing left to delete: the store decides.
  return read.menu.present && SameSequence(read.menu.bootSequence, earlier);
}

void FirmwarePage::RestartIntoOnce() {
  int row = SelectedRow();
  if (!CanChange() || row < 0 || row >= static_cast<int>(shown_.size())) return;
  const FirmwareEntry entry = shown_[row];
  const std::wstring name = NameOf(entry);
  // What the firmware was to start once before (another program's wish) is what it gets back
  // when no restart follows.
  if (!ReadBack(name, IDS_FIRMWARE_ONCE_FAILED)) return;
  const std::vector<std::wstring> earlier = menu_.bootSequence;

  ToolResult set = SetFirmwareBootSequence({entry.identifier});
  FirmwareRead read = ReadFirmwareMenu();
  if (read.menu.present) menu_ = read.menu;
  std::wstring toolText;
  if (!set.Succeeded() || !read.menu.present || !StartsOnce(read.menu, entry.identifier)) {
    std::wstring text = base::Format(GetText(IDS_FIRMWARE_ONCE_FAILED), name, set.started ? ResultText(set, L"bcdedit.exe") : L"");
    // Whatever the tool did change must not start at the next restart unseen.
    bool changed = set.Succeeded() || !read.menu.present || !SameSequence(read.menu.bootSequence, earlier);
    if (changed && !PutBackBootSequence(earlier, toolText))
      text += L"\n\n" + base::Format(GetText(IDS_START_ONCE_NOT_CANCELLED), name, toolText);
    FillList(row);
    Tell(text, MB_OK | MB_ICONERROR);
    return;
  }
  FillList(row);
  std::wstring question = base::Format(GetText(IDS_STARTS_ONCE), name) + GetText(IDS_ASK_RESTART_INTO_OS);
  bool yes = win::Prompt(Handle(), question, GetText(IDS_CONFIRM_RESTART_CAPTION), MB_YESNO | MB_ICONQUESTION) == IDYES;
  if (yes && RestartComputer(false)) {
    // Windows has only begun the restart; until the session ends it may still be cancelled.
    armedRestart_.Arm(Handle(), earlier, name);
    return;
  }
  // Not now, or the restart did not happen: left in place, the entry would start at whatever
  // restart comes next.
  bool putBack = PutBackBootSequence(earlier, toolText);
  FillList(row);
  std::wstring outcome = putBack ? base::Format(GetText(IDS_START_ONCE_TAKEN_BACK), name)
                                 : base::Format(GetText(IDS_START_ONCE_NOT_CANCELLED), name, toolText);
  if (yes)
    Tell(GetText(IDS_RESTART_FAILED) + L"\n\n" + outcome, MB_OK | MB_ICONERROR);
  else if (!putBack)
    Tell(outcome, MB_OK | MB_ICONERROR);
}

void FirmwarePage::RestartIntoSetup() {
  if (!menu_.present || AppSettings.osClass < kFirstClassWithFirmwareSetup) return;
  if (Tell(GetText(IDS_ASK_FIRMWARE_SETUP), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) return;
  ToolResult run = Runner().ExecuteChecked(L"shutdown.exe", NativeSystemFolder(), L"/r /fw /t 0", 1);
  if (run.Succeeded()) return;
  Tell(base::Format(GetText(IDS_FIRMWARE_SETUP_FAILED), ResultText(run, L"shutdown.exe")), MB_OK | MB_ICONERROR);
}

INT_PTR FirmwarePage::OnDoubleClick(WPARAM, LPARAM lParam) {
  if (reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem >= 0) RestartIntoOnce();
  return 0;
}

INT_PTR FirmwarePage::OnRightClick(WPARAM, LPARAM lParam) {
  if (reinterpret_cast<const NMITEMACTIVATE*>(lParam)->iItem < 0) return 0;
  POINT at = {};
  GetCursorPos(&at);
  ShowRowMenu(at);
  return 0;
}

INT_PTR FirmwarePage::OnContextMenu(WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(wParam) != rows_.Handle() || lParam != -1) return FALSE;
  if (SelectedRow() >= 0) ShowRowMenu(RowMenuPoint(rows_.Handle(), lParam));
  return TRUE;
}

void FirmwarePage::ShowRowMenu(POINT at) {
  HMENU menu = CreatePopupMenu();
  auto add = [&](UINT id, const std::wstring& text) {
    AppendMenuW(menu, MF_STRING | (IsWindowEnabled(Item(id)) || id == ID_FIRMWARE_RELOAD ? 0 : MF_GRAYED), id,
                text.c_str());
  };
  add(IDC_FIRMWARE_ONCE, ItemText(IDC_FIRMWARE_ONCE));
  AppendMenuW(menu, MF_STRING | (CanCancelOneTimeStart() ? 0 : MF_GRAYED), ID_FIRMWARE_CANCEL_ONCE,
              GetText(IDS_CANCEL_ONCE_ITEM).c_str());
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  add(IDC_FIRMWARE_MOVE_UP, GetText(IDS_MOVE_UP));
  add(IDC_FIRMWARE_MOVE_DOWN, GetText(IDS_MOVE_DOWN));
  add(IDC_FIRMWARE_SAVE_ORDER, ItemText(IDC_FIRMWARE_SAVE_ORDER));
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  for (int id : {IDC_FIRMWARE_RENAME, IDC_FIRMWARE_REMOVE_FROM_ORDER, IDC_FIRMWARE_ADD_TO_ORDER, IDC_FIRMWARE_DELETE})
    add(id, ItemText(id));
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  add(ID_FIRMWARE_RELOAD, GetText(IDS_RELOAD_LIST));
  SetMenuDefaultItem(menu, 0, TRUE);
  // The chosen command comes back to the page as WM_COMMAND, like the button's own click.
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
  DestroyMenu(menu);
}

bool FirmwarePage::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  if (message == WM_NOTIFY && GreyOffOrderRows(lParam, result)) return true;
  // Shown again: another program (or the OS list's store switch) may have changed the menu.
  if (message == WM_SHOWWINDOW && !wParam) stale_ = true;
  if (message == WM_SHOWWINDOW && wParam && stale_ && !orderChanged_) {
    stale_ = false;
    Load();
  }
  return SkinPage::OnOtherMessage(message, wParam, lParam, result);
}
