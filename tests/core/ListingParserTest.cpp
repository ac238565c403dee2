// The listing parser against literal bcdedit listings: line ends, continuation lines, exact keys,
// section splitting, device-options references, and the translated identifier key of non-English
// Windows.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include <cstdlib>
#endif

#include "core/ListingParser.h"
#include "core/Format.h"
#include "core/Strings.h"

namespace {

const core::Char kManagerListing[] =
    T16("Windows Boot Manager\n")
    T16("--------------------\n")
    T16("identifier              {9dea862c-5cdd-4e70-acc1-f32b344d4795}\n")
    T16("device                  partition=\\Device\\HarddiskVolume1\n")
    T16("description             Windows Boot Manager\n")
    T16("locale                  en-US\n")
    T16("inherit                 {7ea2e1ac-2e61-4728-aaa3-896d9d0a9f0e}\n")
    T16("default                 {b2721d73-1db4-11e1-9f2c-005056c00008}\n")
    T16("displayorder            {b2721d73-1db4-11e1-9f2c-005056c00008}\n")
    T16("                        {466f5a88-0af2-4f76-9038-095b170dc21c}\n")
    T16("                        {c0ffee00-0000-0000-0000-000000000001}\n")
    T16("toolsdisplayorder       {b2721d71-1db4-11e1-9f2c-005056c00008}\n")
    T16("timeout                 30\n");

const core::Char kLoaderListing[] =
    T16("\n")
    T16("Windows Boot Loader\n")
    T16("-------------------\n")
    T16("identifier              {b2721d73-1db4-11e1-9f2c-005056c00008}\n")
    T16("path                    \\Windows\\system32\\winload.exe\n")
    T16("nx                      OptIn\n")
    T16("\n")
    T16("Windows Boot Loader\n")
    T16("-------------------\n")
    T16("device                  ramdisk=[C:]\\Recovery\\Winre.wim,{ae5534e0-a924-466c-b836-758539a3ee3a}\n")
    T16("osdevice                ramdisk=[C:]\\Recovery\\Winre.wim,{AE5534E0-A924-466C-B836-758539A3EE3A}\n")
    T16("winpe                   Yes\n")
    T16("\n")
    T16("\n")
    T16("Windows Boot Loader\n")
    T16("-------------------\n")
    T16("device                  vhd=[C:]\\disk.vhd,{0b1c2d3e-0000-0000-0000-0000000000ff}\n")
    T16("osdevice                ramdisk=[C:]\\boot.wim,{ae5534e0-a924-466c-b836-758539a3ee3a}\n")
    T16("\n");

core::String WithCrLf(const core::String& text) { return core::ReplaceAll(text, T16("\n"), T16("\r\n")); }

// One machine listed by an English and by a German bcdedit (/enum {bootmgr} /v, /enum OSLOADER /v),
// as captured: the German tool translates the titles and the key "identifier", nothing else.
// "allowedinmemorysettings" fills the key column, so only one blank follows it.
const core::Char kEnglishManager[] =
    T16("\r\n")
    T16("Windows Boot Manager\r\n")
    T16("--------------------\r\n")
    T16("identifier              {9dea862c-5cdd-4e70-acc1-f32b344d4795}\r\n")
    T16("device                  partition=\\Device\\HarddiskVolume1\r\n")
    T16("description             Windows Boot Manager\r\n")
    T16("locale                  en-US\r\n")
    T16("inherit                 {7ea2e1ac-2e61-4728-aaa3-896d9d0a9f0e}\r\n")
    T16("default                 {b2721d73-1db4-11e1-9f2c-005056c00008}\r\n")
    T16("resumeobject            {b2721d72-1db4-11e1-9f2c-005056c00008}\r\n")
    T16("displayorder            {b2721d73-1db4-11e1-9f2c-005056c00008}\r\n")
    T16("                        {e31ab4c2-8e02-11e9-9f6a-c85b7640a2d1}\r\n")
    T16("toolsdisplayorder       {b2721d71-1db4-11e1-9f2c-005056c00008}\r\n")
    T16("timeout                 30\r\n");

const core::Char kEnglishLoaders[] =
    T16("\r\n")
    T16("Windows Boot Loader\r\n")
    T16("-------------------\r\n")
    T16("identifier              {b2721d73-1db4-11e1-9f2c-005056c00008}\r\n")
    T16("device                  partition=C:\r\n")
    T16("path                    \\Windows\\system32\\winload.exe\r\n")
    T16("description             Windows 10\r\n")
    T16("locale                  en-US\r\n")
    T16("inherit                 {6efb52bf-1766-41db-a6b3-0ee5eff72bd7}\r\n")
    T16("recoverysequence        {e31ab4c0-8e02-11e9-9f6a-c85b7640a2d1}\r\n")
    T16("displaymessageoverride  Recovery\r\n")
    T16("recoveryenabled         Yes\r\n")
    T16("allowedinmemorysettings 0x15000075\r\n")
    T16("osdevice                partition=C:\r\n")
    T16("systemroot              \\Windows\r\n")
    T16("resumeobject            {b2721d72-1db4-11e1-9f2c-005056c00008}\r\n")
    T16("nx                      OptIn\r\n")
    T16("bootmenupolicy          Standard\r\n")
    T16("\r\n")
    T16("Windows Boot Loader\r\n")
    T16("-------------------\r\n")
    T16("identifier              {e31ab4c2-8e02-11e9-9f6a-c85b7640a2d1}\r\n")
    T16("device                  partition=D:\r\n")
    T16("path                    \\Windows\\system32\\winload.exe\r\n")
    T16("description             Windows 7\r\n")
    T16("locale                  en-US\r\n")
    T16("inherit                 {6efb52bf-1766-41db-a6b3-0ee5eff72bd7}\r\n")
    T16("recoveryenabled         No\r\n")
    T16("osdevice                partition=D:\r\n")
    T16("systemroot              \\Windows\r\n")
    T16("resumeobject            {e31ab4c1-8e02-11e9-9f6a-c85b7640a2d1}\r\n")
    T16("nx                      OptIn\r\n")
    T16("detecthal               Yes\r\n");

// The German listing of the same machine.
core::String German(const core::String& english) {
  core::String text = core::ReplaceAll(english, T16("Windows Boot Manager\r\n--------------------\r\n"),
                                       T16("Windows-Start-Manager\r\n---------------------\r\n"));
  text = core::ReplaceAll(text, T16("Windows Boot Loader\r\n-------------------\r\n"),
                          T16("Windows-Startladeprogramm\r\n-------------------------\r\n"));
  text = core::ReplaceAll(text, T16("identifier      "), T16("Bezeichner      "));
  return core::ReplaceAll(text, T16("locale                  en-US"), T16("locale                  de-DE"));
}

// The fields a record's rows and lookups use, locale aside.
std::vector<core::String> Fields(const BootEntry& entry) {
  return {entry.identifier,   entry.device,           entry.GetPath(),     entry.description,
          entry.inherit,      entry.recoverysequence, entry.recoveryenabled, entry.osdevice,
          entry.systemroot,   entry.resumeobject,     entry.nx,            entry.detecthal,
          entry.bootmenupolicy, entry.defaultId,      entry.displayorder,  entry.toolsdisplayorder,
          core::Format(T16("%d"), entry.timeout)};
}

BootEntry ParseManager(const core::String& text) {
  BootEntry manager;
  manager.ResetBootManager();
  ParseListingSection(manager, text, true);
  return manager;
}

}  // namespace

