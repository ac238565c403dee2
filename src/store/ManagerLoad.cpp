// Re-reading the boot manager, falling back to the system store when a loaded file has no menu.
#include "base/AppSettings.h"
#include "store/BcdEditRunner.h"
#include "store/EntryList.h"

ManagerLoad EntryList::LoadBootManager() {
  if (!AppSettings.toolsAvailable) {
    ReadManagerFromHive();
    return ManagerLoad::kRead;
  }
  bootManager.ResetBootManager();
  EnumerateOne(nullptr, kBootMgrAlias);
  if (!bootManager.displayorder.empty()) return ManagerLoad::kRead;
  BcdEditRunner& runner = Runner();
  if (runner.storeFile.empty()) return ManagerLoad::kRead;
  // A store file without a menu is of no use here: go back to the system store.
  runner.storeFile.clear();
  bootManager.ResetBootManager();
  EnumerateOne(nullptr, kBootMgrAlias);
  return ManagerLoad::kStoreFileWithoutMenu;
}
