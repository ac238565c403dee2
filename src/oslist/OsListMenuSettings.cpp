// The boot menu settings: boot.ini and store timeouts, the menu language and the menu style.
#include "oslist/OsListPage.h"

void OsListPage::InitMenuSettings() {}
void OsListPage::ApplyMenuSettings() {}
bool OsListPage::WriteBootIniTimeout() { return false; }
INT_PTR OsListPage::OnApply(WPARAM, LPARAM) { return TRUE; }
INT_PTR OsListPage::OnBootIniMenuCheck(WPARAM, LPARAM) { return TRUE; }
INT_PTR OsListPage::OnBootIniTimeoutChange(WPARAM, LPARAM) { return TRUE; }
INT_PTR OsListPage::OnBcdTimeoutChange(WPARAM, LPARAM) { return TRUE; }
INT_PTR OsListPage::OnMenuLanguageChange(WPARAM, LPARAM) { return TRUE; }
INT_PTR OsListPage::OnMenuStyleChange(WPARAM, LPARAM) { return TRUE; }
