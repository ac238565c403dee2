// The listing parser against literal bcdedit listings: line ends, continuation lines, exact keys,
// section splitting and device-options references.
#include <gtest/gtest.h>

#include "store/EntryList.h"
#include "store/ListingParser.h"
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
                      L"Identifier              {upper-case-key}\n"  // not the identifier row
                      L"description Single Blank\n"                 // no double blank: ignored
                      L"locale                  de-DE\n"
                      L"bootstatuspolicy        IgnoreAllFailures\n"
                      L"description             Real  Name  \n"
                      L"                        continued\n",
                      false);
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
