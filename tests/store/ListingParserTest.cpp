// The listing parser against literal bcdedit listings: line ends, continuation lines, exact keys,
// section splitting, device-options references, and the translated identifier key of non-English
// Windows.
#include <gtest/gtest.h>

#include "store/EntryList.h"
#include "store/ListingParser.h"
#include "base/Format.h"
#include "base/Strings.h"

namespace {

const wchar_t kManagerListing[] =
    L"Windows Boot Manager\n"
    L"--------------------\n"
    L"identifier              {9dea862c-5cdd-4e70-acc1-f32b344d4795}\n"
    L"device                  partition=\\Device\\HarddiskVolume1\n"
    L"description             Windows Boot Manager\n"
    L"locale                  en-US\n"
    L"inherit                 {7ea2e1ac-2e61-4728-aaa3-896d9d0a9f0e}\n"
    L"default                 {b2721d73-1db4-11e1-9f2c-005056c00008}\n"
    L"displayorder            {b2721d73-1db4-11e1-9f2c-005056c00008}\n"
    L"                        {466f5a88-0af2-4f76-9038-095b170dc21c}\n"
    L"                        {c0ffee00-0000-0000-0000-000000000001}\n"
    L"toolsdisplayorder       {b2721d71-1db4-11e1-9f2c-005056c00008}\n"
    L"timeout                 30\n";

const wchar_t kLoaderListing[] =
    L"\n"
    L"Windows Boot Loader\n"
    L"-------------------\n"
    L"identifier              {b2721d73-1db4-11e1-9f2c-005056c00008}\n"
    L"path                    \\Windows\\system32\\winload.exe\n"
    L"nx                      OptIn\n"
    L"\n"
    L"Windows Boot Loader\n"
    L"-------------------\n"
    L"device                  ramdisk=[C:]\\Recovery\\Winre.wim,{ae5534e0-a924-466c-b836-758539a3ee3a}\n"
    L"osdevice                ramdisk=[C:]\\Recovery\\Winre.wim,{AE5534E0-A924-466C-B836-758539A3EE3A}\n"
    L"winpe                   Yes\n"
    L"\n"
    L"\n"
    L"Windows Boot Loader\n"
    L"-------------------\n"
    L"device                  vhd=[C:]\\disk.vhd,{0b1c2d3e-0000-0000-0000-0000000000ff}\n"
    L"osdevice                ramdisk=[C:]\\boot.wim,{ae5534e0-a924-466c-b836-758539a3ee3a}\n"
    L"\n";

std::wstring WithCrLf(const std::wstring& text) { return base::ReplaceAll(text, L"\n", L"\r\n"); }

// One machine listed by an English and by a German bcdedit (/enum {bootmgr} /v, /enum OSLOADER /v),
// as captured: the German tool translates the titles and the key "identifier", nothing else.
// "allowedinmemorysettings" fills the key column, so only one blank follows it.
const wchar_t kEnglishManager[] =
    L"\r\n"
    L"Windows Boot Manager\r\n"
    L"--------------------\r\n"
    L"identifier              {9dea862c-5cdd-4e70-acc1-f32b344d4795}\r\n"
    L"device                  partition=\\Device\\HarddiskVolume1\r\n"
    L"description             Windows Boot Manager\r\n"
    L"locale                  en-US\r\n"
    L"inherit                 {7ea2e1ac-2e61-4728-aaa3-896d9d0a9f0e}\r\n"
    L"default                 {b2721d73-1db4-11e1-9f2c-005056c00008}\r\n"
    L"resumeobject            {b2721d72-1db4-11e1-9f2c-005056c00008}\r\n"
    L"displayorder            {b2721d73-1db4-11e1-9f2c-005056c00008}\r\n"
    L"                        {e31ab4c2-8e02-11e9-9f6a-c85b7640a2d1}\r\n"
    L"toolsdisplayorder       {b2721d71-1db4-11e1-9f2c-005056c00008}\r\n"
    L"timeout                 30\r\n";

const wchar_t kEnglishLoaders[] =
    L"\r\n"
    L"Windows Boot Loader\r\n"
    L"-------------------\r\n"
    L"identifier              {b2721d73-1db4-11e1-9f2c-005056c00008}\r\n"
    L"device                  partition=C:\r\n"
    L"path                    \\Windows\\system32\\winload.exe\r\n"
    L"description             Windows 10\r\n"
    L"locale                  en-US\r\n"
    L"inherit                 {6efb52bf-1766-41db-a6b3-0ee5eff72bd7}\r\n"
    L"recoverysequence        {e31ab4c0-8e02-11e9-9f6a-c85b7640a2d1}\r\n"
    L"displaymessageoverride  Recovery\r\n"
    L"recoveryenabled         Yes\r\n"
    L"allowedinmemorysettings 0x15000075\r\n"
    L"osdevice                partition=C:\r\n"
    L"systemroot              \\Windows\r\n"
    L"resumeobject            {b2721d72-1db4-11e1-9f2c-005056c00008}\r\n"
    L"nx                      OptIn\r\n"
    L"bootmenupolicy          Standard\r\n"
    L"\r\n"
    L"Windows Boot Loader\r\n"
    L"-------------------\r\n"
    L"identifier              {e31ab4c2-8e02-11e9-9f6a-c85b7640a2d1}\r\n"
    L"device                  partition=D:\r\n"
    L"path                    \\Windows\\system32\\winload.exe\r\n"
    L"description             Windows 7\r\n"
    L"locale                  en-US\r\n"
    L"inherit                 {6efb52bf-1766-41db-a6b3-0ee5eff72bd7}\r\n"
    L"recoveryenabled         No\r\n"
    L"osdevice                partition=D:\r\n"
    L"systemroot              \\Windows\r\n"
    L"resumeobject            {e31ab4c1-8e02-11e9-9f6a-c85b7640a2d1}\r\n"
    L"nx                      OptIn\r\n"
    L"detecthal               Yes\r\n";

// The German listing of the same machine.
std::wstring German(const std::wstring& english) {
  std::wstring text = base::ReplaceAll(english, L"Windows Boot Manager\r\n--------------------\r\n",
                                       L"Windows-Start-Manager\r\n---------------------\r\n");
  text = base::ReplaceAll(text, L"Windows Boot Loader\r\n-------------------\r\n",
                          L"Windows-Startladeprogramm\r\n-------------------------\r\n");
  text = base::ReplaceAll(text, L"identifier      ", L"Bezeichner      ");
  return base::ReplaceAll(text, L"locale                  en-US", L"locale                  de-DE");
}

// The fields a record's rows and lookups use, locale aside.
std::vector<std::wstring> Fields(const BootEntry& entry) {
  return {entry.identifier,   entry.device,           entry.GetPath(),     entry.description,
          entry.inherit,      entry.recoverysequence, entry.recoveryenabled, entry.osdevice,
          entry.systemroot,   entry.resumeobject,     entry.nx,            entry.detecthal,
          entry.bootmenupolicy, entry.defaultId,      entry.displayorder,  entry.toolsdisplayorder,
          std::to_wstring(entry.timeout)};
}

BootEntry ParseManager(const std::wstring& text) {
  BootEntry manager;
  manager.ResetBootManager();
  ParseListingSection(manager, text, true);
  return manager;
}

}  // namespace

