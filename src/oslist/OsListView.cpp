// The OS list page's rows, selection, buttons, context menu and store label.
#include "oslist/OsListPage.h"

void OsListPage::FillList() {}
void OsListPage::FillRow(int, int) {}
void OsListPage::InsertEntryRow(int, int) {}
void OsListPage::RefreshList(bool) {}
void OsListPage::UpdateButtons() {}
int OsListPage::RowOfEntry(int) const { return -1; }
void OsListPage::UpdateStoreLabel(bool) {}
INT_PTR OsListPage::OnListItemChanged(WPARAM, LPARAM) { return 0; }
INT_PTR OsListPage::OnListDoubleClick(WPARAM, LPARAM) { return 0; }
INT_PTR OsListPage::OnListRightClick(WPARAM, LPARAM) { return 0; }
INT_PTR OsListPage::OnListClick(WPARAM, LPARAM) { return 0; }
INT_PTR OsListPage::OnModifyButton(WPARAM, LPARAM) { return TRUE; }
INT_PTR OsListPage::OnReloadListCommand(WPARAM, LPARAM) { return TRUE; }
INT_PTR OsListPage::OnColourStatic(WPARAM, LPARAM) { return 0; }
