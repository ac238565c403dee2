// A whole listing of several objects: the sections it splits into and the device-options
// identifiers it names.
#include "FuzzSupport.h"
#include "core/ListingParser.h"
#include "core/Strings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const core::String text = fuzz::Text(data, size);
  const core::String paragraphs = core::ReplaceAll(text, T16("\r\n\r\n"), T16("\n\n"));
  for (const core::String& section : SplitListingSections(text)) {
    fuzz::Require(!section.empty() && section == core::TrimText(section), "sections are trimmed and not empty", section);
    fuzz::Require(section.find(T16("\n\n")) == core::String::npos, "a section holds no empty line", section);
    fuzz::Require(paragraphs.find(section) != core::String::npos,
                  "a section is a piece of the listing", section);
    BootEntry record;
    ParseListingSection(record, section, false);
  }
  for (const core::String& identifier : DeviceOptionReferences(text)) {
    fuzz::Require(identifier.size() >= 2 && identifier.front() == T16('{') && identifier.back() == T16('}'),
                  "a device-options reference is braced", identifier);
    fuzz::Require(text.find(identifier) != core::String::npos, "a reference is a piece of the listing", identifier);
  }
  return 0;
}
