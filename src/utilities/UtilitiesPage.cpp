// The Utilities page: its rows, selection, buttons, context menu and the operations behind them.
#include "utilities/UtilitiesPage.h"

#include "art.h"
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "controls/ButtonPresets.h"
#include "controls/Drawing.h"
#include "resource.h"
#include "texts.h"
#include "utilities/ShortcutDialog.h"
#include "utilities/UtilityIcon.h"
#include "win/MenuBitmap.h"
#include "win/Seams.h"

namespace {

constexpr COLORREF kHeadingColour = RGB(0, 122, 204);
constexpr int kPageIconSize = 16;

// Switches a window's drawing off for the life of the object.
class NoRedraw {
 public:
  explicit NoRedraw(HWND window) : window_(window) { SendMessageW(window_, WM_SETREDRAW, FALSE, 0); }
  ~NoRedraw() {
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window_, nullptr, TRUE);
  }
  NoRedraw(const NoRedraw&) = delete;
  NoRedraw& operator=(const NoRedraw&) = delete;

 private:
  HWND window_;
};

// Enter runs the utility instead of pressing the main window's default button.
constexpr ListKey kListKeys[] = {
    {VK_RETURN, kNoModifier, ID_UTILITIES_RUN},
    {VK_DELETE, kNoModifier, IDC_UTILITIES_DELETE},
};

}  // namespace

const win::MessageEntry<UtilitiesPage> UtilitiesPage::kMessages[] = {
    win::OnNotify(IDC_UTILITIES_LIST, LVN_ITEMCHANGED, &UtilitiesPage::OnSelectionChanged),
    win::OnNotify(IDC_UTILITIES_LIST, NM_DBLCLK, &UtilitiesPage::OnRunNotify),
    win::OnNotify(IDC_UTILITIES_LIST, NM_RCLICK, &UtilitiesPage::OnListRightClick),
    // Menu commands arrive with code 0, which is BN_CLICKED: one row serves the button and the menu.
    win::OnCommand(ID_UTILITIES_RUN, 0, &UtilitiesPage::OnRun),
    win::OnCommand(IDC_UTILITIES_ADD, BN_CLICKED, &UtilitiesPage::OnAdd),
    win::OnCommand(IDC_UTILITIES_MODIFY, BN_CLICKED, &UtilitiesPage::OnModify),
    win::OnCommand(IDC_UTILITIES_DELETE, BN_CLICKED, &UtilitiesPage::OnDelete),
    win::OnMessage(WM_CONTEXTMENU, &UtilitiesPage::OnSystemContextMenu),
};

UtilitiesPage::UtilitiesPage(const PageContext& context)
    : SkinPage(IDD_UTILITIES, kMessages), context_(context), utilities_(AppSettings.pluginsFile) {}

BOOL UtilitiesPage::OnInit() {
  pageIcon_.Attach(Handle(), IDC_UTILITIES_PAGE_ICON);
  add_.Attach(Handle(), IDC_UTILITIES_ADD);
  modify_.Attach(Handle(), IDC_UTILITIES_MODIFY);
  delete_.Attach(Handle(), IDC_UTILITIES_DELETE);
  SetUpButtons();
  list_.Attach(Item(IDC_UTILITIES_LIST));
  listKeys_.Attach(list_.Handle());
  listKeys_.SetKeys(kListKeys);
  list_.SetImageList(context_.systemLarge, LVSIL_NORMAL);

  utilities_.Append(MakeBuiltInUtility());
  utilities_.LoadUtilities();
  {
    NoRedraw quiet(list_.Handle());
    for (int index = 0; index < utilities_.Count(); ++index) ShowRow(index, false);
  }
  utilities_.Compact();
  ShowDetails();
  return TRUE;
}

