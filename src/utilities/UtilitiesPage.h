// The Utilities page: the user's list of utility programs.
#pragma once
#include "controls/SkinPage.h"

class UtilitiesPage : public SkinPage {
 public:
  UtilitiesPage();
};
