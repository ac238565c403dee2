// The listing printer: the exact bytes bcdedit's /enum prints for a small store.
#include <gtest/gtest.h>

#include "common/BcdIds.h"
#include "common/Listing.h"

using namespace standin;

namespace {

const wchar_t kLoader[] = L"{11111111-2222-3333-4444-555555555555}";
const wchar_t kOther[] = L"{aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee}";

BcdStore SmallStore() {
  BcdStore store;
  BcdObject& manager = store.Add(kBootMgrGuid, kTypeBootMgr);
  manager.SetText(element::kDescription, L"Windows Boot Manager");
  manager.SetText(element::kDefault, kOther);
  manager.SetObjects(element::kDisplayOrder, {kLoader, kOther, kNtldrGuid});
  manager.SetInteger(element::kTimeout, 30);
  BcdObject& loader = store.Add(kLoader, kTypeOsLoader);
  loader.SetText(element::kDevice, std::wstring(L"ramdisk=[C:]\\sources\\boot.wim,") + kRamdiskOptionsGuid);
  loader.SetText(element::kDescription, L"Windows PE");
  loader.SetInteger(element::kNx, 3);
  loader.SetBoolean(element::kWinPe, true);
  loader.SetBoolean(element::kEms, false);
  loader.SetInteger(element::kSafeBoot, 2);
  store.Add(kOther, kTypeOsLoader).SetText(element::kDescription, L"Other");
  store.current = kLoader;
  return store;
}

}  // namespace

TEST(Listing, PrintsTitlesUnderlinesColumnsAndContinuationLinesWithCrLf) {
  BcdStore store = SmallStore();
  std::wstring text = FormatListing(store, {store.Find(kBootMgrGuid), store.Find(kLoader)}, false);
  EXPECT_EQ(text,
            L"\r\n"
            L"Windows Boot Manager\r\n"
            L"--------------------\r\n"
            L"identifier              {bootmgr}\r\n"
            L"description             Windows Boot Manager\r\n"
            L"default                 {default}\r\n"
            L"displayorder            {current}\r\n"
            L"                        {default}\r\n"
            L"                        {ntldr}\r\n"
            L"timeout                 30\r\n"
            L"\r\n"
            L"Windows Boot Loader\r\n"
            L"-------------------\r\n"
            L"identifier              {current}\r\n"
            L"device                  ramdisk=[C:]\\sources\\boot.wim,{ramdiskoptions}\r\n"
            L"description             Windows PE\r\n"
            L"nx                      AlwaysOn\r\n"
            L"safeboot                DsRepair\r\n"
            L"winpe                   Yes\r\n"
            L"ems                     No\r\n");
}

TEST(Listing, VerboseShowsEveryIdentifierAsItsGuid) {
  BcdStore store = SmallStore();
  std::wstring text = FormatListing(store, {store.Find(kBootMgrGuid), store.Find(kLoader)}, true);
  EXPECT_NE(text.find(L"identifier              {9dea862c-5cdd-4e70-acc1-f32b344d4795}\r\n"), std::wstring::npos);
  EXPECT_NE(text.find(L"displayorder            {11111111-2222-3333-4444-555555555555}\r\n"
                      L"                        {aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeeeee}\r\n"
                      L"                        {466f5a88-0af2-4f76-9038-095b170dc21c}\r\n"),
            std::wstring::npos);
  EXPECT_NE(text.find(L"boot.wim,{ae5534e0-a924-466c-b836-758539a3ee3a}\r\n"), std::wstring::npos);
  for (const wchar_t* alias : {L"{current}", L"{bootmgr}", L"{ntldr}", L"{ramdiskoptions}", L"{default}"})
    EXPECT_EQ(text.find(alias), std::wstring::npos) << alias;
}

TEST(Listing, RunningSystemComesBeforeWellKnownNamesAndDefault) {
  BcdStore store = SmallStore();
  std::wstring text = FormatObject(store, *store.Find(kOther), false);
  EXPECT_EQ(text, L"Windows Boot Loader\r\n-------------------\r\nidentifier              {default}\r\n"
                  L"description             Other\r\n");
  EXPECT_EQ(DisplayIdentifier(store, kLoader, false), L"{current}");
  store.Find(kBootMgrGuid)->SetText(element::kDefault, kLoader);
  EXPECT_EQ(DisplayIdentifier(store, kLoader, false), L"{current}");
  store.current.clear();
  EXPECT_EQ(DisplayIdentifier(store, kLoader, false), L"{default}");
  EXPECT_EQ(DisplayIdentifier(store, kOther, false), kOther);
  store.Find(kBootMgrGuid)->SetText(element::kDefault, kNtldrGuid);
  EXPECT_EQ(DisplayIdentifier(store, kNtldrGuid, false), L"{ntldr}");
}

TEST(Listing, LongNamesKeepAtLeastOneBlankAndUnknownElementsPrintAsCustom) {
  BcdStore store;
  BcdObject& loader = store.Add(kLoader, kTypeOsLoader);
  loader.SetInteger(0x15000066, 3);  // displaymessageoverride, 22 characters
  Element list;
  list.number = 0x17000077;  // allowedinmemorysettings, 23 characters
  list.integers = {0x15000075, 0x1500007b};
  loader.elements[list.number] = list;
  loader.SetText(0x12345678, L"x");
  std::wstring text = FormatObject(store, loader, true);
  EXPECT_NE(text.find(L"\r\ndisplaymessageoverride  Recovery\r\n"), std::wstring::npos) << text;
  EXPECT_NE(text.find(L"\r\nallowedinmemorysettings 0x15000075\r\n                        0x1500007b\r\n"),
            std::wstring::npos)
      << text;
  EXPECT_NE(text.find(L"\r\ncustom:12345678         x\r\n"), std::wstring::npos) << text;
}

TEST(Listing, TitlesFollowTheObjectType) {
  EXPECT_EQ(TitleOf(kTypeNtldr, kNtldrGuid), L"Windows Legacy OS Loader");
  EXPECT_EQ(TitleOf(kTypeBootSector, L"{11111111-2222-3333-4444-555555555555}"), L"Real-mode Boot Sector");
  EXPECT_EQ(TitleOf(kTypeResume, L""), L"Resume from Hibernate");
  EXPECT_EQ(TitleOf(kTypeDevice, kRamdiskOptionsGuid), L"Device options");
  EXPECT_EQ(TitleOf(kTypeMemDiag, kMemDiagGuid), L"Windows Memory Tester");
  EXPECT_EQ(TitleOf(0x101fffff, L"{11111111-2222-3333-4444-555555555555}"), L"Firmware Application (101fffff)");
  EXPECT_EQ(TitleOf(kTypeInheritOsLoader, L"{6efb52bf-1766-41db-a6b3-0ee5eff72bd7}"), L"Boot Loader Settings");
}
