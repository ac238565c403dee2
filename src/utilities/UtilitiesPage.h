// The Utilities page: the user's list of utility programs.
#pragma once
#include "controls/PageContext.h"
#include "controls/SkinPage.h"

class UtilitiesPage : public SkinPage {
 public:
  explicit UtilitiesPage(const PageContext& context);

 private:
  PageContext context_;
};
