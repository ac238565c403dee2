// The OS list page: construction, the message table and the page's initialisation.
#include "oslist/OsListPage.h"

#include "art.h"
#include "base/AppSettings.h"
#include "base/Format.h"
#include "base/Texts.h"
#include "controls/ButtonPresets.h"
#include "controls/Drawing.h"
#include "resource.h"
#include "store/BcdEditRunner.h"
#include "texts.h"
#include "win/Dpi.h"
#include "win/Seams.h"

namespace {

// Report view, full-row select, images in every column, info tips.
constexpr DWORD kListStyle = LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;
constexpr int kStateColumnWidth = 20;
// Enter sets the default as a double-click does; each key goes through its button.
constexpr ListKey kRowKeys[] = {
    {VK_RETURN, kNoModifier, IDC_OSLIST_SET_DEFAULT}, {VK_DELETE, kNoModifier, IDC_OSLIST_DELETE},
    {VK_UP, kAltKey, IDC_OSLIST_MOVE_UP},             {VK_DOWN, kAltKey, IDC_OSLIST_MOVE_DOWN},
    {VK_F5, kNoModifier, ID_OSLIST_RELOAD_LIST},
};

}  // namespace

const win::MessageEntry<OsListPage> OsListPage::kMessages[] = {
    win::OnNotify(IDC_OSLIST_LIST, LVN_ITEMCHANGED, &OsListPage::OnListItemChanged),
    win::OnNotify(IDC_OSLIST_LIST, NM_DBLCLK, &OsListPage::OnListDoubleClick),
    win::OnNotify(IDC_OSLIST_LIST, NM_RCLICK, &OsListPage::OnListRightClick),
    win::OnNotify(IDC_OSLIST_LIST, NM_CLICK, &OsListPage::OnListClick),
    win::OnCommand(IDC_OSLIST_SET_DEFAULT, BN_CLICKED, &OsListPage::OnSetDefaultButton),
    win::OnCommand(IDC_OSLIST_MODIFY, BN_CLICKED, &OsListPage::OnModifyButton),
    win::OnCommand(ID_OSLIST_RELOAD_LIST, 0, &OsListPage::OnReloadListCommand),
    win::OnCommand(ID_OSLIST_RESTART_ONCE, 0, &OsListPage::OnRestartOnce),
    win::OnCommand(ID_OSLIST_SAVE_SCRIPT, 0, &OsListPage::OnSaveScript),
    win::OnCommand(ID_OSLIST_CANCEL_ONCE, 0, &OsListPage::OnCancelOnce),
    win::OnMessage(WM_TIMER, &OsListPage::OnTimer),
    win::OnCommand(IDC_OSLIST_MOVE_UP, BN_CLICKED, &OsListPage::OnMoveUp),
    win::OnCommand(IDC_OSLIST_MOVE_DOWN, BN_CLICKED, &OsListPage::OnMoveDown),
    win::OnCommand(IDC_OSLIST_DELETE, BN_CLICKED, &OsListPage::OnDelete),
    win::OnCommand(IDC_OSLIST_SAVE_ORDER, BN_CLICKED, &OsListPage::OnSaveOrder),
    win::OnCommand(IDC_OSLIST_ADD_NEW, BN_CLICKED, &OsListPage::OnAddNew),
    win::OnCommand(IDC_OSLIST_APPLY, BN_CLICKED, &OsListPage::OnApply),
    win::OnCommand(IDC_OSLIST_BOOTINI_MENU, BN_CLICKED, &OsListPage::OnBootIniMenuCheck),
    win::OnCommand(IDC_OSLIST_BOOTINI_TIMEOUT, EN_CHANGE, &OsListPage::OnBootIniTimeoutChange),
    win::OnCommand(IDC_OSLIST_BCD_TIMEOUT, EN_CHANGE, &OsListPage::OnBcdTimeoutChange),
    win::OnCommand(IDC_OSLIST_MENU_LANGUAGE, CBN_SELCHANGE, &OsListPage::OnMenuLanguageChange),
    win::OnCommand(IDC_OSLIST_MENU_STYLE, CBN_SELCHANGE, &OsListPage::OnMenuStyleChange),
    win::OnCommand(IDC_OSLIST_BROWSE_STORE, BN_CLICKED, &OsListPage::OnBrowseStore),
    win::OnCommand(IDC_OSLIST_RELOAD_STORE, BN_CLICKED, &OsListPage::OnReloadStore),
    win::OnCommand(IDC_OSLIST_COPY, BN_CLICKED, &OsListPage::OnCopy),
    win::OnCommand(IDC_OSLIST_CHECK, BN_CLICKED, &OsListPage::OnCheckEntries),
    win::OnNotify(IDC_OSLIST_LIST, LVN_GETINFOTIPW, &OsListPage::OnListInfoTip),
    win::OnMessage(WM_CTLCOLORSTATIC, &OsListPage::OnColourStatic),
    win::OnMessage(WM_CONTEXTMENU, &OsListPage::OnContextMenu),
};