TEST(ListingParser, BootManagerWithContinuationLinesAndEitherLineEnd) {
  for (const core::String& text : {core::String(kManagerListing), WithCrLf(kManagerListing)}) {
    BootEntry manager = ParseManager(text);
    const core::Char* order =
        T16("{b2721d73-1db4-11e1-9f2c-005056c00008}\n{466f5a88-0af2-4f76-9038-095b170dc21c}\n")
        T16("{c0ffee00-0000-0000-0000-000000000001}");
    EXPECT_EQ(manager.displayorder, order);
    EXPECT_EQ(manager.elements.at(T16("displayorder")), order);
    // The next key after the continuation lines starts afresh.
    EXPECT_EQ(manager.toolsdisplayorder, T16("{b2721d71-1db4-11e1-9f2c-005056c00008}"));
    EXPECT_EQ(manager.defaultId, T16("{b2721d73-1db4-11e1-9f2c-005056c00008}"));
    EXPECT_EQ(manager.timeout, 30);
    EXPECT_EQ(manager.device, T16("partition=\\Device\\HarddiskVolume1"));
    EXPECT_EQ(manager.locale, T16("en-US"));
    // No identifier row for the boot manager: it keeps its reset GUID, the listed one stays in elements.
    EXPECT_EQ(manager.identifier, kBootMgrGuid);
    EXPECT_EQ(manager.rawText, text);
    for (const auto& [key, value] : manager.elements) {
      EXPECT_EQ(value.find(T16('\r')), core::String::npos) << "carriage return left in " << key.size();
    }
  }
}

