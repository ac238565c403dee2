// Issuing the page-level store commands through the one runner.
#include "store/BcdEditRunner.h"
#include "core/BootEntry.h"
#include "store/StoreCommands.h"
#include "base/Format.h"

namespace {

// Leaves the reason on the runner when there is one: the command is then not issued.
bool Refuse(Refusal refusal) {
  if (refusal == Refusal::kNone) return false;
  Runner().lastRefusal = refusal;
  return true;
}

// Text that goes between quotes of our own must not bring a quote of its own, nor, when our
// closing quote follows it directly, end in a backslash that would escape that quote.
bool RefuseQuoted(const std::wstring& text, bool beforeClosingQuote = true) {
  return Refuse(QuotedTextRefusal(text, beforeClosingQuote));
}

// A text the store keeps (a name) must come back from the tool as it was sent.
bool RefuseStored(const std::wstring& text) { return Refuse(StoredTextRefusal(text)); }

bool RefuseIdentifier(const std::wstring& identifier) { return Refuse(IdentifierRefusal(identifier)); }

// An object's identifier: one argument, and braced (an alias or a GUID), as the element
// operations want it too.
bool RefuseObject(const std::wstring& identifier) {
  if (RefuseIdentifier(identifier)) return true;
  if (identifier.front() == L'{') return false;
  Runner().lastRefusal = Refusal::kBadIdentifier;
  return true;
}

}  // namespace

ToolResult SetManagerTimeout(int seconds) { return Runner().RunChecked(TimeoutArgs(seconds), 0); }

ToolResult SetManagerLocale(const std::wstring& locale) {
  if (locale.empty()) return Runner().DeleteElement(kBootMgrAlias, L" locale ");
  return Runner().SetElement(kBootMgrAlias, L" locale ", WrapInQuotes(locale));
}

ToolResult SetManagerMenuStyle(const std::wstring& value) {
  if (value.empty()) return Runner().DeleteElement(kBootMgrAlias, L" displaybootmenu ");
  return Runner().SetElement(kBootMgrAlias, L" displaybootmenu ", WrapInQuotes(value));
}

ToolResult SetOrDeleteElement(const std::wstring& identifier, const std::wstring& element, const std::wstring& value) {
  std::wstring name = base::Format(L" %s ", element);
  if (value.empty()) return Runner().DeleteElement(identifier, name);
  return Runner().SetElement(identifier, name, value);
}

ToolResult WriteDisplayOrder(const std::vector<std::wstring>& identifiers, const std::vector<std::wstring>& before) {
  for (const auto& identifier : identifiers) {
    if (RefuseIdentifier(identifier)) return {};
  }
  BcdEditRunner& runner = Runner();
  std::wstring arguments = DisplayOrderArgs(identifiers);
  ToolResult answer = runner.RunChecked(arguments, 0);
  std::vector<RecordedChange>& done = runner.changes.done;
  if (answer.Succeeded() && !done.empty() && done.back().arguments == arguments) done.back().orderBefore = before;
  return answer;
}

std::wstring CopyStoreEntry(const std::wstring& identifier, const std::wstring& description) {
  // The copy's description is followed by a blank inside the quotes, so a final backslash is harmless.
  if (RefuseQuoted(identifier, false) || RefuseIdentifier(identifier) || RefuseQuoted(description, false) ||
      RefuseStored(description)) {
    return L"";
  }
  return Runner().Run(CopyArgs(identifier, description), 0);
}

ToolResult ExportStore(const std::wstring& path) {
  if (RefuseQuoted(path)) return {};
  return Runner().RunChecked(ExportArgs(path), 1);
}

ToolResult ImportStore(const std::wstring& path) {
  // The import's closing quote is followed by a blank, but a final backslash names no file anyway.
  if (RefuseQuoted(path)) return {};
  return Runner().RunChecked(ImportArgs(path), 1);
}

bool StorePathRefused(const std::wstring& path) {
  return path.find(L'"') != std::wstring::npos || EscapesClosingQuote(path);
}

std::wstring CreateLegacyLoader(const std::wstring& name) {
  if (RefuseQuoted(name) || RefuseStored(name)) return L"";
  return Runner().Run(CreateLegacyLoaderArgs(name), 0);
}

ToolResult AppendToMenu(const std::wstring& identifier) {
  if (RefuseIdentifier(identifier)) return {};
  return Runner().RunChecked(AppendToMenuArgs(identifier), 0);
}

ToolResult SetBootSequence(const std::wstring& identifier) {
  if (RefuseObject(identifier) || !Runner().storeFile.empty()) return {};
  return Runner().RunChecked(BootSequenceArgs(identifier), 0);
}

ToolResult RemoveBootSequence(const std::wstring& identifier) {
  if (RefuseObject(identifier) || !Runner().storeFile.empty()) return {};
  return Runner().RunChecked(RemoveBootSequenceArgs(identifier), 0);
}

ToolResult RestoreBootSequence(const std::vector<std::wstring>& identifiers) {
  if (!Runner().storeFile.empty()) return {};
  if (identifiers.empty()) return Runner().RunChecked(DeleteElementArgs(kBootMgrAlias, L" bootsequence "), 0);
  std::wstring joined;
  for (const auto& identifier : identifiers) {
    if (RefuseObject(identifier)) return {};
    joined += (joined.empty() ? L"" : L" ") + identifier;
  }
  return Runner().RunChecked(BootSequenceArgs(joined), 0);
}

void SetUpLegacyLoader() {
  for (const auto& arguments : LegacyLoaderSetupArgs()) Runner().Run(arguments, 0);
}

std::wstring RenameLegacyLoader(const std::wstring& title) {
  if (RefuseQuoted(title) || RefuseStored(title)) return L"";
  return Runner().Run(LegacyLoaderNameArgs(title), 0);
}
