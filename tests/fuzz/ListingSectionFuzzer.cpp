// One object section of the tool's verbose listing, read as a loader and as the boot manager:
// every key lands in elements, and each field the tables fill holds exactly its element's value.
#include "FuzzSupport.h"
#include "core/ListingParser.h"

namespace {

void CheckField(const BootEntry& record, const core::Char* key, const core::String& field) {
  auto found = record.elements.find(key);
  fuzz::Require(found == record.elements.end() ? field.empty() : field == found->second,
                "a field holds its element's value", key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const core::String text = fuzz::Text(data, size);

  BootEntry loader;
  ParseListingSection(loader, text, false);
  if (text.empty() || text == NOT_READ_TEXT) {
    fuzz::Require(loader.rawText == NOT_READ_TEXT && loader.elements.empty(), "nothing to parse changes nothing");
    return 0;
  }
  fuzz::Require(loader.rawText == text, "the section is kept whole", text);
  for (const auto& [key, field] : {std::pair{T16("device"), &loader.device}, {T16("description"), &loader.description},
                                   {T16("locale"), &loader.locale}, {T16("osdevice"), &loader.osdevice},
                                   {T16("systemroot"), &loader.systemroot}, {T16("nx"), &loader.nx},
                                   {T16("winpe"), &loader.winpe}, {T16("recoverysequence"), &loader.recoverysequence}}) {
    CheckField(loader, key, *field);
  }
  for (const auto& [key, value] : loader.elements) {
    fuzz::Require(value.find(T16("\r\n")) == core::String::npos, "line ends are joined as line feeds", value);
  }
  // A translated identifier key only ever gives a braced identifier of one word.
  if (!loader.identifier.empty() && !loader.elements.count(T16("identifier"))) {
    fuzz::Require(loader.identifier.front() == T16('{') && loader.identifier.back() == T16('}') &&
                      loader.identifier.find_first_of(T16(" \t\r\n")) == core::String::npos,
                  "an identifier taken from the first line is one braced word", loader.identifier);
  }

  BootEntry manager;
  manager.ResetBootManager();
  ParseListingSection(manager, text, true);
  fuzz::Require(manager.identifier == kBootMgrGuid, "the boot manager keeps its own identifier", manager.identifier);
  CheckField(manager, T16("displayorder"), manager.displayorder);
  CheckField(manager, T16("default"), manager.defaultId);
  auto timeout = manager.elements.find(T16("timeout"));
  fuzz::Require(manager.timeout == (timeout == manager.elements.end() ? -1 : LeadingNumber(timeout->second)),
                "the timeout is the element's leading number");
  return 0;
}