TEST(ListingParser, LineRulesExactKeysAndOddValues) {
  BootEntry record;
  ParseListingSection(record,
                      T16("Windows Boot Loader\n")
                      T16("-------------------\n")
                      T16("locale                  de-DE\n")
                      T16("Identifier              {upper-case-key}\n")  // not the identifier row
                      T16("description Single Blank\n")                 // no double blank: ignored
                      T16("bootstatuspolicy        IgnoreAllFailures\n")
                      T16("description             Real  Name  \n")
                      T16("                        continued\n"),
                      false);
  // Neither the wrongly cased key nor the first line (not braced) gives an identifier.
  EXPECT_TRUE(record.identifier.empty());
  EXPECT_EQ(record.elements.at(T16("Identifier")), T16("{upper-case-key}"));
  EXPECT_EQ(record.elements.count(T16("description Single Blank")), 0u);
  EXPECT_EQ(record.elements.at(T16("bootstatuspolicy")), T16("IgnoreAllFailures"));
  // The continuation joins to the nearest key above; the inner double blank of the value stays.
  EXPECT_EQ(record.description, T16("Real  Name\ncontinued"));
  EXPECT_EQ(record.locale, T16("de-DE"));

  // Timeouts that are not numbers give 0; leading digits are read.
  EXPECT_EQ(ParseManager(T16("timeout                 abc\n")).timeout, 0);
  EXPECT_EQ(ParseManager(T16("timeout                 12 seconds\n")).timeout, 12);

  // Nothing to parse leaves the record as it was, not-read marker included.
  BootEntry untouched;
  ParseListingSection(untouched, T16(""), false);
  ParseListingSection(untouched, NOT_READ_TEXT, false);
  EXPECT_EQ(untouched.rawText, NOT_READ_TEXT);
  EXPECT_TRUE(untouched.elements.empty());

  // A tool failure text is kept as raw text but fills no field.
  BootEntry failed;
  ParseListingSection(failed, T16("The boot configuration data store could not be opened.\r\nAccess is denied."), false);
  EXPECT_EQ(failed.rawText, T16("The boot configuration data store could not be opened.\r\nAccess is denied."));
  EXPECT_TRUE(failed.elements.empty());
}

