// The entry list's side of the listing parser: which record a section goes into, device-options
// identifiers noted once, and identifier keys of non-English tools read through their code pages.
#include <gtest/gtest.h>

#include "base/Format.h"
#include "store/EntryList.h"
#include "core/ListingParser.h"

TEST(ListingParser, ParseSectionTargets) {
  EntryList list;
  list.ParseSection(nullptr, L"identifier              {x}\n", false);
  EXPECT_EQ(list.scratch.identifier, L"{x}");
  BootEntry record;
  // The boot manager flag wins over the record given.
  list.ParseSection(&record, L"default                 {x}\n", true);
  EXPECT_EQ(list.bootManager.defaultId, L"{x}");
  EXPECT_TRUE(record.elements.empty());
  list.NoteDeviceOption(L"");
  EXPECT_TRUE(list.deviceOptionIds.empty());
}


TEST(ListingParser, DeviceOptionsAreNotedOnceUnderTheAlias) {
  EntryList list;
  for (const wchar_t* identifier : {L"{ae5534e0-a924-466c-b836-758539a3ee3a}", L"{AE5534E0-A924-466C-B836-758539A3EE3A}",
                                    L"{0b1c2d3e-0000-0000-0000-0000000000ff}", L"{ramdiskoptions}", L"{0B1C2D3E-0000-0000-0000-0000000000FF}"}) {
    list.NoteDeviceOption(identifier);
  }
  EXPECT_EQ(list.deviceOptionIds,
            (std::vector<std::wstring>{L"{ramdiskoptions}", L"{0b1c2d3e-0000-0000-0000-0000000000ff}"}));
}

TEST(ListingParser, TranslatedIdentifierKeysInTheToolsCodePages) {
  const std::wstring guid = L"{b2721d73-1db4-11e1-9f2c-005056c00008}";
  struct Case {
    const char* language;
    std::wstring section;
    const wchar_t* identifier;  // expected
    const wchar_t* device;      // expected
  };
  const Case cases[] = {
      {"French",
       L"Chargeur de d\u00e9marrage Windows\n-----------------------------\n"
       L"identificateur          " + guid + L"\ndevice                  partition=C:\n",
       guid.c_str(), L"partition=C:"},
      // Code page 936, as the tool writes it on a Chinese Windows and the runner reads it there.
      {"Chinese",
       base::Widen("Windows \xC6\xF4\xB6\xAF\xBC\xD3\xD4\xD8\xC6\xF7\r\n-------------------\r\n"
                   "\xB1\xEA\xCA\xB6\xB7\xFB                  {b2721d73-1db4-11e1-9f2c-005056c00008}\r\n"
                   "device                  partition=C:\r\n",
                   936),
       guid.c_str(), L"partition=C:"},
      // Code page 866 bytes read as 1251: the key arrives garbled, a no-break space inside it.
      {"Russian",
       base::Widen("\x87\xa0\xa3\xe0\xe3\xa7\xaa\xa0 Windows\r\n----------------\r\n"
                   "\x88\xa4\xa5\xad\xe2\xa8\xe4\xa8\xaa\xa0\xe2\xae\xe0           {b2721d73-1db4-11e1-9f2c-005056c00008}\r\n"
                   "device                  partition=C:\r\n",
                   1251),
       guid.c_str(), L"partition=C:"},
      // A first line that is not one braced identifier gives none.
      {"unbraced", L"Bezeichner              {a} {b}\ndevice                  partition=C:\n", L"", L"partition=C:"},
  };
  for (const Case& c : cases) {
    BootEntry record;
    ParseListingSection(record, c.section, false);
    EXPECT_EQ(record.identifier, c.identifier) << c.language;
    EXPECT_EQ(record.device, c.device) << c.language;
  }
}
