// The runner's element operations: set or delete one element of an object, create an object.
#include "store/BcdEditRunner.h"
#include "store/StoreCommands.h"

// A tool that could not be started ("-1", "CreateProcess Failed!") issued nothing either: its
// result is not started, as is a refused command's.
ToolResult BcdEditRunner::SetElement(const std::wstring& identifier, const std::wstring& name,
                                     const std::wstring& value) {
  std::wstring sent = QuoteIfBlank(value);
  lastRefusal = ElementRefusal(identifier, name, &sent);
  if (lastRefusal == Refusal::kNone) lastRefusal = StoredTextRefusal(value);
  if (lastRefusal != Refusal::kNone) return {};
  EnsureToolDir();
  return RunInChecked(toolDir, SetElementArgs(identifier, name, sent), 0);
}

ToolResult BcdEditRunner::DeleteElement(const std::wstring& identifier, const std::wstring& name) {
  lastRefusal = ElementRefusal(identifier, name);
  if (lastRefusal != Refusal::kNone) return {};
  EnsureToolDir();
  return RunInChecked(toolDir, DeleteElementArgs(identifier, name), 0);
}

std::wstring BcdEditRunner::CreateEntry(const std::wstring& applicationType, const std::wstring& description) {
  lastRefusal = QuotedTextRefusal(description);
  if (lastRefusal == Refusal::kNone) lastRefusal = StoredTextRefusal(description);
  if (lastRefusal != Refusal::kNone) return L"";
  EnsureToolDir();
  return CreatedIdentifier(RunIn(toolDir, CreateEntryArgs(applicationType, description), 0));
}