TEST(ListingParser, AValueOverManyLinesArrivesWholeAndTheLastOfAKeyWins) {
  // A menu of a thousand entries: every identifier, once, in order.
  core::String listing = T16("displayorder            {0}\n");
  core::String order = T16("{0}");
  for (int i = 1; i < 1000; ++i) {
    core::String id = T16("{") + core::String(1, static_cast<core::Char>(T16('A') + i % 26)) + T16("}");
    listing += T16("                        ") + id + T16("\n");
    order += T16("\n") + id;
  }
  EXPECT_EQ(ParseManager(listing + T16("timeout                 7\n")).displayorder, order);

  const struct {
    const core::Char* text;
    const core::Char* key;
    const core::Char* value;
  } cases[] = {
      // Before any key, continuation lines gather under the empty key.
      {T16("title\n                        a\n                        b\nlocale                  x\n"), T16(""),
       T16("\na\nb")},
      // Lines without a double blank do not break a value apart.
      {T16("inherit                 {a}\nnote\n                        {b}\n"), T16("inherit"), T16("{a}\n{b}")},
      // A key given again replaces what it had, continuation lines included.
      {T16("inherit                 {a}\n                        {b}\ninherit                 {c}\n"), T16("inherit"),
       T16("{c}")},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseManager(c.text).elements.at(c.key), c.value);

  // The first key's whole value decides whether it is a translated identifier: over two lines it
  // is no braced identifier.
  BootEntry loader;
  ParseListingSection(loader, T16("Bezeichner              {a}\n                        {b}\ndevice                  x\n"), false);
  EXPECT_TRUE(loader.identifier.empty());
  ParseListingSection(loader, T16("Bezeichner              {a}\ndevice                  x\n"), false);
  EXPECT_EQ(loader.identifier, T16("{a}"));
}

TEST(ListingParser, LoaderSectionsAndTheirDeviceOptions) {
  for (const core::String& text : {core::String(kLoaderListing), WithCrLf(kLoaderListing)}) {
    std::vector<core::String> sections = SplitListingSections(text);
    ASSERT_EQ(sections.size(), 3u);
    BootEntry first;
    ParseListingSection(first, sections[0], false);
    EXPECT_EQ(first.identifier, T16("{b2721d73-1db4-11e1-9f2c-005056c00008}"));
    EXPECT_EQ(first.GetPath(), T16("\\Windows\\system32\\winload.exe"));
    // A section never carries the next one's lines.
    EXPECT_TRUE(first.winpe.empty());
    BootEntry second;
    ParseListingSection(second, sections[1], false);
    EXPECT_EQ(second.winpe, T16("Yes"));
    EXPECT_EQ(second.rawText.substr(0, 19), T16("Windows Boot Loader"));

    // Every ",{" reference of any value, in listing order; the well-known GUID in either case.
    EXPECT_EQ(DeviceOptionReferences(text),
              (std::vector<core::String>{T16("{ae5534e0-a924-466c-b836-758539a3ee3a}"), T16("{AE5534E0-A924-466C-B836-758539A3EE3A}"),
                                         T16("{0b1c2d3e-0000-0000-0000-0000000000ff}"),
                                         T16("{ae5534e0-a924-466c-b836-758539a3ee3a}")}));
  }
  EXPECT_TRUE(SplitListingSections(T16("  \r\n ")).empty());
}

TEST(ListingParser, GermanListingGivesTheSameRecordsAsEnglish) {
  core::String germanManager = German(kEnglishManager);
  core::String germanLoaders = German(kEnglishLoaders);
  ASSERT_NE(germanLoaders.find(T16("\r\nBezeichner              {b2721d73")), core::String::npos);
  ASSERT_EQ(germanLoaders.find(T16("identifier")), core::String::npos);

  BootEntry englishManager = ParseManager(core::TrimLeft(kEnglishManager));
  BootEntry germanManagerRecord = ParseManager(core::TrimLeft(germanManager));
  EXPECT_EQ(Fields(germanManagerRecord), Fields(englishManager));
  EXPECT_EQ(germanManagerRecord.identifier, kBootMgrGuid);
  EXPECT_EQ(germanManagerRecord.displayorder,
            T16("{b2721d73-1db4-11e1-9f2c-005056c00008}\n{e31ab4c2-8e02-11e9-9f6a-c85b7640a2d1}"));

  std::vector<core::String> englishSections = SplitListingSections(core::TrimLeft(kEnglishLoaders));
  std::vector<core::String> germanSections = SplitListingSections(core::TrimLeft(germanLoaders));
  ASSERT_EQ(englishSections.size(), 2u);
  ASSERT_EQ(germanSections.size(), 2u);
  const core::Char* identifiers[] = {T16("{b2721d73-1db4-11e1-9f2c-005056c00008}"), T16("{e31ab4c2-8e02-11e9-9f6a-c85b7640a2d1}")};
  for (size_t i = 0; i < 2; ++i) {
    BootEntry english;
    BootEntry german;
    ParseListingSection(english, englishSections[i], false);
    ParseListingSection(german, germanSections[i], false);
    EXPECT_EQ(english.identifier, identifiers[i]);
    EXPECT_EQ(Fields(german), Fields(english)) << i;
    EXPECT_EQ(german.locale, T16("de-DE"));
    // The elements stay as the tool printed them.
    EXPECT_EQ(german.elements.at(T16("Bezeichner")), identifiers[i]);
    EXPECT_EQ(german.elements.count(T16("identifier")), 0u);
    EXPECT_EQ(german.elements.size(), english.elements.size());
    EXPECT_EQ(german.elements.count(T16("allowedinmemorysettings 0x15000075")), 0u);
  }
}

