// Turns the verbose listing that bcdedit prints into records: lines split at the first double
// blank, continuation lines joined, keys recognised exactly through the loader and boot manager
// tables, loader sections split at empty lines, device-options references collected.
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
