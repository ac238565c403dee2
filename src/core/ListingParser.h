// Turns the verbose listing that bcdedit prints into records: lines split at the first double
// blank, continuation lines joined, keys recognised exactly through the loader and boot manager
// tables, loader sections split at empty lines, device-options references collected, and the
// objects of a listing of the whole store told apart.
#pragma once
#include <vector>

#include "core/BootEntry.h"

// Every key goes to elements; the keys of the loader table also fill their field.
void ApplyLoaderKey(BootEntry& record, const core::String& key, const core::String& value);
void ApplyManagerKey(BootEntry& manager, const core::String& key, const core::String& value);
// The timeout element's leading decimal digits; 0 without any.
int LeadingNumber(const core::String& value);

// Parses one object section into record (which keeps its other fields); empty text and the
// not-read marker leave it untouched. A loader section without the key "identifier" (the tool
// translates that one key) takes its first line's value as identifier when it is a braced text.
void ParseListingSection(BootEntry& record, const core::String& text, bool isBootManager);
// The non-empty object sections of a listing of several objects, in order.
std::vector<core::String> SplitListingSections(const core::String& text);
// Identifiers named after ",{" in any value of the listing (a loader's ramdisk or vhd device).
std::vector<core::String> DeviceOptionReferences(const core::String& text);

// One object of a listing of several: its section as SplitListingSections gives it, the title
// printed above its dashes ("" without one) and its identifier, found as ParseListingSection finds
// a loader's.
struct ListedObject {
  core::String title;
  core::String identifier;
  core::String text;
};
std::vector<ListedObject> ListedObjects(const core::String& listing);

// The title an English bcdedit prints above a Windows Boot Loader.
inline constexpr core::Char kLoaderTitle[] = T16("Windows Boot Loader");

// Which objects of a listing of the whole store (/enum all /v) are Windows Boot Loaders, as
// indexes in listing order. The tool translates its titles, and objects of one kind share theirs:
// a loader is an object under the English title, under knownTitle (the running system's own
// title, "" when unknown), or under the title of an object that holds a key only loaders have.
std::vector<size_t> LoaderObjects(const std::vector<ListedObject>& objects, const core::String& knownTitle);
// The title above the first object of a listing, "" without one.
core::String FirstTitle(const core::String& listing);