void UtilitiesPage::SetUpButtons() {
  // The template's captions ("+", "M", "X", "i") only name the buttons; each shows a picture.
  MakeImageButton(add_, context_.buttonImages, art::kImageAdd, IDR_HAND_CURSOR, GetText(IDS_ADD_NEW));
  MakeImageButton(modify_, context_.buttonImages, art::kImageModify, IDR_HAND_CURSOR, GetText(IDS_MODIFY));
  MakeImageButton(delete_, context_.buttonImages, art::kImageDelete, IDR_HAND_CURSOR, GetText(IDS_DELETE));
  MakePictureButton(pageIcon_, ItemText(IDC_UTILITIES_CAPTION));
  pageIcon_.SetIcon(IDI_UTILITIES, kPageIconSize, kPageIconSize);
}

void UtilitiesPage::Refresh(int) { ReadSelection(); }

void UtilitiesPage::Relocalize() {
  SkinPage::Relocalize();
  contextMenu_.Reset();
  SetUpButtons();
  if (utilities_.IsBuiltIn(0)) {
    UtilityItem& builtIn = utilities_.At(0);
    builtIn.name = GetText(IDS_INTERNET_OPTIONS);
    builtIn.info = GetText(IDS_INTERNET_OPTIONS_INFO);
    RefreshRow(0, false);
  }
  ReadSelection();
}

