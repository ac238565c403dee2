// The OS list page: the boot menu of this machine and the operations on it.
#include "oslist/OsListPage.h"

#include "resource.h"

OsListPage::OsListPage() : SkinPage(IDD_OSLIST) {}
