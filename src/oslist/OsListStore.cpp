// Another store file, back to the system store, and copying an entry.
#include "oslist/OsListPage.h"

void OsListPage::BrowseStoreFile() {}
void OsListPage::ReloadSystemStore() {}
void OsListPage::SwitchStore(const std::wstring&) {}
void OsListPage::CopyEntry() {}
INT_PTR OsListPage::OnBrowseStore(WPARAM, LPARAM) { return TRUE; }
INT_PTR OsListPage::OnReloadStore(WPARAM, LPARAM) { return TRUE; }
INT_PTR OsListPage::OnCopy(WPARAM, LPARAM) { return TRUE; }
