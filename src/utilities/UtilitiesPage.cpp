// The Utilities page: the user's list of utility programs.
#include "utilities/UtilitiesPage.h"

#include "resource.h"

UtilitiesPage::UtilitiesPage() : SkinPage(IDD_UTILITIES) {}
