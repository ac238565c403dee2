// The OS list page: the boot menu of this machine and the operations on it.
#pragma once
#include "controls/SkinPage.h"

class OsListPage : public SkinPage {
 public:
  OsListPage();
};