OsListPage::OsListPage(const PageContext& context) : SkinPage(IDD_OSLIST, kMessages), context_(context) {
  if (!list_.InitialLoad()) {
    win::Prompt(nullptr, base::Format(GetText(IDS_TOOL_MISSING), L"BCDEdit.exe", Runner().toolDir),
                AppSettings.appTitle, MB_OK | MB_ICONINFORMATION);
  }
}

OsListPage::~OsListPage() {
  if (headerImages_) ImageList_Destroy(headerImages_);
}

// The dialog base has already put the language's texts on the page.
BOOL OsListPage::OnInit() {
  rows_.Attach(Item(IDC_OSLIST_LIST));
  rowKeys_.Attach(rows_.Handle());
  rowKeys_.SetKeys(kRowKeys);
  menuLanguage_.Attach(Item(IDC_OSLIST_MENU_LANGUAGE));
  menuStyle_.Attach(Item(IDC_OSLIST_MENU_STYLE));
  SetUpButtons();
  CreateColumns();
  UpdateStoreLabel(true);
  // A store the tool could not list at start has been told of once; reading it again for the
  // timeout would only tell it twice.
  if (RefreshList(false)) TakeStoreTimeout();
  // Fills the two menu combo boxes on first use: only now is the boot manager's timeout known,
  // which it shows beside them.
  InitMenuSettings();
  SyncControls();
  return TRUE;
}

void OsListPage::SetUpButtons() {
  HIMAGELIST images = context_.buttonImages;
  if (!moveUp_.Handle()) {
    moveUp_.Attach(Handle(), IDC_OSLIST_MOVE_UP);
    moveDown_.Attach(Handle(), IDC_OSLIST_MOVE_DOWN);
    delete_.Attach(Handle(), IDC_OSLIST_DELETE);
    reloadStore_.Attach(Handle(), IDC_OSLIST_RELOAD_STORE);
    browseStore_.Attach(Handle(), IDC_OSLIST_BROWSE_STORE);
    storeIcon_.Attach(Handle(), IDC_OSLIST_STORE_ICON);
  }
  MakeImageButton(moveUp_, images, art::kImageMoveUp, kHandCursor, GetText(IDS_MOVE_UP));
  MakeImageButton(moveDown_, images, art::kImageMoveDown, kHandCursor, GetText(IDS_MOVE_DOWN));
  MakeImageButton(delete_, images, art::kImageDelete, kHandCursor, GetText(IDS_DELETE));
  MakeImageButton(reloadStore_, images, art::kImageReload, kHandCursor, GetText(IDS_RELOAD_SYSTEM_STORE_TIP),
                  GetText(IDS_RELOAD));
  MakeImageButton(browseStore_, images, art::kImageBrowse, kHandCursor, GetText(IDS_BROWSE_STORE_FILE),
                  GetText(IDS_BROWSE));
  // Sorting and deleting are always on offer: the template only keeps them out of sight until here.
  for (int id : {IDC_OSLIST_MOVE_UP, IDC_OSLIST_MOVE_DOWN, IDC_OSLIST_DELETE}) ShowItem(id, true);
  SetItemText(IDC_OSLIST_SAVE_ORDER, GetText(IDS_SAVE_SORT_DELETE));
}

