// The OS list page: construction, the message table and the page's initialisation.
#include "oslist/OsListPage.h"

#include "resource.h"

const win::MessageEntry<OsListPage> OsListPage::kMessages[] = {
    win::OnNotify(IDC_OSLIST_LIST, LVN_ITEMCHANGED, &OsListPage::OnListItemChanged),
    win::OnNotify(IDC_OSLIST_LIST, NM_DBLCLK, &OsListPage::OnListDoubleClick),
    win::OnNotify(IDC_OSLIST_LIST, NM_RCLICK, &OsListPage::OnListRightClick),
    win::OnNotify(IDC_OSLIST_LIST, NM_CLICK, &OsListPage::OnListClick),
    win::OnCommand(IDC_OSLIST_SET_DEFAULT, BN_CLICKED, &OsListPage::OnSetDefaultButton),
    win::OnCommand(IDC_OSLIST_MODIFY, BN_CLICKED, &OsListPage::OnModifyButton),
    win::OnCommand(ID_OSLIST_RELOAD_LIST, 0, &OsListPage::OnReloadListCommand),
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
    win::OnMessage(WM_CTLCOLORSTATIC, &OsListPage::OnColourStatic),
};

OsListPage::OsListPage(const PageContext& context) : SkinPage(IDD_OSLIST, kMessages), context_(context) {}

OsListPage::~OsListPage() {
  if (headerImages_) ImageList_Destroy(headerImages_);
}

BOOL OsListPage::OnInit() { return TRUE; }

void OsListPage::Refresh(int) {}

void OsListPage::Relocalize() { SkinPage::Relocalize(); }
