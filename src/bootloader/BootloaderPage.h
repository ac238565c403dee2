// The Bootloader page: backup and restore of the system store, and the boot code.
#pragma once
#include "controls/PageContext.h"
#include "controls/SkinPage.h"

class BootloaderPage : public SkinPage {
 public:
  explicit BootloaderPage(const PageContext& context);

 private:
  PageContext context_;
};
