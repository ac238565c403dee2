// The Utilities page: the user's list of utility programs.
#include "utilities/UtilitiesPage.h"

#include "resource.h"

UtilitiesPage::UtilitiesPage(const PageContext& context) : SkinPage(IDD_UTILITIES), context_(context) {}
