// The display-order writer: make an entry the default, delete it, or append it to the menu.
#include "base/AppSettings.h"
#include "store/BcdEditRunner.h"
#include "store/EntryList.h"
#include "store/StoreCommands.h"

ToolResult EntryList::WriteOrder(const std::wstring& operation, const std::wstring& identifier) {
  if (!AppSettings.toolsAvailable) return {};
  Runner().lastRefusal = IdentifierRefusal(identifier);
  if (Runner().lastRefusal != Refusal::kNone) return {};
  if (operation == L"default") {
    // Exact comparison: the entry that already is the default is left alone.
    if (identifier == bootManager.defaultId) return {};
    ToolResult result = Runner().RunChecked(DefaultArgs(identifier), 0);
    // The menu's default moves only when the tool says it moved it.
    if (result.Succeeded()) bootManager.defaultId = identifier;
    return result;
  }
  if (operation == L"DEL") {
    // The default entry is never deleted from here.
    if (identifier == bootManager.defaultId) return {};
    return Runner().RunChecked(DeleteEntryArgs(identifier), 0);
  }
  if (operation == L"addtolist") return Runner().RunChecked(AddToListArgs(identifier), 0);
  return {};
}
