// Store files: the text format on its own, and /store, /export, /import and /createstore through
// the tool.
#include <gtest/gtest.h>

#include "StandinRun.h"
#include "common/BcdIds.h"
#include "common/DemoStore.h"
#include "common/FileStore.h"

using namespace standin_tests;
using namespace standin;

namespace {

const char kOk[] = "The operation completed successfully.\r\n";

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(StoreFormat, RoundTripsEveryElementKindAndTheRunningSystemMark) {
  BcdStore store = demo::MakeDemoStore();
  BcdObject& loader = *store.Find(demo::kWindows7);
  loader.SetText(element::kDescription, L" 50% off\r\nsecond line ");
  Element list;
  list.number = 0x1700000a;  // badmemorylist
  list.integers = {1, 0x123456789ull};
  loader.elements[list.number] = list;
  std::string text = SerializeStore(store);
  BcdStore back;
  ASSERT_TRUE(ParseStore(text, back));
  EXPECT_EQ(back.current, store.current);
  ASSERT_EQ(back.objects.size(), store.objects.size());
  for (const auto& [guid, object] : store.objects) {
    const BcdObject* copy = back.Find(guid);
    ASSERT_NE(copy, nullptr) << std::string(guid.begin(), guid.end());
    EXPECT_EQ(copy->type, object.type);
    ASSERT_EQ(copy->elements.size(), object.elements.size());
    for (const auto& [number, element] : object.elements) {
      const Element* other = copy->Find(number);
      ASSERT_NE(other, nullptr);
      EXPECT_EQ(other->text, element.text);
      EXPECT_EQ(other->objects, element.objects);
      EXPECT_EQ(other->integers, element.integers);
    }
  }
  EXPECT_EQ(SerializeStore(back), text);
}

TEST(StoreFormat, IsReadableTextWithOneLinePerElement) {
  std::string text = SerializeStore(demo::MakeDemoStore());
  EXPECT_EQ(text.rfind("; Boot configuration data store (bcdedit stand-in)\r\ncurrent={2c7a9b3e-", 0), 0u);
  EXPECT_TRUE(Has(text, "\r\n[{9dea862c-5cdd-4e70-acc1-f32b344d4795}]\r\ntype=10100002\r\n"));
  EXPECT_TRUE(Has(text, "\r\n12000004 description=Windows Boot Manager\r\n"));
  EXPECT_TRUE(Has(text, "\r\n25000004 timeout=30\r\n"));
  EXPECT_TRUE(Has(text, "\r\n24000010 toolsdisplayorder={b2721d73-1db4-4c62-bf78-c548a880142d}\r\n"));
  EXPECT_TRUE(Has(text, "\r\n26000022 winpe=Yes\r\n"));
}

TEST(StoreFormat, RejectsTextThatIsNoStore) {
  BcdStore store;
  EXPECT_FALSE(ParseStore("", store));
  EXPECT_FALSE(ParseStore("[boot loader]\r\ntimeout=30\r\n", store));
  EXPECT_FALSE(ParseStore("; Boot configuration data store (bcdedit stand-in)\r\n[{not-a-guid}]\r\n", store));
  EXPECT_FALSE(ParseStore("; Boot configuration data store (bcdedit stand-in)\r\n[" +
                              std::string("{9dea862c-5cdd-4e70-acc1-f32b344d4795}") + "]\r\n25000004 timeout=soon\r\n",
                          store));
  EXPECT_TRUE(ParseStore("; Boot configuration data store (bcdedit stand-in)\r\n", store));
  EXPECT_TRUE(store.objects.empty());
}

TEST(StoreFiles, ExportImportRoundTripReplacesTheSystemStore) {
  StandinSandbox sandbox;
  sandbox.SeedDemo();
  std::string before = sandbox.BcdEdit(L" /enum all /v");
  std::wstring backup = sandbox.File(L"Backup folder\\2026_12_07.BCD");
  CreateDirectoryW(sandbox.File(L"Backup folder").c_str(), nullptr);
  EXPECT_EQ(sandbox.BcdEdit(L" /export \"" + backup + L"\""), kOk);
  sandbox.BcdEdit(L" /timeout 3");
  sandbox.BcdEdit(L" /delete {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}");
  sandbox.BcdEdit(L" /create /d \"Stray\" /application OSLOADER");
  EXPECT_NE(sandbox.BcdEdit(L" /enum all /v"), before);
  EXPECT_EQ(sandbox.BcdEdit(L" /import \"" + backup + L"\" "), kOk);
  EXPECT_EQ(sandbox.BcdEdit(L" /enum all /v"), before);
  EXPECT_TRUE(Has(sandbox.BcdEdit(L" /enum {current}"), "Windows 10"));

  ToolResult missing = sandbox.Run(L"bcdedit", L" /import \"" + sandbox.File(L"none.BCD") + L"\" ");
  EXPECT_EQ(missing.exitCode, 1u);
  EXPECT_EQ(missing.output, "The import operation has failed.\r\nThe system cannot find the file specified.\r\n");
  sandbox.WriteText(L"boot.ini", "[boot loader]\r\ntimeout=30\r\n");
  EXPECT_EQ(sandbox.Run(L"bcdedit", L" /import \"" + sandbox.File(L"boot.ini") + L"\"").exitCode, 1u);
  ToolResult noFolder = sandbox.Run(L"bcdedit", L" /export \"" + sandbox.File(L"no such folder\\x.BCD") + L"\"");
  EXPECT_EQ(noFolder.exitCode, 1u);
  EXPECT_EQ(noFolder.output, "The export operation has failed.\r\nThe system cannot find the path specified.\r\n");
  EXPECT_EQ(sandbox.BcdEdit(L" /enum all /v"), before);
}

TEST(StoreFiles, StoreRedirectsEveryCommandToTheFileAndLeavesTheSystemStoreAlone) {
  StandinSandbox sandbox;
  sandbox.SeedDemo();
  std::wstring file = sandbox.File(L"other.bcd");
  std::wstring store = L" /store \"" + file + L"\" ";
  EXPECT_EQ(sandbox.BcdEdit(L" /createstore \"" + file + L"\""), kOk);
  EXPECT_EQ(sandbox.BcdEdit(store + L" /enum all"), "There are no matching objects or the store is empty.\r\n");
  EXPECT_EQ(sandbox.Run(L"bcdedit", store + L" /enum {bootmgr} /v").exitCode, 1u);

  std::string system = sandbox.BcdEdit(L" /enum all /v");
  EXPECT_EQ(sandbox.BcdEdit(store + L" /create {bootmgr} /d \"File Boot Manager\""),
            "The entry {bootmgr} was successfully created.\r\n");
  std::string created = sandbox.BcdEdit(store + L" /create /d \"File loader\" /application OSLOADER");
  std::wstring guid(created.begin() + 10, created.begin() + 48);
  EXPECT_EQ(sandbox.BcdEdit(store + L" /displayorder " + guid + L" /addlast"), kOk);
  EXPECT_EQ(sandbox.BcdEdit(store + L" /timeout 7"), kOk);
  EXPECT_EQ(sandbox.BcdEdit(store + L" /set " + guid + L" path \\Windows\\system32\\winload.exe"), kOk);

  std::string listing = sandbox.BcdEdit(store + L" /enum");
  EXPECT_TRUE(Has(listing, "description             File Boot Manager\r\n"));
  EXPECT_TRUE(Has(listing, "timeout                 7\r\n"));
  EXPECT_TRUE(Has(listing, "description             File loader\r\n"));
  EXPECT_TRUE(Has(sandbox.ReadFileText(L"other.bcd"), "12000002 path=\\Windows\\system32\\winload.exe\r\n"));
  EXPECT_EQ(sandbox.BcdEdit(L" /enum all /v"), system);

  ToolResult missing = sandbox.Run(L"bcdedit", L" /store \"" + sandbox.File(L"none.bcd") + L"\"  /enum OSLOADER /v");
  EXPECT_EQ(missing.exitCode, 1u);
  EXPECT_EQ(missing.output, "The boot configuration data store could not be opened.\r\n"
                            "The system cannot find the file specified.\r\n");
  ToolResult exists = sandbox.Run(L"bcdedit", L" /createstore \"" + file + L"\"");
  EXPECT_EQ(exists.exitCode, 1u);
  EXPECT_EQ(exists.output, "The boot configuration data store could not be created.\r\nThe file exists.\r\n");
}

TEST(StoreFiles, AHiddenSystemStoreFileIsRewrittenInPlace) {
  StandinSandbox sandbox;
  std::wstring file = sandbox.File(L"BCD");
  sandbox.BcdEdit(L" /store \"" + file + L"\" /vexa-seed-demo");
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  EXPECT_EQ(sandbox.BcdEdit(L" /store \"" + file + L"\" /timeout 4"), kOk);
  // There is no system store to export, so the file stays as it is.
  EXPECT_EQ(sandbox.Run(L"bcdedit", L" /export \"" + file + L"\"").exitCode, 1u);
  EXPECT_TRUE(Has(sandbox.BcdEdit(L" /store \"" + file + L"\" /enum {bootmgr}"), "\r\ntimeout                 4\r\n"));
  EXPECT_EQ(GetFileAttributesW(file.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  // A shorter store leaves nothing of the longer one behind.
  sandbox.BcdEdit(L" /store \"" + file + L"\" /delete {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}");
  BcdStore reread;
  EXPECT_TRUE(ParseStore(sandbox.ReadFileText(L"BCD"), reread));
  EXPECT_EQ(reread.objects.size(), 15u);
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(StoreFiles, SeedingAStoreFileGivesTheDemoStoreThere) {
  StandinSandbox sandbox;
  std::wstring store = L" /store \"" + sandbox.File(L"demo.bcd") + L"\"";
  sandbox.BcdEdit(store + L" /vexa-seed-demo");
  EXPECT_TRUE(Has(sandbox.BcdEdit(store + L" /enum {current}"), "Windows 10"));
  EXPECT_EQ(sandbox.Run(L"bcdedit", L" /enum").exitCode, 1u);  // the system store was not made
  sandbox.BcdEdit(store + L" /vexa-current {2c7a9b3e-51f0-4d8a-9e6b-0a1f7c2d3e07}");
  EXPECT_TRUE(Has(sandbox.BcdEdit(store + L" /enum {current}"), "Windows 7"));
  EXPECT_TRUE(Has(sandbox.BcdEdit(store + L" /enum {bootmgr}"), "\r\ndefault                 {default}\r\n"));
}
