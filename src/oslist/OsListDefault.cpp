// Setting the default entry of the store or of boot.ini, and the restart offer.
#include "oslist/OsListPage.h"

void OsListPage::SetDefault() {}
bool OsListPage::ApplyEntryCommand(const std::wstring&, int, bool) { return false; }
void OsListPage::SetDefaultDone(int, bool) {}
INT_PTR OsListPage::OnSetDefaultButton(WPARAM, LPARAM) { return TRUE; }