int UtilitiesPage::RowOfItem(int index) const {
  LVFINDINFOW find = {};
  find.flags = LVFI_PARAM;
  find.lParam = index;
  return static_cast<int>(list_.Send(LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

int UtilitiesPage::ShowRow(int index, bool force) {
  UtilityItem& item = utilities_.At(index);
  if (force || item.iconIndex == -1) item.iconIndex = GetUtilityIcon(item.cmd, false);
  return list_.InsertRow(list_.Count(), item.name, item.iconIndex, index);
}

void UtilitiesPage::RefreshRow(int index, bool force) {
  int row = RowOfItem(index);
  bool selected = row >= 0 && ListView_GetItemState(list_.Handle(), row, LVIS_SELECTED);
  {
    NoRedraw quiet(list_.Handle());
    // Deleting a row tells the page nothing of the selection it took along.
    if (row >= 0) ListView_DeleteItem(list_.Handle(), row);
    row = ShowRow(index, force);
  }
  if (selected) list_.Select(row);
}

void UtilitiesPage::ReadSelection() {
  hasSelection_ = false;
  int row = list_.Selection();
  if (row >= 0) {
    hasSelection_ = true;
    selectedIndex_ = static_cast<int>(list_.Data(row));
  }
  bool editable = hasSelection_ && utilities_.IsEditable(selectedIndex_);
  EnableWindow(modify_.Handle(), editable);
  EnableWindow(delete_.Handle(), editable);
  ShowDetails();
}

void UtilitiesPage::ShowDetails() {
  std::wstring details = GetText(IDS_SELECT_FOR_DETAILS);
  if (hasSelection_ && utilities_.Contains(selectedIndex_)) {
    const UtilityItem& item = utilities_.At(selectedIndex_);
    details = item.info.empty() ? item.cmd : item.info;
  }
  SetItemText(IDC_UTILITIES_DETAILS, details);
  // The label has no brush: without the skin drawn again under it, old text would stay behind.
  RedrawWithParent(Item(IDC_UTILITIES_DETAILS));
}

INT_PTR UtilitiesPage::OnSelectionChanged(WPARAM, LPARAM lParam) {
  const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
  if (change->uChanged & LVIF_STATE) ReadSelection();
  return 0;
}

void UtilitiesPage::TellNotSaved() const {
  win::Prompt(Handle(), base::Format(GetText(IDS_UTILITY_NOT_SAVED), utilities_.File()), AppSettings.appTitle,
              MB_OK | MB_ICONERROR);
}

int UtilitiesPage::AddUtility(const std::wstring& name, const std::wstring& info, const std::wstring& cmd) {
  int index = utilities_.AddUtility(name, info, cmd);
  if (index == kUtilityNotSaved) TellNotSaved();
  if (index >= 0) {
    NoRedraw quiet(list_.Handle());
    ShowRow(index, true);
  }
  return index;
}

bool UtilitiesPage::ChangeUtility(int index, const std::wstring& name, const std::wstring& info,
                                  const std::wstring& cmd) {
  if (!utilities_.ChangeUtility(index, name, info, cmd)) {
    if (utilities_.IsEditable(index)) TellNotSaved();
    return false;
  }
  RefreshRow(index, true);
  ReadSelection();
  return true;
}

void UtilitiesPage::RunSelected() {
  if (hasSelection_) utilities_.RunUtility(Handle(), selectedIndex_);
}

void UtilitiesPage::AddNew() {
  ShortcutDialog dialog(*this, -1);
  dialog.RunModal(Handle());
}

void UtilitiesPage::ModifySelected() {
  if (!utilities_.IsEditable(selectedIndex_) || RowOfItem(selectedIndex_) < 0) return;
  ShortcutDialog dialog(*this, selectedIndex_);
  dialog.RunModal(Handle());
}

void UtilitiesPage::DeleteSelected() {
  if (!utilities_.IsEditable(selectedIndex_)) return;
  int row = RowOfItem(selectedIndex_);
  if (row < 0) return;
  if (win::Prompt(Handle(), GetText(IDS_ASK_DELETE_UTILITY), AppSettings.appTitle,
                  MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return;
  // The row goes only with its section: one left behind would be back at the next start.
  if (!utilities_.DeleteUtility(selectedIndex_)) {
    TellNotSaved();
    return;
  }
  {
    NoRedraw quiet(list_.Handle());
    ListView_DeleteItem(list_.Handle(), row);
  }
  ReadSelection();
}

HMENU UtilitiesPage::ContextMenu() {
  if (!contextMenu_) {
    contextMenu_.Reset(CreatePopupMenu());
    HMENU menu = contextMenu_.Get();
    AppendMenuW(menu, MF_STRING, ID_UTILITIES_RUN, GetText(IDS_RUN_IT).c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDC_UTILITIES_MODIFY, GetText(IDS_MODIFY).c_str());
    AppendMenuW(menu, MF_STRING, IDC_UTILITIES_DELETE, GetText(IDS_DELETE).c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, IDC_UTILITIES_ADD, GetText(IDS_ADD_NEW).c_str());
    SetMenuDefaultItem(menu, 0, TRUE);
    // Menu pictures with alpha came with Vista.
    if (AppSettings.osClass >= 6 && context_.buttonImages) {
      addMenuImage_ = win::MenuBitmapFromImageList(context_.buttonImages, art::kImageAdd);
      MENUITEMINFOW picture = {};
      picture.cbSize = sizeof(picture);
      picture.fMask = MIIM_BITMAP;
      picture.hbmpItem = addMenuImage_.Get();
      SetMenuItemInfoW(menu, IDC_UTILITIES_ADD, FALSE, &picture);
    }
  }
  HMENU menu = contextMenu_.Get();
  for (int id : {IDC_UTILITIES_MODIFY, IDC_UTILITIES_DELETE})
    EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (IsWindowEnabled(Item(id)) ? MF_ENABLED : MF_GRAYED));
  return menu;
}

INT_PTR UtilitiesPage::OnListRightClick(WPARAM, LPARAM) {
  POINT cursor = {};
  GetCursorPos(&cursor);
  ShowContextMenu(cursor);
  return TRUE;
}

// A click was answered as NM_RCLICK already; only the keyboard's menu key and Shift+F10 are left.
INT_PTR UtilitiesPage::OnSystemContextMenu(WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(wParam) == list_.Handle() && lParam == -1)
    ShowContextMenu(RowMenuPoint(list_.Handle(), lParam));
  return TRUE;
}

void UtilitiesPage::ShowContextMenu(POINT at) {
  if (!hasSelection_ || selectedIndex_ == -1) return;
  TrackPopupMenu(ContextMenu(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
}

bool UtilitiesPage::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  bool handled = SkinPage::OnOtherMessage(message, wParam, lParam, result);
  if (message == WM_CTLCOLORSTATIC) {
    int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    if (id == IDC_UTILITIES_LIST_TITLE || id == IDC_UTILITIES_DETAILS_TITLE)
      SetTextColor(reinterpret_cast<HDC>(wParam), kHeadingColour);
  }
  return handled;
}