TEST(ListingParser, BootManagerWithContinuationLinesAndEitherLineEnd) {
  for (const std::wstring& text : {std::wstring(kManagerListing), WithCrLf(kManagerListing)}) {
    BootEntry manager = ParseManager(text);
    const wchar_t* order =
        L"{b2721d73-1db4-11e1-9f2c-005056c00008}\n{466f5a88-0af2-4f76-9038-095b170dc21c}\n"
        L"{c0ffee00-0000-0000-0000-000000000001}";
    EXPECT_EQ(manager.displayorder, order);
    EXPECT_EQ(manager.elements.at(L"displayorder"), order);
    // The next key after the continuation lines starts afresh.
    EXPECT_EQ(manager.toolsdisplayorder, L"{b2721d71-1db4-11e1-9f2c-005056c00008}");
    EXPECT_EQ(manager.defaultId, L"{b2721d73-1db4-11e1-9f2c-005056c00008}");
    EXPECT_EQ(manager.timeout, 30);
    EXPECT_EQ(manager.device, L"partition=\\Device\\HarddiskVolume1");
    EXPECT_EQ(manager.locale, L"en-US");
    // No identifier row for the boot manager: it keeps its reset GUID, the listed one stays in elements.
    EXPECT_EQ(manager.identifier, kBootMgrGuid);
    EXPECT_EQ(manager.rawText, text);
    for (const auto& [key, value] : manager.elements) {
      EXPECT_EQ(value.find(L'\r'), std::wstring::npos) << "carriage return left in " << key.size();
    }
  }
}

