// One listing of every object of a store (bcdedit /enum all /v): the run, and its objects found
// by identifier.
#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include "core/ListingParser.h"
#include "store/BcdEditRunner.h"

struct StoreListing {
  ToolResult run;
  std::wstring storeFile;  // the store it lists; empty: the system store
  std::vector<ListedObject> objects;

  bool Succeeded() const { return run.Succeeded(); }
  // The object of an identifier, any letter case; null when the listing has none.
  const ListedObject* Find(const std::wstring& identifier) const;
  // Indexes the objects by identifier; called once the objects are in.
  void Index();

 private:
  std::unordered_map<std::wstring, size_t> byIdentifier_;
};

// An identifier in the form two spellings share exactly when they compare equal ignoring case,
// unit by unit as base::EqualsNoCase compares them.
std::wstring FoldedIdentifier(const std::wstring& identifier);

// Lists every object of the store in use: one tool run. A run that did not succeed lists nothing.
StoreListing ReadStoreListing();
