// The display-order writer: make an entry the default, delete it, or append it to the menu.
#include "base/AppSettings.h"
#include "store/BcdEditRunner.h"
#include "store/EntryList.h"
#include "store/StoreCommands.h"

void EntryList::WriteOrder(const std::wstring& operation, const std::wstring& identifier) {
  Runner().lastSucceeded = false;
  if (!AppSettings.toolsAvailable) return;
  Runner().lastRefusal = IdentifierRefusal(identifier);
  if (Runner().lastRefusal != Refusal::kNone) return;
  if (operation == L"default") {
    // Exact comparison: the entry that already is the default is left alone.
    if (identifier == bootManager.defaultId) return;
    Runner().Run(DefaultArgs(identifier), 0);
    bootManager.defaultId = identifier;
  } else if (operation == L"DEL") {
    // The default entry is never deleted from here.
    if (identifier == bootManager.defaultId) return;
    Runner().Run(DeleteEntryArgs(identifier), 0);
  } else if (operation == L"addtolist") {
    Runner().Run(AddToListArgs(identifier), 0);
  }
}