// A whole store listed at once: a loader with neither of the loaders' own keys, and settings that
// carry one of them under a title of their own.
core::String WholeStore() {
  return core::String(kEnglishManager) + kEnglishLoaders +
         T16("\r\nWindows Boot Loader\r\n-------------------\r\n")
         T16("identifier              {c0ffee00-0000-0000-0000-000000000002}\r\n")
         T16("\r\nBoot Loader Settings\r\n--------------------\r\n")
         T16("identifier              {6efb52bf-1766-41db-a6b3-0ee5eff72bd7}\r\nosdevice                partition=C:\r\n");
}

TEST(ListingParser, TheLoadersOfAWholeStoreInEveryLanguage) {
  const core::String german = T16("Windows-Startladeprogramm");
  // German, with no title known, learns it from the loaders' own keys.
  const std::pair<core::String, core::String> cases[] = {
      {WholeStore(), T16("")}, {German(WholeStore()), german}, {German(WholeStore()), T16("")}};
  for (size_t i = 0; i < 3; ++i) {
    const auto& [listing, knownTitle] = cases[i];
    std::vector<ListedObject> objects = ListedObjects(listing);
    ASSERT_EQ(objects.size(), 5u);
    EXPECT_EQ(objects[0].identifier, kBootMgrGuid);
    std::vector<core::String> found;
    for (size_t index : LoaderObjects(objects, knownTitle)) found.push_back(objects[index].identifier);
    EXPECT_EQ(found, (std::vector<core::String>{T16("{b2721d73-1db4-11e1-9f2c-005056c00008}"),
                                                T16("{e31ab4c2-8e02-11e9-9f6a-c85b7640a2d1}"),
                                                T16("{c0ffee00-0000-0000-0000-000000000002}")}))
        << i;
  }
  EXPECT_EQ(FirstTitle(German(kEnglishLoaders)), german);
}

// The timeout is read as atol reads the tool's text in the ANSI code page, at most 20 bytes of it;
// under Wine the test reads it that way too.
TEST(ListingParser, TimeoutReadsLikeAtolOfTheFirstTwentyBytes) {
  const struct {
    const core::Char* text;
    int number;
  } cases[] = {
      {T16("30"), 30},
      {T16(" \t\v-12 seconds"), -12},
      {T16("+7"), 7},
      {T16("- 7"), 0},
      {T16("99999999999"), 1215752191},  // wraps past the 32-bit range, as the C runtime's atol does
      {T16("-99999999999"), -1215752191},
      {T16("                   12"), 1},  // the 20th byte is the last one read
      {T16("\u00a07"), 0},
      {T16("\uff17"), 0},  // a fullwidth digit is not read (the ANSI best-fit would make it 7)
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LeadingNumber(c.text), c.number) << testing::PrintToString(core::String(c.text));
#ifdef _WIN32
    if (c.text[0] == L'\uff17') continue;
    char narrow[64] = {};
    WideCharToMultiByte(CP_ACP, 0, c.text, -1, narrow, sizeof narrow - 1, nullptr, nullptr);
    narrow[20] = '\0';
    EXPECT_EQ(LeadingNumber(c.text), static_cast<int>(std::atol(narrow))) << narrow;
#endif
  }
}
