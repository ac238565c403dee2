// Sort and delete mode: moving and removing entries, and saving the new menu.
#include "oslist/OsListPage.h"

void OsListPage::MoveEntry(bool) {}
void OsListPage::RemoveEntry() {}
void OsListPage::SaveOrderCommand() {}
bool OsListPage::SaveOrder() { return false; }
INT_PTR OsListPage::OnMoveUp(WPARAM, LPARAM) { return TRUE; }
INT_PTR OsListPage::OnMoveDown(WPARAM, LPARAM) { return TRUE; }
INT_PTR OsListPage::OnDelete(WPARAM, LPARAM) { return TRUE; }
INT_PTR OsListPage::OnSaveOrder(WPARAM, LPARAM) { return TRUE; }
INT_PTR OsListPage::OnAddNew(WPARAM, LPARAM) { return TRUE; }
