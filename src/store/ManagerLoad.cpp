// Re-reading the boot manager, falling back to the system store when a loaded file has no menu.
#include "base/AppSettings.h"
#include "base/Texts.h"
#include "store/BcdEditRunner.h"
#include "store/EntryList.h"
#include "texts.h"
#include "win/Seams.h"

void EntryList::LoadBootManager() {
  if (!AppSettings.toolsAvailable) {
    ReadManagerFromHive();
    return;
  }
  bootManager.ResetBootManager();
  EnumerateOne(nullptr, kBootMgrAlias);
  if (!bootManager.displayorder.empty()) return;
  BcdEditRunner& runner = Runner();
  if (runner.storeFile.empty()) return;
  // A store file without a menu is of no use here: go back to the system store.
  runner.storeFile.clear();
  win::Prompt(nullptr, GetText(IDS_STORE_FILE_EMPTY), AppSettings.appTitle, MB_OK | MB_ICONEXCLAMATION);
  bootManager.ResetBootManager();
  EnumerateOne(nullptr, kBootMgrAlias);
}
