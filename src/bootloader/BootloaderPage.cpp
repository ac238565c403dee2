// The Bootloader page: backup and restore of the system store, and the boot code.
#include "bootloader/BootloaderPage.h"

#include "resource.h"

BootloaderPage::BootloaderPage(const PageContext& context) : SkinPage(IDD_BOOTLOADER), context_(context) {}