void OsListPage::MakeHeaderImages() {
  if (headerImages_) ImageList_Destroy(headerImages_);
  headerImages_ = nullptr;
  win::UniqueBitmap arrow = LoadArtForDpi(IDB_LIST_HEADER, win::DpiOf(Handle()), art::kListHeaderTransparent);
  SIZE size = BitmapSize(arrow.Get());
  if (size.cx > 0) {
    headerImages_ = ImageList_Create(size.cx, size.cy, ILC_COLOR32 | ILC_MASK, 1, 1);
    if (headerImages_) ImageList_AddMasked(headerImages_, arrow.Get(), art::kListHeaderTransparent);
  }
  Header_SetImageList(ListView_GetHeader(rows_.Handle()), headerImages_);
}

void OsListPage::OnDpiChanged(UINT from, UINT to) {
  // After the rows' images: setting those may hand the header the same list.
  SkinPage::OnDpiChanged(from, to);
  MakeHeaderImages();
  // Laid out again, the label has its template's width: it takes its text's again.
  UpdateStoreLabel(false);
}

void OsListPage::CreateColumns() {
  rows_.SetExtendedStyle(kListStyle);
  rows_.SetImageList(context_.buttonImages, LVSIL_SMALL);
  if (!headerImages_) MakeHeaderImages();

  RECT client = {};
  GetClientRect(rows_.Handle(), &client);
  // Shared out at 96 DPI, then scaled, so that the columns keep their proportions at every DPI.
  UINT dpi = win::DpiOf(Handle());
  int width = win::UnscaleFromDpi(client.right - client.left, dpi);
  rows_.InsertColumn(0, L"", win::ScaleToDpi(kStateColumnWidth, dpi));
  rows_.InsertColumn(1, L"", win::ScaleToDpi((width / 4) * 2 - 8, dpi));
  rows_.InsertColumn(2, L"", win::ScaleToDpi(width / 4 - width / 20 - 8, dpi));
  rows_.InsertColumn(3, L"", win::ScaleToDpi(width / 20 + width / 4 - 30, dpi));
  SetColumnTitles();

  HDITEMW item = {};
  item.mask = HDI_IMAGE | HDI_FORMAT;
  item.fmt = HDF_IMAGE | HDF_LEFT;
  item.iImage = 0;
  Header_SetItem(ListView_GetHeader(rows_.Handle()), 0, &item);
}

void OsListPage::SetColumnTitles() {
  const UINT titles[] = {IDS_COLUMN_NAME, IDS_COLUMN_TYPE, IDS_COLUMN_INFORMATION};
  for (int column = 1; column <= 3; ++column) {
    std::wstring title = GetText(titles[column - 1]);
    LVCOLUMNW item = {};
    item.mask = LVCF_TEXT;
    item.pszText = title.data();
    ListView_SetColumn(rows_.Handle(), column, &item);
  }
}

void OsListPage::TakeStoreTimeout() {
  BootEntry& manager = list_.bootManager;
  if (AppSettings.bcdTimeout == -1) AppSettings.bcdTimeout = manager.timeout;
  if (list_.registryMode == 1 && AppSettings.bcdSystem && AppSettings.bcdTimeout == -1) {
    list_.ReadTimeoutFromHive();
    AppSettings.bcdTimeout = manager.timeout;
  }
  bool unread = AppSettings.bcdSystem && AppSettings.toolsAvailable && AppSettings.bcdTimeout == -1 &&
                manager.rawText.empty();
  if (unread || manager.rawText == NOT_READ_TEXT) {
    ReadBootManager();
    AppSettings.bcdTimeout = list_.bootManager.timeout;
  }
}

// Controls: they follow the settings again; rows: rebuilt from the list; from the store: the store
// was replaced (a restore), so it is read again and the menu settings with it.
void OsListPage::Refresh(int what) {
  if (!Handle()) return;
  if (what == kRefreshOsListRows) {
    RefreshList(false);
  } else if (what == kRefreshOsListFromStore) {
    RefreshList(true);
    InitMenuSettings();
  } else {
    UpdateButtons();
  }
}

void OsListPage::Relocalize() {
  SkinPage::Relocalize();
  SetUpButtons();
  SetColumnTitles();
  UpdateStoreLabel(false);
  FillMenuCombos();
  // Made again in the new language when next shown.
  contextMenu_.Reset();
  UpdateButtons();
}

bool OsListPage::ConfirmLeave() { return ConfirmDiscardOrder(); }