TEST(ListingParser, LineRulesExactKeysAndOddValues) {
  BootEntry record;
  ParseListingSection(record,
                      L"Windows Boot Loader\n"
                      L"-------------------\n"
                      L"locale                  de-DE\n"
                      L"Identifier              {upper-case-key}\n"  // not the identifier row
                      L"description Single Blank\n"                 // no double blank: ignored
                      L"bootstatuspolicy        IgnoreAllFailures\n"
                      L"description             Real  Name  \n"
                      L"                        continued\n",
                      false);
  // Neither the wrongly cased key nor the first line (not braced) gives an identifier.
  EXPECT_TRUE(record.identifier.empty());
  EXPECT_EQ(record.elements.at(L"Identifier"), L"{upper-case-key}");
  EXPECT_EQ(record.elements.count(L"description Single Blank"), 0u);
  EXPECT_EQ(record.elements.at(L"bootstatuspolicy"), L"IgnoreAllFailures");
  // The continuation joins to the nearest key above; the inner double blank of the value stays.
  EXPECT_EQ(record.description, L"Real  Name\ncontinued");
  EXPECT_EQ(record.locale, L"de-DE");

  // Timeouts that are not numbers give 0; leading digits are read.
  EXPECT_EQ(ParseManager(L"timeout                 abc\n").timeout, 0);
  EXPECT_EQ(ParseManager(L"timeout                 12 seconds\n").timeout, 12);

  // Nothing to parse leaves the record as it was, not-read marker included.
  BootEntry untouched;
  ParseListingSection(untouched, L"", false);
  ParseListingSection(untouched, NOT_READ_TEXT, false);
  EXPECT_EQ(untouched.rawText, NOT_READ_TEXT);
  EXPECT_TRUE(untouched.elements.empty());

  // A tool failure text is kept as raw text but fills no field.
  BootEntry failed;
  ParseListingSection(failed, L"The boot configuration data store could not be opened.\r\nAccess is denied.", false);
  EXPECT_EQ(failed.rawText, L"The boot configuration data store could not be opened.\r\nAccess is denied.");
  EXPECT_TRUE(failed.elements.empty());
}

TEST(ListingParser, LoaderSectionsAndTheirDeviceOptions) {
  for (const std::wstring& text : {std::wstring(kLoaderListing), WithCrLf(kLoaderListing)}) {
    std::vector<std::wstring> sections = SplitListingSections(text);
    ASSERT_EQ(sections.size(), 3u);
    BootEntry first;
    ParseListingSection(first, sections[0], false);
    EXPECT_EQ(first.identifier, L"{b2721d73-1db4-11e1-9f2c-005056c00008}");
    EXPECT_EQ(first.GetPath(), L"\\Windows\\system32\\winload.exe");
    // A section never carries the next one's lines.
    EXPECT_TRUE(first.winpe.empty());
    BootEntry second;
    ParseListingSection(second, sections[1], false);
    EXPECT_EQ(second.winpe, L"Yes");
    EXPECT_EQ(second.rawText.substr(0, 19), L"Windows Boot Loader");

    EntryList list;
    for (const auto& identifier : DeviceOptionReferences(text)) list.NoteDeviceOption(identifier);
    // The well-known GUID, in either case, is noted once under its alias; others as they stand.
    ASSERT_EQ(list.deviceOptionIds.size(), 2u);
    EXPECT_EQ(list.deviceOptionIds[0], L"{ramdiskoptions}");
    EXPECT_EQ(list.deviceOptionIds[1], L"{0b1c2d3e-0000-0000-0000-0000000000ff}");
  }
  EXPECT_TRUE(SplitListingSections(L"  \r\n ").empty());
}

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

TEST(ListingParser, GermanListingGivesTheSameRecordsAsEnglish) {
  std::wstring germanManager = German(kEnglishManager);
  std::wstring germanLoaders = German(kEnglishLoaders);
  ASSERT_NE(germanLoaders.find(L"\r\nBezeichner              {b2721d73"), std::wstring::npos);
  ASSERT_EQ(germanLoaders.find(L"identifier"), std::wstring::npos);

  BootEntry englishManager = ParseManager(base::TrimLeft(kEnglishManager));
  BootEntry germanManagerRecord = ParseManager(base::TrimLeft(germanManager));
  EXPECT_EQ(Fields(germanManagerRecord), Fields(englishManager));
  EXPECT_EQ(germanManagerRecord.identifier, kBootMgrGuid);
  EXPECT_EQ(germanManagerRecord.displayorder,
            L"{b2721d73-1db4-11e1-9f2c-005056c00008}\n{e31ab4c2-8e02-11e9-9f6a-c85b7640a2d1}");

  std::vector<std::wstring> englishSections = SplitListingSections(base::TrimLeft(kEnglishLoaders));
  std::vector<std::wstring> germanSections = SplitListingSections(base::TrimLeft(germanLoaders));
  ASSERT_EQ(englishSections.size(), 2u);
  ASSERT_EQ(germanSections.size(), 2u);
  const wchar_t* identifiers[] = {L"{b2721d73-1db4-11e1-9f2c-005056c00008}", L"{e31ab4c2-8e02-11e9-9f6a-c85b7640a2d1}"};
  for (size_t i = 0; i < 2; ++i) {
    BootEntry english;
    BootEntry german;
    ParseListingSection(english, englishSections[i], false);
    ParseListingSection(german, germanSections[i], false);
    EXPECT_EQ(english.identifier, identifiers[i]);
    EXPECT_EQ(Fields(german), Fields(english)) << i;
    EXPECT_EQ(german.locale, L"de-DE");
    // The elements stay as the tool printed them.
    EXPECT_EQ(german.elements.at(L"Bezeichner"), identifiers[i]);
    EXPECT_EQ(german.elements.count(L"identifier"), 0u);
    EXPECT_EQ(german.elements.size(), english.elements.size());
    EXPECT_EQ(german.elements.count(L"allowedinmemorysettings 0x15000075"), 0u);
  }
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
